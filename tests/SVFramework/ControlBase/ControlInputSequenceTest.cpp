#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"

// Input events in any order, fired at a small tree, leave it consistent.
namespace SV {
namespace {

using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInApplication;
using Testing::StandInCursorNames;
using Testing::StandInRootWindow;

constexpr uint32_t kSeed = 20261210;
constexpr int kRounds = 400;
constexpr int kEventsPerRound = 80;

// A shown tree top > {panel > {a, b}, c}, everything focusable, plus whatever the events
// detach from it; `pool` holds every control made, so a detached or destroyed control
// can still be sent input.
class ControlInputSequenceTest : public ::testing::Test {
protected:
  void SetUp() override {
    top = Make(nullptr, u"top", {0, 0, 300, 300});
    panel = Make(top, u"panel", {10, 10, 150, 150});
    Make(panel, u"a", {5, 5, 40, 20});
    Make(panel, u"b", {50, 5, 40, 20});
    Make(top, u"c", {200, 10, 50, 50});
    top->SetRootWindow(window.Get());
    window->rootControl = top;
    window->osWindow = &osWindow;
    window->hitTest = [this](PointT<int32_t>) { return Pick(); };
  }

  RCPtr<InstrumentedControl> Make(const RCPtr<LControl>& parent, const char16_t* name, RectT<double> rect) {
    const RCPtr<InstrumentedControl> control = InstrumentedControl::MakeCreated(record, parent, name);
    control->SetRectDirect(rect);
    control->SetNotFocusable(false);
    pool.push_back(control);
    return control;
  }
  int Random(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }
  bool Coin() { return Random(2) == 1; }
  RCPtr<LControl> Pick() { return pool[static_cast<size_t>(Random(static_cast<int>(pool.size())))]; }
  PointT<int32_t> AnyPoint() { return {Random(400) - 50, Random(400) - 50}; }
  int32_t AnyButton() {
    static constexpr int32_t kButtons[] = {1, 2, 4, 1, 2, 4, 0, 3, 8};
    return kButtons[Random(9)];
  }
  RCPtr<LKeyParam> AnyKey() {
    static constexpr uint32_t kKeys[] = {9, 'S', 'Q', 0x0D};
    static constexpr uint32_t kModifiers[] = {0, KeyCode::kShift, KeyCode::kCtrl, KeyCode::kCtrl | KeyCode::kShift};
    const uint32_t code = (kKeys[Random(4)] << 16) | kModifiers[Random(4)] | (Coin() ? KeyCode::kKeyDown : 0);
    return MakeKeyParam(KeyCode(code, 0, 0), 1);
  }
  bool IsInTree(const LControl* control) const {
    while (control->GetParent()) control = control->GetParent();
    return control == top.Get();
  }

  // One focus chain from the top down to the window's focus control, at most one
  // capture holder and it is the window's, no idle count below zero.
  void CheckInvariants(const std::string& event) {
    int holders = 0, captures = 0;
    for (const RCPtr<LControl>& control : pool) {
      ASSERT_GE(control->GetIdleCount(), 0) << event;
      if (control->HasCapture()) {
        ++captures;
        ASSERT_EQ(window->capture.Get(), control.Get()) << event;
      }
      if (!IsInTree(control.Get()) || !(control->HasFocus() || control->ContainsFocus())) continue;
      ASSERT_FALSE(control->HasFocus() && control->ContainsFocus()) << event;
      if (control->HasFocus()) {
        ++holders;
        ASSERT_EQ(window->focus.Get(), control.Get()) << event;
      }
      if (LControl* parent = control->GetParent()) {
        ASSERT_TRUE(parent->ContainsFocus()) << event;
      }
      if (control->ContainsFocus()) {
        int marked = 0;
        for (uint32_t index = 0; index < control->GetChildCount(); ++index)
          marked += control->GetChildAt(index)->HasFocus() || control->GetChildAt(index)->ContainsFocus();
        ASSERT_EQ(marked, 1) << event << ": a container of the focus has one marked child";
      }
    }
    ASSERT_LE(holders, 1) << event;
    ASSERT_LE(captures, 1) << event;
    if (holders == 0 && window->focus) {
      ASSERT_FALSE(IsInTree(window->focus.Get())) << event;
    }
  }

