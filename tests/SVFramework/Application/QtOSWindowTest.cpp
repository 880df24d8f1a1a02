#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDropEvent>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Gui/EventLoop.h"
#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/QtOSWindow.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Controls/FileDropper.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "tests/Support/Application/FakeShellApplication.h"
#include "tests/Support/Application/ProbeControl.h"
#include "tests/Support/Application/QtWait.h"
#include "tests/Support/Application/XvfbDisplay.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using Lines = std::vector<std::string>;
using Testing::FakeShellApplication;
using Testing::ProbeControl;
using Testing::ProbeLog;
using Testing::WaitFor;

// One X server and one Qt application on it for the whole test program, whose windows
// record their frames in a paint log.
class XvfbEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    paintLog = folder.PathOf("paints.log");
    setenv("SV_PAINT_LOG", paintLog.c_str(), 1);
    display = std::make_unique<Testing::XvfbDisplay>();
    ASSERT_FALSE(display->Name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", display->Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    static int argc = 1;
    static char name[] = "SVOSWindowTests";
    static char* argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
  }
  void TearDown() override {
    delete application;
    display.reset();
  }

  Testing::TemporaryFolder folder;
  std::string paintLog;
  std::unique_ptr<Testing::XvfbDisplay> display;
  QGuiApplication* application = nullptr;
};

auto* const gXvfb = static_cast<XvfbEnvironment*>(::testing::AddGlobalTestEnvironment(new XvfbEnvironment));

// The lines of the paint log so far.
Lines PaintLogLines() {
  std::ifstream file(gXvfb->paintLog);
  Lines lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// A shown, active main window of 320 x 200 on the raster back end, whose root control
// holds a (10,10 100x50) and b (200,10 100x50).
class QtOSWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    OSWindowOptions options;
    options.title = u"Corvex test";
    options.clientRect = {40, 40, 320, 200};
    options.mainWindow = true;
    options.savePlacement = [this](const WindowPlacement& placement) { saved.push_back(placement); };
    window = static_cast<OSWindow*>(CreateOSWindow(options));
    ASSERT_EQ(window->CreateRenderer(RendererType::GdiPlus), S_OK);
    root = ProbeControl::Make(log, nullptr, u"root", {0, 0, 320, 200});
    a = ProbeControl::Make(log, root, u"a", {10, 10, 100, 50});
    b = ProbeControl::Make(log, root, u"b", {200, 10, 100, 50});
    window->GetRootWindow()->SetRootControlObject(root);
    window->show();
    window->requestActivate();
    ASSERT_TRUE(WaitFor([&] { return window->isExposed() && window->isActive(); }));
    log.lines.clear();
  }
  void TearDown() override {
    if (window) window->Close();
    root->Detach();
  }
  void Send(QEvent& event) { QCoreApplication::sendEvent(window, &event); }
  void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text = QString(),
           bool repeat = false) {
    QKeyEvent event(type, key, modifiers, 0, 0, 0, text, repeat);
    Send(event);
  }
  void Mouse(QEvent::Type type, QPointF point, Qt::MouseButton button, Qt::MouseButtons held,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier, ulong time = 1000) {
    QMouseEvent event(type, point, window->mapToGlobal(point), button, held, modifiers);
    event.setTimestamp(time);
    Send(event);
  }
  void Wheel(QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(QPointF(20, 20), window->mapToGlobal(QPointF(20, 20)), QPoint(), angle, Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    Send(event);
  }

  FakeShellApplication application;
  ProbeLog log;
  OSWindow* window = nullptr;
  RCPtr<ProbeControl> root, a, b;
  std::vector<WindowPlacement> saved;
};

TEST_F(QtOSWindowTest, AKeyPressBecomesAKeyDownWordAndThenOneCharacterPerUnitOfItsText) {
  a->focusable = true;
  a->SetFocus(true);
  log.lines.clear();
  Key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_qs);
  Key(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, u"a"_qs);
  EXPECT_EQ(log.lines, (Lines{"a:Key 65", "a:Key 0", "a:Key 65"}));
}

