// `calvern send PROGRAM`, `calvern identify` and `calvern capture`: the link of menu key 7 run
// from the command line, with the port and identifier of the menu's settings unless options
// name others. The link's own progress output is not shown; the outcome is one line on
// standard error and the exit code.
#include <memory>
#include <optional>

#include "job/mk_file_set.h"
#include "link/program_transfer.h"
#include "link/screen_capture.h"
#include "platform/files.h"
#include "platform/png_encoder.h"
#include "platform/visible_text.h"
#include "platform/window.h"
#include "shell/command_line.h"
#include "shell/command_line_verbs.h"
#include "shell/link_action.h"
#include "shell/settings.h"
#include "shell/transfer_progress.h"

namespace calvern {
namespace {

struct LinkOptions {
  std::string port;     // empty: the settings' port
  int identifier = -1;  // -1: the settings' identifier
};

struct SendOptions : LinkOptions {
  std::string program;
};

struct CaptureOptions : LinkOptions {
  std::string output;
  bool graphic = false;
};

int ExitCodeOf(LinkOutcome outcome) {
  switch (outcome) {
    case LinkOutcome::kDone:
      return kExitOk;
    case LinkOutcome::kPortUnavailable:
      return kExitPortUnavailable;
    case LinkOutcome::kNoAnswer:
      return kExitNoAnswer;
    case LinkOutcome::kRefused:
      return kExitRefused;
  }
  return kExitNoAnswer;
}

// "COM" and a number, as the settings hold it (COM03 is COM3), or a device path; nullopt for
// anything else.
std::optional<std::string> PortSetting(const std::string& port) {
  if (port.starts_with("/")) return port;
  if (port.size() < 4 || port.size() > 12 || !port.starts_with("COM") ||
      port.find_first_not_of("0123456789", 3) != std::string::npos) {
    return std::nullopt;
  }
  return "COM" + std::to_string(std::stoll(port.substr(3)));
}

// What the three verbs share: the messages, the port and identifier, and the link context
// around them, whose console output goes nowhere.
struct LinkRun {
  MessageTable messages;
  std::unique_ptr<platform::Console> console = platform::NoConsole();
  std::string port;
  int identifier = 255;
  std::string linkLine, status1, status2;

  // nullopt when the options are usable, else the exit code after the message.
  std::optional<int> Prepare(const LinkOptions& options) {
    Settings settings =
        ReadSettingsFile(platform::CurrentDirectory() + "calvern.inf").value_or(Settings{});
    port = settings.ComPort;
    identifier = settings.MkIdentifier;
    if (options.identifier >= 0) identifier = options.identifier;
    if (!options.port.empty()) {
      std::optional<std::string> named = PortSetting(options.port);
      if (!named) {
        return UsageError(messages[kPortNotValid] + options.port);
      }
      port = *named;
    }
    return std::nullopt;
  }

