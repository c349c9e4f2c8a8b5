// The framed connection line at the top of the menu screens, and the identification of the
// calculator that fills it.
#pragma once

#include <optional>
#include <string>

#include "link/link_transaction.h"
#include "platform/console.h"
#include "tables/message_table.h"

namespace calvern {

// How a link action ended, for the command line's exit code: done, the port could not be
// opened, the calculator stayed silent (or answered garbled), or it answered with a refusal.
enum class LinkOutcome { kDone, kPortUnavailable, kNoAnswer, kRefused };

// The outcome of an exchange that got no usable reply.
inline LinkOutcome OutcomeOfSilence(const LinkSession& session) {
  return session.LastFailure() == LinkFailure::kPortUnavailable ? LinkOutcome::kPortUnavailable
                                                                : LinkOutcome::kNoAnswer;
}

// A failed link action: its outcome and the text that explains it.
struct LinkProblem {
  LinkOutcome outcome = LinkOutcome::kDone;
  std::string text;
};

// Width of the calculator's name in the connection line.
inline constexpr int kCalculatorNameWidth = 13;

// " | Calvern connected to " + the name padded or cut to 13 characters + "|*".
std::string ConnectedLine(const MessageTable& messages, const std::string& name);

// The calculator's name from an identification reply of `length` bytes: every byte but the
// checksum, each byte taken as the character of that code. Control codes become "?", so that a
// reply cannot drive the terminal.
std::string CalculatorName(const LinkBuffer& buffer, int length);

// Asks the calculator for its name and shows it in the connection line. Without an answer the
// line stays as it was. Returns the name, nullopt when the calculator did not answer.
std::optional<std::string> IdentifyCalculator(LinkSession& session, const MessageTable& messages,
                                              std::string& linkStatusLine);

// Why the last exchange got no usable reply, for a status line: the port that could not be
// opened, or the calculator's silence or faulty answer at `where`.
std::string NoReplyText(const MessageTable& messages, const LinkSession& session,
                        const std::string& where);

// The connection line framed by a box with a shadow of "*", six lines.
void DrawLinkStatusBox(platform::Console& console, const std::string& line);

}  // namespace calvern
