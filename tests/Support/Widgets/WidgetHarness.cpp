#include "tests/Support/Widgets/WidgetHarness.h"

#include "SVFramework/ControlBase/Look.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "tests/Support/Skins/SkinFixtures.h"

namespace SV::Testing {

namespace {

// The top control of every harness skin: a plain control of the window's size.
class WindowControl : public LControl {
public:
  using LControl::LControl;
};

// A look without parts: transparent, yet its client area lets children be hit.
constexpr const char* kClearLook = R"(<Looks><Look Name="Clear"/></Looks>
<LookLists><LookList Name="Clear" NumLooks="1"><Look Name="Clear" Index="0"/></LookList></LookLists>
)";

// The framework's built-in string table document, as the program compiles it in.
std::string FrameworkStrings() {
  std::ifstream file(SV_FRAMEWORK_STRINGS_FILE, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

WidgetApplication::WidgetApplication() : measuring(new FakeMeasuringRenderer) {
  renderer = measuring;
  defaultFont = LFont::GetFont(u"DejaVu Sans", 9, 0);
  SetClipboard(RCPtr<LClipboard>(new LClipboard(&clipboard)));
  hotKeys = CreateGlobalHotKeyManager(RCPtr<LNotificationReceiver>(GetApplicationNotificationCenter()->GetPostingReceiver()));
}

WidgetApplication::~WidgetApplication() {
  // A test may have initialised the clipboard, which then listens on the process-wide
  // "application" center; it must not outlive the clipboard in memory it reads.
  if (GetClipboard()) GetClipboard()->UnsubscribeAll();
  SetClipboard(nullptr);
  hotKeys = nullptr;
}

int32_t WidgetApplication::DoModal(const RCPtr<LControl>& control, bool) {
  if (!control) return E_FAIL;
  ++modalRuns;
  dialogOs.modal = true;
  dialogOs.endModalResults.clear();
  const RCPtr<LRootWindow> dialogWindow = LRootWindow::Create(nullptr, &dialogOs);
  control->SetRootWindow(dialogWindow.Get());
  dialogWindow->SetRootControlObject(control);
  AddRootWindow(dialogWindow);
  if (modalLoop) modalLoop(*dialogWindow);
  const int32_t result = dialogOs.endModalResults.empty() ? dialogOs.modalResult : dialogOs.endModalResults.back();
  std::erase(windows, dialogWindow);
  dialogWindow->SetRootControlObject(nullptr);
  control->SetRootWindow(nullptr);
  return result;
}

RCPtr<LControl>& WidgetApplication::CreateControl(RCPtr<LControl>& out, const String& name) {
  out = nullptr;
  if (const RCPtr<LControlFactory>& factory = GetApplicationControlFactory()) factory->CreateControl(out, name, nullptr);
  return out;
}

WidgetHarness::WidgetHarness(PointT<int32_t> clientSize) : WidgetHarness(std::make_unique<WidgetApplication>(), clientSize) {}

WidgetHarness::WidgetHarness(std::unique_ptr<WidgetApplication> ownApplication, PointT<int32_t> clientSize)
    : ownedApplication(std::move(ownApplication)),
      application(*ownedApplication),
      factory(LControlFactory::Create(u"PresetEditor")) {
  RegisterControlTypes(*factory, GetFrameworkControlTypes());
  factory->RegisterControlCreateFunction(u"Test.Window", &LControlCreation::Create<WindowControl>);
  SetApplicationControlFactory(factory);
  os.clientSize = clientSize;
  window = LRootWindow::Create(nullptr, &os);
  application.AddRootWindow(window);
}

WidgetHarness::~WidgetHarness() {
  application.windows.clear();
  if (window) window->SetRootControlObject(nullptr);
  if (root) root->Detach();
  root.Reset();
  window.Reset();
  SetApplicationControlFactory(nullptr);
}

void WidgetHarness::Build(std::string_view controls, std::string_view resources, std::string_view strings,
                          std::string_view besideWindow) {
  const PointT<int32_t> size = os.clientSize;
  const std::string skin = std::string("<Application Name=\"PresetEditor\"/>\n") + kClearLook +
                           std::string(resources) +
                           "\n<Skins><Skin Name=\"Test\" FontName=\"DejaVu Sans\" FontSize=\"9\">\n"
                           "<SubControl Class=\"" + windowClass + "\" Name=\"window\" XSizeAbs=\"" +
                           std::to_string(size.x) + "\" YSizeAbs=\"" + std::to_string(size.y) + "\">\n" + windowSkin +
                           std::string(controls) + "\n</SubControl>" + std::string(besideWindow) +
                           "</Skin></Skins>";
  auto documents = std::make_shared<MemoryResources>();
  documents->Add("SVXML", "APP_STRINGS", StringTableDocument(strings));
  documents->Add("SVXML", "APP_SKINS", SkinDocument(skin));
  documents->Add("SVXML", "FRAMEWORK_STRINGS", FrameworkStrings());
  factory->SetResourceSource(documents);
  const SVRESULT loaded = factory->LoadResources(u"::", language);
  ASSERT_GE(loaded, 0) << "the test skin does not parse: line " << factory->GetLastParseError().line;
  application.SetApplicationStrings(factory->GetApplicationStringTable());
  // Each Build adds its skin to the factory's list; the newest is the one built.
  factory->SetCurrentSkinIndex(static_cast<int32_t>(factory->GetSkins().GetCount()) - 1);
  if (root) root->Detach();
  factory->CreateControl(root, kWindowControlName, window.Get());
  ASSERT_TRUE(root) << "the test skin has no window control";
  // Children are hit through a visible look of their parent: the window shows one
  // empty, transparent look of its own.
  if (root->GetLookCount() == 0) root->SetExclusiveLook(root->AddLook(RCPtr<LLook>(new LLook)));
  window->SetRootControlObject(root);
  root->RecomputePlacement();
}

RCPtr<LControl> WidgetHarness::FindControl(const RCPtr<LControl>& from, const String& name) {
  if (!from) return {};
  for (uint32_t i = 0; i < from->GetChildCount(); ++i) {
    const RCPtr<LControl>& child = from->GetChildAt(i);
    if (child->GetName() == name) return child;
    if (RCPtr<LControl> found = FindControl(child, name)) return found;
  }
  return {};
}

PointT<int32_t> WidgetHarness::At(const RCPtr<LControl>& control) const {
  const RectT<double>& rect = control->GetRect();
  return At(control, {static_cast<int32_t>(rect.width / 2), static_cast<int32_t>(rect.height / 2)});
}

PointT<int32_t> WidgetHarness::At(const RCPtr<LControl>& control, PointT<int32_t> local) const {
  PointT<int32_t> point = local;
  root->MapPointFromControl(control.Get(), point);
  return point;
}

void WidgetHarness::MoveTo(PointT<int32_t> point, int32_t modifiers) {
  os.cursorPosition = point;
  application.cursor = point;
  window->OnMouseMove(point, modifiers, 0);
}

void WidgetHarness::Press(PointT<int32_t> point, int32_t button, int32_t modifiers) {
  // The pointer is there before the press arrives, so a control that asks for the
  // cursor while it handles the press finds it at the press.
  if (point != os.cursorPosition) MoveTo(point, modifiers);
  os.buttons |= static_cast<uint32_t>(button);
  application.buttons |= static_cast<uint32_t>(button);
  window->OnMouseButton(0, button, modifiers, point, 0);
}

void WidgetHarness::Release(PointT<int32_t> point, int32_t button, int32_t modifiers) {
  os.buttons &= ~static_cast<uint32_t>(button);
  application.buttons &= ~static_cast<uint32_t>(button);
  window->OnMouseButton(1, button, modifiers, point, 0);
}

void WidgetHarness::Click(PointT<int32_t> point, int32_t button, int32_t modifiers) {
  Press(point, button, modifiers);
  Release(point, button, modifiers);
}

void WidgetHarness::DoubleClick(PointT<int32_t> point) {
  Click(point);
  os.buttons |= 1;
  application.buttons |= 1;
  window->OnMouseButton(2, 1, 0, point, 0);
  Release(point);
}

void WidgetHarness::Drag(PointT<int32_t> from, PointT<int32_t> to, int steps) {
  Press(from);
  steps = std::max(steps, 1);
  for (int i = 1; i <= steps; ++i)
    MoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  Release(to);
}

void WidgetHarness::Wheel(PointT<int32_t> point, int32_t direction, int32_t modifiers) {
  window->OnMouseWheel(point, modifiers, direction);
}

namespace {

// Holds the platform key state of the word's modifiers down while a key is delivered.
class HeldModifiers {
public:
  HeldModifiers(FakeShellApplication& application, uint32_t modifiers) : mApplication(application) {
    mSaved = mApplication.keysDown;
    if (modifiers & KeyCode::kModShift) mApplication.keysDown[VirtualKey::kShift] = true;
    if (modifiers & KeyCode::kModCtrl) mApplication.keysDown[VirtualKey::kControl] = true;
    if (modifiers & KeyCode::kModAlt) mApplication.keysDown[VirtualKey::kAlt] = true;
  }
  ~HeldModifiers() { mApplication.keysDown = mSaved; }

private:
  FakeShellApplication& mApplication;
  std::map<int32_t, bool> mSaved;
};

}  // namespace

void WidgetHarness::KeyDown(uint32_t virtualKey, uint32_t modifiers, bool repeat) {
  const HeldModifiers held(application, modifiers);
  const uint32_t code = ((virtualKey & 0xFF) << 16) | KeyCode::CodeModifierBits(modifiers) | KeyCode::kKeyDown;
  window->OnKey(MakeKeyParam(KeyCode(code, KeyCode::GetSidedModifiers(modifiers), repeat ? 1 : 0), 1));
}

void WidgetHarness::KeyUp(uint32_t virtualKey, uint32_t modifiers) {
  const HeldModifiers held(application, modifiers);
  const uint32_t code = ((virtualKey & 0xFF) << 16) | KeyCode::CodeModifierBits(modifiers);
  window->OnKey(MakeKeyParam(KeyCode(code, KeyCode::GetSidedModifiers(modifiers), 1), 1));
}

void WidgetHarness::Key(uint32_t virtualKey, uint32_t modifiers) {
  KeyDown(virtualKey, modifiers);
  KeyUp(virtualKey, modifiers);
}

void WidgetHarness::Char(char16_t character, uint32_t modifiers) {
  const HeldModifiers held(application, modifiers);
  window->OnKey(MakeKeyParam(KeyCode(character, modifiers), 1));
}

void WidgetHarness::Type(std::u16string_view text) {
  for (const char16_t character : text) Char(character);
}

bool WidgetHarness::Edit(const char16_t* request) { return application.GetClipboard()->PerformEditRequest(request); }

void WidgetHarness::Idle(uint32_t milliseconds) {
  application.Advance(milliseconds);
  window->Idle(true);
}

void WidgetHarness::RunFor(uint32_t milliseconds, uint32_t step) {
  step = std::max<uint32_t>(step, 1);
  for (uint32_t elapsed = 0; elapsed < milliseconds; elapsed += step) Idle(std::min(step, milliseconds - elapsed));
}

}  // namespace SV::Testing
