#include "tables/russian_notation.h"

#include "tables/keyword_table.h"

namespace calvern {
namespace {

constexpr NotationPrefix kNone = NotationPrefix::kNone;
constexpr NotationPrefix kF = NotationPrefix::kF;
constexpr NotationPrefix kK = NotationPrefix::kK;

// The names as the listings print them. The digits, "+" and "/-/" are the keyword table's own
// names already. A register instruction or a jump written after К takes its indirect form:
// "К П→x 7" recalls the register whose number register 7 holds.
constexpr NotationAlias kAliases[] = {
    {kNone, "В↑", "ENT"},     {kNone, "Сx", "CX"},     {kNone, "ВП", "EE"},
    {kNone, ",", "."},        {kNone, "↔", "X<>Y"},    {kNone, "XY", "X<>Y"},
    {kNone, "×", "*"},        {kNone, "÷", "/"},       {kNone, "−", "-"},
    {kNone, "БП", "GOTO"},    {kNone, "ПП", "GSB"},    {kNone, "В/О", "RTN"},
    {kNone, "С/П", "R/S"},    {kNone, "x→П", "STO"},   {kNone, "П", "STO"},
    {kNone, "П→x", "RCL"},    {kNone, "ИП", "RCL"},    {kF, "sin", "SIN"},
    {kF, "cos", "COS"},       {kF, "tg", "TG"},        {kF, "sin⁻¹", "ARCSIN"},
    {kF, "arcsin", "ARCSIN"}, {kF, "cos⁻¹", "ARCCOS"}, {kF, "arccos", "ARCCOS"},
    {kF, "tg⁻¹", "ARCTG"},    {kF, "arctg", "ARCTG"},  {kF, "√", "SQRT"},
    {kF, "x²", "X^2"},        {kF, "1/x", "1/X"},      {kF, "xʸ", "X^Y"},
    {kF, "π", "PI"},          {kF, "eˣ", "E^X"},       {kF, "10ˣ", "10^X"},
    {kF, "lg", "LOG"},        {kF, "ln", "LN"},        {kF, "Вx", "ANS"},
    {kF, "⟳", "ROT"},         {kF, "↻", "ROT"},        {kF, "x<0", "X<0"},
    {kF, "x=0", "X=0"},       {kF, "x≥0", "X>=0"},     {kF, "x≠0", "X!=0"},
    {kF, "L0", "L0"},         {kF, "L1", "L1"},        {kF, "L2", "L2"},
    {kF, "L3", "L3"},         {kK, "max", "MAX"},      {kK, "|x|", "ABS"},
    {kK, "ЗН", "SGN"},        {kK, "[x]", "INT"},      {kK, "{x}", "FRAC"},
    {kK, "∧", "AND"},         {kK, "∨", "OR"},         {kK, "⊕", "XOR"},
    {kK, "ИНВ", "NOT"},       {kK, "СЧ", "RAN"},       {kK, "НОП", "NOP"},
    {kK, "°→′", "M->D"},      {kK, "°→′″", "MS->D"},   {kK, "°←′″", "D->MS"},
    {kK, "°←′", "D->M"},
};

// Cyrillic capitals (UTF-8) that look like Latin ones, and those.
constexpr std::pair<std::string_view, char> kLookAlikes[] = {
    {"А", 'A'}, {"В", 'B'}, {"Е", 'E'}, {"К", 'K'}, {"М", 'M'}, {"Н", 'H'},
    {"О", 'O'}, {"Р", 'P'}, {"С", 'C'}, {"Т", 'T'}, {"Х", 'X'}, {"У", 'Y'},
};

constexpr std::string_view kCyrillicK = "К";

}  // namespace

std::span<const NotationAlias> RussianNotation() { return kAliases; }

RussianNotationTable::RussianNotationTable() {
  for (const NotationAlias& alias : kAliases) {
    byName_[static_cast<int>(alias.prefix)].emplace(Folded(UpperCase(alias.spelling)), &alias);
  }
}

const RussianNotationTable& RussianNotationTable::BuiltIn() {
  static const RussianNotationTable table;
  return table;
}

const NotationAlias* RussianNotationTable::Find(NotationPrefix prefix,
                                                std::string_view upperName) const {
  const auto& names = byName_[static_cast<int>(prefix)];
  auto it = names.find(Folded(upperName));
  return it == names.end() ? nullptr : it->second;
}

bool RussianNotationTable::IsPrefix(std::string_view upperToken, NotationPrefix& prefix) {
  std::size_t length = 0;
  return StartsWithPrefix(upperToken, prefix, length) && length == upperToken.size();
}

bool RussianNotationTable::StartsWithPrefix(std::string_view upperToken, NotationPrefix& prefix,
                                            std::size_t& length) {
  if (upperToken.starts_with('F')) {
    prefix = NotationPrefix::kF;
    length = 1;
  } else if (upperToken.starts_with('K')) {
    prefix = NotationPrefix::kK;
    length = 1;
  } else if (upperToken.starts_with(kCyrillicK)) {
    prefix = NotationPrefix::kK;
    length = kCyrillicK.size();
  } else {
    return false;
  }
  return true;
}

std::string RussianNotationTable::Folded(std::string_view upperName) {
  std::string folded;
  for (std::size_t i = 0; i < upperName.size();) {
    bool replaced = false;
    for (const auto& [cyrillic, latin] : kLookAlikes) {
      if (upperName.substr(i).starts_with(cyrillic)) {
        folded += latin;
        i += cyrillic.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) folded += upperName[i++];
  }
  return folded;
}

}  // namespace calvern
