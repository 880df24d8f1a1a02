#include "SVFramework/Controls/CenteredSlider.h"

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

LCenteredSlider::LCenteredSlider(const RCPtr<LControl>& parent, const String& name) : LSlider(parent, name) {}

LCenteredSlider::~LCenteredSlider() = default;

double LCenteredSlider::SetValue(double normalized) {
  const double stored = LSlider::SetValue(normalized);
  SetBoundsPosFromThumbPos();
  return stored;
}

void LCenteredSlider::SetBoundsPosFromThumbPos() {
  if (!GetThumb()) SV_RAISE_NULL_POINTER("Thumb Child was not created.", "SV::LCenteredSlider::SetBoundsPosFromThumbPos");
  const PointT<int32_t> start = GetTrackStart(), end = GetTrackEnd();
  if (end.y == start.y) AlignBoundsOnAxis(LLayoutDescriptor::kAxisX);
  else if (end.x == start.x) AlignBoundsOnAxis(LLayoutDescriptor::kAxisY);
}

// Only the absolute part of each bound's position changes; anchor, reference, relative
// part and size stay as the skin gave them.
void LCenteredSlider::AlignBoundsOnAxis(int32_t axis) {
  const RCPtr<LControl> thumb = GetThumb();
  LPlacementSpec thumbPlacement, placement;
  LSizeSpec thumbSize, size;
  if (!thumb->GetLayout() || thumb->GetLayout()->GetPlacement(axis, thumbPlacement, thumbSize) < 0) return;
  const double centre = thumbPlacement.abs + thumbSize.abs / 2;
  for (const RCPtr<LControl>& bounds : {mLowBounds, mHighBounds}) {
    if (!bounds || !bounds->GetLayout() || bounds->GetLayout()->GetPlacement(axis, placement, size) < 0) continue;
    placement.abs = centre;
    bounds->SetPlacement(axis, placement, size);
  }
}

int32_t LCenteredSlider::OnThumbMouseMove(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  SetBoundsPosFromThumbPos();
  // The slider's own table moves the thumb for the same notification.
  return 0;
}

void LCenteredSlider::FindBounds(RCPtr<LControl>& bounds, const char16_t* name) {
  bounds = FindChild(name);
  if (!bounds) return;
  bounds->SetHitTestExcluded(true);
  if (const RCPtr<LControl> fill = bounds->FindChild(u"fill")) fill->SetHitTestExcluded(true);
}

SVRESULT LCenteredSlider::Initialize() {
  if (LSlider::Initialize() < 0) return E_FAIL;
  if (!mHandler) mHandler = CenteredSliderHandlers::Create(this);
  FindBoundsAndFollowThumb();
  SetBoundsPosFromThumbPos();
  return S_OK;
}

void LCenteredSlider::FindBoundsAndFollowThumb() {
  FindBounds(mLowBounds, u"lowRangeBounds");
  FindBounds(mHighBounds, u"highRangeBounds");
  if (GetThumb())
    mHandler->AddHandler(&LCenteredSlider::OnThumbMouseMove, RCPtr<LNotificationDistributor>(GetThumb().Get()),
                         u"NID_MOUSE_MOVE");
}

SVRESULT LCenteredSlider::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const bool reapplied = IsCreated();
  const SVRESULT result = LSlider::ApplyDescriptor(descriptor);
  if (!reapplied || !mHandler) return result;
  FindBoundsAndFollowThumb();
  if (GetThumb()) SetBoundsPosFromThumbPos();
  return result;
}

void LCenteredSlider::EndClientRectWatch() {
  LSlider::EndClientRectWatch();
  if (GetThumb()) SetBoundsPosFromThumbPos();
}

int32_t LCenteredSlider::Receive(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mHandler) {
    const RCPtr<CenteredSliderHandlers> handler = mHandler;
    if (const int32_t handled = handler->Dispatch(source, notification)) return handled;
  }
  return LSlider::Receive(source, notification);
}

SVRESULT LCenteredSlider::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandler) mHandler->RemoveHandler(source.Get(), idText);
  return LSlider::UnsubscribeVirtual(source, idText);
}

SVRESULT LCenteredSlider::ReleaseInternalReferences() {
  mLowBounds.Reset();
  mHighBounds.Reset();
  return LSlider::ReleaseInternalReferences();
}

}  // namespace SV
