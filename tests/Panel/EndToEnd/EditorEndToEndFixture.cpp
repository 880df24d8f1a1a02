#include "tests/Panel/EndToEnd/EditorEndToEndFixture.h"

#include <filesystem>

#include "tests/Support/EndToEnd/ProgramLaunch.h"

namespace Testing::EndToEnd {
namespace {

// Where the titles of the main menu lie in the main window at 96 dots per inch (the
// high-resolution skin doubles every coordinate).
constexpr int kFileTitleX = 20, kFileTitleY = 10;
constexpr int kHelpTitleX = 60, kHelpTitleY = 10;

// How many times Down moves from the top of the File menu to the entry.
int StepsTo(FileCommand command) { return static_cast<int>(command); }

}  // namespace

void EditorEndToEnd::SetUp() {
  JackServerFixture::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(XdoInput::Available()) << "xdotool is not installed (scripts/setup installs it)";
  ASSERT_FALSE(mHome.Path().empty());
  mDisplay = std::make_unique<SV::Testing::XvfbDisplay>("1920x1200x24");
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
  // The JACK clients go before the server.
  StopEditor();
  mController.reset();
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
  mEditor.reset();
  mMain = 0;
}

int EditorEndToEnd::ScreenX(int x) const {
  return const_cast<EditorEndToEnd*>(this)->MainPlace().x + x * mDotsPerInch / 96;
}

int EditorEndToEnd::ScreenY(int y) const {
  return const_cast<EditorEndToEnd*>(this)->MainPlace().y + y * mDotsPerInch / 96;
}

bool EditorEndToEnd::Choose(FileCommand command) {
  if (!mInput->Click(ScreenX(kFileTitleX), ScreenY(kFileTitleY))) return false;
  for (int step = 0; step < StepsTo(command); ++step)
    if (!mInput->Key("Down")) return false;
  return mInput->Key("Return");
}

bool EditorEndToEnd::ChooseAbout() {
  return mInput->Click(ScreenX(kHelpTitleX), ScreenY(kHelpTitleY)) && mInput->Key("Return");
}

std::optional<XSession::Window> EditorEndToEnd::WaitForWindow(const std::string& title) {
  const std::optional<XSession::Window> window = mX->WaitForWindowTitled(title, kLimit);
  EXPECT_TRUE(window) << "no window \"" << title << "\" showed; the editor's log:\n" << EditorLog();
  return window;
}

bool EditorEndToEnd::Confirm(XSession::Window window) {
  return mInput->Key("Return") && mX->WaitUntilGone(window, kLimit);
}

bool EditorEndToEnd::WaitForPaintAfter(size_t count) {
  return mPaints->WaitFor([](const PaintRecord&) { return true; }, count, kLimit).has_value();
}

void EditorEndToEnd::Picture(const std::string& name, XSession::Window window) {
  std::error_code ignored;
  std::filesystem::create_directories(SV_SCREENSHOT_FOLDER, ignored);
  EXPECT_TRUE(mX->SavePicture(mX->PlaceOf(window), std::string(SV_SCREENSHOT_FOLDER) + "/" + name + ".png"))
      << name;
}

std::string EditorEndToEnd::EditorLog() const { return ReadTextFile(mHome.PathOf("editor.log")); }

}  // namespace Testing::EndToEnd
