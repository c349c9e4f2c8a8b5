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

std::string Ask(Application& app, const std::string& title, const std::string& filter) {
  return platform::ChooseFile(*app.Terminal, title, filter, app.Messages[kFileNamePrompt]);
}

}  // namespace

void ChooseSource(Application& app) {
  const MessageTable& m = app.Messages;
  Settings& s = app.Config;
  s.SourcePath = Ask(app, "Select source file...", AllFilesFilter(app, "TXT (*.TXT)|*.TXT|"));
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
  request.chooseMkFileName = [&app] {
    return Ask(app, app.Messages[kSelectMkOutputFile], AllFilesFilter(app, "MK? (*.MK?)|*.MK?|"));
  };
  app.LastBuild = {};
  CompileJobResult result = RunCompileJob(request);
  app.Status = CompileStatusLines(result, app.Messages);
  if (result.outcome == JobOutcome::kCompiled || result.outcome == JobOutcome::kCantWriteMkFile) {
    app.LastBuild = {true, result.mkFiles, result.program};
  }
  return result;
}

void ChooseEditorAndEmulator(Application& app) {
  const MessageTable& m = app.Messages;
  const std::string filter = AllFilesFilter(app, "EXE (*.EXE)|*.EXE|");
  std::string editor = Ask(app, m[kSelectYourEditor], filter);
  if (!editor.empty()) {
    app.Config.EditorPath = editor;
    app.Status[1] = m[kEditorSelected] + " : " + platform::FilePart(editor);
  } else {
    app.Status[1] = m[kEditor] + ": " + m[kActionCancelled];
  }
  std::string emulator = Ask(app, m[kSelectYourEmulator], filter);
  if (!emulator.empty()) {
    app.Config.EmulatorPath = emulator;
    app.Status[2] = m[kEmulatorSelected] + " : " + platform::FilePart(emulator);
  } else {
    app.Status[2] = m[kEmulator] + ": " + m[kActionCancelled];
  }
}

void ChooseLanguage(Application& app) {
  std::string answer =
      Ask(app, "Select your language...", AllFilesFilter(app, "LOC (*.LOC)|*.LOC|"));
  // Language files are used from the current directory only.
  app.Config.LanguageFile = platform::FilePart(answer);
  LoadMessages(app);
  app.LinkStatusLine = NotConnectedLine(app.Messages);
}

void SaveSettings(Application& app) {
  if (platform::WriteFileAtomically(app.SettingsFilePath, SettingsText(app.Config),
                                    platform::Durability::kSyncToDisk)) {
    return;
  }
  platform::Console& console = *app.Terminal;
  console.Clear();
  console.SetColour(platform::kBrightWhite, platform::kBlack);
  console.PrintLine("");
  console.PrintLine(app.Messages[kCantSaveParameters]);
  console.PrintLine("");
  console.PrintLine(app.Messages[kPressEnter]);
  console.ReadLine();
}

}  // namespace calvern