  LinkContext Context(const ProgramImage* program = nullptr) {
    return {*console, messages, port, identifier, linkLine, status1, status2, program};
  }
};

// The program to send: the MK file set, or the source compiled. nullopt after the message.
std::optional<ProgramImage> ProgramToSend(const MessageTable& m, const std::string& program,
                                          int& exitCode) {
  if (IsMkFileName(program)) {
    MkFileSetReading reading = ReadMkFileSet(program);
    if (!reading.image) {
      exitCode = ReportError(m[reading.errorMessage] + reading.errorFile, kExitFileError);
      return std::nullopt;
    }
    return ProgramImageOf(*reading.image);
  }
  std::shared_ptr<const CompiledProgram> compiled;
  exitCode = CompileForLink(program, compiled);
  if (exitCode != kExitOk) return std::nullopt;
  return ProgramImageOf(*compiled);
}

int RunSend(const SendOptions& options) {
  LinkRun run;
  if (std::optional<int> refused = run.Prepare(options)) return *refused;
  const MessageTable& m = run.messages;
  int exitCode = kExitOk;
  std::optional<ProgramImage> image = ProgramToSend(m, options.program, exitCode);
  if (!image) return exitCode;

  TransferProgress progress(platform::WriteStandardError, m, BlocksToSend(*image),
                            platform::IsTerminal(platform::StandardStream::kError));
  LinkContext context = run.Context(&*image);
  context.BlockSent = [&progress](const LinkSession& session) {
    progress.BlockSent(session.BytesOnWire());
  };
  LinkSession session(run.port, run.identifier);
  TransferReport report = TransferProgram(context, session, *image);
  progress.Finish();
  if (report.failure.outcome != LinkOutcome::kDone) {
    return ReportError(report.failure.text, ExitCodeOf(report.failure.outcome));
  }
  return ReportError(m[kProgramSent], kExitOk);
}

int RunIdentify(const LinkOptions& options) {
  LinkRun run;
  if (std::optional<int> refused = run.Prepare(options)) return *refused;
  LinkSession session(run.port, run.identifier);
  std::optional<std::string> name = IdentifyCalculator(session, run.messages, run.linkLine);
  if (!name) {
    return ReportError(NoReplyText(run.messages, session, run.messages[kIdentificationWord]),
                       ExitCodeOf(OutcomeOfSilence(session)));
  }
  return platform::WriteStandardOutput(platform::VisibleText(*name) + "\n") ? kExitOk
                                                                            : kExitFileError;
}

int RunCapture(const CaptureOptions& options) {
  LinkRun run;
  if (std::optional<int> refused = run.Prepare(options)) return *refused;
  const MessageTable& m = run.messages;
  LinkContext context = run.Context();
  LinkSession session(run.port, run.identifier);
  ScreenReading reading =
      ReadScreen(context, session, options.graphic ? kGraphicScreenCode : kMainScreenCode);
  if (reading.problem.outcome != LinkOutcome::kDone) {
    return ReportError(m[kScreenIncomplete] + reading.problem.text + m[kNoImageWritten],
                       ExitCodeOf(reading.problem.outcome));
  }
  const std::string& title = m[options.graphic ? kGraphicScreen : kMainScreen];
  if (platform::IsTerminal(platform::StandardStream::kOutput)) {
    std::unique_ptr<platform::Console> terminal = platform::OpenConsole();
    platform::OpenPictureWindow(*terminal)->Show(title, reading.picture);
  }
  // A name given is the user's choice and may replace a file; the next free name never does.
  std::string name = options.output.empty() ? CaptureFileName(title) : options.output;
  if (name.empty()) return ReportError(m[kImageNotSaved] + m[kNoFreeImageName], kExitFileError);
  std::optional<std::string> png = platform::EncodePng(reading.picture);
  bool written = png && (options.output.empty() ? platform::WriteNewFile(name, *png)
                                                : platform::WriteFileAtomically(name, *png));
  if (!written) return ReportError(m[kImageNotSaved] + m[kCantWrite] + name, kExitFileError);
  return ReportError(m[kSavedImage] + name, kExitOk);
}

void AddLinkOptions(VerbArguments& verb, LinkOptions& options) {
  verb.AddOption("--port", options.port,
                 "COMn or a serial device path (default: calvern.inf's, else COM1)");
  verb.AddOption("--id", options.identifier,
                 "The calculator's identifier, 0-255 (default: calvern.inf's, else 255)")
      .Range(0, 255);
}

}  // namespace

Verb SendVerb() {
  auto o = std::make_shared<SendOptions>();
  auto verb = std::make_unique<VerbArguments>(
      "send", "Send a program to the calculator: a source (compiled first) or its MK files");
  verb->AddPositional("PROGRAM", o->program,
                      "A source, or PROG.MKP, PROG.MKB or PROG.MKD for the MK files PROG.MK?")
      .Required();
  AddLinkOptions(*verb, *o);
  return {std::move(verb), [o] { return RunSend(*o); }};
}

Verb IdentifyVerb() {
  auto o = std::make_shared<LinkOptions>();
  auto verb = std::make_unique<VerbArguments>(
      "identify", "Print the name of the calculator on the serial port");
  AddLinkOptions(*verb, *o);
  return {std::move(verb), [o] { return RunIdentify(*o); }};
}

Verb CaptureVerb() {
  auto o = std::make_shared<CaptureOptions>();
  auto verb =
      std::make_unique<VerbArguments>("capture", "Save the calculator's screen as a PNG image");
  verb->AddOption("-o,--output", o->output,
                  "The image file (default: the next free Main00001.png, Main00002.png...)");
  verb->AddFlag("--graphic", o->graphic, "The graphic screen instead of the main screen");
  AddLinkOptions(*verb, *o);
  return {std::move(verb), [o] { return RunCapture(*o); }};
}

}  // namespace calvern