  struct Event {
    const char* name;
    std::function<void()> fire;
  };
  std::vector<Event> Events() {
    return {
        {"press", [this] {
           window->mouseButtons = Random(8);
           Pick()->OnMouseDown(MakeMouseButtonParam(AnyButton(), AnyPoint(), 0, Random(2), window->mouseButtons, 0));
         }},
        {"release", [this] {
           window->mouseButtons = Random(8) & Random(8);
           Pick()->OnMouseUp(MakeMouseButtonParam(AnyButton(), AnyPoint(), 0, 0, window->mouseButtons, 0));
         }},
        {"move", [this] { Pick()->OnMouseMove(MakePointWithModifiersParam(AnyPoint(), 0, 0)); }},
        {"enter", [this] { Pick()->OnMouseEnter(nullptr); }},
        {"leave", [this] { Pick()->OnMouseLeave(nullptr); }},
        {"hover", [this] { window->SwitchHover(Coin() ? Pick() : nullptr); }},
        {"key", [this] {
           const RCPtr<LControl> target = window->focus && Coin() ? window->focus : Pick();
           static_cast<UITarget&>(*target).OnKeyPress(AnyKey());
         }},
        {"wheel", [this] { Pick()->HandleMouseWheel(MakeMouseWheelParam(AnyPoint(), 0, Random(6))); }},
        {"drag start", [this] {
           const PointT<int32_t> at = AnyPoint();
           static_cast<UITarget&>(*Pick()).OnDragStart(AnyButton(), at.x, at.y);
         }},
        {"drag end", [this] { Pick()->EndDrag(); }},
        {"capture lost", [this] { Pick()->OnCaptureLost(); }},
        {"rebase", [this] { Pick()->RebaseDrag(); }},
        {"drag to", [this] { Pick()->DragTo(MakePointWithModifiersParam(AnyPoint(), 0, 0)); }},
        {"drag mode", [this] { Pick()->SetDragMode(Random(8), Random(0x40)); }},
        {"threshold", [this] { Pick()->SetDragThreshold(Random(4) - 1); }},
        {"focus", [this] { Pick()->SetFocus(Coin()); }},
        {"window focus lost", [this] { top->OnFocusLost(); }},
        {"show", [this] { Pick()->SetVisible(Coin()); }},
        {"enable", [this] { Pick()->SetEnabled(Coin()); }},
        {"not focusable", [this] { Pick()->SetNotFocusable(Random(4) == 0); }},
        {"clip", [this] { Pick()->SetClipToParent(Coin()); }},
        {"destroy later", [this] {
           const RCPtr<LControl> child = Pick();
           if (LControl* parent = child->GetParent()) parent->DestroyChildLater(child);
         }},
        {"detach", [this] {
           const RCPtr<LControl> control = Pick();
           if (control != top) control->Detach();
         }},
        {"reattach", [this] {
           const RCPtr<LControl> control = Pick();
           if (control == top || control->GetParent()) return;
           control->SetParent(control == panel || Coin() ? top : panel);
           control->SetVisible(true);
         }},
        {"scroll", [this] { Pick()->SetScrollOffset({Random(100) - 20.5, Random(100) - 20.5}); }},
        {"animate", [this] {
           Pick()->StartScrollAnimation(Random(3), Random(4000) - 2000, Random(300), Random(300) - 100,
                                        Coin() ? Pick() : nullptr);
         }},
        {"stop animation", [this] { Pick()->StopScrollAnimation(Random(3)); }},
        {"fling", [this] { Pick()->SetScrollAnimationFling(Random(2)); }},
        {"acquire idle", [this] { Pick()->AcquireIdle(); }},
        {"release idle", [this] { Pick()->ReleaseIdle(); }},
        {"idle pass", [this] {
           application.Advance(static_cast<uint32_t>(Random(1500)));
           window->Idle();
         }},
    };
  }

  StandInApplication application;
  StandInCursorNames cursors;
  Testing::StandInOSWindow osWindow;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  LifeRecord record;
  std::vector<RCPtr<LControl>> pool;
  RCPtr<InstrumentedControl> top, panel;
  std::mt19937 random{kSeed};
};

TEST_F(ControlInputSequenceTest, EventsInAnyOrderKeepOneFocusChainOneCaptureAndNoNegativeIdleCount) {
  const std::vector<Event> events = Events();
  for (int round = 0; round < kRounds; ++round) {
    for (int step = 0; step < kEventsPerRound; ++step) {
      const Event& event = events[static_cast<size_t>(Random(static_cast<int>(events.size())))];
      event.fire();
      CheckInvariants(std::string(event.name) + " in round " + std::to_string(round));
      if (HasFatalFailure()) return;
    }
  }
  window->Forget();
  for (const RCPtr<LControl>& control : pool) control->Detach();
  top.Reset();
  panel.Reset();
  pool.clear();
  window.Reset();
  EXPECT_EQ(record.constructed, record.destroyed) << "every control freed once";
}

}  // namespace
}  // namespace SV
