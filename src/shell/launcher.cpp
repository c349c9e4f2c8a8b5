#include "shell/launcher.h"

#include <optional>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace calvern {
namespace {

// A program path with a directory is made absolute first: it starts in another directory.
std::string ProgramPath(const Application& app, const std::string& program) {
  if (program.find_first_of("/\\") == std::string::npos) return program;
  return platform::AbsolutePath(program, app.CurrentDirectory);
}

void ShowHint(Application& app, int first, int second) {
  platform::Console& console = *app.Terminal;
  console.PrintLine("");
  console.PrintLine("   " + app.Messages[first]);
  console.PrintLine("   " + app.Messages[second]);
  console.PrintLine("");
  console.PrintLine("   " + app.Messages[kNoProgramToSend] + app.Messages[kPressEnter]);
  console.ReadLine();
}

}  // namespace

bool OpenWithEditor(Application& app, const std::string& file) {
  // "code --wait": the program, then the arguments of the setting, then the file.
  std::optional<platform::ProgramCommand> editor =
      platform::ReadProgramSetting(app.Config.EditorPath, app.CurrentDirectory);
  if (!editor) return false;
  std::string directory = platform::DirectoryPart(editor->program);
  // The editor runs in its own directory: hand it the file's full path. Without a file it
  // starts with the setting's arguments alone.
  std::vector<std::string> arguments = editor->arguments;
  if (!file.empty()) arguments.push_back(platform::AbsolutePath(file, app.CurrentDirectory));
  // A terminal editor needs the terminal to itself: the menu waits and is drawn again after.
  return platform::RunProgramAndWait(ProgramPath(app, editor->program), arguments,
                                     platform::AbsolutePath(directory, app.CurrentDirectory));
}

void LaunchEmulator(Application& app, const std::string& emulator) {
  platform::Console& console = *app.Terminal;
  const MessageTable& m = app.Messages;
  console.Clear();
  if (emulator.empty()) {
    console.PrintLine("");
    console.PrintLine("   " + m[kSelectEmulatorFirst]);
    console.PrintLine("   " + m[kUsingOption5]);
    console.PrintLine("");
    console.PrintLine("  " + m[kPressEnter]);
    console.ReadLine();
    return;
  }
  // "wine /opt/emk/emk.exe": the program, then the arguments of the setting, then "-p".
  std::optional<platform::ProgramCommand> command =
      platform::ReadProgramSetting(emulator, app.CurrentDirectory);
  std::vector<std::string> arguments = command ? command->arguments : std::vector<std::string>{};
  arguments.push_back("-p");
  std::string directory = app.CurrentDirectory;
  app.Status[1] = "  " + m[kEmulatorRunning];
  const MkFilesWritten& files = app.LastBuild.mkFiles;
  if (!app.LastBuild.compiledOk) {
    ShowHint(app, kYouMustFirstProceedTo, kASuccessfulCompilation);
  } else if (files.mkp.empty()) {
    ShowHint(app, kNoMkFilesCreated, kAddMkFiles2);
  } else {
    for (const std::string& name : {files.mkp, files.mkb, files.mkd}) {
      if (!name.empty()) arguments.push_back(platform::FilePart(name));
    }
    directory = platform::AbsolutePath(platform::DirectoryPart(files.mkp), app.CurrentDirectory);
    app.Status[1] += " " + platform::FilePart(files.mkp);
  }
  app.Status[1] += "...";
  // A terminal closed during the hint ends the run: nothing more is started. A setting that
  // can't be read (a quote left open) starts nothing either.
  if (console.InputEnded() || !command) return;
  platform::StartProgram(ProgramPath(app, command->program), arguments, directory);
}

}  // namespace calvern
