#include "platform/message_box.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace calvern::platform {

void ShowMessageBox(const std::string& title, const std::string& text, bool hasConsole) {
  if (!hasConsole) {
    std::cerr << title << ": " << text << std::endl;
    return;
  }
  std::cout << "\n[ " << title << " ]\n" << text << "\n[ OK: press Enter ]" << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
}

}  // namespace calvern::platform
