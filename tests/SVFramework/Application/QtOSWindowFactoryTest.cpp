#include <gtest/gtest.h>

#include <QTimer>
#include <QWindow>

#include <string>

#include "SVFramework/Application/QtOSWindow.h"
#include "SVFramework/Application/QtOSWindowFactory.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/Utilities/IniFileManagerProxy.h"
#include "tests/Support/Application/FakeShellApplication.h"
#include "tests/Support/Application/ProbeControl.h"
#include "tests/Support/Application/QtWait.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using Testing::ProbeControl;
using Testing::WaitFor;

// The shell's fake application with a user settings file of the test's own, read and
// written through the real settings library.
class SettingsApplication : public Testing::FakeShellApplication {
public:
  explicit SettingsApplication(const std::string& path) {
    EXPECT_EQ(manager->Load(String(INI_REAL_LIBRARY_FOLDER)), S_OK);
    EXPECT_GE(manager->OpenIniFile(String(path.c_str()), u"1_0_0", u"Corvex Editor", handle), 0);
  }
  ~SettingsApplication() override { manager->CloseIniFile(handle, 0); }
  IIniFileManager* GetIniFileManager() override { return manager.Get(); }
  int32_t OpenSettingsFile(int32_t fileId) override { return fileId == 1 ? handle : 0; }

  RCPtr<LIniFileManager> manager{new LIniFileManager};
  int32_t handle = 0;
};

RCPtr<LControlDescriptor> MainDescriptor(RectT<int32_t> rect, double minimum, double maximum) {
  RCPtr<LControlDescriptor> descriptor = LControlDescriptor::Create(u"Panel", u"mainControl", nullptr);
  RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  layout->Placement[0].abs = rect.x;
  layout->Placement[1].abs = rect.y;
  layout->Size[0].abs = rect.width;
  layout->Size[1].abs = rect.height;
  for (int axis = 0; axis < 2; ++axis) {
    layout->MinSize[axis].abs = minimum;
    layout->MaxSize[axis].abs = maximum;
  }
  descriptor->SetLayout(layout);
  return descriptor;
}

// A root control whose own limits keep its size between `minimum` and `maximum`.
class LimitedControl : public LControl {
public:
  LimitedControl(QSize minimum, QSize maximum) : LControl(nullptr, u"limited") {
    RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
    layout->MinSize[0].abs = minimum.width();
    layout->MinSize[1].abs = minimum.height();
    layout->MaxSize[0].abs = maximum.width();
    layout->MaxSize[1].abs = maximum.height();
    SetLayout(layout);
  }
};

OSWindow* OSWindowOf(const RCPtr<LRootWindow>& root) { return dynamic_cast<OSWindow*>(root->GetOSWindow()); }

class QtOSWindowFactoryTest : public ::testing::Test {
protected:
  void TearDown() override {
    while (application.GetRootWindowCount() > 0)
      OSWindowOf(application.GetRootWindow(application.GetRootWindowCount() - 1))->Close();
  }
  SVRESULT MakeMain(RectT<int32_t> rect, double minimum = 0, double maximum = 0) {
    return factory.CreateMainWindow(application, {u"Corvex", MainDescriptor(rect, minimum, maximum), 1});
  }
  OSWindow* Main() { return OSWindowOf(application.GetRootWindow(0)); }

  Testing::TemporaryFolder folder;
  SettingsApplication application{folder.PathOf("UserSettings.ini")};
  QtOSWindowFactory factory;
  Testing::ProbeLog log;
};

TEST_F(QtOSWindowFactoryTest, TheMainWindowTakesTheTitleAndTheLayoutsRectangleAndBecomesWindowZero) {
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  ASSERT_EQ(application.GetRootWindowCount(), 1u);
  OSWindow* const main = Main();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->title(), QString("Corvex"));
  EXPECT_EQ(main->geometry(), QRect(60, 50, 400, 300));
  EXPECT_TRUE(application.GetRootWindow(0)->GetRenderer());
  EXPECT_NE(main->maximumSize(), main->geometry().size()) << "a layout without limits gives a resizable window";
}

TEST_F(QtOSWindowFactoryTest, AMainLayoutWithEqualLimitsGivesAWindowOfFixedSize) {
  ASSERT_EQ(MakeMain({60, 50, 400, 300}, 400, 400), S_OK);
  EXPECT_EQ(Main()->minimumSize(), QSize(400, 300));
  EXPECT_EQ(Main()->maximumSize(), QSize(400, 300));
}

