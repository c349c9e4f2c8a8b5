// Where an installed Calvern keeps the files it ships beside the program: the language files
// live in share/calvern of the installation prefix (bin/../share/calvern), and on Windows beside
// calvern.exe.
#pragma once

#include <string>

namespace calvern::platform {

// The shared-data directory of the running program's installation, ending with a separator;
// empty when the program's own location cannot be found.
std::string InstalledDataDirectory();

}  // namespace calvern::platform
