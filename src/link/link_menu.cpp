#include "link/link_menu.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "link/link_status.h"
#include "link/program_transfer.h"
#include "link/screen_capture.h"

namespace calvern {
namespace {

using platform::kBlack;
using platform::kBrightWhite;
using platform::kLightGrey;

// A setting "COM" + digits is shown as its number after the "COM" of the messages.
bool IsComName(const std::string& port) {
  return port.size() > 3 && port.starts_with("COM") &&
         port.find_first_not_of("0123456789", 3) == std::string::npos;
}

// The port as the messages that end in "COM" show it: its number, or a device path whole.
std::string PortNumberText(const std::string& port) {
  return IsComName(port) ? port.substr(3) : port;
}

}  // namespace

int DecimalValue(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
  }
  return static_cast<int>(negative ? -value : value);
}

std::string PortSettingsText(const MessageTable& messages, const std::string& comPort,
                             int mkIdentifier) {
  std::string port = IsComName(comPort) ? messages[kSettingsCalculatorOnCom] + comPort.substr(3)
                                        : messages[kSettingsCalculatorOn] + comPort;
  return port + messages[kUnit] + std::to_string(mkIdentifier) + "...";
}

void ShowLinkHeader(LinkContext& context, LinkSession& session) {
  platform::Console& console = context.Console;
  console.Clear();
  console.PrintLine(PortSettingsText(context.Messages, context.ComPort, context.MkIdentifier));
  console.PrintLine(" ");
  IdentifyCalculator(session, context.Messages, context.LinkStatusLine);
  console.SetColour(kBrightWhite, kBlack);
  DrawLinkStatusBox(console, context.LinkStatusLine);
  console.SetColour(kLightGrey, kBlack);
}

void LinkMenu(LinkContext& context) {
  const MessageTable& m = context.Messages;
  platform::Console& console = context.Console;
  LinkSession session(context.ComPort, context.MkIdentifier, context.OpenPort, context.Timeouts);
  ShowLinkHeader(context, session);
  console.PrintLine("");
  console.PrintLine("   1: " + m[kGetMainScreen]);
  console.PrintLine("   2: " + m[kGetGraphicScreen]);
  console.PrintLine("   3: " + m[kSendProgram]);
  console.PrintLine("   4: " + m[kSerialPortSettings]);
  console.PrintLine("   " + m[kEnterToQuit]);
  console.PrintLine("");
  console.Print("   " + m[kYourChoice] + " : ");
  std::string answer = console.ReadLine();
  if (answer == "1") {
    CaptureScreen(context, session, kMainScreenCode, m[kMainScreen]);
  } else if (answer == "2") {
    CaptureScreen(context, session, kGraphicScreenCode, m[kGraphicScreen]);
  } else if (answer == "3") {
    SendProgram(context, session);
  } else if (answer == "4") {
    ChangePortSettings(context);
  }
}

void ChangePortSettings(LinkContext& context) {
  const MessageTable& m = context.Messages;
  platform::Console& console = context.Console;
  console.PrintLine("   " + m[kCurrentComPortIs] + PortNumberText(context.ComPort));
  console.Print("   " + m[kNewOne] + " : ");
  std::string answer = console.ReadLine();
  if (!answer.empty()) {
    // A device path is kept whole (a USB adapter has no COM number); else a COM number.
    context.ComPort =
        answer.starts_with("/") ? answer : "COM" + std::to_string(DecimalValue(answer));
  }
  console.PrintLine("");
  console.PrintLine("   " + m[kCurrentMkIdentifierIs] + std::to_string(context.MkIdentifier));
  console.PrintLine("   (" + m[kSeeInRegister9049] + ")");
  console.Print("   " + m[kNewOne] + " : ");
  answer = console.ReadLine();
  if (!answer.empty()) context.MkIdentifier = DecimalValue(answer);
}

}  // namespace calvern
