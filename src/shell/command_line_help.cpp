// `calvern help`: the manual that menu key 6 writes, on standard output or into a file.
#include <memory>

#include "platform/files.h"
#include "shell/command_line.h"
#include "shell/command_line_verbs.h"
#include "shell/help_file.h"
#include "tables/message_table.h"

namespace calvern {

Verb HelpVerb() {
  auto verb = std::make_unique<VerbArguments>("help", "Print the manual of the source language");
  auto output = std::make_shared<std::string>();
  verb->AddOption("-o,--output", *output,
                  "Write the manual into FILE as menu key 6 does (CR LF line ends)")
      .ValueText("FILE");
  return {std::move(verb), [output]() -> int {
            // The Windows installer puts the manual beside the program this way.
            if (!output->empty()) {
              if (WriteHelpFile(*output)) return kExitOk;
              const MessageTable messages;
              return ReportError(messages[kCantWrite] + *output, kExitFileError);
            }
            // The help file has CR LF line ends; a terminal or a pager wants plain line feeds.
            std::string text = HelpFileText();
            std::erase(text, '\r');
            return platform::WriteStandardOutput(text) ? kExitOk : kExitFileError;
          }};
}

}  // namespace calvern
