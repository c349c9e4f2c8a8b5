// Reads any bytes as a settings or slave-mode info file and writes the settings back, as the
// menu does when it quits; the sanitizers watch both.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  calvern::Settings settings =
      calvern::ParseSettingsText(std::string(reinterpret_cast<const char*>(data), size));
  // Lines 1 to 5 and 7 come back as they were read; line 6 is rewritten from its numbers.
  std::string text = calvern::SettingsText(settings);
  if (calvern::ParseSettingsText(text).SourcePath != settings.SourcePath &&
      !settings.SourcePath.starts_with("\xEF\xBB\xBF")) {
    __builtin_trap();
  }
  return 0;
}
