#include "output/disassembled_data.h"

#include <algorithm>

#include "compiler/decimal_value.h"
#include "output/text_spelling.h"

namespace calvern {
namespace {

constexpr int kBytesPerLine = 16;
constexpr int kShortestText = 4;    // a shorter printable run stays in #DB
constexpr int kLongestZeroRun = 8;  // longer runs of zeros are skipped, not written

}  // namespace

std::vector<std::string> DataStatements(const std::vector<std::uint8_t>& bytes,
                                        const std::vector<bool>& foreign) {
  std::vector<std::string> statements;
  auto textRun = [&](std::size_t from) {
    std::size_t to = from;
    while (to < bytes.size() && !foreign[to] && TextSpelling(bytes[to])) ++to;
    return to - from;
  };
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (foreign[i]) {
      statements.push_back("#DB " + std::to_string(bytes[i]) + " #END   ; no instruction");
      ++i;
      continue;
    }
    if (const std::size_t run = textRun(i); run >= kShortestText) {
      std::string text;
      for (std::size_t k = i; k < i + run; ++k) text += *TextSpelling(bytes[k]);
      i += run;
      const bool nul = i < bytes.size() && bytes[i] == 0 && !foreign[i];
      statements.push_back(std::string(nul ? "#TEXT0" : "#TEXT") + " \"" + text + "\"");
      if (nul) ++i;
      continue;
    }
    std::string line = "#DB";
    for (int n = 0; i < bytes.size() && n < kBytesPerLine && !foreign[i]; ++n, ++i) {
      if (n > 0 && textRun(i) >= kShortestText) break;
      line += " " + std::to_string(bytes[i]);
    }
    statements.push_back(line + " #END");
  }
  return statements;
}

std::vector<std::string> BinaryZoneLines(const MemoryImage& image,
                                         const std::map<int, std::vector<std::string>>& labels,
                                         const std::string& indent) {
  const MemoryZone& zone = kBinaryMemory;
  std::vector<std::string> lines;
  auto statements = [&](const std::vector<std::string>& more) {
    for (const std::string& statement : more) lines.push_back(indent + statement);
  };
  auto byteAt = [&](int address) {
    return static_cast<std::uint8_t>(image.Value(address + kBinaryAddressToCell));
  };
  // The zone is written up to its last byte other than 0, or its last label.
  int limit = zone.firstNumber;
  for (const auto& [address, names] : labels) limit = std::max(limit, address);
  for (int a = zone.firstNumber; a < zone.firstNumber + zone.cells; ++a) {
    if (byteAt(a) != 0) limit = std::max(limit, a + 1);
  }
  auto zerosFrom = [&](int a) {
    int b = a;
    while (b < limit && byteAt(b) == 0 && (b == a || !labels.contains(b))) ++b;
    return b - a;
  };
  int position = zone.firstNumber;  // the compiler's binary pointer
  for (int a = zone.firstNumber; a < limit || labels.contains(a);) {
    if (auto it = labels.find(a); it != labels.end()) {
      for (const std::string& name : it->second) lines.push_back(name + ":");
    }
    if (a == limit) break;
    if (const int zeros = zerosFrom(a); zeros >= kLongestZeroRun) {
      const int end = a + zeros;
      const int block = (end - zone.firstNumber) / zone.blockSize;
      if (zone.firstNumber + block * zone.blockSize > position) {
        statements({"#BLOCK " + std::to_string(block)});
        position = zone.firstNumber + block * zone.blockSize;
      }
      if (end - position >= kLongestZeroRun) {
        statements({"#INITB " + std::to_string(end - position) + " 0"});
      } else if (end > position) {
        statements(DataStatements(std::vector<std::uint8_t>(end - position, 0),
                                  std::vector<bool>(end - position, false)));
      }
      position = a = end;
      continue;
    }
    std::vector<std::uint8_t> bytes;
    do {
      bytes.push_back(byteAt(a++));
    } while (a < limit && !labels.contains(a) && zerosFrom(a) < kLongestZeroRun);
    statements(DataStatements(bytes, std::vector<bool>(bytes.size(), false)));
    position = a;
  }
  return lines;
}

std::optional<std::string> DecimalValueText(const std::array<int, 8>& bytes) {
  if (bytes[0] != 0x00 && bytes[0] != 0x80) return std::nullopt;
  std::string digits;
  for (int k = 1; k <= 6; ++k) {
    if (bytes[k] >> 4 > 9 || (bytes[k] & 15) > 9) return std::nullopt;
    digits += static_cast<char>('0' + (bytes[k] >> 4));
    digits += static_cast<char>('0' + (bytes[k] & 15));
  }
  const int exponent = static_cast<std::int8_t>(bytes[7]);
  if (digits[0] == '0') return std::nullopt;  // zero is all zeros, any other value starts 1-9
  digits.erase(digits.find_last_not_of('0') + 1);
  std::string text;
  if (exponent >= 0 && exponent < 12) {
    std::string whole = digits.substr(0, std::min<std::size_t>(digits.size(), exponent + 1));
    whole.resize(exponent + 1, '0');
    text = whole;
    if (digits.size() > static_cast<std::size_t>(exponent + 1)) {
      text += "." + digits.substr(exponent + 1);
    }
  } else if (exponent < 0 && exponent >= -6) {
    text = "0." + std::string(-exponent - 1, '0') + digits;
  } else {
    text = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "E" +
           std::to_string(exponent);
  }
  if (bytes[0] == 0x80) text.insert(0, "-");
  const std::optional<DecimalImage> image = DecimalRegisterImage(text);
  if (!image || image->bytes != bytes) return std::nullopt;
  return text;
}

}  // namespace calvern
