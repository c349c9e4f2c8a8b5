#include "tables/io_register_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace calvern {
namespace {

std::string Lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (;;) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    text.remove_prefix(end + 1);
  }
}

const IoRegisterRecord* Find(std::string_view name) {
  for (const auto& record : IoRegisterTable()) {
    if (record.name == name) return &record;
  }
  return nullptr;
}

TEST(IoRegisterTableTest, HoldsAllRegistersInAscendingOrderWithinRange) {
  const auto table = IoRegisterTable();
  ASSERT_EQ(table.size(), 136u);
  EXPECT_EQ(table.front().number, 9000);
  EXPECT_EQ(table.back().number, 9213);
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_GE(table[i].number, 9000) << table[i].name;
    EXPECT_LE(table[i].number, 9213) << table[i].name;
    if (i > 0) {
      EXPECT_LT(table[i - 1].number, table[i].number) << table[i].name;
    }
  }
}

TEST(IoRegisterTableTest, NamesStartWithBackslashAndDifferIgnoringCase) {
  std::set<std::string> seen;
  for (const auto& record : IoRegisterTable()) {
    ASSERT_GE(record.name.size(), 2u) << record.number;
    EXPECT_EQ(record.name.front(), '\\') << record.number;
    EXPECT_EQ(record.name.find_first_of(" \t\n"), std::string_view::npos) << record.name;
    EXPECT_TRUE(seen.insert(Lowered(record.name)).second) << "duplicate " << record.name;
  }
}

TEST(IoRegisterTableTest, DescriptionsAreShortUsageNotesForTheirOwnRegister) {
  for (const auto& record : IoRegisterTable()) {
    EXPECT_FALSE(record.description.empty()) << record.name;
    EXPECT_NE(record.description.back(), '\n') << record.name;
    const auto lines = SplitLines(record.description);
    EXPECT_GE(lines.size(), 1u) << record.name;
    EXPECT_LE(lines.size(), 5u) << record.name;
    for (const auto line : lines) {
      EXPECT_FALSE(line.empty()) << record.name;
      EXPECT_LT(line.size(), 80u) << record.name << ": " << line;
    }
    // The first note names the access and the register exactly as the record spells it.
    const std::string name(record.name);
    const auto& first = lines.front();
    const bool names_itself = first.starts_with("SET " + name + " : ") ||
                              first.starts_with("GET " + name + " : ") ||
                              first.starts_with("EXEC " + name + " : ");
    EXPECT_TRUE(names_itself) << first;
  }
}

TEST(IoRegisterTableTest, InterruptVectorsOccupyAContiguousBlock) {
  for (int n = 1; n <= 16; ++n) {
    const std::string name = "\\Inter" + std::to_string(n);
    const auto* record = Find(name);
    ASSERT_NE(record, nullptr) << name;
    EXPECT_EQ(record->number, 9130 + n) << name;
  }
  EXPECT_EQ(Find("\\Inter17"), nullptr);
  EXPECT_EQ(Find("\\Inter0"), nullptr);
}

TEST(IoRegisterTableTest, KeepsTheManualsSpellingsAndCase) {
  const auto* network = Find("\\NewtworkID");
  ASSERT_NE(network, nullptr);
  EXPECT_EQ(network->number, 9049);
  for (const auto& record : IoRegisterTable()) {
    EXPECT_NE(Lowered(record.name), "\\networkid");
  }
  struct Expected {
    std::string_view name;
    int number;
  };
  for (const auto& [name, number] :
       {Expected{"\\x0y0", 9000}, Expected{"\\(GPtr)+", 9006}, Expected{"\\(Index1)+", 9034},
        Expected{"\\PassWord", 9119}, Expected{"\\OverWrite", 9126}, Expected{"\\ADC4U", 9188},
        Expected{"\\GetTableWordBCDK", 9213}}) {
    const auto* record = Find(name);
    ASSERT_NE(record, nullptr) << name;
    EXPECT_EQ(record->number, number) << name;
  }
}

}  // namespace
}  // namespace calvern
