#include "link/link_status.h"

#include <algorithm>

namespace calvern {
namespace {

// The UTF-8 form of the character with code 0-255.
std::string CharacterOfCode(unsigned code) {
  if (code < 0x20 || (code >= 0x7F && code < 0xA0)) return "?";
  if (code < 0x80) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
}

}  // namespace

std::string CalculatorName(const LinkBuffer& buffer, int length) {
  std::string name;
  for (int i = 0; i + 1 < length; ++i) name += CharacterOfCode(buffer.Payload(i));
  return name;
}

std::string ConnectedLine(const MessageTable& messages, const std::string& name) {
  // Cut after 13 characters (never inside one), or pad with blanks.
  std::string fitted;
  int count = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    bool starts = (static_cast<unsigned char>(name[i]) & 0xC0) != 0x80;
    if (starts && count++ == kCalculatorNameWidth) break;
    fitted += name[i];
  }
  fitted += std::string(std::max(0, kCalculatorNameWidth - platform::DisplayWidth(fitted)), ' ');
  return " |" + messages[kCalvernConnectedTo] + fitted + "|*";
}

std::optional<std::string> IdentifyCalculator(LinkSession& session, const MessageTable& messages,
                                              std::string& linkStatusLine) {
  LinkReply reply = session.Exchange({0x10, 0x00, 0x00});
  if (!reply.Answered() || reply.length == 0) return std::nullopt;
  std::string name = CalculatorName(session.Buffer, reply.length);
  linkStatusLine = ConnectedLine(messages, name);
  return name;
}

std::string NoReplyText(const MessageTable& messages, const LinkSession& session,
                        const std::string& where) {
  if (session.LastFailure() == LinkFailure::kPortUnavailable) {
    return messages[kCantOpenPort] + session.PortName() + " (" + session.PortError() + ")";
  }
  switch (session.LastFailure()) {
    case LinkFailure::kShortReply:
    case LinkFailure::kBadLength:
      return messages[kFaultyAnswerAt] + where;
    case LinkFailure::kEcho:
      return messages[kEchoAt] + where;
    default:
      return messages[kNoAnswerAt] + where;
  }
}

void DrawLinkStatusBox(platform::Console& console, const std::string& line) {
  int inner = std::max(0, platform::DisplayWidth(line) - 4);
  std::string rule = " +" + std::string(inner, '-') + "+";
  std::string blank = " |" + std::string(inner, ' ') + "|*";
  console.PrintLine(rule);
  console.PrintLine(blank);
  console.PrintLine(line);
  console.PrintLine(blank);
  console.PrintLine(rule + "*");
  console.PrintLine("  " + std::string(inner + 2, '*'));
}

}  // namespace calvern
