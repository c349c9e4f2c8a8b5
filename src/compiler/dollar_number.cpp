// Dollar number literals: "$-4.2E6" becomes the keystrokes 4 . 2 /-/ EE 6.
#include "compiler/compilation.h"

namespace calvern {

int Compilation::DollarNumber(const std::string& token) {
  std::string_view text = std::string_view(token).substr(1);
  if (text.empty()) return Fail(kEmptyNumber);

  std::size_t i = 0;
  bool signPending = false;
  auto emitKey = [this](std::string code, std::string keys) {
    EmitCell(std::move(code), std::move(keys));
  };
  auto emitDigit = [&](char d) { emitKey(std::string("0") + d, std::string(1, d)); };
  auto emitSignChange = [&] {
    emitKey("0B", "/-/");
    signPending = false;
  };
  auto badNumber = [&] { return Fail(kBadNumber, token); };

  if (text[0] == '-') {
    signPending = true;
    ++i;
  }
  // Mantissa.
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      emitDigit(c);
    } else if (c == '.') {
      emitKey("0A", ".");
    } else if (c == 'E') {
      if (signPending) emitSignChange();
      emitKey("0C", "EE");
      break;
    } else {
      return badNumber();
    }
  }
  // Exponent, after "E".
  if (i < text.size()) {
    ++i;
    if (i >= text.size()) return badNumber();
    if (text[i] == '-') {
      signPending = true;
      ++i;
    }
    for (; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return badNumber();
      emitDigit(text[i]);
    }
  }
  if (signPending) emitSignChange();
  return 0;
}

}  // namespace calvern
