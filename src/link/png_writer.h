// Pictures as PNG files, written with libpng.
#pragma once

#include <optional>
#include <string>

#include "platform/picture.h"

namespace calvern {

// The picture as the bytes of a 24-bit PNG file; nullopt when libpng failed.
std::optional<std::string> EncodePng(const platform::Picture& picture);

}  // namespace calvern