TEST_F(QtOSWindowTest, KeyWordsCarryTheKeyDownBitThePreviousStateAndTheModifiers) {
  std::vector<KeyCode> keys;
  class Recorder : public LControl {
  public:
    Recorder(std::vector<KeyCode>& keys) : LControl(nullptr, u"recorder"), mKeys(keys) {}
    SVRESULT OnKeyPress(const RCPtr<LKeyParam>& key) override {
      mKeys.push_back(key->key);
      return S_OK;
    }
    std::vector<KeyCode>& mKeys;
  };
  const RCPtr<LControl> recorder(new Recorder(keys));
  window->GetRootWindow()->SetFocusControl(recorder);

  Key(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
  Key(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, u"\x13"_qs, true);
  Key(QEvent::KeyRelease, Qt::Key_S, Qt::ControlModifier, u"\x13"_qs, true);
  Key(QEvent::KeyRelease, Qt::Key_S, Qt::ControlModifier, u"\x13"_qs);
  Key(QEvent::KeyPress, Qt::Key_C, Qt::MetaModifier, u"c"_qs);

  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[0].code, KeyCode::kKeyDown | KeyCode::kAlt | 0x730000u);
  EXPECT_EQ(keys[1].code, KeyCode::kKeyDown | KeyCode::kCtrl | 0x530000u);
  EXPECT_EQ(keys[1].previousState, 1);
  EXPECT_EQ(keys[2].code, KeyCode::kCtrl | 0x13u);
  EXPECT_EQ(keys[3].code, KeyCode::kCtrl | 0x530000u);
  EXPECT_EQ(keys[3].previousState, 1);
  EXPECT_EQ(keys[4].GetVirtualKey(), 0x43u);
  window->GetRootWindow()->SetFocusControl(nullptr);
}

TEST_F(QtOSWindowTest, PressesMovesAndReleasesReachTheControlsInTheirOwnCoordinates) {
  a->captureOnPress = true;
  Mouse(QEvent::MouseMove, {20, 30}, Qt::NoButton, Qt::NoButton);
  Mouse(QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier, 1000);
  Mouse(QEvent::MouseMove, {400, 300}, Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {400, 300}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(log.lines, (Lines{"a:Enter", "a:Move (10,20)", "a:Down 1 (10,20) dbl=0", "a:Leave", "a:Move (390,290)",
                              "a:Up 1 (390,290) dbl=0"}));
}

// A click on a window that another window holds the activation from (a dialog that
// just closed, another program) reaches its control at once and activates the window;
// without the press, an inactive window takes no input.
TEST_F(QtOSWindowTest, AClickOnAnInactiveWindowReachesItsControlAndActivatesTheWindow) {
  OSWindowOptions options;
  options.title = u"Other";
  options.clientRect = {400, 40, 100, 100};
  auto* other = static_cast<OSWindow*>(CreateOSWindow(options));
  other->show();
  other->requestActivate();
  ASSERT_TRUE(WaitFor([&] { return other->isActive() && !window->isActive(); }));
  a->captureOnPress = true;
  log.lines.clear();
  Mouse(QEvent::MouseMove, {20, 30}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(log.lines, Lines{}) << "an inactive window took a move";
  Mouse(QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {20, 30}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(log.lines, (Lines{"a:Enter", "a:Down 1 (10,20) dbl=0", "a:Up 1 (10,20) dbl=0"}));
  EXPECT_TRUE(WaitFor([&] { return window->isActive(); }));
  other->Close();
}

TEST_F(QtOSWindowTest, ASecondPressSoonAtThePlaceArrivesOnceFlaggedAsADoubleClick) {
  a->captureOnPress = true;
  Mouse(QEvent::MouseMove, {20, 30}, Qt::NoButton, Qt::NoButton);
  Mouse(QEvent::MouseButtonPress, {20, 30}, Qt::RightButton, Qt::RightButton, Qt::NoModifier, 1000);
  Mouse(QEvent::MouseButtonRelease, {20, 30}, Qt::RightButton, Qt::NoButton, Qt::NoModifier, 1050);
  Mouse(QEvent::MouseButtonPress, {20, 30}, Qt::RightButton, Qt::RightButton, Qt::NoModifier, 1100);
  Mouse(QEvent::MouseButtonDblClick, {20, 30}, Qt::RightButton, Qt::RightButton, Qt::NoModifier, 1100);
  Mouse(QEvent::MouseButtonRelease, {20, 30}, Qt::RightButton, Qt::NoButton, Qt::NoModifier, 1150);
  EXPECT_EQ(log.lines, (Lines{"a:Enter", "a:Move (10,20)", "a:Down 4 (10,20) dbl=0", "a:Up 4 (10,20) dbl=0",
                              "a:Down 4 (10,20) dbl=1", "a:Up 4 (10,20) dbl=1"}));
}

TEST_F(QtOSWindowTest, WheelDeltasAreSummedIntoStepsPerAxis) {
  Mouse(QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::NoButton);
  log.lines.clear();
  for (int i = 0; i < 3; ++i) Wheel({0, 40});
  Wheel({0, -360}, Qt::ControlModifier);
  Wheel({-120, 0});
  EXPECT_EQ(log.lines, (Lines{"a:Wheel 1 (20,20)", "a:Wheel 0 (20,20)", "a:HWheel 3 (20,20)"}));
}

TEST_F(QtOSWindowTest, APositiveHorizontalAngleIsALeftTiltAndANegativeOneARightTilt) {
  Mouse(QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::NoButton);
  log.lines.clear();
  Wheel({120, 0});
  Wheel({-120, 0});
  EXPECT_EQ(log.lines, (Lines{"a:HWheel 2 (20,20)", "a:HWheel 3 (20,20)"}));
}

TEST_F(QtOSWindowTest, TheWindowManagersCloseOfTheMainWindowIsTheApplicationsExitRequest) {
  int exitRequests = 0;
  class ExitListener : public LNotificationClient {
  public:
    explicit ExitListener(int& count) : mCount(count) {}
    int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
      ++mCount;
      return 0;
    }
    int& mCount;
  };
  const RCPtr<ExitListener> listener(new ExitListener(exitRequests));
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  listener->Subscribe(RCPtr<LNotificationDistributor>(center.Get()), u"NID_APP_EXIT_REQ");
  QCloseEvent close;
  Send(close);
  center->Process(false);
  EXPECT_EQ(exitRequests, 1);
  EXPECT_TRUE(window->isVisible());
  listener->UnsubscribeAll();
}

TEST_F(QtOSWindowTest, ClosingTheMainWindowSavesItsPlacement) {
  window->Close();
  window = nullptr;
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].rect.width, 320);
  EXPECT_EQ(saved[0].rect.height, 200);
  EXPECT_EQ(application.GetRootWindowCount(), 0u);
}

