#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/notification/Notification.h"
#include "tests/Support/Application/FakeShellApplication.h"
#include "tests/Support/Application/ProbeControl.h"
#include "tests/Support/CaseName.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/RecordingRenderer.h"

namespace SV {
namespace {

using Lines = std::vector<std::string>;
using Testing::FakeShellApplication;
using Testing::ProbeControl;
using Testing::ProbeLog;
using Testing::RecordingRenderer;
using Testing::StandInOSWindow;

// A window 800 x 600 drawing through a recording renderer, whose root control holds
// a (10,10 100x50) and b (200,10 100x50); the window's render context is started as
// the OS window's paint handler starts it.
class RootWindowPaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    renderer = RCPtr<RecordingRenderer>(new RecordingRenderer);
    window = LRootWindow::Create(RCPtr<LRenderer>(renderer.Get()), &os);
    root = ProbeControl::Make(log, nullptr, u"root", {0, 0, 800, 600});
    a = ProbeControl::Make(log, root, u"a", {10, 10, 100, 50});
    b = ProbeControl::Make(log, root, u"b", {200, 10, 100, 50});
    window->SetRootControlObject(root);
    Region discarded;
    window->TakeDirtyRegion(discarded);
    os.invalidated.clear();
    log.lines.clear();
    renderer->InitRenderContextInfo({0, 0, 800, 600}, nullptr, 0, context);
    renderer->RenderStart(context);
  }
  void TearDown() override {
    renderer->RenderFinish(context);
    window->SetRootControlObject(nullptr);
  }
  // What the OS window's paint handler does with the pending rectangles.
  void PaintPending() {
    Region region;
    window->TakeDirtyRegion(region);
    window->Paint(region);
  }
  static std::vector<RectT<int32_t>> RectsOf(const Region& region) {
    Array<RectT<int32_t>> rects;
    region.ToRectArray(rects);
    return std::vector<RectT<int32_t>>(rects.begin(), rects.end());
  }

  FakeShellApplication application;
  StandInOSWindow os;
  ProbeLog log;
  RCPtr<RecordingRenderer> renderer;
  RCPtr<LRenderContextInfo> context;
  RCPtr<LRootWindow> window;
  RCPtr<ProbeControl> root, a, b;
};

struct InvalidationCase {
  const char* what;
  RectT<int32_t> invalidated;
  std::vector<RectT<int32_t>> pending;
};

class RootWindowInvalidationTest : public RootWindowPaintTest, public ::testing::WithParamInterface<InvalidationCase> {};

TEST_P(RootWindowInvalidationTest, AnInvalidationIsCutToTheClientAreaAndOnlyWhatRemainsReachesThePlatform) {
  window->InvalidateRect(GetParam().invalidated);
  Region pending;
  window->TakeDirtyRegion(pending);
  EXPECT_EQ(RectsOf(pending), GetParam().pending);
  EXPECT_EQ(os.invalidated, GetParam().pending);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RootWindowInvalidationTest,
    ::testing::Values(InvalidationCase{"Inside", {10, 20, 30, 40}, {{10, 20, 30, 40}}},
                      InvalidationCase{"OverTheRightEdge", {790, 590, 30, 40}, {{790, 590, 10, 10}}},
                      InvalidationCase{"OverTheTopLeftCorner", {-5, -5, 10, 10}, {{0, 0, 5, 5}}},
                      InvalidationCase{"EntirelyOutside", {800, 0, 10, 10}, {}},
                      InvalidationCase{"Empty", {10, 10, 0, 10}, {}}),
    Testing::NameFromWhat());

