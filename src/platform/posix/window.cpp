#include "platform/window.h"

#include <algorithm>

#include "platform/visible_text.h"

namespace calvern::platform {
namespace {

std::string Repeat(const char* piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

std::string ColourCode(int layer, RgbColour c) {
  return "\x1b[" + std::to_string(layer) + ";2;" + std::to_string(c.Red) + ";" +
         std::to_string(c.Green) + ";" + std::to_string(c.Blue) + "m";
}

// One terminal row: the upper half block takes the upper pixel as its colour, the cell's
// background the lower one.
std::string PictureRow(const Picture& picture, int row) {
  std::string text;
  RgbColour lastUpper{1, 2, 3}, lastLower{1, 2, 3};
  bool first = true;
  for (int column = 0; column < picture.Width() / 2; ++column) {
    RgbColour upper = picture.At(2 * column, 4 * row);
    RgbColour lower = picture.At(2 * column, 4 * row + 2);
    if (first || upper != lastUpper) text += ColourCode(38, upper);
    if (first || lower != lastLower) text += ColourCode(48, lower);
    text += "\xE2\x96\x80";  // U+2580 upper half block
    lastUpper = upper;
    lastLower = lower;
    first = false;
  }
  return text + "\x1b[0m";
}

class TerminalPictureWindow : public PictureWindow {
 public:
  explicit TerminalPictureWindow(Console& console) : console_(console) {}

  void Show(const std::string& title, const Picture& picture) override {
    if (!console_.Present()) return;
    int inner = picture.Width() / 2;
    std::string caption = "\xE2\x94\x80 " + title + " ";  // "─ title "
    console_.PrintLine("\xE2\x94\x8C" + caption +
                       Repeat("\xE2\x94\x80", std::max(0, inner - DisplayWidth(caption))) +
                       "\xE2\x94\x90");
    for (int row = 0; row < picture.Height() / 4; ++row) {
      console_.PrintColouredLine("\xE2\x94\x82" + PictureRow(picture, row) + "\xE2\x94\x82");
    }
    console_.PrintLine("\xE2\x94\x94" + Repeat("\xE2\x94\x80", inner) + "\xE2\x94\x98");
  }

  // The drawing stays in the console's history; the next screen clears it.
  void Close() override {}

 private:
  Console& console_;
};

}  // namespace

std::unique_ptr<PictureWindow> OpenPictureWindow(Console& console) {
  return std::make_unique<TerminalPictureWindow>(console);
}

}  // namespace calvern::platform