TEST_F(QtOSWindowTest, ARestoredPlacementOffTheScreenComesBackOnIt) {
  window->RestorePlacement({{-200, 40, 5000, 300}, true, false});
  ASSERT_TRUE(WaitFor([&] { return window->geometry().width() == 1280; }));
  EXPECT_EQ(window->geometry().x(), 0);
}

TEST_F(QtOSWindowTest, AnExceptionFromAHandlerOutsideOurLoopsStopsAtTheWindowAndEndsTheNextLoop) {
  a->throwOnPress = true;
  Mouse(QEvent::MouseMove, {20, 30}, Qt::NoButton, Qt::NoButton);
  EXPECT_NO_THROW(Mouse(QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton));
  int idleCalls = 0;
  ::Platform::Gui::EventLoop next([&](int) { return ++idleCalls, false; });
  EXPECT_THROW(next.Run(), std::runtime_error);
  EXPECT_EQ(idleCalls, 0);
  EXPECT_FALSE(::Platform::Gui::EventLoop::TakeKept()) << "reported once";
}

TEST_F(QtOSWindowTest, TheWindowShowsTheProgramsIconAtTheSizesWindowManagersAskFor) {
  const QIcon icon = window->icon();
  ASSERT_FALSE(icon.isNull());
  for (const int size : {16, 32, 48}) EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
  EXPECT_EQ(icon.pixmap(QSize(32, 32)).toImage().pixel(0, 0) >> 24, 0u) << "drawn on a transparent ground";
}

