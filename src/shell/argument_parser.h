// The grammar of one verb's arguments: positionals, options that take a value, and flags,
// parsed in the forms "--name VALUE", "--name=VALUE", "-o VALUE" and "-oVALUE", and the help
// text that lists them. Its own parser rather than a library's: the libraries at hand write
// through the C++ streams, whose set-up at every start cost a tenth of a short run.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace calvern {

// One positional, option or flag of a verb, and where its value goes.
struct Argument {
  enum class Kind { kPositional, kText, kNumber, kFlag };

  Kind kind = Kind::kText;
  std::vector<std::string> names;  // "-o", "--output"; a positional's one name: "SOURCE"
  std::string description;
  std::string valueText;  // shown after the names in the help: "TEXT", "FILE"
  std::string* text = nullptr;
  int* number = nullptr;
  bool* flag = nullptr;
  bool required = false;
  std::optional<std::pair<int, int>> range;  // the numbers a kNumber option takes
  std::string excludes;                      // the name of an option given with this one
  int count = 0;                             // times given on this command line

  // Settings made where the argument is added: `AddOption(...).Required()`.
  Argument& Required() {
    required = true;
    return *this;
  }
  Argument& Range(int lowest, int highest) {
    range = {lowest, highest};
    return *this;
  }
  Argument& ValueText(std::string shown) {
    valueText = std::move(shown);
    return *this;
  }

  // "-o,--output", as the help and the messages name it.
  std::string JoinedNames() const;
  // The long name if there is one: "--output".
  const std::string& MainName() const { return names.back(); }
};

class VerbArguments {
 public:
  VerbArguments(std::string name, std::string description)
      : name_(std::move(name)), description_(std::move(description)) {}

  const std::string& Description() const { return description_; }

  // `names` as in "-o,--output"; a positional takes the next word that is not an option.
  Argument& AddPositional(const std::string& name, std::string& target,
                          const std::string& description);
  Argument& AddOption(const std::string& names, std::string& target,
                      const std::string& description);
  Argument& AddOption(const std::string& names, int& target, const std::string& description);
  Argument& AddFlag(const std::string& names, bool& target, const std::string& description);
  // Refuses the two options given together.
  void Exclude(Argument& a, Argument& b);

  // The option or flag of that name ("--mk-base", "-o"), or nullptr.
  const Argument* Find(const std::string& name) const;

  // Reads the words after the verb into their targets. What was wrong, in a line, or nothing;
  // `helpAsked` tells whether "-h" or "--help" was among them (nothing else is checked then).
  std::optional<std::string> Parse(const std::vector<std::string>& words, bool& helpAsked);

  // The verb's help: description, usage line, positionals and options, then `footer`.
  std::string Help(const std::string& program, const std::string& footer) const;

 private:
  Argument& Add(Argument::Kind kind, const std::string& names, const std::string& description);
  Argument* FindOption(const std::string& name);
  std::optional<std::string> Take(Argument& option, const std::string& value);

  std::string name_;
  std::string description_;
  std::deque<Argument> arguments_;  // in the order added; a deque keeps references valid
};

// One line of a help listing: two blanks, `left` in a column of 28, then `right`; a longer
// `left` puts `right` on a line of its own.
std::string HelpRow(const std::string& left, const std::string& right);
// The row of "-h,--help", which every help lists.
std::string HelpFlagRow();

}  // namespace calvern
