#include "SVFramework/Controls/ToolTip.h"

#include <algorithm>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV {

bool LToolTip::sHidden = false;
uint32_t LToolTip::sLastHideTime = 0;

LToolTip::LToolTip(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LToolTip::~LToolTip() = default;

uint32_t LToolTip::Now() {
  LFrameworkApp* application = GetFrameworkApp();
  return application ? application->GetTickCount() : 0;
}

void LToolTip::ForgetLastHide() {
  sHidden = false;
  sLastHideTime = 0;
}

SVRESULT LToolTip::ApplyCreateParams() {
  SetNotFocusable(true);
  return S_OK;
}

void LToolTip::OnDescriptorApplied() { SetVisible(false); }

SVRESULT LToolTip::Show() {
  CapWidthToWindow();
  mTime = Now();
  // Before any tooltip was hidden there is no hide time to be close to.
  if (sHidden && mTime - sLastHideTime < kAtOnceAfterHideMs) {
    Appear();
  } else {
    mState = kWaiting;
  }
  AcquireIdle();
  return S_OK;
}

void LToolTip::CapWidthToWindow() {
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow) return;
  LSizeLimitSpec minimum, maximum;
  if (GetLayout()) GetLayout()->GetMinMax(LLayoutDescriptor::kAxisX, minimum, maximum);
  maximum = LSizeLimitSpec{};
  maximum.abs = static_cast<double>(rootWindow->GetWindowRect().width) - kWindowMargin;
  SetMinMax(LLayoutDescriptor::kAxisX, minimum, maximum);
}

void LToolTip::Appear() {
  mState = kShown;
  mTime = Now();
  PlaceAtCursor();
  SetVisible(true);
}

SVRESULT LToolTip::Hide() {
  const RCPtr<LControl> self(this);
  if (mState != kIdle) {
    mState = kIdle;
    ReleaseIdle();
  }
  const RectT<double>& rect = GetRect();
  if (GetLayout() && GetLayout()->IsVisible && rect.width > 0 && rect.height > 0) {
    sHidden = true;
    sLastHideTime = Now();
  }
  if (LControl* parent = GetParent()) parent->DestroyChildLater(self);
  return S_OK;
}

void LToolTip::OnIdle() {
  const uint32_t elapsed = Now() - mTime;
  if (mState == kWaiting && elapsed > kShowDelayMs) {
    Appear();
  } else if (mState == kShown && elapsed > kShowDurationMs) {
    Hide();
  }
}

void LToolTip::PlaceAtCursor() {
  LControl* parent = GetParent();
  LRootWindow* rootWindow = GetRootWindow();
  if (!parent || !rootWindow) return;
  const PointT<int32_t> cursor = rootWindow->GetCursorPosition();
  const PointT<double> origin = parent->GetScreenPosition();
  const RectT<int32_t> window = rootWindow->GetWindowRect();
  const RectT<int32_t> own = GetRect().ToIntRect();
  int64_t x = cursor.x;
  int64_t y = int64_t{cursor.y} + kBelowPointer;
  if (x + own.width > window.width) x = int64_t{window.width} - own.width;
  if (y + own.height > window.height) y = int64_t{window.height} - own.height;
  x = std::max<int64_t>(x, 0);
  y = std::max<int64_t>(y, 0);
  const int64_t target[2] = {x - RoundToInt32(origin.x), y - RoundToInt32(origin.y)};
  for (int32_t axis = LLayoutDescriptor::kAxisX; axis <= LLayoutDescriptor::kAxisY; ++axis) {
    LPlacementSpec placement;
    LSizeSpec size;
    if (GetLayout()) GetLayout()->GetPlacement(axis, placement, size);
    placement.abs = static_cast<double>(target[axis]);
    SetPlacement(axis, placement, size);
  }
}

}  // namespace SV
