#include "tests/Panel/EndToEnd/EditorEndToEndFixture.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "tests/Support/EndToEnd/ProgramLaunch.h"

namespace Testing::EndToEnd {
void EditorEndToEnd::SetUp() {
  JackServerFixture::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(XdoInput::Available()) << "xdotool is not installed (scripts/setup installs it)";
  ASSERT_FALSE(mHome.Path().empty());
  mDisplay = std::make_unique<SV::Testing::XvfbDisplay>(std::to_string(kScreenWidth) + "x" +
                                                        std::to_string(kScreenHeight) + "x24");
  ASSERT_FALSE(mDisplay->Name().empty()) << "Xvfb did not start";
  std::string error;
  mX = XSession::Open(mDisplay->Name(), error);
  ASSERT_NE(mX, nullptr) << error;
  mInput = std::make_unique<XdoInput>(mDisplay->Name());
  mController = ControllerProcess::Start(SV_CONTROLLER_PROGRAM, error);
  ASSERT_NE(mController, nullptr) << error;
  ASSERT_TRUE(StartEditor(96));
}

void EditorEndToEnd::TearDown() {
  // The JACK clients go before the server; the controller first, while the editor
  // still answers its server.
  mController.reset();
  StopEditor();
  mX.reset();
  mDisplay.reset();
  JackServerFixture::TearDown();
}

bool EditorEndToEnd::StartEditor(int dotsPerInch) {
  StopEditor();
  mDotsPerInch = dotsPerInch;
  const std::string paintLog = mHome.PathOf("paints-" + std::to_string(dotsPerInch) + ".log");
  mPaints = std::make_unique<PaintLog>(paintLog);
  std::string error;
  mEditor = StartProgram({.program = SV_EDITOR_PROGRAM,
                          .arguments = {},
                          .display = mDisplay->Name(),
                          .home = mHome.Path(),
                          .dotsPerInch = dotsPerInch,
                          .paintLog = paintLog,
                          .logPath = mHome.PathOf("editor.log")},
                         error);
  EXPECT_NE(mEditor, nullptr) << error;
  if (!mEditor) return false;
  const std::optional<XSession::Window> main = mX->WaitForWindowTitled(kMainTitle, kLimit);
  EXPECT_TRUE(main) << "the main window did not show; the editor's log:\n" << EditorLog();
  if (!main) return false;
  mMain = *main;
  const bool painted = mPaints->WaitForFirstPaint(kMainTitle, kLimit).has_value();
  EXPECT_TRUE(painted) << "the main window never painted; the editor's log:\n" << EditorLog();
  return painted;
}

void EditorEndToEnd::StopEditor() {
  // Closed as a user closes it, so that it leaves JACK in order: a JACK client killed
  // inside the JACK library can leave the library's shared state locked for every
  // process of the machine. A program that does not end is killed after the bound.
  if (mEditor && mMain != 0) {
    // Dialogs and message boxes a test left open close first, from the top, as their
    // close boxes close them: the main window does not close over a modal window.
    const std::vector<XSession::Window> windows = mX->TopLevelWindows();
    for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
      if (*window == mMain || mX->TitleOf(*window).empty()) continue;
      mX->RequestClose(*window);
      mX->WaitUntilGone(*window, std::chrono::seconds(5));
    }
    mX->RequestClose(mMain);
    mEditor->WaitForExit(std::chrono::seconds(10));
  }
  mEditor.reset();
  mMain = 0;
}

bool EditorEndToEnd::Click(EditorPlace place) {
  const ScreenRect main = MainPlace();
  const EditorPlace scaled = place.At(mDotsPerInch);
  return mInput->Click(main.x + scaled.x, main.y + scaled.y);
}

bool EditorEndToEnd::Choose(FileCommand command) {
  // The two file commands have their keys, which a user takes as often as the menu.
  // Keys go to the window with the focus, which a closed message box may have left
  // nowhere.
  if (command == FileCommand::OpenPreset) return mInput->Focus(mMain) && mInput->Key("ctrl+o");
  if (command == FileCommand::SavePreset) return mInput->Focus(mMain) && mInput->Key("ctrl+s");
  if (!Click(kFileMenuTitle)) return false;
  for (int step = 0; step < DownStepsTo(command); ++step)
    if (!mInput->Key("Down")) return false;
  return mInput->Key("Return");
}

