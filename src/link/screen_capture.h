// Fetching the calculator's main or graphic screen: read line by line over the link, drawn at
// twice its size, shown while the console asks whether to save it as a PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/link_context.h"
#include "link/link_status.h"
#include "platform/picture.h"

namespace calvern {

inline constexpr std::uint8_t kMainScreenCode = 0x21;
inline constexpr std::uint8_t kGraphicScreenCode = 0x11;

// The calculator's display is 128 x 64 dots, read as 8 lines of 8 dot rows; the capture draws
// each dot as a 2 x 2 square.
inline constexpr int kScreenColumns = 128;
inline constexpr int kScreenLines = 8;
inline constexpr platform::RgbColour kScreenBackground{0x33, 0x99, 0x99};
inline constexpr platform::RgbColour kDarkDot{0, 0, 0};

// An empty capture: 256 x 128 pixels of the background colour.
platform::Picture BlankCapture();

// Draws one screen line from its 128 column bytes: bit 0 is the top dot row, a set bit a dark
// dot.
void DrawScreenLine(platform::Picture& picture, int line, const std::uint8_t* columns);

// prefix + the smallest number from 1 written with five digits + extension that names no
// file or directory; empty when all are taken.
std::string NextFreeImageName(const std::string& prefix, const std::string& extension);

// The name a capture titled `title` is saved under when none is given: the first four
// characters of the title, the next free five-digit number, ".png". Empty when all are taken.
std::string CaptureFileName(const std::string& title);

// A screen as read over the link; the lines that did not arrive stay in the background colour.
struct ScreenReading {
  platform::Picture picture = BlankCapture();
  // The first line that did not arrive, and why; kDone when all did.
  LinkProblem problem;
  // Every line that did not arrive, in order.
  std::vector<int> missingLines;
};

// Line numbers for a message: "2, 5, 6".
std::string LineList(const std::vector<int>& lines);

// Reads the screen line by line, with its progress on the context's console.
ScreenReading ReadScreen(LinkContext& context, LinkSession& session, std::uint8_t screenCode);

// Link menu keys 1 and 2: reads the screen, shows it and saves it as PNG on request. The lines
// that did not come back are named and left empty; when none came back there is nothing to
// show or save.
void CaptureScreen(LinkContext& context, LinkSession& session, std::uint8_t screenCode,
                   const std::string& title);

}  // namespace calvern
