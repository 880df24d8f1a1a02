#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "tests/Support/Application/FakeShellApplication.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Widgets/FakeClipboard.h"

namespace SV::Testing {

// The application as widgets reach it: the shell fake (root windows, key state, work
// area, clocks the test moves) with a measuring renderer of fixed advances (10 pixels
// a character, lines 16 high), the application's font, a clipboard in memory and
// message boxes that are recorded and answered with `messageBoxAnswer`.
class WidgetApplication : public FakeShellApplication {
public:
  struct ShownMessageBox {
    String text;
    String caption;
    uint32_t style = 0;
  };

  WidgetApplication();
  ~WidgetApplication() override;

  int32_t MessageBox(const String& text, const String& caption, uint32_t style) override {
    messageBoxes.push_back({text, caption, style});
    return messageBoxAnswer;
  }

  // A modal run as the shell makes it: `control` becomes the root control of a new
  // modal window over `dialogOs`, `modalLoop` (when set) plays the user's part inside the
  // loop with that window, and the run answers the last result the window was ended
  // with (else dialogOs.modalResult). The window is taken down afterwards.
  int32_t DoModal(const RCPtr<LControl>& control, bool systemMenu) override;

  // A control made from the current skin's descriptor of that name through the
  // harness's factory, without a parent (null when the skin has none).
  RCPtr<LControl>& CreateControl(RCPtr<LControl>& out, const String& name) override;

  // The application's hot keys ("GHK" bindings), sent to the "application" center's
  // queue; empty until a test adds bindings.
  LGlobalHotKeyManager* GetGlobalHotKeyManager() override { return hotKeys.Get(); }

  // The framework string table the application offers (set before Build: controls
  // read it when they join the window).
  void SetFrameworkStrings(const RCPtr<LStringTable>& strings) { SetFrameworkStringTable(strings); }
  // The application string table the application offers (Build sets the skin's).
  void SetApplicationStrings(const RCPtr<LStringTable>& strings) { SetApplicationStringTable(strings); }

  RCPtr<FakeMeasuringRenderer> measuring;
  RCPtr<LGlobalHotKeyManager> hotKeys;
  FakeClipboard clipboard;
  StandInOSWindow dialogOs;
  std::function<void(LRootWindow& dialogWindow)> modalLoop;
  int32_t modalRuns = 0;
  std::vector<ShownMessageBox> messageBoxes;
  int32_t messageBoxAnswer = 1;
};

// Drives widgets as the program does, without a window system: a real root window over
// a stand-in OS window, a control tree built from a skin through the factory with every
// framework control class registered, input fed to the root window as the OS window
// feeds it, and idle passes on a clock the test moves. No test sleeps. Test thread only;
// one harness at a time (it sets the application object and factory).
//
// Virtual keys are the platform's codes (0x25 left, 0x26 up, 0x0D return, 0x09 tab...);
// modifier words are KeyCode::Modifier bits for keys and the mouse word (Ctrl 1,
// Shift 8, Alt 0x40) for the pointer.
class WidgetHarness {
public:
  static constexpr const char16_t* kWindowControlName = u"window";

  // Resources for Build: the look list "Solid", one opaque look, for controls that
  // must take the pointer (hit testing passes over transparent controls). Containers
  // need a look for their children to be hit: the look list "Clear" (one look without
  // parts), which the window control has, is always there.
  static constexpr const char* kSolidLook =
      R"(<Colorizers><Colorizer Name="Opaque" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Opaque" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Opaque"/></Parts>
<Looks><Look Name="Opaque"><ClientPart Name="Opaque" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists><LookList Name="Solid" NumLooks="1"><Look Name="Opaque" Index="0"/></LookList></LookLists>)";

  explicit WidgetHarness(PointT<int32_t> clientSize = {800, 600});
  // The same over an application object of the test's own (a WidgetApplication that
  // offers more services), which the harness then owns.
  explicit WidgetHarness(std::unique_ptr<WidgetApplication> ownApplication, PointT<int32_t> clientSize = {800, 600});
  ~WidgetHarness();
  WidgetHarness(const WidgetHarness&) = delete;
  WidgetHarness& operator=(const WidgetHarness&) = delete;

