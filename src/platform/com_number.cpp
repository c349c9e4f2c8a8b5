#include "platform/serial_port.h"

namespace calvern::platform {

int ComNumber(const std::string& name) {
  if (!name.starts_with("COM") || name.size() == 3 || name.size() > 9) return -1;
  int number = 0;
  for (std::size_t i = 3; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

}  // namespace calvern::platform
