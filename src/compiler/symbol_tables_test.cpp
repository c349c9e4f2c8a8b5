#include "compiler/symbol_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace calvern {
namespace {

// Random namings and renamings of hundreds of registers, enough for the name index to grow
// twice and to move many of its entries back when names leave it: a name always finds the
// lowest register 0-9999 that carries it now, as a scan of all registers would, every
// register shows the name it was given last, and the registers referred to are found in order.
TEST(RegisterNameTableTest, NamesFindTheirLowestHolderThroughManyRenames) {
  RegisterNameTable table;
  table.LoadIoRegisters();
  std::mt19937 random(161);
  std::vector<int> registers = {0, 5, 14, 15, 99, 100, 9001, 9999, 10000};
  while (registers.size() < 700) registers.push_back(static_cast<int>(random() % 10000));
  std::vector<std::string> given(RegisterNameTable::kSize);
  for (int r = 0; r < RegisterNameTable::kSize; ++r) given[r] = table.Name(r);
  std::set<int> referenced;
  const auto lowestGiven = [&](const std::string& name) {
    for (int r = 0; r <= 9999; ++r) {
      if (given[r] == name) return r;
    }
    return -1;
  };
  for (int round = 0; round < 20000; ++round) {
    const int reg = registers[random() % registers.size()];
    // Mostly few names, so that they are shared and renamed away; sometimes one of many.
    const int pool = round % 3 == 0 ? 1500 : 12;
    const std::string name = "N" + std::to_string(random() % pool);
    table.SetName(reg, name);
    given[reg] = name;
    if (round % 7 == 0) {
      const int referred = round % 2 == 0 ? reg : static_cast<int>(random() % 10000);
      table.MarkReferenced(referred);
      referenced.insert(referred);
    }
    if (round % 499 != 0) continue;
    std::vector<int> walked;
    for (int r = table.NextReferenced(0); r < RegisterNameTable::kSize;
         r = table.NextReferenced(r + 1)) {
      walked.push_back(r);
    }
    ASSERT_EQ(walked, std::vector<int>(referenced.begin(), referenced.end())) << round;
    for (int n = 0; n < 40; ++n) {
      const std::string probe = "N" + std::to_string(n < 12 ? n : random() % 1500);
      ASSERT_EQ(table.Find(probe), lowestGiven(probe)) << probe << " after " << round;
    }
    for (int r : registers) ASSERT_EQ(table.Name(r), given[r]) << r;
  }
  for (int r = 0; r < RegisterNameTable::kSize; ++r) ASSERT_EQ(table.Name(r), given[r]) << r;
  EXPECT_EQ(table.Find("\\GMODE"), lowestGiven("\\GMODE"));
}

// Every register named at once, the I/O registers' names replaced: the index holds its most
// names and finds each one again.
TEST(RegisterNameTableTest, EveryRegisterNamedIsFound) {
  RegisterNameTable table;
  table.LoadIoRegisters();
  for (int r = 0; r < RegisterNameTable::kSize; ++r) table.SetName(r, "R" + std::to_string(r));
  for (int r = 0; r <= 9999; ++r) ASSERT_EQ(table.Find("R" + std::to_string(r)), r);
  EXPECT_EQ(table.Find("R10000"), -1);  // register 10000 has a name but is never looked up
  EXPECT_EQ(table.Find("\\GMODE"), -1);
}

// A full label table finds every name it holds, whatever their hashes, and takes no more.
TEST(NameTablesTest, AFullLabelTableFindsEveryName) {
  std::mt19937 random(512);
  LabelTable labels;
  std::vector<std::string> names;
  while (!labels.Full()) {
    std::string name = "L" + std::to_string(random() % 100000);
    const bool isNew = std::find(names.begin(), names.end(), name) == names.end();
    EXPECT_EQ(labels.Add(name, static_cast<int>(names.size())), isNew) << name;
    if (isNew) names.push_back(name);
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_EQ(labels.Find(names[i]), static_cast<int>(i)) << names[i];
    EXPECT_EQ(labels[static_cast<int>(i)].value, static_cast<int>(i));
  }
  EXPECT_FALSE(labels.Add("ONE_MORE", 0));
  EXPECT_EQ(labels.Find("ONE_MORE"), -1);
  EXPECT_EQ(labels.Find(""), -1);
}

// A compiled program may be copied: each copy finds its own names, whatever the other learns.
TEST(NameTablesTest, CopiesFindTheirNamesOnTheirOwn) {
  RegisterNameTable names;
  names.SetName(5, "X");
  RegisterNameTable copy = names;
  names.SetName(5, "Y");
  names.SetName(3, "X");
  EXPECT_EQ(copy.Find("X"), 5);
  EXPECT_EQ(copy.Find("Y"), -1);
  EXPECT_EQ(names.Find("X"), 3);
  copy = names;
  EXPECT_EQ(copy.Find("Y"), 5);

  LabelTable labels;
  ASSERT_TRUE(labels.Add("A", 1));
  LabelTable labelCopy = labels;
  ASSERT_TRUE(labels.Add("B", 2));
  EXPECT_EQ(labelCopy.Find("A"), 0);
  EXPECT_EQ(labelCopy.Find("B"), -1);
  EXPECT_FALSE(labelCopy.Add("A", 3));
  EXPECT_TRUE(labelCopy.Add("B", 4));
  EXPECT_EQ(labels[labels.Find("B")].value, 2);
}

}  // namespace
}  // namespace calvern
