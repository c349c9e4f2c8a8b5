// The two ways Windows users take Calvern: calvern-setup.exe, installed silently for the current
// user, used, and uninstalled without a trace; and the portable zip, used where it is unpacked.
#include <gtest/gtest.h>

#include <map>

#include "windows/wine_desktop.h"

namespace calvern_test {
namespace {

constexpr const char* kConsoleTitle = "Calvern V1.09 11/2015";

// A Windows program run under Wine in `dir`, with its whole exit code.
RunResult RunUnderWine(const TempDir& dir, const std::vector<std::string>& programAndArguments) {
  std::vector<std::string> words = {WineLoader(), WindowsProgram("exit_code_relay.exe")};
  words.insert(words.end(), programAndArguments.begin(), programAndArguments.end());
  RunResult run = RunCommandIn(words, dir);
  ReportRunnerSymptoms(run);
  return run;
}

// The Wine user's folder, drive_c/users/NAME (the only one but Public).
fs::path UserFolder() {
  for (const auto& entry : fs::directory_iterator(WinePrefix() / "drive_c" / "users")) {
    if (entry.path().filename() != "Public") return entry.path();
  }
  return {};
}

// Every file and folder under drive_c, relative to it.
std::vector<std::string> DriveCContents() {
  std::vector<std::string> paths;
  fs::path driveC = WinePrefix() / "drive_c";
  for (const auto& entry : fs::recursive_directory_iterator(driveC)) {
    paths.push_back(entry.path().lexically_relative(driveC).generic_string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

// The folder ~nsuN.tmp in the temporary folder, where an NSIS uninstaller runs a copy of
// itself so that it can remove its own program file.
bool IsUninstallerFolder(const fs::path& path) {
  std::string name = path.filename().string();
  return path.parent_path().filename() == "Temp" && name.starts_with("~nsu") &&
         name.ends_with(".tmp") && fs::is_directory(path);
}

// The user's part of the registry, as `reg export` writes it. Wine's `reg` once left no file
// at all in a CI run, with no sign of why: an export that writes nothing is tried again, and
// after three such the test fails with what the last one said.
std::string UserRegistry(const TempDir& dir) {
  RunResult exported;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::error_code ignored;
    fs::remove(dir.path() / "user.reg", ignored);
    exported = RunCommandIn(
        {WineLoader(), "reg", "export", "HKCU", WindowsPath(dir.path() / "user.reg"), "/y"}, dir);
    const std::string registry = dir.Read("user.reg");
    if (!registry.empty()) return registry;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
  ADD_FAILURE() << "reg export HKCU wrote nothing: exit code " << exported.exitCode << ", "
                << exported.output << exported.errorOutput;
  return {};
}

std::string UserPath(const TempDir& dir) {
  return RunCommandIn({WineLoader(), "reg", "query", "HKCU\\Environment", "/v", "Path"}, dir)
      .output;
}

// What the Linux program writes for a source: the listing and the MK files.
std::map<std::string, std::string> LinuxOutputs(const std::string& sourceText) {
  TempDir dir;
  dir.Write("prog.txt", sourceText);
  EXPECT_EQ(RunCommandIn({CALVERN_BINARY, "compile", "prog.txt", "--mk"}, dir).exitCode, 0);
  std::map<std::string, std::string> outputs;
  for (const char* extension : {"LST", "MKP", "MKB", "MKD"}) {
    outputs[extension] = dir.Read(std::string("prog.") + extension);
  }
  return outputs;
}

TEST(WindowsInstaller, InstallsRunsAndUninstallsWithoutATrace) {
  TempDir work;
  // The user's own PATH entry must survive the PATH entry of Calvern coming and going.
  RunCommandIn({WineLoader(), "reg", "add", "HKCU\\Environment", "/v", "Path", "/t",
                "REG_EXPAND_SZ", "/d", "C:\\tools", "/f"},
               work);
  const std::vector<std::string> filesBefore = DriveCContents();
  const std::string registryBefore = UserRegistry(work);
  ASSERT_FALSE(registryBefore.empty());

  RunResult install = RunUnderWine(work, {WindowsProgram("calvern-setup.exe"), "/S", "/PATH"});
  ASSERT_EQ(install.fullExitCode, 0) << install.errorOutput;
  const fs::path user = UserFolder();
  const fs::path installed = user / "AppData" / "Local" / "Programs" / "Calvern";
  const fs::path menu = user / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" /
                        "Programs" / "Calvern";
  for (const char* file : {"calvern.exe", "fr.LOC", "ru.LOC", "LICENSE.txt", "README.txt",
                           "uninstall.exe", "examples/quadratic.txt", "examples/menu_icon.png"}) {
    EXPECT_TRUE(fs::is_regular_file(installed / file)) << file;
  }
  EXPECT_TRUE(fs::is_regular_file(menu / "Calvern.lnk"));
  EXPECT_TRUE(fs::is_regular_file(menu / "Calvern manual.lnk"));
  // The manual, written by the installed program, is the Linux program's.
  TempDir manual;
  ASSERT_EQ(RunCommandIn({CALVERN_BINARY, "help", "-o", "manual.txt"}, manual).exitCode, 0);
  EXPECT_EQ(ReadFileBytes((installed / "calvern-help.txt").string()), manual.Read("manual.txt"));
  EXPECT_NE(UserPath(work).find("C:\\tools;" + WindowsPath(installed) + "\r\n"), std::string::npos)
      << UserPath(work);

  // The installed program compiles an installed example as the Linux program does.
  const std::string example = ReadFileBytes((installed / "examples" / "quadratic.txt").string());
  work.Write("prog.txt", example);
  RunResult compile =
      RunUnderWine(work, {(installed / "calvern.exe").string(), "compile", "prog.txt", "--mk"});
  EXPECT_EQ(compile.fullExitCode, 0) << compile.errorOutput;
  for (const auto& [extension, bytes] : LinuxOutputs(example)) {
    EXPECT_EQ(work.Read("prog." + extension), bytes) << extension;
  }

  // The Start-menu entry opens the menu in the Documents folder, where its settings go.
  RunCommandIn({WineLoader(), "start", WindowsPath(menu / "Calvern.lnk")}, work);
  ASSERT_TRUE(Desktop::Find(kConsoleTitle));
  ASSERT_TRUE(Desktop::Type(kConsoleTitle, "0\n"));
  EXPECT_TRUE(Desktop::Gone(kConsoleTitle));
  const fs::path settings = user / "Documents" / "calvern.inf";
  EXPECT_TRUE(fs::is_regular_file(settings));
  std::error_code ignored;
  fs::remove(settings, ignored);  // the user's own file: no uninstaller takes it

  // Uninstalled as Windows' list of programs does it: the uninstaller by its Windows name. It
  // goes on in a copy of itself after the first one ends.
  // Its registration goes last.
  RunUnderWine(work, {WindowsPath(installed / "uninstall.exe"), "/S"});
  const std::string uninstallKey =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Calvern";
  for (int i = 0; i < 300; ++i) {
    if (!fs::exists(installed) &&
        RunCommandIn({WineLoader(), "reg", "query", uninstallKey}, work).exitCode != 0) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  // The copy leaves itself to Windows to delete at the next restart, as it leaves its folder.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  RunCommandIn({WineLoader(), "wineboot", "--restart"}, work);
  EXPECT_FALSE(fs::exists(installed));
  EXPECT_FALSE(fs::exists(menu));
  EXPECT_NE(UserPath(work).find("    Path    REG_EXPAND_SZ    C:\\tools\r\n"), std::string::npos)
      << UserPath(work);
  EXPECT_EQ(UserRegistry(work), registryBefore);
  // Nothing else is left but the empty folder of the uninstaller's copy in the temporary
  // folder: the restart deletes the folder, marked first, before the file in it.
  std::vector<std::string> filesBeforeButCopies = filesBefore, filesAfter = DriveCContents();
  for (std::vector<std::string>* files : {&filesBeforeButCopies, &filesAfter}) {
    std::erase_if(*files, [](const std::string& path) {
      fs::path full = WinePrefix() / "drive_c" / path;
      return IsUninstallerFolder(full) && fs::is_empty(full);
    });
  }
  std::vector<std::string> added, removed;
  std::set_difference(filesAfter.begin(), filesAfter.end(), filesBeforeButCopies.begin(),
                      filesBeforeButCopies.end(), std::back_inserter(added));
  std::set_difference(filesBeforeButCopies.begin(), filesBeforeButCopies.end(), filesAfter.begin(),
                      filesAfter.end(), std::back_inserter(removed));
  EXPECT_EQ(added, std::vector<std::string>{});
  EXPECT_EQ(removed, std::vector<std::string>{});
}

// The zip unpacked anywhere: the program runs from there and finds its translations beside
// itself, whatever the current folder.
TEST(WindowsInstaller, PortableZipRunsWhereItIsUnpacked) {
  DriveCFolder folder("calvern-tests/portable");
  fs::path zip;
  for (const auto& entry : fs::directory_iterator(WindowsBuild())) {
    if (entry.path().filename().string().ends_with("-windows.zip")) zip = entry.path();
  }
  ASSERT_FALSE(zip.empty()) << "no portable zip in " << WindowsBuild();
  TempDir unpack;
  ASSERT_EQ(RunCommandIn({"cmake", "-E", "chdir", folder.path().string(), "cmake", "-E", "tar",
                          "xf", zip.string()},
                         unpack)
                .exitCode,
            0);
  // The zip holds one folder, calvern-VERSION.
  fs::path top = fs::directory_iterator(folder.path())->path();
  for (const char* file :
       {"calvern.exe", "fr.LOC", "ru.LOC", "LICENSE.txt", "README.txt", "examples/sieve.txt"}) {
    EXPECT_TRUE(fs::is_regular_file(top / file)) << file;
  }
  TempDir work;
  work.Write("bad.txt", "ENT\r\nNOPE\r\n");
  RunResult run = RunUnderWine(
      work, {(top / "calvern.exe").string(), "compile", "bad.txt", "--lang", "ru.LOC"});
  EXPECT_EQ(run.fullExitCode, 1);
  // The Russian text of "unknown instruction".
  TempDir linux;
  linux.Write("bad.txt", "ENT\r\nNOPE\r\n");
  fs::copy_file(fs::path(CALVERN_SOURCE_DIR) / "lang" / "ru.LOC", linux.path() / "ru.LOC");
  RunResult expected =
      RunCommandIn({CALVERN_BINARY, "compile", "bad.txt", "--lang", "ru.LOC"}, linux);
  EXPECT_EQ(run.errorOutput, expected.errorOutput);
  EXPECT_NE(expected.errorOutput.find("NOPE"), std::string::npos);
  EXPECT_EQ(expected.errorOutput.find("unknown instruction"), std::string::npos);
}

}  // namespace
}  // namespace calvern_test