TEST_F(QtOSWindowTest, ACursorFromTheApplicationsTableShowsItsShapeAndTheCallAnswersThePreviousOne) {
  window->SetCursor(FrameworkCursorForName(u"UI_CURSOR_ARROW"));
  EXPECT_EQ(window->SetCursor(FrameworkCursorForName(u"UI_CURSOR_HAND")), kCursorArrow);
  EXPECT_EQ(window->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(window->SetCursor(kCursorArrow), kCursorHand);
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(QtOSWindowTest, AnExceptionFromAHandlerEndsTheRunningMessageLoopWhichRethrowsIt) {
  a->throwOnPress = true;
  ::Platform::Gui::EventLoop loop([](int) { return false; });
  QObject timers;
  QTimer::singleShot(5000, &timers, [&] { loop.Quit(7); });
  QTimer::singleShot(0, &timers, [&] { Mouse(QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton); });
  EXPECT_THROW(loop.Run(), std::runtime_error);
  EXPECT_FALSE(::Platform::Gui::EventLoop::TakeKept());
}

// Window pixels as the X server shows them: 0xRRGGBB.
uint32_t ScreenPixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

TEST_F(QtOSWindowTest, APaintShowsTheTreeAndARepaintChangesOnlyTheInvalidatedControl) {
  root->fill = Color::FromARGB(0xFF203040);
  a->fill = Color::FromARGB(0xFFE0A020);
  b->fill = Color::FromARGB(0xFF30C060);
  window->GetRootWindow()->RedrawAll();
  const auto grab = [&] { return window->screen()->grabWindow(window->winId()).toImage(); };
  ASSERT_TRUE(WaitFor([&] { return ScreenPixel(grab(), 250, 30) == 0x30C060u; }));

  log.lines.clear();
  a->fill = Color::FromARGB(0xFFC02040);
  b->fill = Color::FromARGB(0xFF0000FF);
  a->InvalidateRect({0, 0, 100, 50}, true);
  ASSERT_TRUE(WaitFor([&] { return ScreenPixel(grab(), 50, 30) == 0xC02040u; }));
  const QImage shown = grab();
  EXPECT_EQ(ScreenPixel(shown, 250, 30), 0x30C060u) << "b was not invalidated and keeps its pixels";
  EXPECT_EQ(ScreenPixel(shown, 5, 150), 0x203040u);
  EXPECT_EQ(log.lines, (Lines{"root:Paint clip 10,10,100,50", "a:Paint clip 10,10,100,50"}));

  QDir().mkpath(SV_SCREENSHOT_FOLDER);
  EXPECT_TRUE(shown.save(QString(SV_SCREENSHOT_FOLDER) + "/OSWindow.png"));
}

TEST_F(QtOSWindowTest, PaintingPendingChangesNowDrawsThemAtOnceAndTheLaterPlatformUpdateDrawsNothingMore) {
  window->GetRootWindow()->RedrawAll();
  log.lines.clear();
  window->PaintPendingNow();
  EXPECT_TRUE(log.lines.empty()) << "nothing was pending";

  a->InvalidateRect({0, 0, 100, 50}, true);
  window->PaintPendingNow();
  EXPECT_EQ(log.lines, (Lines{"root:Paint clip 10,10,100,50", "a:Paint clip 10,10,100,50"}));
  const Lines frames = PaintLogLines();
  ASSERT_FALSE(frames.empty());
  EXPECT_NE(frames.back().find(" " + std::to_string(window->winId()) + " 10 10 100 50 "), std::string::npos)
      << "the paint log names the window and the area shown: " << frames.back();

  QEvent lateUpdate(QEvent::UpdateRequest);
  Send(lateUpdate);
  EXPECT_EQ(PaintLogLines().size(), frames.size()) << "the late update presented an empty frame";
}

// A control that takes dropped files and keeps their paths.
class FileTarget : public LControl {
public:
  FileTarget(const RCPtr<LControl>& parent, RectT<double> rect) : LControl(parent, u"files") { SetRectDirect(rect); }
  // Hit wherever it lies, as the probes are.
  RCPtr<LControl> HitTest(PointT<int32_t> point, bool, PointT<int32_t>& local, int32_t&) override {
    local = point;
    return RCPtr<LControl>(this);
  }
  bool CanAcceptDrop(const RCPtr<LControl>& dragged) override {
    return dynamic_cast<LFileDropper*>(dragged.Get()) != nullptr;
  }
  SVRESULT AcceptDrop(const RCPtr<LControl>& dragged) override {
    const auto* token = dynamic_cast<LFileDropper*>(dragged.Get());
    for (uint32_t i = 0; i < token->GetFiles().GetCount(); ++i)
      paths.push_back(token->GetFiles()[i].ToUTF8().GetString());
    return S_OK;
  }
  std::vector<std::string> paths;
};

TEST_F(QtOSWindowTest, FilesDroppedFromOutsideReachTheControlThatAcceptsThemAndNoOther) {
  const RCPtr<FileTarget> target(new FileTarget(root, {10, 100, 100, 50}));
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile("/tmp/first preset.corvex"), QUrl("https://example.invalid/x"),
                 QUrl::fromLocalFile("/tmp/second.corvex")});
  const struct {
    const char* where;
    QPointF point;
    bool accepted;
  } cases[] = {{"on the target", {50, 120}, true}, {"on a control that takes no files", {50, 30}, false}};
  for (const auto& c : cases) {
    target->paths.clear();
    QDragEnterEvent enter(c.point.toPoint(), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    Send(enter);
    EXPECT_EQ(enter.isAccepted(), c.accepted) << c.where;
    QDropEvent drop(c.point, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    Send(drop);
    EXPECT_EQ(drop.isAccepted(), c.accepted) << c.where;
    EXPECT_EQ(target->paths, c.accepted ? (Lines{"/tmp/first preset.corvex", "/tmp/second.corvex"}) : Lines{})
        << c.where;
  }
  target->Detach();
}

}  // namespace
}  // namespace SV
