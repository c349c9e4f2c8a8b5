// Message boxes: a title, a text and an OK button.
#pragma once

#include <string>

namespace calvern::platform {

// Shows a message. With a console it prints the title and text and waits for Enter; without
// one (slave mode) it writes "title: text" to standard error and returns at once.
void ShowMessageBox(const std::string& title, const std::string& text, bool hasConsole);

}  // namespace calvern::platform