TEST_F(QtOSWindowFactoryTest, TheMainWindowComesBackWhereTheUserSettingsSayAndSavesItsPlaceOnClose) {
  ASSERT_EQ(WindowPlacement({{30, 40, 500, 320}, true, false}).Save(*application.manager, application.handle), S_OK);
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  EXPECT_EQ(Main()->geometry(), QRect(30, 40, 500, 320));

  Main()->resize(520, 330);
  Main()->Close();
  EXPECT_EQ(application.GetRootWindowCount(), 0u);
  WindowPlacement saved;
  ASSERT_EQ(saved.Load(*application.manager, application.handle), S_OK);
  EXPECT_EQ(saved.rect.width, 520);
  EXPECT_EQ(saved.rect.height, 330);
}

// A size stored while another skin was shown is that skin's size: a window of the
// high-resolution skin restored to the standard one's size is cut in half.
TEST_F(QtOSWindowFactoryTest, TheMainWindowTakesItsStoredPlaceButNotASizeStoredForAnotherSkin) {
  WindowPlacement standard{{30, 40, 500, 320}, true, false};
  standard.skin = 1;
  ASSERT_EQ(standard.Save(*application.manager, application.handle), S_OK);
  ASSERT_EQ(application.manager->SetIniValueInt(application.handle, u"CurrentSkinIndex", 0), S_OK);
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  EXPECT_EQ(Main()->geometry(), QRect(30, 40, 400, 300));

  Main()->Close();
  WindowPlacement saved;
  ASSERT_EQ(saved.Load(*application.manager, application.handle), S_OK);
  EXPECT_EQ(saved.skin, 0);
  EXPECT_EQ(saved.rect.width, 400);
}

TEST_F(QtOSWindowFactoryTest, ADialogSharesItsOwnersRendererAndHostsTheControlAtItsRectangle) {
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  const RCPtr<ProbeControl> control = ProbeControl::Make(log, nullptr, u"dialog", {20, 30, 200, 100});
  control->SetText(u"Settings");
  const int32_t index = factory.CreateDialogWindow(application, {control, true, true, false, false});
  ASSERT_EQ(index, 1);
  const RCPtr<LRootWindow> dialog = application.GetRootWindow(1);
  EXPECT_EQ(dialog->GetRenderer().Get(), application.GetRootWindow(0)->GetRenderer().Get());
  EXPECT_EQ(dialog->GetRootControl().Get(), control.Get());
  OSWindow* const window = OSWindowOf(dialog);
  EXPECT_EQ(window->title(), QString("Settings"));
  EXPECT_EQ(window->geometry().size(), QSize(200, 100));
  EXPECT_TRUE(window->isVisible()) << "a modeless window shows at once";
  control->Detach();
}

TEST_F(QtOSWindowFactoryTest, AModalDialogRunsItsLoopUntilEndModalAndLeavesTheList) {
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  const RCPtr<ProbeControl> control = ProbeControl::Make(log, nullptr, u"dialog", {20, 30, 200, 100});
  const int32_t index = factory.CreateDialogWindow(application, {control, false, true, false, false});
  ASSERT_EQ(index, 1);
  IWindowOSServices* const dialog = application.GetRootWindow(1)->GetOSWindow();
  QObject timers;
  QTimer::singleShot(5000, &timers, [&] { dialog->EndModal(-2); });
  QTimer::singleShot(0, &timers, [&] {
    EXPECT_TRUE(dialog->IsModal());
    dialog->EndModal(7);
  });
  EXPECT_EQ(dialog->RunModalLoop(), 7);
  EXPECT_EQ(application.GetRootWindowCount(), 1u);
  control->Detach();
}

TEST_F(QtOSWindowFactoryTest, AModalDialogStaysAboveItsOwnerAtTheControlsPlaceAndAModelessOneStandsAlone) {
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  Main()->show();
  ASSERT_TRUE(WaitFor([&] { return Main()->isExposed(); }));
  const RCPtr<ProbeControl> modal = ProbeControl::Make(log, nullptr, u"modal", {20, 30, 200, 100});
  const RCPtr<ProbeControl> modeless = ProbeControl::Make(log, nullptr, u"modeless", {40, 10, 100, 80});
  ASSERT_EQ(factory.CreateDialogWindow(application, {modal, false, true, false, false}), 1);
  ASSERT_EQ(factory.CreateDialogWindow(application, {modeless, true, true, false, false}), 2);
  OSWindow* const modalWindow = OSWindowOf(application.GetRootWindow(1));
  EXPECT_EQ(modalWindow->transientParent(), Main());
  EXPECT_EQ(modalWindow->geometry().topLeft(), Main()->mapToGlobal(QPoint(20, 30)));
  EXPECT_EQ(OSWindowOf(application.GetRootWindow(2))->transientParent(), nullptr);
  modal->Detach();
  modeless->Detach();
}

