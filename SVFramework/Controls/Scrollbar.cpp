#include "SVFramework/Controls/Scrollbar.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {
namespace {

double ClampUnit(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }

bool BecameSet(const LConditionsParam& change, uint32_t bit) {
  return (change.current & bit) != 0 && (change.previous & bit) == 0;
}
bool BecameClear(const LConditionsParam& change, uint32_t bit) {
  return (change.current & bit) == 0 && (change.previous & bit) != 0;
}

const LConditionsParam* ConditionsOf(const RCPtr<LNotification>& notification) {
  return notification ? dynamic_cast<const LConditionsParam*>(notification->GetPayload().Get()) : nullptr;
}

}  // namespace

LScrollbar::LScrollbar(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {
  LControl::SetValueRange(0, 100, 0);
}

LScrollbar::~LScrollbar() {
  mThumb.Reset();
  mChannel.Reset();
  mBarHandlers.Reset();
}

int32_t LScrollbar::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mBarHandlers) {
    const int32_t handled = mBarHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

// --- Creation ---

SVRESULT LScrollbar::Initialize() {
  const SVRESULT result = LControl::Initialize();
  if (result < 0) return result;
  mBarHandlers = Handlers::Create(this);
  BindParts();
  TakeOrientationFromArrows();
  EndClientRectWatch();
  SetKeyMask(0xff);
  return S_OK;
}

void LScrollbar::BindParts() {
  mChannel = FindChild(u"channel");
  if (mChannel) {
    const RCPtr<LNotificationDistributor> channel(mChannel.Get());
    mBarHandlers->AddHandler(&LScrollbar::OnChannelPress, channel, u"NID_LEFT_DRAG_CONDITION_CHANGE", 0);
    // The capture can end apart from the button (a lost capture): the press ends too.
    mBarHandlers->AddHandler(&LScrollbar::OnChannelPress, channel, u"NID_CAPTURE_CONDITION_CHANGE", 0);
    mBarHandlers->AddHandler(&LScrollbar::OnChannelHoverChange, channel, u"NID_HOVER_CONDITION_CHANGE", 0);
    mThumb = RCPtr<LButton>(dynamic_cast<LButton*>(mChannel->FindChild(u"thumb").Get()));
  }
  if (mThumb) {
    const RCPtr<LNotificationDistributor> thumb(mThumb.Get());
    mBarHandlers->AddHandler(&LScrollbar::OnThumbMouseMove, thumb, u"NID_MOUSE_MOVE", 0);
    mBarHandlers->AddHandler(&LScrollbar::OnThumbDragChange, thumb, u"NID_LEFT_DRAG_CONDITION_CHANGE", 0);
    mThumb->SetStickyPress(true);
  }
  BindArrow(u"dec");
  BindArrow(u"inc");
}

void LScrollbar::BindArrow(const char16_t* name) {
  const RCPtr<LButton> arrow(dynamic_cast<LButton*>(FindChild(name).Get()));
  if (!arrow) return;
  mBarHandlers->AddHandler(&LScrollbar::OnArrowRepeat, RCPtr<LNotificationDistributor>(arrow.Get()),
                           u"NID_BUTTON_AUTOREPEAT", 0);
  arrow->SetAutoRepeat(true);
}

// "inc" to the right of "dec" on a row makes a horizontal bar, below it a vertical one.
void LScrollbar::TakeOrientationFromArrows() {
  const RCPtr<LControl> dec = FindChild(u"dec");
  const RCPtr<LControl> inc = FindChild(u"inc");
  if (!dec || !inc) return;
  const double across = inc->GetRect().x - dec->GetRect().x;
  const double down = inc->GetRect().y - dec->GetRect().y;
  mVertical = across <= down ? 1 : 0;
}

void LScrollbar::OnDescriptorApplied() {
  SetNotFocusable(true);
  for (const char16_t* name : {u"dec", u"inc", u"channel"})
    if (const RCPtr<LControl> part = FindChild(name)) part->SetNotFocusable(true);
  if (mThumb) {
    mThumb->SetNotFocusable(true);
    mMinimumThumbLength = IsVertical() ? mThumb->GetRect().width : mThumb->GetRect().height;
  }
  EndClientRectWatch();
}

SVRESULT LScrollbar::SetKeyMask(int32_t mask) {
  if (mask < 0 || mask > 0xff) return E_INVALIDARG;
  if (mask != 0 && !mKeysBound && mBarHandlers) {
    mKeysBound = true;
    if (LControl* parent = GetParent())
      mBarHandlers->AddHandler(&LScrollbar::OnKey, RCPtr<LNotificationDistributor>(parent),
                               NotificationName::kSiblingKey, 0);
    mBarHandlers->AddDirectHandler(&LScrollbar::OnKey, NotificationName::kSiblingKey);
  }
  mKeyMask = static_cast<uint8_t>(mask);
  return S_OK;
}

// --- Value and range ---

double LScrollbar::SetNormalizedValue(double value) {
  if (mDragging) {
    mPendingValue = value;
    return GetNormalizedValue();
  }
  return ApplyNormalizedValue(value);
}

double LScrollbar::ApplyNormalizedValue(double value) {
  const RCPtr<LControl> self(this);
  const double stored = LControl::SetNormalizedValue(ClampUnit(value));
  PlaceThumb();
  return stored;
}

SVRESULT LScrollbar::SetValueRange(double minimum, double maximum, int32_t taper) {
  const double kept = NormalizedToValue(GetNormalizedValue());
  const SVRESULT result = LControl::SetValueRange(minimum, maximum, taper);
  SetNormalizedValue(ValueToNormalized(kept));
  PlaceThumb();
  return result;
}

// --- Track and thumb ---

void LScrollbar::EndClientRectWatch() {
  LControl::EndClientRectWatch();
  if (!mThumb || !mChannel) return;
  const RectT<double> client = mChannel->GetLookClientRect(-1);
  mChannelOrigin = IsVertical() ? client.y : client.x;
  mTrackStart = 0;
  mTrackEnd = IsVertical() ? client.height : client.width;
  UpdateThumb();
  PlaceThumb();
}

void LScrollbar::UpdateThumb() {
  const double wanted = (mTrackEnd - mTrackStart) * mThumbProportion;
  mThumbLength = RoundHalfAway(std::max(mMinimumThumbLength, std::isfinite(wanted) ? wanted : 0.0));
  if (mThumb && mThumb->GetLayout()) {
    LSizeSpec size = mThumb->GetLayout()->Size[Axis()];
    if (size.reference != SizeReference::Self || size.abs != mThumbLength || size.rel != 0) {
      size.reference = SizeReference::Self;
      size.rel = 0;
      size.abs = mThumbLength;
      mThumb->SetPlacement(Axis(), mThumb->GetLayout()->Placement[Axis()], size);
    }
  }
  PlaceThumb();
}

double LScrollbar::TrackTravel() const { return mTrackEnd - mTrackStart - mThumbLength; }

double LScrollbar::ThumbPosition() const {
  if (!mThumb) return mTrackStart;
  return IsVertical() ? mThumb->GetRect().y : mThumb->GetRect().x;
}

void LScrollbar::SetThumbPosition(double position) {
  if (!mThumb || !mThumb->GetLayout()) return;
  LPlacementSpec placement = mThumb->GetLayout()->Placement[Axis()];
  placement.reference = PositionReference::Client;
  placement.anchor = 0;
  placement.rel = 0;
  placement.abs = position;
  mThumb->SetPlacement(Axis(), placement, mThumb->GetLayout()->Size[Axis()]);
}

void LScrollbar::PlaceThumb() {
  if (mDragging || !mThumb) return;
  const double position = RoundHalfAway(TrackTravel() * GetNormalizedValue() + mTrackStart);
  if (position != ThumbPosition()) SetThumbPosition(position);
}

// --- Thumb drag ---

int32_t LScrollbar::OnThumbDragChange(const RCPtr<LNotificationDistributor>&,
                                      const RCPtr<LNotification>& notification) {
  const LConditionsParam* change = ConditionsOf(notification);
  if (!change) return 1;
  const RCPtr<LControl> self(this);
  if (BecameSet(*change, Condition::kLeftDrag)) {
    mDragging = true;
    mGrabX = static_cast<int32_t>(change->point.x);
    mGrabY = static_cast<int32_t>(change->point.y);
    mPendingValue = -1.0;
  } else if (BecameClear(*change, Condition::kLeftDrag) && mDragging) {
    mDragging = false;
    if (mApplyPending && mPendingValue >= 0 && mPendingValue <= 1) ApplyNormalizedValue(mPendingValue);
    mPendingValue = -1.0;
  }
  return 1;
}

int32_t LScrollbar::OnThumbMouseMove(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (!mDragging || !mThumb || source.Get() != static_cast<LNotificationDistributor*>(mThumb.Get())) return 1;
  const auto* pointer = notification ? dynamic_cast<const LPointParam*>(notification->GetPayload().Get()) : nullptr;
  if (!pointer) return 1;
  // The pointer in the thumb's coordinates, moved to where the grabbed point would put
  // the thumb's leading edge on the track.
  const double inThumb = IsVertical() ? pointer->y - mGrabY : pointer->x - mGrabX;
  double position = ThumbPosition() + inThumb;
  position = std::min(position, mTrackEnd - mThumbLength);
  position = std::max(position, mTrackStart);
  if (position != ThumbPosition()) {
    SetThumbPosition(position);
    OnThumbMoved(position);
  }
  return 1;
}

void LScrollbar::OnThumbMoved(double position) {
  const double travel = TrackTravel();
  // A thumb that fills the track has no travel: the position stays at the start.
  const double value = travel > 0 ? (position - mTrackStart) / travel : 0;
  LControl::SetNormalizedValue(ClampUnit(value));
}

// --- Channel paging ---

int32_t LScrollbar::OnChannelPress(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  const LConditionsParam* change = ConditionsOf(notification);
  if (!change || !mChannel) return 1;
  const RCPtr<LControl> self(this);
  if (BecameSet(*change, Condition::kLeftDown) && mChannelZone == kZoneNone) {
    const double along = (IsVertical() ? change->point.y : change->point.x) - mChannelOrigin;
    mChannelZone = HitZone(along);
    if (mChannelZone != kZoneNone) {
      PageOnce();
      mLastTick = GetApplicationTime();
      mTimeToNextPage = mFirstPageRepeatDelay;
      AcquireIdle();
    }
  } else if (mChannelZone != kZoneNone && BecameClear(*change, Condition::kCapture)) {
    mChannelZone = kZoneNone;
    RestoreChannelLook();
    ReleaseIdle();
  }
  if (mChannelZone != kZoneNone) UpdateChannelLook();
  return 1;
}

int32_t LScrollbar::HitZone(double along) const {
  const double thumbStart = ThumbPosition();
  const double thumbEnd = thumbStart + mThumbLength;
  if (mTrackStart <= along && along <= thumbStart) return kZoneBefore;
  if (thumbEnd <= along && along <= mTrackEnd) return kZoneAfter;
  return kZoneNone;
}

void LScrollbar::PageOnce() {
  const double step = mChannelZone == kZoneBefore ? -mPageStep : mPageStep;
  SetNormalizedValue(GetNormalizedValue() + step);
}

double LScrollbar::PointerAlongChannel() const {
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow || !mChannel) return -1;
  PointT<int32_t> pointer = rootWindow->GetCursorPosition();
  const RCPtr<LControl> top = const_cast<LScrollbar*>(this)->GetTopLevelControl();
  mChannel->MapPointFromControl(top.Get(), pointer);
  return (IsVertical() ? pointer.y : pointer.x) - mChannelOrigin;
}

