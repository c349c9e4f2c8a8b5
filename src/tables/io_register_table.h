// The calculator's input/output registers 9000-9213: their backslash names, numbers and the
// short usage notes that the help file prints beside them.
#pragma once

#include <span>
#include <string_view>

namespace calvern {

struct IoRegisterRecord {
  std::string_view name;         // as the calculator's manual spells it, with its backslash
  int number;                    // 9000-9213
  std::string_view description;  // one to five lines separated by '\n', no trailing '\n'
};

// The 136 records in ascending register order.
std::span<const IoRegisterRecord> IoRegisterTable();

}  // namespace calvern
