// The text console the menus are drawn on: clearing, colours, cursor placement, the window
// title, and reading typed lines. Slave mode has no console: its output goes nowhere and its
// input reads as empty lines.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace calvern::platform {

// The columns a UTF-8 text takes on the console: its characters, not its bytes.
inline int DisplayWidth(std::string_view text) {
  int width = 0;
  for (char c : text) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return width;
}

// Console colours used by the menus.
enum ConsoleColour : int { kBlack = 0, kLightGrey = 7, kBrightWhite = 15 };

class Console {
 public:
  virtual ~Console() = default;
  // False for the stand-in of slave mode.
  virtual bool Present() const = 0;
  virtual void Clear() = 0;
  // Control characters of the text are shown as visible escapes (VisibleText); Print keeps
  // its line ends, PrintLine escapes them too: its text is one line.
  virtual void Print(std::string_view text) = 0;
  virtual void PrintLine(std::string_view text) {
    Print(text);
    Print("\n");
  }
  // A line drawn with the console's own colour sequences (a captured screen), printed as it is.
  virtual void PrintColouredLine(std::string_view text) { PrintLine(text); }
  virtual void SetColour(int foreground, int background) = 0;
  // Column and row counted from 0.
  virtual void MoveCursor(int column, int row) = 0;
  virtual void SetTitle(std::string_view title) = 0;
  // A typed line without its line end; empty once the input has ended.
  virtual std::string ReadLine() = 0;
  // True after the input ended (the terminal was closed).
  virtual bool InputEnded() const = 0;
};

// Whether standard output or standard error reaches a terminal: a progress bar redrawn in
// place, or a picture in colours, is for a person, not for a file or a pipe.
enum class StandardStream { kOutput, kError };
bool IsTerminal(StandardStream stream);

// The terminal on standard input and output.
std::unique_ptr<Console> OpenConsole();
// The stand-in for slave mode.
std::unique_ptr<Console> NoConsole();

}  // namespace calvern::platform
