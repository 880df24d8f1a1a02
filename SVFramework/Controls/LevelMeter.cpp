#include "SVFramework/Controls/LevelMeter.h"

#include <cmath>

#include "SVFramework/ControlBase/PixelRounding.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {
namespace {

// Hides a part and keeps it from the focus.
void Retire(const RCPtr<LControl>& part) {
  part->SetVisible(false);
  part->SetNotFocusable(true);
}

}  // namespace

LLevelMeter::LLevelMeter(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

SVRESULT LLevelMeter::Initialize() {
  const SVRESULT result = LControl::Initialize();
  mMeterHandlers = MeterHandlers::Create(this);
  FindParts();
  return result;
}

void LLevelMeter::FindParts() {
  mPeakMarker = FindChild(u"peakLo");
  if (mPeakMarker) mPeakMarker->SetUseParentTooltip(true);
  mOverlay = FindChild(u"activeOverlay");
  if (mOverlay) mOverlay->SetUseParentTooltip(true);
  mClipButton = FindChild(u"clipButton");
}

void LLevelMeter::OnDescriptorApplied() {
  if (IsCreated()) FindParts();
  mVertical = GetRect().height > GetRect().width ? 1 : 0;
  if (mPeakMarker) {
    Retire(mPeakMarker);
    mLowPeakOrigin = {mPeakMarker->GetRect().x, mPeakMarker->GetRect().y};
    if (const RCPtr<LControl> high = FindChild(u"peakHi")) {
      Retire(high);
      mHighPeakOrigin = {high->GetRect().x, high->GetRect().y};
    } else {
      mPeakMarker.Reset();
    }
  }
  if (mOverlay) Retire(mOverlay);
  if (mClipButton) mClipButton->SetNotFocusable(true);
  SetNotFocusable(true);
  OnValueChanged();
}

void LLevelMeter::OnValueChanged() {
  if (mUpdating) return;
  SetLevelAndClip(GetNormalizedValue(), 0, mClipCount);
}

SVRESULT LLevelMeter::SetLevel(double level, double peak) { return SetLevelAndClip(level, peak, mClipCount); }

SVRESULT LLevelMeter::SetLevelAndClip(double level, double peak, int32_t clipCount) {
  const RCPtr<LControl> self(this);
  UpdateClipLight(clipCount);
  mUpdating = true;
  SetNormalizedValue(level);
  mUpdating = false;
  SizeBar(level);
  PlacePeak(peak);
  return S_OK;
}

void LLevelMeter::UpdateClipLight(int32_t clipCount) {
  if (mClipButton) {
    if (clipCount != mClipCount) mClipButton->SetNormalizedValue(1.0);
    else if (!mLatched) mClipButton->SetNormalizedValue(0.0);
  }
  mClipCount = clipCount;
}

// The bar's length uses the raw level, so a level above 1 overshoots the meter; a
// length that is no finite number hides the bar instead of placing it nowhere.
void LLevelMeter::SizeBar(double level) {
  if (!mOverlay || !mOverlay->GetLayout()) return;
  const int32_t axis = mVertical ? 1 : 0;
  const double extent = mVertical ? GetRect().height * (1 - level) : GetRect().width * level;
  const double length = RoundHalfAwayFromZero(extent);
  if (!(length >= 1) || !std::isfinite(length)) {
    mOverlay->SetVisible(false);
    return;
  }
  mOverlay->SetVisible(true);
  LSizeSpec size = mOverlay->GetLayout()->Size[axis];
  size.reference = SizeReference::Self;
  size.name = String();
  size.abs = length;
  mOverlay->SetPlacement(axis, mOverlay->GetLayout()->Placement[axis], size);
}

void LLevelMeter::PlacePeak(double peak) {
  if (!mPeakMarker || !mPeakMarker->GetLayout()) return;
  const int32_t axis = mVertical ? 1 : 0;
  const double span = mVertical ? mHighPeakOrigin.y - mLowPeakOrigin.y : mHighPeakOrigin.x - mLowPeakOrigin.x;
  const double offset = RoundHalfAwayFromZero(span * peak);
  // A peak that is no number shows no marker rather than one placed at NaN.
  if (offset == 0 || !std::isfinite(offset)) {
    mPeakMarker->SetVisible(false);
    return;
  }
  mPeakMarker->SetVisible(true);
  LPlacementSpec placement = mPeakMarker->GetLayout()->Placement[axis];
  placement.abs = offset;
  mPeakMarker->SetPlacement(axis, placement, mPeakMarker->GetLayout()->Size[axis]);
}

SVRESULT LLevelMeter::SetClipLatch(bool latch) {
  if (!mClipButton) return E_FAIL;
  mClipButton->SetNormalizedValue(0.0);
  if (latch == mLatched) return S_OK;
  mLatched = latch;
  const RCPtr<LNotificationDistributor> button(mClipButton.Get());
  if (latch) {
    mMeterHandlers->AddHandler(&LLevelMeter::OnClipButtonClick, button, NotificationName::kLeftClick);
  } else {
    Unsubscribe(button, NotificationName::kLeftClick);
    mMeterHandlers->RemoveHandler(button.Get(), NotificationName::kLeftClick);
  }
  return S_OK;
}

bool LLevelMeter::IsClipLit() const { return mClipButton && mClipButton->GetNormalizedValue() >= 0.5; }

int32_t LLevelMeter::OnClipButtonClick(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  if (!IsClipLit()) return 1;
  mClipButton->SetNormalizedValue(0.0);
  Distribute(LNotification::Obtain(u"NID_CLIPLIGHT_UNLATCHED", nullptr));
  return 1;
}

int32_t LLevelMeter::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (IsCreated() && mMeterHandlers) {
    const int32_t handled = mMeterHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

SVRESULT LLevelMeter::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mMeterHandlers) mMeterHandlers->RemoveHandler(source.Get(), idText);
  return LControl::UnsubscribeVirtual(source, idText);
}

}  // namespace SV