bool LScrollbar::PointerOverChannel() const {
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow || !mChannel) return false;
  PointT<int32_t> pointer = rootWindow->GetCursorPosition();
  const RCPtr<LControl> top = const_cast<LScrollbar*>(this)->GetTopLevelControl();
  mChannel->MapPointFromControl(top.Get(), pointer);
  const RectT<double>& rect = mChannel->GetRect();
  return pointer.x >= 0 && pointer.y >= 0 && pointer.x < rect.width && pointer.y < rect.height;
}

void LScrollbar::OnIdle() {
  if (mChannelZone == kZoneNone) return;
  if (!PointerOverChannel() || HitZone(PointerAlongChannel()) != mChannelZone) return;
  const double now = GetApplicationTime();
  mTimeToNextPage -= now - mLastTick;
  mLastTick = now;
  if (mTimeToNextPage > 0) return;
  mTimeToNextPage = mPageRepeatInterval;
  const RCPtr<LControl> self(this);
  PageOnce();
  UpdateChannelLook();
}

int32_t LScrollbar::OnChannelHoverChange(const RCPtr<LNotificationDistributor>&,
                                         const RCPtr<LNotification>& notification) {
  const LConditionsParam* change = ConditionsOf(notification);
  if (change && BecameSet(*change, 0x1000)) mLastTick = GetApplicationTime();
  if (mChannelZone != kZoneNone) UpdateChannelLook();
  return 1;
}