TEST_F(QtOSWindowFactoryTest, WhenAnActiveModalDialogEndsItsOwnerIsActiveAgain) {
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  Main()->show();
  Main()->requestActivate();
  ASSERT_TRUE(WaitFor([&] { return Main()->isActive(); }));
  const RCPtr<ProbeControl> control = ProbeControl::Make(log, nullptr, u"dialog", {20, 30, 200, 100});
  ASSERT_EQ(factory.CreateDialogWindow(application, {control, false, true, false, false}), 1);
  OSWindow* const dialog = OSWindowOf(application.GetRootWindow(1));
  QObject context;
  QObject::connect(dialog, &QWindow::activeChanged, &context, [&] {
    if (dialog->isActive()) dialog->EndModal(3);
  });
  QTimer::singleShot(5000, &context, [&] { dialog->EndModal(-2); });
  EXPECT_EQ(dialog->RunModalLoop(), 3);
  EXPECT_TRUE(WaitFor([&] { return Main()->isActive(); }));
  control->Detach();
}

TEST_F(QtOSWindowFactoryTest, TheMainWindowKeepsToTheRootControlsLimitsOnRestoreAndWhenResized) {
  ASSERT_EQ(WindowPlacement({{30, 40, 900, 150}, true, false}).Save(*application.manager, application.handle), S_OK);
  ASSERT_EQ(MakeMain({60, 50, 400, 300}), S_OK);
  Main()->show();
  ASSERT_TRUE(WaitFor([&] { return Main()->isExposed(); }));
  const RCPtr<LControl> root(new LimitedControl({300, 200}, {600, 500}));
  application.GetRootWindow(0)->SetRootControlObject(root);
  EXPECT_EQ(Main()->minimumSize(), QSize(300, 200));
  EXPECT_EQ(Main()->maximumSize(), QSize(600, 500));
  EXPECT_TRUE(WaitFor([&] { return Main()->geometry() == QRect(30, 40, 600, 200); }))
      << "the stored size is brought inside the limits, the place kept";

  struct Resize {
    QSize asked, kept;
  };
  for (const Resize& resize : {Resize{{1000, 1000}, {600, 500}}, Resize{{100, 50}, {300, 200}}, Resize{{450, 350}, {450, 350}}}) {
    Main()->resize(resize.asked);
    EXPECT_TRUE(WaitFor([&] { return Main()->size() == resize.kept; }))
        << resize.asked.width() << " x " << resize.asked.height() << " became " << Main()->width() << " x "
        << Main()->height();
  }
  root->Detach();
}

TEST_F(QtOSWindowFactoryTest, ADialogWithoutAnyRootWindowToOwnItIsRefused) {
  const RCPtr<ProbeControl> control = ProbeControl::Make(log, nullptr, u"dialog", {20, 30, 200, 100});
  EXPECT_EQ(factory.CreateDialogWindow(application, {control, true, false, false, false}), E_FAIL);
  EXPECT_EQ(application.GetRootWindowCount(), 0u);
}

struct LimitsCase {
  std::string label;
  LSizeLimitSpec minimum, maximum;
  bool resizable;
};

class ResizableLayoutTest : public ::testing::TestWithParam<LimitsCase> {};

TEST_P(ResizableLayoutTest, TheLimitsDecideWhetherTheWindowMayBeResized) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  for (int axis = 0; axis < 2; ++axis) {
    layout->MinSize[axis] = GetParam().minimum;
    layout->MaxSize[axis] = GetParam().maximum;
  }
  EXPECT_EQ(IsResizableLayout(*layout), GetParam().resizable);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ResizableLayoutTest,
    ::testing::Values(LimitsCase{"NoLimits", {}, {}, true},
                      LimitsCase{"EqualLimits", {false, {}, 0, 300}, {false, {}, 0, 300}, false},
                      LimitsCase{"MinimumBelowMaximum", {false, {}, 0, 200}, {false, {}, 0, 900}, true},
                      LimitsCase{"OnlyAMaximum", {}, {false, {}, 0, 900}, true},
                      LimitsCase{"AllNamed", {true, u"a", 1, 0}, {true, u"b", 1, 0}, false}),
    [](const ::testing::TestParamInfo<LimitsCase>& info) { return info.param.label; });

}  // namespace
}  // namespace SV
