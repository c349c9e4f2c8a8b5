#include "shell/argument_parser.h"

#include <charconv>
#include <utility>

namespace calvern {
namespace {

constexpr std::size_t kNameColumn = 28;

// A word that names an option rather than a value: "-o", "--mk"; "-" alone is standard output.
bool IsOptionWord(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

std::vector<std::string> SplitNames(const std::string& names) {
  std::vector<std::string> split;
  for (std::size_t start = 0; start <= names.size();) {
    const std::size_t comma = std::min(names.find(',', start), names.size());
    split.push_back(names.substr(start, comma - start));
    start = comma + 1;
  }
  return split;
}

// A flag's "=VALUE": the yes and no words; nullopt for anything else.
std::optional<bool> FlagValue(const std::string& value) {
  for (const char* yes : {"1", "true", "yes", "on"}) {
    if (value == yes) return true;
  }
  for (const char* no : {"0", "false", "no", "off"}) {
    if (value == no) return false;
  }
  return std::nullopt;
}

}  // namespace

std::string Argument::JoinedNames() const {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ",") + name;
  return joined;
}

std::string HelpRow(const std::string& left, const std::string& right) {
  std::string row = "  " + left;
  if (left.size() < kNameColumn) {
    row.append(kNameColumn - left.size(), ' ');
  } else {
    row += "\n" + std::string(kNameColumn + 2, ' ');
  }
  return row + right + "\n";
}

Argument& VerbArguments::Add(Argument::Kind kind, const std::string& names,
                             const std::string& description) {
  Argument& added = arguments_.emplace_back();
  added.kind = kind;
  added.names = SplitNames(names);
  added.description = description;
  added.valueText = kind == Argument::Kind::kNumber ? "INT"
                    : kind == Argument::Kind::kFlag ? ""
                                                    : "TEXT";
  return added;
}

Argument& VerbArguments::AddPositional(const std::string& name, std::string& target,
                                       const std::string& description) {
  Argument& added = Add(Argument::Kind::kPositional, name, description);
  added.text = &target;
  return added;
}

Argument& VerbArguments::AddOption(const std::string& names, std::string& target,
                                   const std::string& description) {
  Argument& added = Add(Argument::Kind::kText, names, description);
  added.text = &target;
  return added;
}

Argument& VerbArguments::AddOption(const std::string& names, int& target,
                                   const std::string& description) {
  Argument& added = Add(Argument::Kind::kNumber, names, description);
  added.number = &target;
  return added;
}

Argument& VerbArguments::AddFlag(const std::string& names, bool& target,
                                 const std::string& description) {
  Argument& added = Add(Argument::Kind::kFlag, names, description);
  added.flag = &target;
  return added;
}

void VerbArguments::Exclude(Argument& a, Argument& b) {
  a.excludes = b.MainName();
  b.excludes = a.MainName();
}

const Argument* VerbArguments::Find(const std::string& name) const {
  for (const Argument& argument : arguments_) {
    if (argument.kind == Argument::Kind::kPositional) continue;
    for (const std::string& own : argument.names) {
      if (own == name) return &argument;
    }
  }
  return nullptr;
}

Argument* VerbArguments::FindOption(const std::string& name) {
  return const_cast<Argument*>(std::as_const(*this).Find(name));
}

std::optional<std::string> VerbArguments::Take(Argument& option, const std::string& value) {
  if (++option.count > 1) return option.MainName() + " is given twice";
  if (option.kind != Argument::Kind::kNumber) {
    *option.text = value;
    return std::nullopt;
  }
  int number = 0;
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, number);
  const bool isNumber = !value.empty() && error == std::errc() && stop == end;
  if (option.range) {
    const auto [lowest, highest] = *option.range;
    if (!isNumber || number < lowest || number > highest) {
      return option.MainName() + ": Value " + value + " not in range " + std::to_string(lowest) +
             " to " + std::to_string(highest);
    }
  } else if (!isNumber) {
    return option.MainName() + ": Value " + value + " is not a whole number";
  }
  *option.number = number;
  return std::nullopt;
}