void LScrollbar::UpdateChannelLook() {
  if (!mChannel || mChannelZone == kZoneNone || !PointerOverChannel() ||
      HitZone(PointerAlongChannel()) != mChannelZone) {
    RestoreChannelLook();
    return;
  }
  const RectT<double> client = mChannel->GetLookClientRect(-1);
  const double thumbStart = ThumbPosition();
  const double from = mChannelZone == kZoneBefore ? mTrackStart : thumbStart + mThumbLength;
  const double to = mChannelZone == kZoneBefore ? thumbStart : mTrackEnd;
  RectT<double> pressed = client;
  if (IsVertical()) {
    pressed.y = client.y + from;
    pressed.height = std::max(to - from, 0.0);
  } else {
    pressed.x = client.x + from;
    pressed.width = std::max(to - from, 0.0);
  }
  mChannel->SetLookWeight(1, 1.0f, false);
  const RectT<int32_t> area = pressed.ToIntRect();
  Region region;
  region.AddRect({area.x, area.y, area.x + area.width, area.y + area.height});
  mChannel->SetLookRegion(1, region);
  mChannel->SetLookRegionExcluding(0, 1);
}

void LScrollbar::RestoreChannelLook() {
  if (!mChannel) return;
  mChannel->ClearAllLookRegions();
  mChannel->SetLookWeight(0, 1.0f, true);
}

