// `calvern help`: the manual that menu key 6 writes, on standard output or into a file.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "shell/command_line.h"
#include "shell/command_line_verbs.h"
#include "shell/help_file.h"
#include "tables/message_table.h"

namespace calvern {

Verb AddHelpVerb(CLI::App& parser) {
  CLI::App* command = parser.add_subcommand("help", "Print the manual of the source language");
  auto output = std::make_shared<std::string>();
  command
      ->add_option("-o,--output", *output,
                   "Write the manual into FILE as menu key 6 does (CR LF line ends)")
      ->option_text("FILE");
  return {command, [output]() -> int {
            // The Windows installer puts the manual beside the program this way.
            if (!output->empty()) {
              if (WriteHelpFile(*output)) return kExitOk;
              const MessageTable messages;
              return ReportError(messages[kCantWrite] + *output, kExitFileError);
            }
            // The help file has CR LF line ends; a terminal or a pager wants plain line feeds.
            std::string text = HelpFileText();
            std::erase(text, '\r');
            std::cout << text << std::flush;
            return std::cout ? kExitOk : kExitFileError;
          }};
}

}  // namespace calvern
