#include "link/screen_capture.h"

#include <cstdio>
#include <optional>

#include "link/link_status.h"
#include "platform/files.h"
#include "platform/png_encoder.h"
#include "platform/window.h"

namespace calvern {
namespace {

constexpr const char* kOk = " : OK.";
constexpr const char* kNotOk = " : ??.";
constexpr std::uint8_t kAccepted = 0x40;
constexpr std::uint8_t kLineDelivered = 0x20;
// A line reply holds the status byte, two more bytes and the 128 columns.
constexpr int kLineReplyBytes = 3 + kScreenColumns;

// The first `count` characters of a UTF-8 text (the whole text when it is shorter).
std::string FirstCharacters(const std::string& text, int count) {
  std::size_t end = 0;
  for (int seen = 0; end < text.size(); ++end) {
    if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == count) break;
  }
  return text.substr(0, end);
}

// Saves the capture under the next free name; the text for status line 2.
std::string SaveCapture(const MessageTable& m, const platform::Picture& picture,
                        const std::string& title) {
  std::string name = CaptureFileName(title);
  if (name.empty()) return m[kImageNotSaved] + m[kNoFreeImageName];
  std::optional<std::string> png = platform::EncodePng(picture);
  if (!png || !platform::WriteNewFile(name, *png)) return m[kImageNotSaved] + m[kCantWrite] + name;
  return m[kSavedImage] + name;
}

}  // namespace

platform::Picture BlankCapture() {
  return platform::Picture(2 * kScreenColumns, 2 * 8 * kScreenLines, kScreenBackground);
}

void DrawScreenLine(platform::Picture& picture, int line, const std::uint8_t* columns) {
  for (int column = 0; column < kScreenColumns; ++column) {
    for (int bit = 0; bit < 8; ++bit) {
      if (columns[column] & (1 << bit)) {
        picture.FillRectangle(2 * column, 2 * (8 * line + bit), 2, 2, kDarkDot);
      }
    }
  }
}

std::string NextFreeImageName(const std::string& prefix, const std::string& extension) {
  for (int n = 1; n <= 99999; ++n) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05d", n);
    std::string name = prefix + digits + extension;
    if (!platform::PathExists(name)) return name;
  }
  return std::string();
}

std::string CaptureFileName(const std::string& title) {
  return NextFreeImageName(FirstCharacters(title, 4), ".png");
}

ScreenReading ReadScreen(LinkContext& context, LinkSession& session, std::uint8_t screenCode) {
  const MessageTable& m = context.Messages;
  platform::Console& console = context.Console;
  ScreenReading reading;
  // After an exchange without an answer the calculator is not asked again: the remaining
  // lines are reported undelivered at once.
  bool silent = false;
  for (int line = 0; line < kScreenLines; ++line) {
    console.Print("  " + m[kSetLine] + std::to_string(line));
    LinkReply reply;
    if (!silent) reply = session.Exchange({0x30, 0x84, 0x01, static_cast<std::uint8_t>(line)});
    silent = silent || !reply.Answered();
    // A line whose selection was refused is not asked for: the calculator would send the line
    // selected before.
    bool selected = !silent && session.Replied(reply, kAccepted);
    console.Print(std::string(selected ? kOk : kNotOk) + " " + m[kGettingLine]);
    if (selected) {
      reply = session.Exchange({0x10, 0x84, screenCode});
      silent = !reply.Answered();
    }
    bool delivered = selected && !silent && session.Replied(reply, kLineDelivered) &&
                     reply.length >= kLineReplyBytes;
    console.PrintLine(delivered ? kOk : kNotOk);
    if (delivered) {
      DrawScreenLine(reading.picture, line, &session.Buffer.Payload(3));
      continue;
    }
    reading.missingLines.push_back(line);
    if (reading.problem.outcome == LinkOutcome::kDone) {
      std::string where = m[kLineWord] + std::to_string(line);
      reading.problem = silent
                            ? LinkProblem{OutcomeOfSilence(session), NoReplyText(m, session, where)}
                            : LinkProblem{LinkOutcome::kRefused, m[kCalculatorRejected] + where};
    }
  }
  return reading;
}

std::string LineList(const std::vector<int>& lines) {
  std::string text;
  for (int line : lines) text += (text.empty() ? "" : ", ") + std::to_string(line);
  return text;
}

void CaptureScreen(LinkContext& context, LinkSession& session, std::uint8_t screenCode,
                   const std::string& title) {
  const MessageTable& m = context.Messages;
  platform::Console& console = context.Console;
  ScreenReading reading = ReadScreen(context, session, screenCode);
  if (reading.problem.outcome != LinkOutcome::kDone) {
    context.StatusLine1 = m[kScreenIncomplete] + reading.problem.text;
  }
  console.PrintLine("");
  if (reading.missingLines.size() == kScreenLines) {
    // Nothing came back: an empty picture would only pass for a blank screen.
    console.Print("   " + m[kNoScreenLineReceived] + m[kPressEnter]);
    console.ReadLine();
    return;
  }
  console.PrintLine("   " + m[kImageReceived]);
  if (!reading.missingLines.empty()) {
    console.PrintLine("   " + m[kLinesNotReceived] + LineList(reading.missingLines));
  }

  std::unique_ptr<platform::PictureWindow> window = platform::OpenPictureWindow(console);
  window->Show(title, reading.picture);
  console.SetColour(platform::kLightGrey, platform::kBlack);
  console.PrintLine("");
  console.PrintLine("   1: " + m[kSaveImageAsPng]);
  console.PrintLine("   " + m[kEnterToQuit]);
  console.PrintLine("");
  console.Print("   " + m[kYourChoice] + " : ");
  if (console.ReadLine() == "1") context.StatusLine2 = SaveCapture(m, reading.picture, title);
  window->Close();
}

}  // namespace calvern
