#include "shell/menu_actions.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/requester.h"
#include "shell/compile_report.h"

namespace calvern {
namespace {

std::string AllFilesFilter(const Application& app, const std::string& first) {
  return first + app.Messages[kAllFiles] + "(*.*)|*.*";
}

platform::FileAnswer Ask(Application& app, const std::string& title, const std::string& filter,
                         platform::AnswerUse use = platform::AnswerUse::kFile) {
  return platform::ChooseFile(*app.Terminal, title, filter, app.Messages[kFileNamePrompt], use);
}

using Kind = platform::FileAnswer::Kind;

void ReportSettingsNotSaved(Application& app) {
  platform::Console& console = *app.Terminal;
  console.Clear();
  console.SetColour(platform::kBrightWhite, platform::kBlack);
  console.PrintLine("");
  console.PrintLine(app.Messages[kCantSaveParameters]);
  console.PrintLine("");
  console.PrintLine(app.Messages[kPressEnter]);
  console.ReadLine();
}

// Moves a settings file that could not be read to the same name + ".bad" (replacing an older
// one). Anything that is not a regular file is left where it is: the save then fails.
bool KeepUnreadableSettingsAside(const std::string& path) {
  if (!platform::RegularFileSize(path)) return true;
  return platform::RenameFile(path, path + ".bad");
}

// Key 5 for one program: a chosen program replaces `path` and status line `line` names it;
// Enter alone or a refused answer leaves it as it was.
void AskForProgram(Application& app, int line, std::string& path, int title, int selected,
                   int what) {
  const MessageTable& m = app.Messages;
  platform::FileAnswer answer =
      Ask(app, m[title], AllFilesFilter(app, "EXE (*.EXE)|*.EXE|"), platform::AnswerUse::kProgram);
  switch (answer.kind) {
    case Kind::kChosen:
      path = answer.path;
      app.Status[line] = m[selected] + " : " + platform::FilePart(path);
      break;
    case Kind::kCancelled:
      app.Status[line] = m[what] + ": " + m[kActionCancelled];
      break;
    case Kind::kTooLong:
      app.Status[line] = m[what] + ": " + m[kAnswerTooLong];
      break;
  }
}

}  // namespace

void ChooseSource(Application& app) {
  const MessageTable& m = app.Messages;
  Settings& s = app.Config;
  platform::FileAnswer answer =
      Ask(app, "Select source file...", AllFilesFilter(app, "TXT (*.TXT)|*.TXT|"));
  if (answer.kind == Kind::kTooLong) {
    app.Status[1] = m[kAnswerTooLong];  // the current source stays
    return;
  }
  s.SourcePath = answer.path;
  if (s.SourcePath.empty()) {
    app.Status[1] = m[kActionCancelled];
    return;
  }
  app.Status[1] = m[kSourceSelected] + "       : " + platform::FilePart(s.SourcePath);
  // A blank after the last dot ends the name: "my prog" has no extension.
  std::string base =
      platform::WithoutExtension(s.SourcePath, platform::ExtensionRule::kNoBlankInside);
  s.ListingPath = base + "LST";
  app.Status[2] = m[kCompiledNameWillBe] + " : " + platform::FilePart(s.ListingPath);
  s.MkBaseName = base;
  app.Status[3] = m[kEventualMkFile] + "      : " + platform::FilePart(s.MkBaseName) + "MK?";
  app.LastBuild.compiledOk = false;
}

std::optional<CompileJobResult> CompileCurrentSource(Application& app) {
  if (app.Config.SourcePath.empty()) {
    app.Status[1] = app.Messages[kNoSourceSelected];
    return std::nullopt;
  }
  CompileJobRequest request;
  request.sourcePath = app.Config.SourcePath;
  request.listingPath = app.Config.ListingPath;
  request.mkBaseName = app.Config.MkBaseName;
  request.slaveMode = app.SlaveMode;
  if (!app.SlaveMode) {
    request.progress = [&app](MessageId message, const std::string& file) {
      app.Terminal->PrintLine(app.Messages[message] + file + "...");
    };
  }
  bool mkNameRefused = false;
  request.chooseMkFileName = [&app, &mkNameRefused] {
    platform::FileAnswer answer =
        Ask(app, app.Messages[kSelectMkOutputFile], AllFilesFilter(app, "MK? (*.MK?)|*.MK?|"));
    mkNameRefused = answer.kind == Kind::kTooLong;
    return answer.path;  // empty when refused: no MK file is written
  };
  app.LastBuild = {};
  CompileJobResult result = RunCompileJob(request);
  app.Status = CompileStatusLines(result, app.Messages);
  if (mkNameRefused) app.Status[3] = app.Messages[kAnswerTooLong];
  if (result.outcome == JobOutcome::kCompiled || result.outcome == JobOutcome::kCantWriteMkFile) {
    app.LastBuild = {true, result.mkFiles, result.program};
  }
  return result;
}

void ChooseEditorAndEmulator(Application& app) {
  AskForProgram(app, 1, app.Config.EditorPath, kSelectYourEditor, kEditorSelected, kEditor);
  AskForProgram(app, 2, app.Config.EmulatorPath, kSelectYourEmulator, kEmulatorSelected, kEmulator);
}

void ChooseLanguage(Application& app) {
  platform::FileAnswer answer =
      Ask(app, "Select your language...", AllFilesFilter(app, "LOC (*.LOC)|*.LOC|"));
  // Enter alone, and any answer that can't be used, keep the current language.
  if (answer.kind != Kind::kChosen) {
    app.Status[1] = app.Messages[answer.kind == Kind::kTooLong ? kAnswerTooLong : kActionCancelled];
    return;
  }
  // Language files are used from the current directory only.
  std::string name = platform::FilePart(answer.path);
  if (std::string refusal = LanguageFileRefusal(app, name); !refusal.empty()) {
    app.Status[1] = refusal;
    return;
  }
  app.Config.LanguageFile = name;
  LoadMessages(app);
  app.LinkStatusLine = NotConnectedLine(app.Messages);
}

bool WriteSettings(Application& app) {
  // A settings file that could not be read is kept aside rather than lost to the defaults,
  // once: the file written then is the user's own.
  if (app.SettingsFileUnreadable) {
    if (!KeepUnreadableSettingsAside(app.SettingsFilePath)) return false;
    app.SettingsFileUnreadable = false;
  }
  return platform::WriteFileAtomically(app.SettingsFilePath, SettingsText(app.Config),
                                       platform::Durability::kSyncToDisk);
}

void SaveSettings(Application& app) {
  if (!WriteSettings(app)) ReportSettingsNotSaved(app);
}

}  // namespace calvern
