// The three texts a command leaves for the next screen: the outcome or error position, the
// detail (error details start with three blanks), and a warning.
#pragma once

#include <array>
#include <string>

namespace calvern {

struct StatusLines {
  std::array<std::string, 3> lines;

  // Lines are numbered 1 to 3.
  std::string& operator[](int n) { return lines[n - 1]; }
  const std::string& operator[](int n) const { return lines[n - 1]; }
  void Clear() { lines = {}; }
  // The three lines joined by single blanks: the error text of slave mode.
  std::string Joined() const { return lines[0] + " " + lines[1] + " " + lines[2]; }
};

}  // namespace calvern
