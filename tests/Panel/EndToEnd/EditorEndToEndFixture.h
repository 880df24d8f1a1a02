#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/Support/Application/XvfbDisplay.h"
#include "tests/Support/EndToEnd/ChildProcess.h"
#include "tests/Support/EndToEnd/ControllerProcess.h"
#include "tests/Support/EndToEnd/EditorPlaces.h"
#include "tests/Support/EndToEnd/PaintLog.h"
#include "tests/Support/EndToEnd/XSession.h"
#include "tests/Support/EndToEnd/XdoInput.h"
#include "tests/Support/Midi/JackServerFixture.h"
#include "tests/Support/TemporaryFolder.h"

namespace Testing::EndToEnd {

// The real editor under test: an X server (Xvfb), a JACK server and the simulated
// controller program (a JACK MIDI client named like the controller) of the test's
// own, and the editor program with its home, settings and documents in a temporary
// folder, started at 96 logical dots per inch and waited for until its main window
// has shown. The test drives it with real X input (xdotool) and looks at the screen
// and at what the controller received. Every wait is for an event (a window, a
// frame, a message at the controller) with a generous bound. A test whose name has
// "Jack" in it holds the JACK resource lock.
class EditorEndToEnd : public Midi::JackServerFixture {
protected:
  static constexpr const char* kMainTitle = "Corvex Editor";
  static constexpr std::chrono::milliseconds kLimit{20000};
  // The screen holds the high-resolution skin's main window, with room beside it.
  static constexpr int kScreenWidth = 2560, kScreenHeight = 1600;


  void SetUp() override;
  void TearDown() override;

  // Ends a running editor and starts it again at that resolution; false (with the
  // test failed) when its main window did not show.
  bool StartEditor(int dotsPerInch);
  void StopEditor();

  // The main window's place on the screen, at the present resolution's scale.
  ScreenRect MainPlace() { return mX->PlaceOf(mMain); }
  // Clicks a place of the main window.
  bool Click(EditorPlace place);

  // Runs a File command as a user does: Open and Save with their keys (Ctrl+O,
  // Ctrl+S); the others from the menu, opened with a click on its title, walked to
  // with the arrow keys and taken with Return.
  bool Choose(FileCommand command);
  bool ChooseAbout();

  // A window of the editor with that title, once it is there (message boxes, dialogs).
  std::optional<XSession::Window> WaitForWindow(const std::string& title);
  // A top-level window other than the main window, once there is one.
  std::optional<XSession::Window> WaitForOtherWindow();
  // Runs a file dialog with that title: types the path into its file-name field and
  // takes it with Return; true once the dialog is gone.
  bool AnswerFileDialog(const std::string& title, const std::string& path);
  // Whether the file exists, once it does (it is created, or renamed into place).
  bool WaitForFile(const std::string& path);
  // Presses Return in the window (it has the focus) and waits until it is gone.
  bool Confirm(XSession::Window window);
  // The frames the editor has presented so far.
  size_t PaintCount() { return mPaints->Records().size(); }
  // Waits until the editor has presented a frame after the first `count` frames.
  bool WaitForPaintAfter(size_t count);

  // The main window's pixels once it has stopped changing: no frame for a moment
  // (the pointer is first moved off the window, so that nothing shows a hover look).
  std::vector<uint32_t> SettledMainPixels();
  // Whether the main window shows exactly these pixels within the limit.
  bool WaitForMainPixels(const std::vector<uint32_t>& expected);
  // Writes the window's picture to the build folder's screenshots (NAME.png), once a
  // window of the editor (not one of Qt's own) has shown its first frame.
  void Picture(const std::string& name, XSession::Window window, bool ofEditor = true);

  // The editor's log (its standard output and errors), for failure messages.
  std::string EditorLog() const;
  std::string Documents() const { return mHome.PathOf("Documents"); }

  SV::Testing::TemporaryFolder mHome;
  std::unique_ptr<SV::Testing::XvfbDisplay> mDisplay;
  std::unique_ptr<XSession> mX;
  std::unique_ptr<XdoInput> mInput;
  std::unique_ptr<ControllerProcess> mController;
  std::unique_ptr<ChildProcess> mEditor;
  std::unique_ptr<PaintLog> mPaints;
  XSession::Window mMain = 0;
  int mDotsPerInch = 96;
};

}  // namespace Testing::EndToEnd
