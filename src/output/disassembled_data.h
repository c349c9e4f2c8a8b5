// How the disassembler writes data back as directives: bytes as #TEXT and #DB, the binary zone
// with #BLOCK and #INITB over its runs of zeros, and decimal register values as #DECIMAL
// reads them. Each compiles to exactly the bytes it was made from.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "compiler/memory_image.h"

namespace calvern {

// The statements for data bytes in a row: #TEXT where four or more are printable (#TEXT0 when
// a 00 ends them), else #DB lines of up to 16 bytes. A byte marked `foreign` (it stood where
// the files had code) gets a #DB line of its own with a comment.
std::vector<std::string> DataStatements(const std::vector<std::uint8_t>& bytes,
                                        const std::vector<bool>& foreign);

// The lines of the binary zone after #BINARY: statements indented by `indent`, the labels
// (binary address: names) at the left. Runs of zeros, which the zone's file also holds for
// unused bytes, are skipped with #BLOCK and #INITB, and the zeros after the last other byte
// are not written.
std::vector<std::string> BinaryZoneLines(const MemoryImage& image,
                                         const std::map<int, std::vector<std::string>>& labels,
                                         const std::string& indent);

// A decimal register's value as #DECIMAL reads it ("3.14", "-25", "1.5E-20"), when some value
// gives exactly these eight bytes.
std::optional<std::string> DecimalValueText(const std::array<int, 8>& bytes);

}  // namespace calvern
