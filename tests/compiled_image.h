// Helpers that turn compiled images into comparable text: MKP bytes rendered step by step,
// the listing lines of the program zone, and their expected forms.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "slave_run.h"

namespace calvern_test {

inline std::string Times(const std::string& text, int count) {
  std::string result;
  for (int k = 0; k < count; ++k) result += text;
  return result;
}

// The MKP file as text: the first block, one "hh" per step ("hh*" for a data step) and the
// count of unused steps that fill the last block.
inline std::string Rendered(const std::string& mkp) {
  if (mkp.empty()) return "(no MKP file)";
  std::string text = "[block " + std::to_string(static_cast<unsigned char>(mkp[0])) + "]";
  std::size_t end = mkp.size();
  int unused = 0;
  while (end >= 3 && mkp[end - 2] == '\xFF' && mkp[end - 1] == '\x02') end -= 2, ++unused;
  for (std::size_t i = 1; i + 1 < end; i += 2) {
    char cell[16];
    std::snprintf(cell, sizeof cell, " %02X%s", static_cast<unsigned char>(mkp[i]),
                  mkp[i + 1] == 0   ? ""
                  : mkp[i + 1] == 2 ? "*"
                                    : "?");
    text += cell;
  }
  return text + " +" + std::to_string(unused) + " unused";
}

// The MKP bytes for a program written as "[block B] hh hh* ...", padded to whole blocks; "-"
// stands for no MKP file.
inline std::string ExpectedMkp(const std::string& steps) {
  if (steps == "-") return "";
  std::istringstream in(steps);
  std::string token;
  std::string bytes(1, '\0');
  int count = 0;
  while (in >> token) {
    if (token == "[block") {
      in >> token;
      bytes[0] = static_cast<char>(std::stoi(token));
      continue;
    }
    bytes += static_cast<char>(std::stoi(token.substr(0, 2), nullptr, 16));
    bytes += token.size() > 2 ? '\x02' : '\0';
    ++count;
  }
  for (; count % 100 != 0; ++count) bytes += "\xFF\x02";
  return bytes;
}

inline std::string StepLine(int step, const std::string& code, const std::string& keys) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", step);
  return "  " + std::string(number) + "  |  " + code + "  | " + keys;
}

// The program-zone lines of the listing, between the header rule and the closing rule.
inline std::vector<std::string> ProgramLines(const std::string& source) {
  TempDir dir;
  RunResult run = CompileInSlaveMode(dir, source, false);
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput;
  std::vector<std::string> lines = ListingLines(dir.Read("prog.LST"));
  std::vector<std::string> steps;
  for (std::size_t i = 3; i < lines.size() && lines[i] != "-------------------------"; ++i) {
    steps.push_back(lines[i]);
  }
  return steps;
}

}  // namespace calvern_test
