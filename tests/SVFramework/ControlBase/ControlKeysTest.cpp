#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "tests/Support/Controls/ControlEventLog.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Strings = std::vector<std::string>;
using Testing::ControlEventLog;
using Testing::InstrumentedControl;
using Testing::LifeRecord;
using Testing::StandInApplication;
using Testing::StandInRootWindow;

constexpr uint32_t kTab = 9, kKeyS = 'S', kKeyQ = 'Q';

// A key with its virtual key, modifiers of the code word and whether it is down.
RCPtr<LKeyParam> Key(uint32_t virtualKey, uint32_t modifiers, bool down = true) {
  return MakeKeyParam(KeyCode((virtualKey << 16) | modifiers | (down ? KeyCode::kKeyDown : 0), 0, 0), 1);
}

// A control that records the keys HandleKey sees and the commands delivered to itself.
class KeyControl : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override {
    seen->push_back(GetName().ToUTF8().GetString() + std::string(":key ") + KeyCode::ToString(key->key).ToUTF8().GetString());
    return handleAnswer;
  }
  // Records a notification named `command` that reaches this control itself.
  void RecordCommand(const char16_t* command) {
    std::string name = GetName().ToUTF8().GetString();
    std::string text = String(command).ToUTF8().GetString();
    GetHandlers()->AddDirectHandler(
        [this, name, text](LControl&, const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
          seen->push_back(name + ":" + text);
          return 1;
        },
        command);
  }

  SVRESULT handleAnswer = S_FALSE;
  Strings* seen = nullptr;
};

// A shown tree top > {boxA > {a1, a2, a3}, boxB > {b1, b2}}, every control focusable.
class ControlKeysTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (KeyControl* control : {top.Get(), boxA.Get(), a1.Get(), a2.Get(), a3.Get(), boxB.Get(), b1.Get(), b2.Get()})
      control->seen = &seen;
    top->SetRootWindow(window.Get());
    window->rootControl = top;
  }
  void TearDown() override {
    windowTarget->UnsubscribeAll();
    globalTarget->UnsubscribeAll();
    window->Forget();
    top->SetRootWindow(nullptr);
  }

  void BindLocal(KeyControl& control, const char* binding) {
    control.SetStringTable(LStringTable::Create({{u"LHK.NID_SAVE", String(binding)}}));
    ASSERT_EQ(control.LoadLocalHotKeys(), S_OK);
    control.RecordCommand(u"NID_SAVE");
  }
  void Press(LControl& control, const RCPtr<LKeyParam>& key) { static_cast<UITarget&>(control).OnKeyPress(key); }
  std::string FocusName() const { return window->focus ? window->focus->GetName().ToUTF8().GetString() : "none"; }

  StandInApplication application;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create();
  LifeRecord record;
  Strings seen;
  Testing::FocusTree<KeyControl> tree{record};
  RCPtr<KeyControl>&top = tree.top, &boxA = tree.boxA, &a1 = tree.a1, &a2 = tree.a2, &a3 = tree.a3;
  RCPtr<KeyControl>&boxB = tree.boxB, &b1 = tree.b1, &b2 = tree.b2;
  RCPtr<ControlEventLog> windowTarget{new ControlEventLog};
  RCPtr<ControlEventLog> globalTarget{new ControlEventLog};
};

TEST_F(ControlKeysTest, TabMovesTheFocusWithinItsContainerAndWraps) {
  struct Case {
    uint32_t modifiers;
    bool down;
    const char* expected;
  };
  const Case cases[] = {
      {0, true, "a2"},
      {0, true, "a3"},
      {0, true, "a1"},
      {KeyCode::kShift, true, "a3"},
      {0, false, "a3"},
      {KeyCode::kShift, true, "a2"},
  };
  a1->SetFocus(true);
  for (const Case& c : cases) {
    Press(*window->focus, Key(kTab, c.modifiers, c.down));
    EXPECT_EQ(FocusName(), c.expected) << c.modifiers << (c.down ? " down" : " up");
  }
}

