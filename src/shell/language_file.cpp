#include "shell/language_file.h"

#include "output/text_lines.h"

namespace calvern {
namespace {

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

std::string Utf16LeToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](std::size_t i) {
    return static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned code = unit(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
      unsigned low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      } else {
        code = 0xFFFD;
      }
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  return out;
}

LanguageFileResult ParseLanguageFile(const std::string& bytes, MessageTable& messages) {
  messages.LoadDefaultMessages();
  LanguageFileResult result;
  result.unicode = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                   static_cast<unsigned char>(bytes[1]) == 0xFE;
  // Without the mark the file is still read as UTF-16: its markers then decide.
  std::vector<std::string> lines =
      SplitLines(Utf16LeToUtf8(result.unicode ? bytes.substr(2) : bytes));

  std::size_t next = 0;
  auto nextLine = [&]() -> std::string {
    while (next < lines.size() && lines[next].starts_with(";")) ++next;
    return next < lines.size() ? lines[next++] : std::string();  // past the end: empty lines
  };
  std::string help = nextLine();
  if (!help.starts_with("#")) result.helpFile = help;

  std::vector<std::string> translation(MessageTable::kTranslatedCount);
  for (std::string& text : translation) text = nextLine();
  result.accepted = translation[kMarker0] == "[0]" && translation[kMarker1] == "[1]" &&
                    translation[kMarker2] == "[2]";
  if (!result.accepted) return result;

  for (int i = MessageTable::kTranslatedCount - 1; i >= 0; --i) {
    const std::string& english = MessageTable::DefaultText(i);
    std::string text = std::move(translation[i]);
    if (!english.empty() && english.back() == ' ') text += ' ';
    if (!english.empty() && english.front() == ' ') text.insert(0, 1, ' ');
    messages.Set(i, std::move(text));
  }
  return result;
}

}  // namespace calvern
