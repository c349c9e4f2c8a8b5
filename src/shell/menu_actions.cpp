#include "shell/menu_actions.h"

#include "platform/files.h"
#include "platform/requester.h"

namespace calvern {
namespace {

std::string AllFilesFilter(const Application& app, const std::string& first) {
  return first + app.Messages[kAllFiles] + "(*.*)|*.*";
}

std::string Ask(Application& app, const std::string& title, const std::string& filter) {
  return platform::ChooseFile(*app.Terminal, title, filter, app.Messages[kFileNamePrompt]);
}

}  // namespace

std::string SourceBase(const std::string& path) {
  for (std::size_t i = path.size(); i-- > 0;) {
    char c = path[i];
    if (c == '.') return path.substr(0, i + 1);
    if (c == ' ' || c == '/' || c == '\\') break;
  }
  return path;
}

void ChooseSource(Application& app) {
  const MessageTable& m = app.Messages;
  Settings& s = app.Config;
  s.SourcePath = Ask(app, "Select source file...", AllFilesFilter(app, "TXT (*.TXT)|*.TXT|"));
  if (s.SourcePath.empty()) {
    app.Status[1] = m[kActionCancelled];
    return;
  }
  app.Status[1] = m[kSourceSelected] + "       : " + FilePart(s.SourcePath);
  std::string base = SourceBase(s.SourcePath);
  s.ListingPath = base + "LST";
  app.Status[2] = m[kCompiledNameWillBe] + " : " + FilePart(s.ListingPath);
  s.MkBaseName = base;
  app.Status[3] = m[kEventualMkFile] + "      : " + FilePart(s.MkBaseName) + "MK?";
  app.Compiler.CompiledOk = false;
}

std::optional<CompileOutcome> CompileCurrentSource(Application& app) {
  if (app.Config.SourcePath.empty()) {
    app.Status[1] = app.Messages[kNoSourceSelected];
    return std::nullopt;
  }
  app.SourceDirectory = DirectoryPart(app.Config.SourcePath);
  CompileRequest request;
  request.sourcePath = app.Config.SourcePath;
  request.listingPath = app.Config.ListingPath;
  request.mkBaseName = app.Config.MkBaseName;
  request.slaveMode = app.SlaveMode;
  request.progress = [&app](const std::string& line) { app.Terminal->PrintLine(line); };
  request.chooseMkFileName = [&app] {
    return Ask(app, app.Messages[kSelectMkOutputFile], AllFilesFilter(app, "MK? (*.MK?)|*.MK?|"));
  };
  CompileOutcome outcome = app.Compiler.CompileSource(request);
  app.Status = app.Compiler.Status;
  return outcome;
}

void ChooseEditorAndEmulator(Application& app) {
  const MessageTable& m = app.Messages;
  const std::string filter = AllFilesFilter(app, "EXE (*.EXE)|*.EXE|");
  std::string editor = Ask(app, m[kSelectYourEditor], filter);
  if (!editor.empty()) {
    app.Config.EditorPath = editor;
    app.Status[1] = m[kEditorSelected] + " : " + FilePart(editor);
  } else {
    app.Status[1] = m[kEditor] + ": " + m[kActionCancelled];
  }
  std::string emulator = Ask(app, m[kSelectYourEmulator], filter);
  if (!emulator.empty()) {
    app.Config.EmulatorPath = emulator;
    app.Status[2] = m[kEmulatorSelected] + " : " + FilePart(emulator);
  } else {
    app.Status[2] = m[kEmulator] + ": " + m[kActionCancelled];
  }
}

void ChooseLanguage(Application& app) {
  std::string answer =
      Ask(app, "Select your language...", AllFilesFilter(app, "LOC (*.LOC)|*.LOC|"));
  // Language files are used from the current directory only.
  app.Config.LanguageFile = FilePart(answer);
  LoadMessages(app);
  app.LinkStatusLine = NotConnectedLine(app.Messages);
}

void SaveSettings(Application& app) {
  if (platform::ReplaceFile(app.SettingsFilePath, SettingsText(app.Config))) return;
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
