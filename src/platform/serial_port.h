// The serial port the calculator hangs on: opened by name for one exchange and closed after it.
// Every wait has a deadline, so a silent calculator can never hold the program.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace calvern::platform {

using Deadline = std::chrono::steady_clock::time_point;

// An open port at 9600 baud, 8 data bits, no parity, 1 stop bit, no handshake. Closed when the
// object is destroyed.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Bytes written but not yet sent on the wire; -1 when the port cannot tell.
  virtual int OutputQueued() = 0;
  // Bytes received and not yet read; -1 when the port cannot tell.
  virtual int InputQueued() = 0;
  // Writes all bytes before the deadline; false when it could not.
  virtual bool Write(const std::uint8_t* data, std::size_t size, Deadline deadline) = 0;
  // Reads up to `size` bytes: waits until at least one byte has arrived or the deadline has
  // passed. Returns the number read, 0 at the deadline, -1 when the port failed.
  virtual int Read(std::uint8_t* data, std::size_t size, Deadline deadline) = 0;
};

struct SerialOpenResult {
  std::unique_ptr<SerialPort> port;  // null when the port could not be opened
  std::string error;                 // why, when it could not
};

// Opens a port by its setting: "COM" + n (a file or link named COMn in the current directory
// when one exists, else the system's n-th serial port), or the path of a device.
SerialOpenResult OpenSerialPort(const std::string& name);

// The number of a port setting "COM" + n, or -1 when the setting is no such name.
int ComNumber(const std::string& name);

// The device a port setting names, as OpenSerialPort would open it.
std::string SerialDevicePath(const std::string& name);

}  // namespace calvern::platform
