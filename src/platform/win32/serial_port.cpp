#include "platform/serial_port.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace calvern::platform {
namespace {

// The driver's input and output queues: a whole frame of the link buffer and its header.
constexpr DWORD kQueueBytes = 264;

// Milliseconds left until the deadline, at least 1 so that a time-out of 0 never means "wait
// for ever" to the driver.
DWORD MillisecondsLeft(Deadline deadline) {
  auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return 1;
  return left.count() > 60000 ? 60000 : static_cast<DWORD>(left.count());
}

bool DeadlinePassed(Deadline deadline) { return std::chrono::steady_clock::now() >= deadline; }

class WindowsSerialPort : public SerialPort {
 public:
  explicit WindowsSerialPort(HANDLE port) : port_(port) {}
  ~WindowsSerialPort() override { CloseHandle(port_); }

  int OutputQueued() override {
    COMSTAT status{};
    DWORD errors = 0;
    return ClearCommError(port_, &errors, &status) ? static_cast<int>(status.cbOutQue) : -1;
  }
  int InputQueued() override {
    COMSTAT status{};
    DWORD errors = 0;
    return ClearCommError(port_, &errors, &status) ? static_cast<int>(status.cbInQue) : -1;
  }

  // Each call waits at most until the deadline: the write time-out is what is left of it.
  bool Write(const std::uint8_t* data, std::size_t size, Deadline deadline) override {
    std::size_t done = 0;
    while (done < size) {
      if (DeadlinePassed(deadline) || !SetTimeouts(0, MillisecondsLeft(deadline))) return false;
      DWORD written = 0;
      if (!WriteFile(port_, data + done, static_cast<DWORD>(size - done), &written, nullptr)) {
        return false;
      }
      done += written;
    }
    return true;
  }

  // The driver's "return at once with what has come, else wait up to the time-out for the
  // first byte" mode: a read ends as soon as a byte arrives, or at the deadline.
  int Read(std::uint8_t* data, std::size_t size, Deadline deadline) override {
    for (;;) {
      if (!SetTimeouts(MillisecondsLeft(deadline), 0)) return -1;
      DWORD read = 0;
      if (!ReadFile(port_, data, static_cast<DWORD>(size), &read, nullptr)) return -1;
      if (read > 0) return static_cast<int>(read);
      if (DeadlinePassed(deadline)) return 0;
    }
  }

 private:
  bool SetTimeouts(DWORD readMilliseconds, DWORD writeMilliseconds) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = readMilliseconds ? readMilliseconds : 1;
    timeouts.WriteTotalTimeoutConstant = writeMilliseconds;
    return SetCommTimeouts(port_, &timeouts);
  }

  HANDLE port_;
};

// 9600 baud, 8 data bits, no parity, 1 stop bit, no hardware or software handshake.
bool ConfigureLine(HANDLE port) {
  if (!SetupComm(port, kQueueBytes, kQueueBytes)) return false;
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(port, &dcb)) return false;
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fAbortOnError = FALSE;
  if (!SetCommState(port, &dcb)) return false;
  // Bytes left over from an earlier exchange (a late answer) are not this exchange's reply.
  PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
  return true;
}

}  // namespace

// "COMn" is the device \\.\COMn, a form that also reaches the ports above COM9.
std::string SerialDevicePath(const std::string& name) {
  int number = ComNumber(name);
  if (number < 0) return name;
  return number >= 1 ? "\\\\.\\COM" + std::to_string(number) : std::string();
}

SerialOpenResult OpenSerialPort(const std::string& name) {
  SerialOpenResult result;
  std::string device = SerialDevicePath(name);
  if (device.empty()) {
    result.error = name + ": no such port";
    return result;
  }
  HANDLE port = CreateFileW(Widen(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    result.error = device + ": " + LastErrorText();
    return result;
  }
  if (!ConfigureLine(port)) {
    result.error = device + ": not a serial port";
    CloseHandle(port);
    return result;
  }
  result.port = std::make_unique<WindowsSerialPort>(port);
  return result;
}

}  // namespace calvern::platform
