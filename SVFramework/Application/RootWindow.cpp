#include "SVFramework/Application/RootWindow.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/PixelRounding.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/Utilities/Storage/RCPtrQueue.h"

namespace SV {
namespace {

PointT<double> ToDouble(PointT<int32_t> point) { return {static_cast<double>(point.x), static_cast<double>(point.y)}; }

int32_t RoundToInt(double value) {
  const double rounded = std::round(value);
  if (rounded >= 2147483647.0) return INT32_MAX;
  if (rounded <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(rounded);
}

void FillClientArea(LControl& control) {
  const LPlacementSpec origin{0.0f, PositionReference::Client, String(), 0.0f, 0.0, false};
  const LSizeSpec whole{SizeReference::Client, String(), 1.0f, 0.0};
  control.SetPlacements(origin, whole, origin, whole);
}

}  // namespace

// Keys waiting for the next idle pass; nominally 256 slots, more when needed.
struct LRootWindow::KeyQueue {
  explicit KeyQueue(Mutex* lock) : keys(lock) {}
  RCPtrQueue<LKeyParam, 256> keys;
};

RCPtr<LRootWindow> LRootWindow::Create(const RCPtr<LRenderer>& renderer, IWindowOSServices* osWindow) {
  RCPtr<LRootWindow> window(new LRootWindow(renderer, osWindow));
  window->SetTarget(window);
  return window;
}

LRootWindow::LRootWindow(const RCPtr<LRenderer>& renderer, IWindowOSServices* osWindow)
    : mRenderer(renderer), mOSWindow(osWindow), mKeyQueue(std::make_unique<KeyQueue>(&mKeyQueueLock)),
      mUnclippedList(std::make_unique<RCPtrArray<LControl, 1, 0>>()) {
  mHotKeys = CreateGlobalHotKeyManager(GetPostingReceiver());
}

LRootWindow::~LRootWindow() = default;

void LRootWindow::EnqueueKey(const RCPtr<LKeyParam>& key) { mKeyQueue->keys.Enqueue(key); }

void LRootWindow::DispatchQueuedKeys() {
  while (mKeyQueue->keys.GetCount() > 0) {
    const RCPtr<LKeyParam> key = mKeyQueue->keys.Dequeue();
    OnKey(key);
  }
}

RectT<int32_t> LRootWindow::GetWindowRect() const {
  if (mOSWindow) {
    RectT<int32_t> client = mClientRect;
    mOSWindow->GetClientRect(client);
    PointT<int32_t> origin{0, 0};
    mOSWindow->ClientToScreen(origin);
    mClientRect = {origin.x, origin.y, client.width, client.height};
  }
  return mClientRect;
}

PointT<int32_t> LRootWindow::GetClientSize() const {
  const RectT<int32_t> rect = GetWindowRect();
  return {rect.width, rect.height};
}

void LRootWindow::SetWindowRect(const RectT<int32_t>& rect) {
  if (!mOSWindow || rect == GetWindowRect()) return;
  mOSWindow->SetWindowRect(rect);
  if (mRootControl) {
    const RectT<double>& area = mRootControl->GetRect();
    mRootControl->InvalidateRect({0, 0, area.width, area.height}, true);
  }
}

bool LRootWindow::ConstrainClientSize(PointT<int32_t>& size) {
  PointT<int32_t> constrained = size;
  if (mRootControl && mRootControl->GetLayout()) {
    PointT<int32_t> origin{0, 0};
    if (mOSWindow) mOSWindow->ClientToScreen(origin);
    LFrameworkApp* application = GetFrameworkApp();
    const RectT<int32_t> workArea = application ? application->GetWorkArea() : RectT<int32_t>{};
    const PointT<double> cursor = application ? ToDouble(application->GetCursorPos()) : PointT<double>{};
    LPlacementFrame frame{{-static_cast<double>(origin.x), -static_cast<double>(origin.y)},
                          {static_cast<double>(workArea.width), static_cast<double>(workArea.height)},
                          {static_cast<double>(size.x), static_cast<double>(size.y)},
                          {0, 0},
                          [cursor](const String&, int32_t axis) { return LNamedSpan{axis == 0 ? cursor.x : cursor.y, 0}; }};
    RectT<double> solved;
    SolvePlacement(mRootControl->GetLayout().Get(), frame, solved);
    NormalizeRect(solved);
    PointT<double> position{solved.x, solved.y};
    PointT<double> extent{solved.width, solved.height};
    mRootControl->ApplyMinSize(position, extent);
    mRootControl->ApplyMaxSize(position, extent);
    RectT<double> limited{position.x, position.y, extent.x, extent.y};
    NormalizeRect(limited);
    constrained = {RoundToInt(limited.width), RoundToInt(limited.height)};
  }
  constrained.x = std::max(constrained.x, 1);
  constrained.y = std::max(constrained.y, 1);
  const bool changed = constrained.x != size.x || constrained.y != size.y;
  size = constrained;
  return changed;
}

SVRESULT LRootWindow::SetRootControl(const String& name) {
  RCPtr<LControl> control;
  if (!name.IsEmpty()) {
    const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
    if (!factory) return E_FAIL;
    factory->CreateControl(control, name, this);
    if (!control) return E_FAIL;
  }
  return SetRootControlObject(control);
}

SVRESULT LRootWindow::SetRootControlObject(const RCPtr<LControl>& control) {
  DropControlReferences();
  if (mRootControl) {
    AddInternalReferences(-1);
    const RCPtr<LControl> old = std::move(mRootControl);
    old->Detach();
    mHotKeys->GetMap().Clear();
  }
  if (!control) return S_OK;
  mRootControl = control;
  if (const RCPtr<LStringTable>& table = control->GetStringTable()) mHotKeys->GetMap().LoadFromStringTable(table.Get(), u"GHK");
  if (!control->GetRootWindow()) control->SetRootWindow(this);
  FillClientArea(*control);
  if (!mFocus && mOSWindow) {
    if (mOSWindow->HasFocus())
      control->SetFocus(true);
    else
      mOSWindow->SetFocus();
  }
  AddInternalReferences(1);
  if (mOSWindow) mOSWindow->ApplySizeLimits();
  const PointT<int32_t> size = GetClientSize();
  InvalidateRect({0, 0, size.x, size.y});
  return S_OK;
}

void LRootWindow::DropControlReferences() {
  mFocus.Reset();
  mPreviousFocus.Reset();
  mHover.Reset();
  mCapture.Reset();
}

RCPtr<LControl> LRootWindow::GetRootControl() const { return mRootControl; }

IWindowOSServices* LRootWindow::GetOSWindow() const { return mOSWindow; }

int32_t LRootWindow::GetModifierKeys() const {
  LFrameworkApp* application = GetFrameworkApp();
  if (!application) return 0;
  int32_t modifiers = 0;
  const struct {
    int32_t virtualKey;
    int32_t bit;
  } keys[] = {{17, 0x1}, {16, 0x8}, {18, 0x40}};
  for (const auto& key : keys) {
    bool down = false;
    bool toggled = false;
    application->GetKeyState(key.virtualKey, down, toggled);
    if (down) modifiers |= key.bit;
  }
  return modifiers;
}

int32_t LRootWindow::GetMouseButtons() const {
  if (!mOSWindow) return 0;
  if (mOSWindow->IsActive()) return mOSWindow->GetMouseButtons();
  LFrameworkApp* application = GetFrameworkApp();
  return application ? application->GetMouseButtons() : 0;
}

PointT<int32_t> LRootWindow::GetCursorPosition() const {
  PointT<int32_t> point{0, 0};
  if (!mOSWindow) return point;
  if (mOSWindow->IsActive()) {
    mOSWindow->GetCursorPos(point);
    return point;
  }
  if (LFrameworkApp* application = GetFrameworkApp()) point = application->GetCursorPos();
  mOSWindow->ScreenToClient(point);
  return point;
}

void LRootWindow::SetFocusControl(const RCPtr<LControl>& control) { mFocus = control; }

void LRootWindow::ClearFocusControl(LControl*) {
  mPreviousFocus = mFocus;
  mFocus.Reset();
}

RCPtr<LControl> LRootWindow::GetFocusControl() const { return mFocus; }

RCPtr<LControl> LRootWindow::GetPreviousFocusControl() const { return mPreviousFocus; }

RCPtr<LControl> LRootWindow::GetHoverControl() const { return mHover; }

RCPtr<LControl> LRootWindow::GetTooltipOwner() const { return mTooltipOwner; }

RCPtr<LControl> LRootWindow::GetCaptureControl() const { return mCapture; }

SVRESULT LRootWindow::BeginDrag(const RCPtr<LControl>& control) {
  if (!control) return E_INVALIDARG;
  if (mCapture && mCapture != control) {
    const RCPtr<LControl> previous = mCapture;
    previous->OnCaptureLost();
  }
  mCapture = control;
  return S_OK;
}

SVRESULT LRootWindow::EndDrag(LControl*) {
  mCapture.Reset();
  return S_OK;
}

void LRootWindow::OnWindowFocusLost() {
  SetHoverControl(nullptr);
  if (!mRootControl) return;
  const RCPtr<LControl> root = mRootControl;
  root->SetFocus(true);
  root->OnFocusLost();
}

void LRootWindow::RestoreFocus() {
  // A focus already inside this window stays exactly where it is: handing it down the
  // tree again would pass a drop-down's own SetFocus, which closes an open drop-down
  // (a menu opened by the very press that activated the window).
  if (mFocus && mFocus->GetRootWindow() == this) return;
  if (!mFocus && mPreviousFocus) {
    const RCPtr<LControl> previous = mPreviousFocus;
    if (previous->GetRootWindow() == this) {
      previous->SetFocus(true);
      return;
    }
  }
  if (mRootControl) {
    const RCPtr<LControl> root = mRootControl;
    root->SetFocus(true);
  }
}

void LRootWindow::OnResize(PointT<int32_t>) {
  if (mRootControl) {
    const RCPtr<LControl> root = mRootControl;
    root->OnRelayoutRequest();
  }
}

void LRootWindow::OnCaptureLost() {
  if (!mCapture) return;
  const RCPtr<LControl> capture = mCapture;
  capture->OnCaptureLost();
  mCapture.Reset();
}

int32_t LRootWindow::SetCursor(int32_t cursor) {
  if (!mOSWindow) return 0;
  if (cursor == 0) cursor = GetCursorByName(u"UI_CURSOR_ARROW");
  return mOSWindow->SetCursor(cursor);
}

void LRootWindow::SetCaret(bool shown, const LControl* owner, PointT<int32_t> position) {
  if (shown && owner != mFocus.Get()) return;
  if (mOSWindow) mOSWindow->SetCaret(shown, position);
}

SVRESULT LRootWindow::ReleaseInternalReferences() {
  Detach();
  mOSWindow = nullptr;
  SetRootControl(String());
  RemoveAllClients();
  mTooltipOwner.Reset();
  mHotKeys.Reset();
  return LRefCountedObject::ReleaseInternalReferences();
}

}  // namespace SV
