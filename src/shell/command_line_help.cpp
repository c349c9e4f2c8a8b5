// `calvern help`: the manual that menu key 6 writes, on standard output.
#include <CLI/CLI.hpp>
#include <iostream>

#include "shell/command_line.h"
#include "shell/command_line_verbs.h"
#include "shell/help_file.h"

namespace calvern {

Verb AddHelpVerb(CLI::App& parser) {
  CLI::App* command = parser.add_subcommand("help", "Print the manual of the source language");
  return {command, [] {
            // The help file has CR LF line ends; a terminal or a pager wants plain line feeds.
            std::string text = HelpFileText();
            std::erase(text, '\r');
            std::cout << text << std::flush;
            return std::cout ? kExitOk : kExitFileError;
          }};
}

}  // namespace calvern
