// For tests of the writers: the lines of a CR LF text, failing the test where a line lacks
// its CR LF end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace calvern {

inline std::vector<std::string> CrlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace calvern
