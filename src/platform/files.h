// File-system facts the shell needs beyond reading and writing files.
#pragma once

#include <string>

namespace calvern::platform {

// The working directory, ending with a path separator.
std::string CurrentDirectory();

}  // namespace calvern::platform
