// Pictures as PNG files: the captured calculator screens are saved in this form.
#pragma once

#include <optional>
#include <string>

#include "platform/picture.h"

namespace calvern::platform {

// The picture as the bytes of a 24-bit PNG file; nullopt when the encoder failed.
std::optional<std::string> EncodePng(const Picture& picture);

}  // namespace calvern::platform
