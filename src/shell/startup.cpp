#include "platform/files.h"
#include "platform/paths.h"
#include "platform/requester.h"
#include "shell/application.h"
#include "shell/language_file.h"
#include "shell/language_search.h"

namespace calvern {

std::string NotConnectedLine(const MessageTable& messages) {
  return " |  " + messages[kNotYetConnected] + "  |*";
}

void LoadMessages(Application& app) {
  app.Messages.LoadDefaultMessages();
  app.LanguageHelpFile.clear();
  // An empty name names the directory itself, which does not read as a file: English stays.
  std::optional<std::string> bytes =
      app.Config.LanguageFile.empty()
          ? std::nullopt
          : platform::ReadWholeFile(LanguageFilePath(app.Config.LanguageFile, app.CurrentDirectory),
                                    kMaxSettingsBytes);
  if (!bytes) return;
  LanguageFileResult result = ParseLanguageFile(*bytes, app.Messages);
  app.LanguageHelpFile = result.helpFile;
  if (!result.unicode) {
    platform::ShowMessageBox(*app.Terminal, "Warning on Language file",
                             app.Config.LanguageFile + " is not a Unicode file!");
  }
  if (!result.accepted) {
    platform::ShowMessageBox(
        *app.Terminal, "Error in language file!",
        app.Config.LanguageFile + " is not correct, default ENGLISH selected.");
  }
}

namespace {

void PrepareStatusLines(Application& app) {
  const MessageTable& m = app.Messages;
  const Settings& s = app.Config;
  app.Status[1] = s.SourcePath.empty() ? m[kNoSourceDefined]
                                       : m[kStartingWithSource] + platform::FilePart(s.SourcePath);
  app.Status[2] = m[kEditorIs] + platform::FilePart(s.EditorPath) + m[kEmulatorIs] +
                  platform::FilePart(s.EmulatorPath);
  app.Status[3] = std::to_string(app.KeywordCount) + m[kInstructions] + ". (" + m[kCom] +
                  std::to_string(s.ComPort) + "/" + std::to_string(s.MkIdentifier) + ")";
}

}  // namespace

int StartApplication(Application& app, const std::string* parameter) {
  app.Status.Clear();
  app.KeywordCount = KeywordTable::BuiltIn().Count();
  app.CurrentDirectory = platform::CurrentDirectory();
  app.SlaveMode = parameter != nullptr;
  app.SettingsFilePath = app.SlaveMode ? *parameter : app.CurrentDirectory + "calvern.inf";
  app.Terminal = app.SlaveMode ? platform::NoConsole() : platform::OpenConsole();

  if (std::optional<Settings> settings = ReadSettingsFile(app.SettingsFilePath)) {
    app.Config = *settings;
    // In slave mode line 3 holds the command.
    if (app.SlaveMode) app.SlaveCommand = app.Config.EditorPath;
  } else {
    if (app.SlaveMode) return kSettingsUnreadable;
    app.Config = Settings();
  }
  LoadMessages(app);
  app.LinkStatusLine = NotConnectedLine(app.Messages);
  PrepareStatusLines(app);
  app.QuitRequested = false;
  if (!app.SlaveMode) app.Terminal->SetTitle(app.Messages[kCalvernTitle] + kVersionText);
  return kStartupOk;
}

}  // namespace calvern
