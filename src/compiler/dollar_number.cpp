// Dollar number literals: "$-4.2E6" becomes the keystrokes 4 . 2 /-/ EE 6.
#include "compiler/compilation.h"

namespace calvern {

Status Compilation::DollarNumber(const std::string& token) {
  std::string_view text = std::string_view(token).substr(1);
  if (text.empty()) return Fail(kEmptyNumber);

  std::size_t i = 0;
  bool signPending = false;
  auto digit = [&](char d) { Out.EmitKeystroke(DigitCode(d - '0'), std::string(1, d)); };
  auto signChange = [&] {
    Out.EmitKeystroke(KeyCode(Operation::kChangeSign), "/-/");
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
      digit(c);
    } else if (c == '.') {
      Out.EmitKeystroke(KeyCode(Operation::kPoint), ".");
    } else if (c == 'E') {
      if (signPending) signChange();
      Out.EmitKeystroke(KeyCode(Operation::kExponent), "EE");
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
      digit(text[i]);
    }
  }
  if (signPending) signChange();
  return Status::kDone;
}

}  // namespace calvern