  // Loads a skin whose single top control "window" (class "Test.Window", a plain
  // control of the client size, see windowSkin) holds `controls` (SubControl elements); `resources`
  // holds the Colorizers, Parts, Looks and LookLists elements, `strings` StringTable
  // elements (LCID 9), which also become the application string table. The framework's
  // built-in string table comes with it. Builds the
  // tree into the root window and places it, in `language`. A document that does not
  // parse fails the test. `besideWindow` holds SubControl elements at the
  // skin's top level, beside the window control: the descriptors controls find by name
  // ("toolTip", "contextMenu").
  void Build(std::string_view controls, std::string_view resources = {}, std::string_view strings = {},
             std::string_view besideWindow = {});

  // The first control of that name, depth first below the window control, as T; null
  // when there is none or it is not a T.
  template <class T = LControl>
  RCPtr<T> Find(const String& name) const {
    return RCPtr<T>(dynamic_cast<T*>(FindControl(root, name).Get()));
  }
  // A point of the control (its centre by default, else `local` in its own
  // coordinates) in window coordinates.
  PointT<int32_t> At(const RCPtr<LControl>& control) const;
  PointT<int32_t> At(const RCPtr<LControl>& control, PointT<int32_t> local) const;

  // Pointer input; a press first moves the pointer there, as the OS window does.
  void MoveTo(PointT<int32_t> point, int32_t modifiers = 0);
  void Press(PointT<int32_t> point, int32_t button = 1, int32_t modifiers = 0);
  void Release(PointT<int32_t> point, int32_t button = 1, int32_t modifiers = 0);
  void Click(PointT<int32_t> point, int32_t button = 1, int32_t modifiers = 0);
  void DoubleClick(PointT<int32_t> point);
  // Press at `from`, `steps` moves on the straight line to `to`, release there.
  void Drag(PointT<int32_t> from, PointT<int32_t> to, int steps = 4);
  // One wheel notch: direction 0 down, 1 up, 2 left, 3 right.
  void Wheel(PointT<int32_t> point, int32_t direction, int32_t modifiers = 0);

  // Keys as the OS window delivers them: a press (key-down bit set, previous state 1 for
  // a repeat), a release, a typed character (no virtual key).
  void KeyDown(uint32_t virtualKey, uint32_t modifiers = 0, bool repeat = false);
  void KeyUp(uint32_t virtualKey, uint32_t modifiers = 0);
  void Key(uint32_t virtualKey, uint32_t modifiers = 0);
  void Char(char16_t character, uint32_t modifiers = 0);
  void Type(std::u16string_view text);

  // An edit request ("NID_EDIT_CUT_REQ", "NID_EDIT_COPY_REQ", "NID_EDIT_PASTE_REQ",
  // "NID_EDIT_DELETE_REQ") through the application's clipboard object: PerformEdit on
  // the owner control of the focus control when it accepts the command. Whether it did.
  bool Edit(const char16_t* request);

  // Moves both clocks on, then runs one idle pass of the root window.
  void Idle(uint32_t milliseconds = 0);
  // Idle passes every `step` milliseconds until `milliseconds` have passed.
  void RunFor(uint32_t milliseconds, uint32_t step = 10);

  // The language identifier the string tables are loaded in (9 English, 7 German...).
  // Texts fall back to English unless the test's own strings have that language too.
  int32_t language = 9;
  // A Skin element the window control wears (say one naming a LookList); empty for none.
  // Pointer input reaches children only through a visible look of their parent: by
  // default the window wears the clear look.
  std::string windowSkin = R"(<Skin Name="window" LookList="Clear"/>)";
  // The class of the window control; a framework class (say "Framework.Panel") makes
  // the top of the tree such a widget.
  std::string windowClass = "Test.Window";

  std::unique_ptr<WidgetApplication> ownedApplication;
  WidgetApplication& application;
  StandInCursorNames cursors;
  StandInOSWindow os;
  RCPtr<LControlFactory> factory;
  RCPtr<LRootWindow> window;
  RCPtr<LControl> root;  // the "window" control once built

private:
  static RCPtr<LControl> FindControl(const RCPtr<LControl>& from, const String& name);
};

}  // namespace SV::Testing
