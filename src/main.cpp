// Calvern: compiler and link tool for the Elektronika MK-161 programmable calculator.
//   calvern            the interactive menu
//   calvern file.inf   slave mode: performs the command of the info file, reports by exit code
#include <string>

#include "shell/application.h"
#include "shell/main_menu.h"
#include "shell/slave_mode.h"

int main(int argc, char** argv) {
  calvern::Application app;
  if (argc < 2) {
    calvern::StartApplication(app, nullptr);
    return calvern::RunMainMenu(app);
  }
  const std::string infoFile = argv[1];
  if (calvern::StartApplication(app, &infoFile) != calvern::kStartupOk) {
    return calvern::kSlaveInfoFileUnreadable;
  }
  // The system keeps only the low 8 bits of an exit status: a compilation error arrives as 10,
  // and its line number reaches the caller in the message on standard error.
  return static_cast<int>(calvern::RunSlaveCommand(app) & 0xFF);
}
