#include "platform/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace calvern::platform {
namespace {

// Milliseconds left until the deadline, for poll(); 0 once it has passed.
int MillisecondsLeft(Deadline deadline) {
  auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return 0;
  return left.count() > 60000 ? 60000 : static_cast<int>(left.count());
}

enum class WaitResult { kReady, kDeadline, kFailed };

// Waits until the descriptor is readable or writable, the deadline passes, or the device fails.
WaitResult WaitFor(int fd, short events, Deadline deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    int ready = poll(&entry, 1, MillisecondsLeft(deadline));
    if (ready > 0) {
      if (entry.revents & events) return WaitResult::kReady;
      return WaitResult::kFailed;  // hung up or in error, with nothing to read or write
    }
    if (ready == 0 && MillisecondsLeft(deadline) == 0) return WaitResult::kDeadline;
    if (ready < 0 && errno != EINTR) return WaitResult::kFailed;
  }
}

class PosixSerialPort : public SerialPort {
 public:
  explicit PosixSerialPort(int fd) : fd_(fd) {}
  ~PosixSerialPort() override { close(fd_); }

  int OutputQueued() override {
    int count = 0;
    return ioctl(fd_, TIOCOUTQ, &count) == 0 ? count : -1;
  }
  int InputQueued() override {
    int count = 0;
    return ioctl(fd_, TIOCINQ, &count) == 0 ? count : -1;
  }

  bool Write(const std::uint8_t* data, std::size_t size, Deadline deadline) override {
    std::size_t done = 0;
    while (done < size) {
      ssize_t n = write(fd_, data + done, size - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        return false;
      } else if (WaitFor(fd_, POLLOUT, deadline) != WaitResult::kReady) {
        return false;
      }
    }
    return true;
  }

  int Read(std::uint8_t* data, std::size_t size, Deadline deadline) override {
    for (;;) {
      ssize_t n = read(fd_, data, size);
      if (n > 0) return static_cast<int>(n);
      if (n < 0 && errno != EAGAIN && errno != EINTR) return -1;
      // A raw line without a minimum count reads 0 bytes when none is waiting.
      WaitResult wait = WaitFor(fd_, POLLIN, deadline);
      if (wait == WaitResult::kDeadline) return 0;
      if (wait == WaitResult::kFailed) return -1;
    }
  }

 private:
  int fd_;
};

// Raw bytes at 9600 baud, 8N1, no modem control, no hardware or software flow control.
bool ConfigureLine(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (cfsetispeed(&tio, B9600) != 0 || cfsetospeed(&tio, B9600) != 0) return false;
  if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
  // Bytes left over from an earlier exchange (a late answer) are not this exchange's reply.
  tcflush(fd, TCIFLUSH);
  return true;
}

}  // namespace

std::string SerialDevicePath(const std::string& name) {
  int number = ComNumber(name);
  if (number < 0) return name;
  struct stat entry;
  // A COMn file or link in the current directory stands for the port (a USB adapter linked
  // there, or a simulated calculator); else COMn is the system's n-th serial port.
  if (lstat(name.c_str(), &entry) == 0) return name;
  return number >= 1 ? "/dev/ttyS" + std::to_string(number - 1) : std::string();
}

SerialOpenResult OpenSerialPort(const std::string& name) {
  SerialOpenResult result;
  std::string device = SerialDevicePath(name);
  if (device.empty()) {
    result.error = name + ": no such port";
    return result;
  }
  int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.error = device + ": " + std::strerror(errno);
    return result;
  }
  if (!isatty(fd) || !ConfigureLine(fd)) {
    result.error = device + ": not a serial port";
    close(fd);
    return result;
  }
  result.port = std::make_unique<PosixSerialPort>(fd);
  return result;
}

}  // namespace calvern::platform