TEST_F(RootWindowPaintTest, APaintDrawsOnlyWhatWasInvalidatedClippedToIt) {
  window->InvalidateRect({200, 10, 100, 50});
  PaintPending();
  EXPECT_EQ(log.lines, (Lines{"root:Paint clip 200,10,100,50", "b:Paint clip 200,10,100,50"}));

  log.lines.clear();
  PaintPending();
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(RootWindowPaintTest, EachPaintTakesThePendingRegionAndLaterInvalidationsWaitForTheNextOne) {
  window->InvalidateRect({10, 10, 5, 5});
  Region first;
  window->TakeDirtyRegion(first);
  window->InvalidateRect({20, 20, 5, 5});
  Region second;
  window->TakeDirtyRegion(second);
  EXPECT_EQ(RectsOf(first), (std::vector<RectT<int32_t>>{{10, 10, 5, 5}}));
  EXPECT_EQ(RectsOf(second), (std::vector<RectT<int32_t>>{{20, 20, 5, 5}}));
}

TEST_F(RootWindowPaintTest, AfterARestoreTheNextPaintRepaintsTheWholeClientAreaThoughNothingWasInvalidated) {
  window->SetFullRedrawPending();
  Region region;
  window->TakeDirtyRegion(region);
  EXPECT_EQ(RectsOf(region), (std::vector<RectT<int32_t>>{{0, 0, 800, 600}}));
}

TEST_F(RootWindowPaintTest, APaintThatFindsDrawingStatesStillPushedInvalidatesTheWindowInsteadOfDrawing) {
  window->InvalidateRect({10, 10, 5, 5});
  renderer->PushState();
  PaintPending();
  renderer->PopState();
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(os.wholeInvalidations, 1);
}

TEST_F(RootWindowPaintTest, ControlsThatDoNotClipArePaintedAfterTheTreeByZOrderAndNestedOnesAfterTheirParent) {
  const RCPtr<ProbeControl> high = ProbeControl::Make(log, a, u"high", {0, 0, 5, 5});
  const RCPtr<ProbeControl> low = ProbeControl::Make(log, b, u"low", {5, 5, 10, 10});
  const RCPtr<ProbeControl> tie = ProbeControl::Make(log, root, u"tie", {300, 200, 100, 100});
  const RCPtr<ProbeControl> inner = ProbeControl::Make(log, tie, u"inner", {10, 10, 20, 20});
  for (const RCPtr<ProbeControl>& control : {high, low, tie, inner}) control->SetClipToParent(false);
  high->GetLayout()->Z_Order = 2;
  tie->GetLayout()->Z_Order = 2;
  low->GetLayout()->Z_Order = 1;

  window->RedrawAll();
  PaintPending();
  // Each is drawn from its parent's content origin, its clip its own rectangle there.
  EXPECT_EQ(log.lines, (Lines{"root:Paint clip 0,0,800,600", "a:Paint clip 0,0,800,600", "b:Paint clip 0,0,800,600",
                              "low:Paint clip 5,5,10,10 nested", "high:Paint clip 0,0,5,5 nested",
                              "tie:Paint clip 300,200,100,100 nested", "inner:Paint clip 10,10,20,20 nested"}));
  EXPECT_EQ(os.redraws, 1);
}

TEST_F(RootWindowPaintTest, ACloseRequestedInAHandlerIsCarriedOutOnceAtTheNextIdlePassWithTheLastResult) {
  EXPECT_EQ(window->RequestClose(1), S_OK);
  EXPECT_EQ(window->RequestClose(7), S_OK);
  EXPECT_TRUE(os.endModalResults.empty());
  window->Idle(true);
  window->Idle(true);
  EXPECT_EQ(os.endModalResults, std::vector<int32_t>{7});
}

TEST_F(RootWindowPaintTest, TheSystemCloseOfAnOrdinaryWindowClosesItWithResultZero) {
  window->OnSystemClose();
  window->Idle(false);
  EXPECT_EQ(os.endModalResults, std::vector<int32_t>{0});
}

TEST(RootWindowCloseTest, ACloseRequestWithoutAnOSWindowFails) {
  const RCPtr<LRootWindow> window = LRootWindow::Create(nullptr, nullptr);
  EXPECT_EQ(window->RequestClose(1), E_FAIL);
  EXPECT_FALSE(window->IsCloseRequested());
}

// Counts the notifications it receives from a window.
class CommandCounter : public LNotificationClient {
public:
  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) override {
    ++received;
    return 0;
  }
  int32_t received = 0;
};

TEST_F(RootWindowPaintTest, NotificationsPostedToTheWindowReachItsClientsAtTheNextIdlePass) {
  const RCPtr<CommandCounter> counter(new CommandCounter);
  counter->Subscribe(RCPtr<LNotificationDistributor>(window.Get()), u"NID_FILE_OPEN");
  window->GetPostingReceiver()->Receive(nullptr, LNotification::Obtain(u"NID_FILE_OPEN", nullptr));
  EXPECT_EQ(counter->received, 0);
  window->Idle(true);
  EXPECT_EQ(counter->received, 1);
  counter->UnsubscribeAll();
}

TEST_F(RootWindowPaintTest, QueuedKeysReachTheFocusControlInTheIdlePass) {
  a->focusable = true;
  a->SetFocus(true);
  log.lines.clear();
  window->EnqueueKey(MakeKeyParam(KeyCode(0x20410000, 0, 0), 1));
  window->EnqueueKey(MakeKeyParam(KeyCode(0x20420000, 0, 0), 1));
  EXPECT_TRUE(log.lines.empty());
  window->Idle(true);
  EXPECT_EQ(log.lines, (Lines{"a:Key 65", "a:Key 66"}));
}

TEST_F(RootWindowPaintTest, KeysQueuedFromAnotherThreadWhilePassesRunAllArriveInTheirOrder) {
  a->focusable = true;
  a->SetFocus(true);
  log.lines.clear();
  std::atomic<bool> done{false};
  std::thread producer([&] {
    for (uint32_t key = 0; key < 300; ++key) window->EnqueueKey(MakeKeyParam(KeyCode((0x41 + key % 26) << 16, 0, 0), 1));
    done = true;
  });
  while (!done) window->Idle(false);
  producer.join();
  window->Idle(false);
  ASSERT_EQ(log.lines.size(), 300u);
  for (uint32_t key = 0; key < 300; ++key) EXPECT_EQ(log.lines[key], "a:Key " + std::to_string(0x41 + key % 26));
}

TEST(RootWindowLifetimeTest, AWindowWhoseLastOutsideReferenceGoesReleasesItsTreeAndIsFreed) {
  ProbeLog log;
  StandInOSWindow os;
  RCPtr<ProbeControl> root = ProbeControl::Make(log, nullptr, u"root", {0, 0, 800, 600});
  const LControl* rootAddress = root.Get();
  RCPtr<LRootWindow> window = LRootWindow::Create(nullptr, &os);
  window->SetRootControlObject(RCPtr<LControl>(root.Get()));
  EXPECT_EQ(root->GetRootWindow(), window.Get());
  window.Reset();
  EXPECT_EQ(root->GetRootWindow(), nullptr);
  EXPECT_EQ(root->GetRefCount(), 1);
  EXPECT_EQ(root.Get(), rootAddress);
}

}  // namespace
}  // namespace SV
