// Reads any bytes as a language file: a rejected file leaves the English messages in place.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  calvern::MessageTable messages;
  messages.LoadDefaultMessages();
  const std::string english = messages[calvern::kCompilation];
  calvern::LanguageFileResult result =
      calvern::ParseLanguageFile(std::string(reinterpret_cast<const char*>(data), size), messages);
  if (!result.accepted && messages[calvern::kCompilation] != english) __builtin_trap();
  return 0;
}