// About is the Help menu's first entry.
bool EditorEndToEnd::ChooseAbout() { return Click(kHelpMenuTitle) && mInput->Key("Down") && mInput->Key("Return"); }

std::optional<XSession::Window> EditorEndToEnd::WaitForWindow(const std::string& title) {
  const std::optional<XSession::Window> window = mX->WaitForWindowTitled(title, kLimit);
  EXPECT_TRUE(window) << "no window \"" << title << "\" showed; the editor's log:\n" << EditorLog();
  return window;
}

std::optional<XSession::Window> EditorEndToEnd::WaitForOtherWindow() {
  const std::optional<XSession::Window> window =
      mX->WaitForWindow([&](const std::string& title) { return title != kMainTitle; }, kLimit);
  EXPECT_TRUE(window) << "no window besides the main window showed; the editor's log:\n" << EditorLog();
  return window;
}

bool EditorEndToEnd::AnswerFileDialog(const std::string& title, const std::string& path) {
  const std::optional<XSession::Window> dialog = WaitForWindow(title);
  if (!dialog) return false;
  Picture(title == "Select Save Location" ? "file-dialog-save" : "file-dialog-open", *dialog, false);
  // Typed into the dialog itself: without a window manager nothing else gives it the focus.
  return mInput->Focus(*dialog) && mInput->Type(path) && mInput->Key("Return") && mX->WaitUntilGone(*dialog, kLimit);
}

bool EditorEndToEnd::WaitForFile(const std::string& path) {
  const std::filesystem::path file(path);
  const int notify = inotify_init1(IN_CLOEXEC);
  inotify_add_watch(notify, file.parent_path().c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE);
  const auto deadline = std::chrono::steady_clock::now() + kLimit;
  bool found = std::filesystem::exists(file);
  while (!found && std::chrono::steady_clock::now() < deadline) {
    pollfd waiting{notify, POLLIN, 0};
    if (poll(&waiting, 1, 1000) > 0) {
      char events[4096];
      [[maybe_unused]] const ssize_t read_ = read(notify, events, sizeof events);
    }
    found = std::filesystem::exists(file);
  }
  close(notify);
  return found;
}

std::vector<uint32_t> EditorEndToEnd::SettledMainPixels() {
  mX->MoveMouse(kScreenWidth - 1, kScreenHeight - 1);
  // Quiet once no frame came within the span: what the last frame showed stays.
  while (mPaints->WaitFor([](const PaintRecord&) { return true; }, PaintCount(), std::chrono::milliseconds(400)))
    ;
  return mX->Grab(MainPlace());
}

bool EditorEndToEnd::WaitForMainPixels(const std::vector<uint32_t>& expected) {
  const auto deadline = std::chrono::steady_clock::now() + kLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (SettledMainPixels() == expected) return true;
  }
  return false;
}

bool EditorEndToEnd::Confirm(XSession::Window window) {
  return mInput->Key("Return") && mX->WaitUntilGone(window, kLimit);
}

bool EditorEndToEnd::WaitForPaintAfter(size_t count) {
  return mPaints->WaitFor([](const PaintRecord&) { return true; }, count, kLimit).has_value();
}

void EditorEndToEnd::Picture(const std::string& name, XSession::Window window, bool ofEditor) {
  // A window of the editor is pictured once it has presented a frame. A window of Qt's
  // own (message boxes, file dialogs) is not in the paint log and tells nobody when it
  // has drawn: it is looked at every 50 ms until it shows more than one colour.
  const uint64_t id = window;
  if (ofEditor) {
    mPaints->WaitFor([id](const PaintRecord& record) { return record.window == id; }, 0, kLimit);
  } else {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!mX->HasDrawn(window) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::error_code ignored;
  std::filesystem::create_directories(SV_SCREENSHOT_FOLDER, ignored);
  EXPECT_TRUE(mX->SaveWindowPicture(window, std::string(SV_SCREENSHOT_FOLDER) + "/" + name + ".png"))
      << name;
}

std::string EditorEndToEnd::EditorLog() const { return ReadTextFile(mHome.PathOf("editor.log")); }

}  // namespace Testing::EndToEnd
