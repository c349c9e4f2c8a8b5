// The listing: every used program step with its code and keys, the binary and decimal zones
// when used, the labels and the registers referred to by name.
#pragma once

#include <string>

#include "compiler/memory_image.h"
#include "compiler/symbol_tables.h"

namespace calvern {

struct ListingContent {
  const MemoryImage& image;
  const LabelTable& labels;
  const RegisterNameTable& registerNames;
  bool binaryZoneUsed = false;
  bool decimalZoneUsed = false;
  bool namedRegisterUsed = false;
  int userLabelCount = 0;
  int listAllLabels = 0;
};

// The listing text, lines ending in CR LF, UTF-8.
std::string ListingText(const ListingContent& content);

}  // namespace calvern