// --- Arrows and keys ---

int32_t LScrollbar::OnArrowRepeat(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  const auto* arrow = dynamic_cast<const LControl*>(source.Get());
  if (!arrow) return 1;
  const RCPtr<LControl> self(this);
  if (arrow->GetName() == String(u"dec")) SetNormalizedValue(GetNormalizedValue() - mLineStep);
  if (arrow->GetName() == String(u"inc")) SetNormalizedValue(GetNormalizedValue() + mLineStep);
  return 1;
}

double LScrollbar::NewValueForKey(uint32_t code, bool& handled) const {
  struct KeyRow {
    uint32_t code;
    int32_t bit;
    int32_t orientation;  // 0 horizontal, 1 vertical, -1 either
    double line;
    double page;
    double absolute;      // -1 for a relative step
  };
  static constexpr KeyRow kRows[] = {
      {0x20260000u, kKeyUp, 1, -1, 0, -1},        {0x20280000u, kKeyDown, 1, 1, 0, -1},
      {0x20250000u, kKeyLeft, 0, -1, 0, -1},      {0x20270000u, kKeyRight, 0, 1, 0, -1},
      {0x20210000u, kKeyPageUp, 1, 0, -1, -1},    {0x20220000u, kKeyPageDown, 1, 0, 1, -1},
      {0x20240000u, kKeyHome, -1, 0, 0, 0},       {0x20230000u, kKeyEnd, -1, 0, 0, 1},
  };
  handled = false;
  for (const KeyRow& row : kRows) {
    if (row.code != code || (mKeyMask & row.bit) == 0) continue;
    if (row.orientation >= 0 && row.orientation != mVertical) return GetNormalizedValue();
    handled = true;
    if (row.absolute >= 0) return row.absolute;
    return GetNormalizedValue() + row.line * mLineStep + row.page * mPageStep;
  }
  return GetNormalizedValue();
}

int32_t LScrollbar::OnKey(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  auto* offer = notification ? dynamic_cast<LSiblingKeyParam*>(notification->GetPayload().Get()) : nullptr;
  if (!offer || !IsVisible(true)) return 1;
  // Only the key itself with the key-down bit counts: modifiers make another key.
  const uint32_t code = offer->key.code & 0x2fff0000u;
  bool handled = false;
  const double value = NewValueForKey(code, handled);
  if (!handled) return 1;
  const RCPtr<LControl> self(this);
  offer->result = 0;
  SetNormalizedValue(value);
  return 1;
}

}  // namespace SV
