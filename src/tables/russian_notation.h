// The key names of the Russian calculator manuals and magazines (MK-61, MK-52, MK-161), as
// their program listings print them: "В↑", "F sin", "К max", "БП 42", "x→П 7", "К П→x а".
// Each name is an alias of an instruction of the keyword table; the keyword table alone says
// what an instruction's codes are.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace calvern {

// The prefix key a listing prints before a name: none, F or К (Latin K too).
enum class NotationPrefix { kNone, kF, kK };

struct NotationAlias {
  NotationPrefix prefix;
  std::string_view spelling;  // as printed, after the prefix key
  std::string_view keyword;   // the keyword of the instruction it stands for
};

// Every alias, in the order of the help page.
std::span<const NotationAlias> RussianNotation();

class RussianNotationTable {
 public:
  static const RussianNotationTable& BuiltIn();

  // The alias of a name written after `prefix` (a token upper-cased as the tokenizer's callers
  // do), or nullptr.
  const NotationAlias* Find(NotationPrefix prefix, std::string_view upperName) const;

  // Whether a token (upper-cased) is a prefix key written apart: "F", "К" or "K".
  static bool IsPrefix(std::string_view upperToken, NotationPrefix& prefix);
  // The prefix key that a token starts with, joined to a name ("FSIN", "КПП"): the prefix and
  // the length of its spelling, or false.
  static bool StartsWithPrefix(std::string_view upperToken, NotationPrefix& prefix,
                               std::size_t& length);

  // A name as it is compared: upper-cased, with the Cyrillic capitals that look like Latin
  // ones replaced by those (С by C, Х by X, В by B, ...), since listings and the people who
  // copy them mix the two alphabets freely.
  static std::string Folded(std::string_view upperName);

 private:
  RussianNotationTable();

  std::unordered_map<std::string, const NotationAlias*> byName_[3];
};

}  // namespace calvern