std::optional<std::string> VerbArguments::Parse(const std::vector<std::string>& words,
                                                bool& helpAsked) {
  helpAsked = false;
  for (const std::string& word : words) {
    if (word == "--") break;
    if (word == "-h" || word == "--help") {
      helpAsked = true;
      return std::nullopt;
    }
  }
  std::vector<std::string> unexpected;
  bool positionalsOnly = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!positionalsOnly && word == "--") {
      positionalsOnly = true;
      continue;
    }
    if (!positionalsOnly && IsOptionWord(word)) {
      // "--name=VALUE", "-oVALUE", or the name alone with its value in the next word.
      std::string name = word;
      std::optional<std::string> value;
      if (word.starts_with("--")) {
        if (const std::size_t equals = word.find('='); equals != std::string::npos) {
          name = word.substr(0, equals);
          value = word.substr(equals + 1);
        }
      } else if (word.size() > 2) {
        name = word.substr(0, 2);
        value = word.substr(2);
      }
      Argument* option = FindOption(name);
      // A short flag takes no text after it: "-gx" is no flag.
      if (option == nullptr ||
          (option->kind == Argument::Kind::kFlag && value && !word.starts_with("--"))) {
        unexpected.push_back(word);
        continue;
      }
      if (option->kind == Argument::Kind::kFlag) {
        const std::optional<bool> set = value ? FlagValue(*value) : true;
        if (!set) return option->MainName() + " takes no value, or yes or no: " + *value;
        *option->flag = *set;
        ++option->count;
        continue;
      }
      if (!value) {
        if (i + 1 == words.size() || IsOptionWord(words[i + 1])) {
          return option->MainName() + " needs a value: " + option->MainName() + " " +
                 option->valueText;
        }
        value = words[++i];
      }
      if (std::optional<std::string> refused = Take(*option, *value)) return refused;
      continue;
    }
    Argument* slot = nullptr;
    for (Argument& argument : arguments_) {
      if (argument.kind == Argument::Kind::kPositional && argument.count == 0) {
        slot = &argument;
        break;
      }
    }
    if (slot == nullptr) {
      unexpected.push_back(word);
      continue;
    }
    *slot->text = word;
    slot->count = 1;
  }
  if (unexpected.size() == 1) return "The following argument was not expected: " + unexpected[0];
  if (!unexpected.empty()) {
    std::string listed;
    for (const std::string& word : unexpected) listed += " " + word;
    return "The following arguments were not expected:" + listed;
  }
  for (const Argument& argument : arguments_) {
    if (argument.required && argument.count == 0) return argument.MainName() + " is required";
    if (argument.count > 0 && !argument.excludes.empty() && Find(argument.excludes)->count > 0) {
      return argument.MainName() + " excludes " + argument.excludes;
    }
  }
  return std::nullopt;
}

std::string HelpFlagRow() { return HelpRow("-h,--help", "Print this help message and exit"); }

std::string VerbArguments::Help(const std::string& program, const std::string& footer) const {
  std::string usage = "Usage: " + program + " " + name_ + " [OPTIONS]";
  std::string positionals, options = HelpFlagRow();
  for (const Argument& argument : arguments_) {
    std::string left = argument.JoinedNames();
    if (!argument.valueText.empty()) left += " " + argument.valueText;
    if (argument.range) {
      left += " in [" + std::to_string(argument.range->first) + " - " +
              std::to_string(argument.range->second) + "]";
    }
    if (argument.kind == Argument::Kind::kPositional) {
      usage += " " + (argument.required ? argument.MainName() : "[" + argument.MainName() + "]");
      if (argument.required) left += " REQUIRED";
      positionals += HelpRow(left, argument.description);
    } else {
      if (!argument.excludes.empty()) left += " Excludes: " + argument.excludes;
      options += HelpRow(left, argument.description);
    }
  }
  std::string help = description_ + "\n" + usage + "\n\n";
  if (!positionals.empty()) help += "Positionals:\n" + positionals + "\n";
  return help + "Options:\n" + options + "\n" + footer + "\n";
}

}  // namespace calvern
