// The editor as `cmake --install` puts it on a machine: the desktop entry's command,
// found on the PATH of the installed prefix, starts the program and shows its main
// window, and the user guide, the settings library and the icon lie where the program
// and the desktop look: the program keeps its settings in the user's data folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/Support/Application/XvfbDisplay.h"
#include "tests/Support/EndToEnd/ChildProcess.h"
#include "tests/Support/EndToEnd/PaintLog.h"
#include "tests/Support/EndToEnd/ProgramLaunch.h"
#include "tests/Support/TemporaryFolder.h"

namespace Testing::EndToEnd {
namespace {

namespace fs = std::filesystem;
constexpr std::chrono::milliseconds kLimit{60000};

// The value of `key` in the desktop entry's main group; empty when it has none.
std::string DesktopEntryValue(const fs::path& entry, const std::string& key) {
  std::ifstream file(entry);
  std::string line;
  while (std::getline(file, line))
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  return {};
}

// The first line of the text file that begins with `prefix`; empty when none does.
std::string LineStartingWith(const fs::path& file, const std::string& prefix) {
  std::ifstream stream(file);
  std::string line;
  while (std::getline(stream, line))
    if (line.rfind(prefix, 0) == 0) return line;
  return {};
}

TEST(InstalledEditor, TheDesktopEntrysCommandStartsTheInstalledProgramWhichKeepsItsSettings) {
  SV::Testing::TemporaryFolder prefix, home;
  std::string error;
  const std::unique_ptr<ChildProcess> install = ChildProcess::Start(
      {.program = SV_CMAKE_COMMAND,
       .arguments = {"--install", SV_BUILD_FOLDER, "--prefix", prefix.Path()},
       .environment = {},
       .logPath = home.PathOf("install.log")},
      error);
  ASSERT_NE(install, nullptr) << error;
  const std::optional<int> installed = install->WaitForExit(kLimit);
  ASSERT_TRUE(installed && *installed == 0) << ReadTextFile(home.PathOf("install.log"));

  const fs::path root(prefix.Path());
  const fs::path entry = root / "share/applications/corvex-editor.desktop";
  ASSERT_TRUE(fs::exists(entry));
  EXPECT_TRUE(fs::exists(root / "share/icons/hicolor/48x48/apps" / (DesktopEntryValue(entry, "Icon") + ".png")));
  const fs::path command = root / "bin" / DesktopEntryValue(entry, "Exec");
  ASSERT_TRUE(fs::exists(command)) << command;
  const fs::path programFolder = fs::canonical(command).parent_path();
  EXPECT_TRUE(fs::exists(programFolder / "Corvex Editor Setup - v1.2.pdf"));
  EXPECT_TRUE(fs::exists(programFolder / "libIniFileManager.so"));

  SV::Testing::XvfbDisplay display;
  ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
  PaintLog paints(home.PathOf("paints.log"));
  const std::unique_ptr<ChildProcess> editor = StartProgram({.program = command.string(),
                                                             .arguments = {},
                                                             .display = display.Name(),
                                                             .home = home.Path(),
                                                             .dotsPerInch = 96,
                                                             .paintLog = paints.Path(),
                                                             .logPath = home.PathOf("editor.log")},
                                                            error);
  ASSERT_NE(editor, nullptr) << error;
  EXPECT_TRUE(paints.WaitForFirstPaint("Corvex Editor", kLimit))
      << "the installed program showed no main window; its log:\n"
      << ReadTextFile(home.PathOf("editor.log"));
  // Start-up stores the skin it chose for the screen (96 dpi: the standard one, 1).
  const fs::path userSettings = fs::path(home.Path()) / ".local/share/Varkon/Corvex Editor/UserSettings.ini";
  EXPECT_EQ(LineStartingWith(userSettings, "CurrentSkinIndex"), "CurrentSkinIndex=1");
}

}  // namespace
}  // namespace Testing::EndToEnd
