#include "link/program_transfer.h"

#include "link/link_status.h"

namespace calvern {
namespace {

constexpr std::uint8_t kAccepted = 0x40;
constexpr const char* kOk = " : OK.";
constexpr const char* kNotOk = " : ??.";

std::string BlockText(const MessageTable& m, const ZoneLayout& zone, int block) {
  return m[zone.nameMessage] + m[kBlockWord] + std::to_string(block);
}

// A cell's byte; cells missing from an image read as unused.
int CellValue(const ProgramImage& image, int cell) {
  return cell < static_cast<int>(image.cells.size()) ? image.cells[cell] : ProgramImage::kUnused;
}

bool BlockUsed(const ProgramImage& image, const ZoneLayout& zone, int block) {
  int start = zone.first + block * zone.size;
  for (int cell = start; cell < start + zone.size; ++cell) {
    if (CellValue(image, cell) != ProgramImage::kUnused) return true;
  }
  return false;
}

using Clock = std::chrono::steady_clock;

// Asks for the status, by `until` at the latest; the reply stays in the session's buffer.
LinkReply RequestStatus(LinkSession& session, platform::Deadline until) {
  return session.Exchange({0x10, 0xA0, 0x00}, until);
}

// Keeps the first failure of a transfer; a silent calculator stops it.
void Record(TransferReport& report, LinkOutcome outcome, std::string text, bool stop) {
  if (report.failure.outcome == LinkOutcome::kDone) report.failure = {outcome, std::move(text)};
  report.stopped = report.stopped || stop;
}

// A calculator that stopped answering at `where` stops the transfer.
void RecordSilence(TransferReport& report, const MessageTable& m, const LinkSession& session,
                   const std::string& where) {
  Record(report, OutcomeOfSilence(session), m[kProgramNotSent] + NoReplyText(m, session, where),
         true);
}

// The zones a transfer sends after the program zone.
bool ZoneUsed(const ProgramImage& image, const ZoneLayout& zone) {
  return &zone == &kProgramZone ||
         (&zone == &kBinaryZone ? image.binaryZoneUsed : image.decimalZoneUsed);
}

}  // namespace

std::vector<int> UsedBlocks(const ProgramImage& image, const ZoneLayout& zone) {
  std::vector<int> blocks;
  for (int block = 0; block < zone.blocks; ++block) {
    if (BlockUsed(image, zone, block)) blocks.push_back(block);
  }
  return blocks;
}

int BlocksToSend(const ProgramImage& image) {
  int count = 0;
  for (const ZoneLayout* zone : {&kProgramZone, &kBinaryZone, &kDecimalZone}) {
    if (ZoneUsed(image, *zone)) count += static_cast<int>(UsedBlocks(image, *zone).size());
  }
  return count;
}

std::optional<LinkProblem> WaitCalculatorReady(LinkContext& context, LinkSession& session) {
  const MessageTable& m = context.Messages;
  platform::Deadline until = Clock::now() + session.Timeouts().statusWait;
  bool busy = false;  // it answered, and was not ready
  for (int poll = 0; poll == 0 || session.PauseBetweenPolls(until); ++poll) {
    LinkReply reply = RequestStatus(session, until);
    if (reply.Answered()) {
      if (reply.length == 6) return std::nullopt;
      busy = true;
      continue;
    }
    // A request cut short by the end of the wait after busy answers: still busy.
    if (busy && Clock::now() >= until) break;
    if (reply.failure == LinkFailure::kNoAnswer) {
      return LinkProblem{LinkOutcome::kNoAnswer, m[kCalculatorNotReady]};
    }
    // The port, or an answer that is none: garbled, too long, or the request echoed.
    return LinkProblem{OutcomeOfSilence(session), NoReplyText(m, session, m[kStatusRequestWord])};
  }
  // It answered every time, busy.
  return LinkProblem{LinkOutcome::kRefused, m[kCalculatorNotReady]};
}

std::optional<LinkProblem> SwitchRemoteMode(LinkContext& context, LinkSession& session, bool on) {
  const std::string& notSwitched = context.Messages[kTransferModeNotSwitched];
  std::uint8_t mode = static_cast<std::uint8_t>(0x81 - (on ? 1 : 0));
  if (!session.Exchange({0x30, 0xA0, mode}).Answered()) {
    return LinkProblem{OutcomeOfSilence(session), notSwitched};
  }
  platform::Deadline until = Clock::now() + session.Timeouts().statusWait;
  bool answered = false;
  for (int poll = 0; poll == 0 || session.PauseBetweenPolls(until); ++poll) {
    LinkReply reply = RequestStatus(session, until);
    if (!reply.Answered()) {
      if (answered && Clock::now() >= until) break;
      return LinkProblem{OutcomeOfSilence(session), notSwitched};
    }
    answered = true;
    if (reply.length >= 4 && (session.Buffer.Payload(3) != 0) == on) return std::nullopt;
  }
  return LinkProblem{LinkOutcome::kRefused, notSwitched};
}

std::optional<LinkProblem> SetRemoteMode(LinkContext& context, LinkSession& session, bool on) {
  if (std::optional<LinkProblem> failure = WaitCalculatorReady(context, session)) return failure;
  return SwitchRemoteMode(context, session, on);
}

bool SendZone(LinkContext& context, LinkSession& session, const ProgramImage& image,
              const ZoneLayout& zone, TransferReport& report) {
  const MessageTable& m = context.Messages;
  platform::Console& console = context.Console;
  console.PrintLine("");
  console.PrintLine(m[zone.titleMessage]);
  console.PrintLine("");
  for (int block : UsedBlocks(image, zone)) {
    console.Print("  Set block " + std::to_string(block));
    LinkReply reply = session.Exchange({0x30, zone.code, 0x01, static_cast<std::uint8_t>(block)});
    if (!reply.Answered()) {
      console.PrintLine(kNotOk);
      RecordSilence(report, m, session, BlockText(m, zone, block));
      return false;
    }
    bool selected = session.Replied(reply, kAccepted);
    console.Print(std::string(selected ? kOk : kNotOk) + " " + m[kSendingBlock]);

    session.Buffer.Payload(0) = 0x30;
    session.Buffer.Payload(1) = zone.code;
    session.Buffer.Payload(2) = 0x11;
    int start = zone.first + block * zone.size;
    for (int i = 0; i < zone.size; ++i) {
      int value = CellValue(image, start + i);
      session.Buffer.Payload(3 + i) =
          value == ProgramImage::kUnused ? zone.filler : static_cast<std::uint8_t>(value);
    }
    reply = session.Transaction(zone.size + 3);
    bool written = session.Replied(reply, kAccepted);
    console.PrintLine(written ? kOk : kNotOk);
    if (!reply.Answered()) {
      RecordSilence(report, m, session, BlockText(m, zone, block));
      return false;
    }
    if (context.BlockSent) context.BlockSent(session);
    if (!selected || !written) {
      Record(report, LinkOutcome::kRefused,
             m[kProgramSentWithErrors] + m[kCalculatorRejected] + BlockText(m, zone, block), false);
    }
  }
  console.Print(" " + m[kFinalizing]);
  LinkReply reply = session.Exchange({0x30, zone.code, 0x81});
  bool finished = session.Replied(reply, kAccepted);
  console.PrintLine(finished ? kOk : kNotOk);
  std::string end = m[kEndOfZone] + m[zone.nameMessage];
  if (!reply.Answered()) {
    RecordSilence(report, m, session, end);
    return false;
  }
  if (!finished) {
    Record(report, LinkOutcome::kRefused, m[kProgramSentWithErrors] + m[kCalculatorRejected] + end,
           false);
  }
  return true;
}

TransferReport TransferProgram(LinkContext& context, LinkSession& session,
                               const ProgramImage& image) {
  const MessageTable& m = context.Messages;
  TransferReport report;
  // Transfer mode is asked for only once the calculator is ready; before that nothing needs
  // undoing.
  bool modeRequested = false;
  std::optional<LinkProblem> failure = WaitCalculatorReady(context, session);
  if (!failure) {
    modeRequested = true;
    failure = SwitchRemoteMode(context, session, true);
  }
  if (failure) Record(report, failure->outcome, m[kProgramNotSent] + failure->text, true);
  bool going = !report.stopped && SendZone(context, session, image, kProgramZone, report);
  for (const ZoneLayout* zone : {&kBinaryZone, &kDecimalZone}) {
    if (!going || !ZoneUsed(image, *zone)) continue;
    if ((failure = WaitCalculatorReady(context, session))) {
      Record(report, failure->outcome, m[kProgramNotSent] + failure->text, true);
      going = false;
    } else {
      going = SendZone(context, session, image, *zone, report);
    }
  }
  if (going) {
    if ((failure = SetRemoteMode(context, session, false))) {
      Record(report, failure->outcome, m[kProgramSentWithErrors] + failure->text, false);
    }
  } else if (modeRequested && session.LastFailure() != LinkFailure::kPortUnavailable) {
    // The calculator stopped answering: one request to leave transfer mode, in case it only
    // missed a reply, without waiting for its state.
    session.Exchange({0x30, 0xA0, 0x81});
  }
  return report;
}

void SendProgram(LinkContext& context, LinkSession& session) {
  const MessageTable& m = context.Messages;
  platform::Console& console = context.Console;
  if (context.Program == nullptr) {
    console.PrintLine("");
    console.PrintLine("   " + m[kYouMustFirstProceedTo]);
    console.PrintLine("   " + m[kASuccessfulCompilation]);
    console.PrintLine("");
    console.Print("   " + m[kNoProgramToSend] + m[kPressEnter]);
    console.ReadLine();
    return;
  }
  TransferReport report = TransferProgram(context, session, *context.Program);
  std::string outcome =
      report.failure.outcome == LinkOutcome::kDone ? m[kProgramSent] : report.failure.text;
  context.StatusLine1 = outcome;
  console.PrintLine("");
  console.Print(outcome + m[kPressEnter]);
  console.ReadLine();
}

}  // namespace calvern
