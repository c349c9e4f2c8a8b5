// Calvern: compiler and link tool for the Elektronika MK-161 programmable calculator.
//   calvern file.inf   slave mode: performs the command of the info file, reports by exit code
//   calvern            the interactive menu
#include <iostream>
#include <string>

#include "shell/application.h"
#include "shell/slave_mode.h"

int main(int argc, char** argv) {
  calvern::Application app;
  if (argc < 2) {
    std::cerr << app.Messages[calvern::kMenuNotAvailable] << std::endl;
    return 3;
  }
  const std::string infoFile = argv[1];
  if (calvern::StartApplication(app, &infoFile) != calvern::kStartupOk) {
    return calvern::kSlaveInfoFileUnreadable;
  }
  // The system keeps only the low 8 bits of an exit status: a compilation error arrives as 10,
  // and its line number reaches the caller in the message on standard error.
  return static_cast<int>(calvern::RunSlaveCommand(app) & 0xFF);
}
