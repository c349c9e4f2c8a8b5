#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/requester.h"
#include "shell/application.h"
#include "shell/language_file.h"
#include "shell/language_search.h"
#include "shell/slave_mode.h"

namespace calvern {

std::string NotConnectedLine(const MessageTable& messages) {
  return " |  " + messages[kNotYetConnected] + "  |*";
}

std::string LanguageFileRefusal(const Application& app, const std::string& name,
                                LanguagePath rule) {
  const MessageTable& m = app.Messages;
  if (rule == LanguagePath::kBareNameOnly && name.find_first_of("/\\") != std::string::npos) {
    return m[kLanguageNotLocal] + name;
  }
  // The current directory first, then the language files installed with Calvern.
  const std::string path = LanguageFilePath(name, app.CurrentDirectory);
  std::optional<std::uintmax_t> size = platform::RegularFileSize(path);
  if (!size) return m[kLanguageNotFound] + name;
  if (*size > kMaxSettingsBytes) return m[kLanguageTooLarge] + name;
  return std::string();
}

std::string LoadMessages(Application& app, LanguagePath rule) {
  app.Messages.LoadDefaultMessages();
  app.LanguageHelpFile.clear();
  // No language file chosen: English.
  if (app.Config.LanguageFile.empty()) return std::string();
  if (std::string refusal = LanguageFileRefusal(app, app.Config.LanguageFile, rule);
      !refusal.empty()) {
    return refusal;
  }
  std::optional<std::string> bytes = platform::ReadWholeFile(
      LanguageFilePath(app.Config.LanguageFile, app.CurrentDirectory), kMaxSettingsBytes);
  if (!bytes) return app.Messages[kLanguageNotFound] + app.Config.LanguageFile;
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
  return std::string();
}

namespace {

void PrepareStatusLines(Application& app) {
  const MessageTable& m = app.Messages;
  const Settings& s = app.Config;
  app.Status[1] = s.SourcePath.empty() ? m[kNoSourceDefined]
                                       : m[kStartingWithSource] + platform::FilePart(s.SourcePath);
  app.Status[2] = m[kEditorIs] + platform::FilePart(s.EditorPath) + m[kEmulatorIs] +
                  platform::FilePart(s.EmulatorPath);
  // A COM port is shown by its number after the "COM" of the messages, a device by its path.
  std::string port = s.ComPort.starts_with("COM") ? m[kCom] + s.ComPort.substr(3) : s.ComPort;
  app.Status[3] = std::to_string(app.KeywordCount) + m[kInstructions] + ". (" + port + "/" +
                  std::to_string(s.MkIdentifier) + ")";
}

}  // namespace

int StartApplication(Application& app, const std::string* parameter) {
  app.Status.Clear();
  app.KeywordCount = KeywordTable::BuiltIn().Count();
  app.CurrentDirectory = platform::CurrentDirectory();
  app.SlaveMode = parameter != nullptr;
  app.SettingsFilePath = app.SlaveMode ? *parameter : app.CurrentDirectory + "calvern.inf";
  app.Terminal = app.SlaveMode ? platform::NoConsole() : platform::OpenConsole();

  std::string warning;
  if (std::optional<Settings> settings = ReadSettingsFile(app.SettingsFilePath)) {
    app.Config = *settings;
    // In slave mode line 3 holds the command.
    if (app.SlaveMode) app.SlaveCommand = app.Config.EditorPath;
  } else {
    if (app.SlaveMode) {
      ReportSlaveFailure(app.Messages[kInfoFileUnreadable] + app.SettingsFilePath);
      return kSettingsUnreadable;
    }
    app.Config = Settings();
    app.Config.EditorPath = platform::DefaultEditor();
    // A settings file that exists but can't be read is not silently replaced by defaults.
    if (platform::PathExists(app.SettingsFilePath)) {
      app.SettingsFileUnreadable = true;
      std::string name = platform::FilePart(app.SettingsFilePath);
      warning = name + app.Messages[kSettingsFileUnreadable] + name + ".bad";
    }
  }
  std::string refusal = LoadMessages(app);
  if (warning.empty()) warning = refusal;
  app.LinkStatusLine = NotConnectedLine(app.Messages);
  PrepareStatusLines(app);
  // Status line 3 carries a warning of the start-up in place of the keyword count.
  if (!warning.empty()) app.Status[3] = warning;
  app.QuitRequested = false;
  if (!app.SlaveMode) app.Terminal->SetTitle(app.Messages[kCalvernTitle] + kVersionText);
  return kStartupOk;
}

}  // namespace calvern