TEST_F(ControlKeysTest, AControlThatWantsTabKeepsTheFocusAndSeesTheKey) {
  a1->SetFocus(true);
  a1->SetWantsTab(true);
  Press(*a1, Key(kTab, 0));
  EXPECT_EQ(FocusName(), "a1");
  EXPECT_EQ(seen, (Strings{"a1:key VKEY_TAB"}));
}

TEST_F(ControlKeysTest, CtrlTabLeavesTheContainerAndAtTheTopHandsOverToTheWindow) {
  a2->SetFocus(true);
  Press(*a2, Key(kTab, KeyCode::kCtrl));
  EXPECT_EQ(FocusName(), "b1");
  EXPECT_TRUE(window->windowTabs.empty());

  Press(*b1, Key(kTab, KeyCode::kCtrl));
  EXPECT_EQ(FocusName(), "b1");
  ASSERT_EQ(window->windowTabs.size(), 1u);
  const LKeyParam& handedOver = *window->windowTabs[0];
  EXPECT_EQ(handedOver.sourceFlag, 0);
  ASSERT_EQ(handedOver.route.GetCount(), 2u);
  EXPECT_EQ(handedOver.route[0].Get(), boxB.Get());
  EXPECT_EQ(handedOver.route[1].Get(), top.Get());
}

TEST_F(ControlKeysTest, ALocalHotKeyOfTheFocusControlComesBeforeItsKeyHandling) {
  BindLocal(*a1, "Ctrl+VKEY_S");
  a1->SetFocus(true);
  Press(*a1, Key(kKeyS, KeyCode::kCtrl));
  EXPECT_EQ(seen, (Strings{"a1:NID_SAVE"}));
}

TEST_F(ControlKeysTest, ASiblingsLocalHotKeyTakesAKeyTheFocusControlLeaves) {
  BindLocal(*a3, "Ctrl+VKEY_S");
  a1->SetFocus(true);
  Press(*a1, Key(kKeyS, KeyCode::kCtrl));
  EXPECT_EQ(seen, (Strings{"a1:key Ctrl+VKEY_S", "a3:NID_SAVE"}));

  seen.clear();
  a3->SetEnabled(false);
  Press(*a1, Key(kKeyS, KeyCode::kCtrl));
  EXPECT_EQ(seen, (Strings{"a1:key Ctrl+VKEY_S"})) << "a disabled sibling takes nothing";
}

TEST_F(ControlKeysTest, AKeyNobodyHandlesReachesTheWindowThenTheApplicationHotKeysOnce) {
  window->hotKeys = CreateGlobalHotKeyManager(windowTarget);
  window->hotKeys->GetMap().Add(KeyCode::Parse(u"Ctrl+VKEY_S"), u"NID_WINDOW_SAVE");
  const RCPtr<LGlobalHotKeyManager> global = CreateGlobalHotKeyManager(globalTarget);
  global->GetMap().Add(KeyCode::Parse(u"Ctrl+VKEY_Q"), u"NID_APP_QUIT");
  global->GetMap().Add(KeyCode::Parse(u"Ctrl+VKEY_S"), u"NID_APP_SAVE");
  application.globalHotKeys = global.Get();
  a1->SetFocus(true);

  Press(*a1, Key(kKeyS, KeyCode::kCtrl));
  Press(*a1, Key(kKeyQ, KeyCode::kCtrl));
  Press(*a1, Key('W', KeyCode::kCtrl));

  EXPECT_EQ(windowTarget->entries, (Strings{"?:WINDOW_SAVE"}));
  EXPECT_EQ(globalTarget->entries, (Strings{"?:APP_QUIT"}));
  EXPECT_EQ(seen, (Strings{"a1:key Ctrl+VKEY_S", "a1:key Ctrl+VKEY_Q", "a1:key Ctrl+VKEY_W"}));
  application.globalHotKeys = nullptr;
}

TEST_F(ControlKeysTest, AHiddenOrDisabledControlIgnoresKeys) {
  a1->SetFocus(true);
  a1->GetLayout()->IsEnabled = false;
  Press(*a1, Key(kTab, 0));
  a2->SetVisible(false);
  Press(*a2, Key(kTab, 0));
  Press(*a3, nullptr);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(FocusName(), "a1");
}

}  // namespace
}  // namespace SV
