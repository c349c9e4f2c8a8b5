#include "compiler/char_source.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "shell/application.h"

namespace calvern {

std::string DirectoryPart(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

namespace {

void LoadMessages(Application& app) {
  app.Messages.LoadDefaultMessages();
  if (app.Config.LanguageFile.empty()) return;
  // A language file that opens would replace the English texts; reading them is not built yet.
  if (ReadWholeFile(app.CurrentDirectory + app.Config.LanguageFile)) {
    platform::ShowMessageBox(app.Messages[kCalvernTitle],
                             app.Messages[kLanguageFilesNotAvailable] + app.Config.LanguageFile,
                             !app.SlaveMode);
  }
}

void PrepareStatusLines(Application& app, int keywordCount) {
  const MessageTable& m = app.Messages;
  const Settings& s = app.Config;
  app.Status[1] =
      s.SourcePath.empty() ? m[kNoSourceDefined] : m[kStartingWithSource] + FilePart(s.SourcePath);
  app.Status[2] = m[kEditorIs] + FilePart(s.EditorPath) + m[kEmulatorIs] + FilePart(s.EmulatorPath);
  app.Status[3] = std::to_string(keywordCount) + m[kInstructions] + ". (" + m[kCom] +
                  std::to_string(s.ComPort) + "/" + std::to_string(s.MkIdentifier) + ")";
}

}  // namespace

int StartApplication(Application& app, const std::string* parameter) {
  app.Status.Clear();
  const int keywordCount = app.Compiler.Keywords.Count();
  app.CurrentDirectory = platform::CurrentDirectory();
  app.SlaveMode = parameter != nullptr;
  app.SettingsFilePath = app.SlaveMode ? *parameter : app.CurrentDirectory + "calvern.inf";

  if (std::optional<Settings> settings = ReadSettingsFile(app.SettingsFilePath)) {
    app.Config = *settings;
  } else {
    if (app.SlaveMode) return kSettingsUnreadable;
    app.Config = Settings();
  }
  LoadMessages(app);
  app.LinkStatusLine = " |  " + app.Messages[kNotYetConnected] + "  |*";
  PrepareStatusLines(app, keywordCount);
  app.QuitRequested = false;
  return kStartupOk;
}

}  // namespace calvern
