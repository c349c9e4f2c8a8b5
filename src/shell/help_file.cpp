#include "shell/help_file.h"

#include "output/text_lines.h"
#include "platform/files.h"
#include "shell/launcher.h"
#include "tables/help_text.h"
#include "tables/io_register_table.h"

namespace calvern {
namespace {

// A title indented by two blanks and underlined with "-" as long as the title.
void AddTitle(CrlfText& out, std::string_view title) {
  out.Add("  " + std::string(title));
  out.Add("  " + std::string(title.size(), '-'));
}

void AddIoRegisters(CrlfText& out) {
  for (const IoRegisterRecord& record : IoRegisterTable()) {
    out.Add("  " + std::to_string(record.number) + "  " + std::string(record.name));
    for (const std::string& line : SplitLines(record.description)) out.Add("    - " + line);
    out.Add("");
  }
}

}  // namespace

std::string HelpFileText() {
  CrlfText out;
  AddTitle(out, std::string("Help file for Calvern ") + kVersionText);
  out.Add("");
  std::span<const HelpSection> sections = HelpSections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    AddTitle(out, sections[i].title);
    out.Add("");
    if (sections[i].title == kIoRegisterSectionTitle) {
      AddIoRegisters(out);  // each register's block ends with its own empty line
      continue;
    }
    for (const std::string& line : SplitLines(sections[i].text)) out.Add(line);
    if (i + 1 < sections.size()) out.Add("");  // sections are separated by an empty line
  }
  for (int i = 0; i < 4; ++i) out.Add("");
  out.Add("  -- END OF FILE --");
  return out.Take();
}

bool WriteHelpFile(const std::string& path) {
  return platform::WriteFileAtomically(path, HelpFileText());
}

void ShowHelpFile(Application& app) {
  std::string path;
  bool usable;
  if (!app.LanguageHelpFile.empty()) {
    // A translator's help file is shown as it is and never overwritten.
    path = app.CurrentDirectory + app.LanguageHelpFile;
    usable = platform::RegularFileSize(path).value_or(0) > 0;
  } else {
    path = app.CurrentDirectory + "calvern-help.txt";
    usable = WriteHelpFile(path);
  }
  if (!usable) {
    app.Status[1] = app.Messages[kCantCreateHelp];
    return;
  }
  app.Status[1] = app.Messages[OpenWithEditor(app, path) ? kViewingHelp : kEditorCantRun];
}

}  // namespace calvern
