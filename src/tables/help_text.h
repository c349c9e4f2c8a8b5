// The built-in user manual: the sections of the help file, in order. The I/O register section
// has no lines here: the help file writer generates it from the I/O register table.
#pragma once

#include <span>
#include <string_view>

namespace calvern {

struct HelpSection {
  std::string_view title;
  // The section's text lines, separated by '\n' (no trailing '\n'); empty for the section
  // generated from a table.
  std::string_view text;
};

// Title of the section generated from the I/O register table.
inline constexpr std::string_view kIoRegisterSectionTitle = "I/O Registers on the MK-161";
// Title of the section whose text the help file writer follows with the table of the Russian
// key names, generated from that table and the keyword table.
inline constexpr std::string_view kRussianNotationSectionTitle = "Russian notation";

std::span<const HelpSection> HelpSections();

}  // namespace calvern
