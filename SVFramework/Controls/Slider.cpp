#include "SVFramework/Controls/Slider.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/PixelRounding.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/notification/Notification.h"

namespace SV {
namespace {

constexpr int32_t kSliderLookNormal = 0;
constexpr int32_t kSliderLookFocused = 1;
constexpr int32_t kSliderLookDisabled = 2;

constexpr const char16_t* kThumbName = u"thumb";
constexpr const char16_t* kCaptureID = u"NID_VALUE_CHANGE_CAPTURE";

bool Began(const LConditionsParam& param, uint32_t bit) {
  return (param.current & bit) != 0 && (param.previous & bit) == 0;
}

bool Ended(const LConditionsParam& param, uint32_t bit) {
  return (param.current & bit) == 0 && (param.previous & bit) != 0;
}

double ApplicationSeconds() {
  LFrameworkApp* application = GetFrameworkApp();
  return application ? application->GetTime() : 0.0;
}

int32_t RoundToInt(double value) { return static_cast<int32_t>(RoundHalfAwayFromZero(value)); }

double Distance(PointT<int32_t> a, PointT<int32_t> b) {
  return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

// Rounds a coordinate after keeping it within [low, high], so that a far projection
// never reaches an integer conversion it does not fit.
int32_t RoundInto(double value, int32_t low, int32_t high) {
  return RoundToInt(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
}

}  // namespace

LSlider::LSlider(const RCPtr<LControl>& parent, const String& name) : LPanel(parent, name) {}

LSlider::~LSlider() = default;

double LSlider::SetNormalizedValue(double value) {
  if (!mDragging) return SetValue(value);
  // Kept in range (NaN as 0, as the base does), so the drag's end never drops it.
  mPendingValue = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
  return GetNormalizedValue();
}

double LSlider::SetValue(double normalized) {
  const double stored = LPanel::SetNormalizedValue(normalized);
  PlaceThumb();
  return stored;
}

PointT<int32_t> LSlider::GetTrackStart() const {
  if (!mStartMarker) return {0, 0};
  return RoundToLongPoint({mStartMarker->GetRect().x, mStartMarker->GetRect().y});
}

PointT<int32_t> LSlider::GetTrackEnd() const {
  if (!mEndMarker) return GetTrackStart();
  return RoundToLongPoint({mEndMarker->GetRect().x, mEndMarker->GetRect().y});
}

PointT<int32_t> LSlider::ThumbCorner() const {
  if (!mThumb) return {0, 0};
  return RoundToLongPoint({mThumb->GetRect().x, mThumb->GetRect().y});
}

void LSlider::PlaceThumb() {
  if (mDragging || !mThumb || !mStartMarker || !mEndMarker) return;
  const PointT<int32_t> start = GetTrackStart(), end = GetTrackEnd();
  const double value = GetNormalizedValue();
  const PointT<int32_t> corner{start.x + RoundToInt((static_cast<double>(end.x) - start.x) * value),
                               start.y + RoundToInt((static_cast<double>(end.y) - start.y) * value)};
  if (corner != ThumbCorner()) MoveThumbTo(corner);
}

// Shifts the thumb's absolute placement by the distance to the new corner, whatever
// the reference its skin entry measures from.
void LSlider::MoveThumbTo(PointT<int32_t> corner) {
  LPlacementSpec placement[2];
  LSizeSpec size[2];
  for (int32_t axis = 0; axis < 2; ++axis) mThumb->GetLayout()->GetPlacement(axis, placement[axis], size[axis]);
  const RectT<double>& rect = mThumb->GetRect();
  placement[0].abs += corner.x - rect.x;
  placement[1].abs += corner.y - rect.y;
  mThumb->SetPlacements(placement[0], size[0], placement[1], size[1]);
}

double LSlider::GetTrackFraction(PointT<int32_t> point) const {
  const PointT<int32_t> start = GetTrackStart();
  const double length = Distance(GetTrackEnd(), start);
  // A track of length 0 has every point at its start.
  if (length == 0) return 0;
  return Distance(point, start) / length;
}

void LSlider::UpdateValueFromThumb() { SetValue(GetTrackFraction(ThumbCorner())); }

PointT<int32_t> LSlider::ProjectOntoTrack(PointT<int32_t> point) const {
  const PointT<int32_t> start = GetTrackStart(), end = GetTrackEnd(), thumb = ThumbCorner();
  const int32_t left = std::min(start.x, end.x), right = std::max(start.x, end.x);
  const int32_t top = std::min(start.y, end.y), bottom = std::max(start.y, end.y);
  const double px = static_cast<double>(point.x) - mGrabOffset.x, py = static_cast<double>(point.y) - mGrabOffset.y;
  if (end.x == start.x) return {std::clamp(thumb.x, left, right), RoundInto(py, top, bottom)};
  if (end.y == start.y) return {RoundInto(px, left, right), std::clamp(thumb.y, top, bottom)};
  const float slope = static_cast<float>(static_cast<double>(end.y) - start.y) /
                      static_cast<float>(static_cast<double>(end.x) - start.x);
  const float intercept = static_cast<float>(start.y) - static_cast<float>(start.x) * slope;
  const float foot = (static_cast<float>(py) + static_cast<float>(px) / slope - intercept) / (slope + 1.0f / slope);
  const int32_t x = RoundInto(foot, left, right);
  return {x, RoundInto(static_cast<float>(x) * slope + intercept, top, bottom)};
}

void LSlider::StepTowards(PointT<int32_t> point) {
  if (!mThumb || !mStartMarker || !mEndMarker) return;
  const PointT<int32_t> target = RoundToLongPoint(
      {static_cast<double>(point.x) - mHotPointOffset.x, static_cast<double>(point.y) - mHotPointOffset.y});
  const PointT<int32_t> start = GetTrackStart();
  const double fraction = GetTrackFraction(target);
  const double value = GetNormalizedValue();
  double next;
  if (Distance(target, start) < Distance(ThumbCorner(), start)) {
    const double lower = value - mPageStep;
    next = fraction <= lower ? lower : fraction;
  } else {
    const double higher = value + mPageStep;
    next = fraction >= higher ? higher : fraction;
  }
  SetValue(next);
}

// --- Thumb drag ---

PointT<int32_t> LSlider::ThumbToSlider(PointT<double> pointInThumb) const {
  const RectT<double>& rect = mThumb->GetRect();
  const PointT<double> scroll = GetScrollOffset();
  return RoundToLongPoint({pointInThumb.x + rect.x - scroll.x, pointInThumb.y + rect.y - scroll.y});
}

int32_t LSlider::OnThumbDragConditionChange(const RCPtr<LNotificationDistributor>&,
                                            const RCPtr<LNotification>& notification) {
  auto* param = dynamic_cast<LConditionsParam*>(notification->GetPayload().Get());
  if (!param || !mThumb) return 1;
  // The condition's point is the press point, already in this slider's coordinates.
  if (Began(*param, Condition::kLeftDrag)) BeginThumbDrag(param->point);
  if (Ended(*param, Condition::kLeftDrag) && mDragging) EndThumbDrag();
  return 1;
}

void LSlider::BeginThumbDrag(PointT<double> pointerInSlider) {
  const RCPtr<LControl> self(this);
  mDragging = true;
  const PointT<int32_t> corner = ThumbCorner();
  mGrabOffset = {RoundToInt(pointerInSlider.x - corner.x), RoundToInt(pointerInSlider.y - corner.y)};
  mPendingValue = -1.0;
  const RCPtr<LHolder<bool>> capturing = LHolder<bool>::Create();
  capturing->Value() = true;
  Announce(kCaptureID, RCPtr<LRefCountedObject>(capturing.Get()));
}

int32_t LSlider::OnThumbMouseMove(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  auto* param = dynamic_cast<LPointParam*>(notification->GetPayload().Get());
  if (!param || !mDragging || !mThumb) return 1;
  const PointT<int32_t> corner =
      ProjectOntoTrack(ThumbToSlider({static_cast<double>(param->x), static_cast<double>(param->y)}));
  if (corner == ThumbCorner()) return 1;
  const RCPtr<LControl> self(this);
  MoveThumbTo(corner);
  UpdateValueFromThumb();
  return 1;
}

void LSlider::EndThumbDrag() {
  const RCPtr<LControl> self(this);
  mDragging = false;
  if (mApplyPendingAtDragEnd && mPendingValue >= 0.0 && mPendingValue <= 1.0) SetValue(mPendingValue);
  mPendingValue = -1.0;
  const RCPtr<LHolder<bool>> capturing = LHolder<bool>::Create();
  capturing->Value() = false;
  Announce(kCaptureID, RCPtr<LRefCountedObject>(capturing.Get()));
}

void LSlider::Announce(const char16_t* id, const RCPtr<LRefCountedObject>& payload) {
  Distribute(LNotification::Obtain(id, payload));
}

// --- Track press ---

void LSlider::StartTrackRepeat() {
  if (mTrackRepeatOn || !IsEnabled(true)) return;
  mTrackRepeatOn = true;
  AcquireIdle();
  mLastTick = ApplicationSeconds();
  mTimeToNextRepeat = kFirstTrackStepDelay;
}

void LSlider::StopTrackRepeat() {
  if (!mTrackRepeatOn) return;
  mTrackRepeatOn = false;
  ReleaseIdle();
}

PointT<int32_t> LSlider::PointerInSlider() const {
  LRootWindow* rootWindow = GetRootWindow();
  if (!rootWindow) return {0, 0};
  const PointT<int32_t> cursor = rootWindow->GetCursorPosition();
  const PointT<int32_t> origin = RoundToLongPoint(GetScreenPosition());
  return {cursor.x - origin.x, cursor.y - origin.y};
}

void LSlider::OnIdle() {
  if (!mTrackRepeatOn || (GetConditions() & Condition::kHoverOrChildHover) == 0 || !IsEnabled(true)) return;
  const double now = ApplicationSeconds();
  mTimeToNextRepeat -= now - mLastTick;
  mLastTick = now;
  if (mTimeToNextRepeat > 0) return;
  mTimeToNextRepeat = kTrackStepInterval;
  StepTowards(PointerInSlider());
}

void LSlider::OnBeforeLeftClick(const RCPtr<LMouseButtonParam>& param) {
  if (param) StepTowards({param->x, param->y});
}

// --- Conditions and looks ---

void LSlider::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param) return;
  const RCPtr<LControl> self(this);
  if (Began(*param, Condition::kLeftDrag)) StartTrackRepeat();
  if (Ended(*param, Condition::kLeftDrag)) StopTrackRepeat();
  if (Ended(*param, Condition::kContainsFocus) && mKeyStepOn) EndKeyStep(nullptr);
  if (((param->previous ^ param->current) & (Condition::kContainsFocus | Condition::kEnabled)) != 0)
    ShowConditionLook(param->current);
}

void LSlider::ShowConditionLook(uint32_t conditions) {
  if ((conditions & Condition::kEnabled) == 0) {
    SetExclusiveLook(kSliderLookDisabled);
  } else {
    SetExclusiveLook((conditions & Condition::kContainsFocus) != 0 ? kSliderLookFocused : kSliderLookNormal);
  }
}

// --- Wheel and keys ---

void LSlider::StepByValueUnits(double delta) {
  SetNormalizedValue(ValueToNormalized(NormalizedToValue(GetNormalizedValue()) + delta));
}

SVRESULT LSlider::OnMouseWheel(const LMouseWheelParam& param) {
  const RCPtr<LControl> self(this);
  StepByValueUnits(param.direction == LMouseWheelParam::kUp ? 1.0 : -1.0);
  return S_OK;
}

SVRESULT LSlider::OnMouseHWheel(const LMouseWheelParam& param) {
  const RCPtr<LControl> self(this);
  StepByValueUnits(param.direction == LMouseWheelParam::kRight ? 1.0 : -1.0);
  return S_OK;
}

SVRESULT LSlider::HandleArrowKey(const RCPtr<LKeyParam>& key) {
  const uint32_t virtualKey = key->key.GetVirtualKey();
  const bool raises = virtualKey == VirtualKey::kUp || virtualKey == VirtualKey::kRight;
  const bool lowers = virtualKey == VirtualKey::kDown || virtualKey == VirtualKey::kLeft;
  if (key->key.IsNoKey() || key->key.GetCharacter() != 0 || (!raises && !lowers)) return S_FALSE;
  const RCPtr<LControl> self(this);
  const RCPtr<LRefCountedObject> payload(key.Get());
  if ((key->key.code & KeyCode::kKeyDown) == 0) {
    EndKeyStep(payload);
    return S_OK;
  }
  if (!mKeyStepOn) {
    mKeyStepOn = true;
    Announce(u"NID_VALUE_CHANGE_KEY_DOWN", payload);
  }
  StepByValueUnits(raises ? 1.0 : -1.0);
  return S_OK;
}

void LSlider::EndKeyStep(const RCPtr<LRefCountedObject>& payload) {
  mKeyStepOn = false;
  Announce(u"NID_VALUE_CHANGE_KEY_UP", payload);
}

SVRESULT LSlider::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  return HandleArrowKey(key);
}

SVRESULT LSlider::RouteUnhandledKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  if (HandleArrowKey(key) == S_OK) return S_OK;
  return LPanel::RouteUnhandledKey(key);
}

// --- Creation and skin ---

RCPtr<LControlDescriptor> LSlider::MakeThumbDescriptor() const {
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  const RCPtr<LControlDescriptor>& marker = mStartMarker ? mStartMarker->GetDescriptor() : nullptr;
  if (!factory || !marker || !marker->Layout) return {};
  RCPtr<LLayoutDescriptor> layout;
  if (marker->Layout->Clone(layout) < 0 || !layout) return {};
  for (LPlacementSpec& placement : layout->Placement) {
    placement.anchor = 0.0f;
    placement.rel = 0.0f;
    placement.docked = false;
  }
  return factory->CloneControlDescriptor(marker, layout, kThumbName);
}

SVRESULT LSlider::CreateThumb() {
  const RCPtr<LControlDescriptor> descriptor = MakeThumbDescriptor();
  if (!descriptor) return E_FAIL;
  RCPtr<LControl> thumb;
  GetApplicationControlFactory()->CreateControl(thumb, descriptor, RCPtr<LControl>(this));
  if (!thumb) return E_FAIL;
  mThumb = thumb;
  mThumb->SetVisible(true);
  if (auto* button = dynamic_cast<LButton*>(mThumb.Get())) button->SetStickyPress(true);
  BindThumb();
  return S_OK;
}

void LSlider::BindThumb() {
  const RCPtr<LNotificationDistributor> source(mThumb.Get());
  mHandler->AddHandler(&LSlider::OnThumbMouseMove, source, u"NID_MOUSE_MOVE");
  mHandler->AddHandler(&LSlider::OnThumbDragConditionChange, source, u"NID_LEFT_DRAG_CONDITION_CHANGE");
}

SVRESULT LSlider::Initialize() {
  const SVRESULT result = LPanel::Initialize();
  if (result < 0) return E_FAIL;
  if (!mHandler) mHandler = SliderHandlers::Create(this);
  mEndMarker = FindChild(u"thumbEnd");
  mStartMarker = FindChild(u"thumbStart");
  if (mStartMarker) CreateThumb();
  PlaceThumb();
  SetValueRange(0, 127, 0);
  SetDragThreshold(0);
  return S_OK;
}

SVRESULT LSlider::AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  if (!child || descriptor || child->GetName() != String(kThumbName)) return LPanel::AdoptChild(child, descriptor);
  const SVRESULT result = LPanel::AdoptChild(child, MakeThumbDescriptor());
  if (result >= 0) child->SetVisible(true);
  return result;
}

// The base detaches the children that the new skin does not name, the thumb among
// them; it is adopted again afterwards, with a copy of the new start marker's entry.
SVRESULT LSlider::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const RCPtr<LControl> thumb = IsCreated() && mThumb && mThumb->GetParent() == this ? mThumb : nullptr;
  const SVRESULT result = LPanel::ApplyDescriptor(descriptor);
  if (!thumb || thumb->GetParent() == this) return result;
  if (AdoptChild(thumb, nullptr) < 0) return result;
  // Leaving the tree ended the thumb's subscriptions.
  if (mHandler) BindThumb();
  PlaceThumb();
  return result;
}

void LSlider::OnDescriptorApplied() {
  LPanel::OnDescriptorApplied();
  if (mStartMarker) mStartMarker->SetVisible(false);
  if (mEndMarker) mEndMarker->SetVisible(false);
  if (mStartMarker) {
    const RectT<double>& rect = mStartMarker->GetRect();
    mHotPointOffset = {RoundToInt(rect.width / 2), RoundToInt(rect.height / 2)};
    LPlacementSpec placement;
    LSizeSpec size;
    if (mStartMarker->GetLayout() && mStartMarker->GetLayout()->GetPlacement(0, placement, size) >= 0 &&
        placement.anchor != 0.0f)
      mHotPointOffset.x = RoundToInt(placement.anchor * rect.width);
    if (mStartMarker->GetLayout() && mStartMarker->GetLayout()->GetPlacement(1, placement, size) >= 0 &&
        placement.anchor != 0.0f)
      mHotPointOffset.y = RoundToInt(placement.anchor * rect.height);
  }
  PlaceThumb();
}

void LSlider::EndClientRectWatch() {
  LPanel::EndClientRectWatch();
  if (!mThumb) {
    mThumb = FindChild(kThumbName);
    if (mThumb && mHandler) BindThumb();
  }
  PlaceThumb();
}

int32_t LSlider::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mHandler) {
    const RCPtr<SliderHandlers> handler = mHandler;
    if (const int32_t handled = handler->Dispatch(source, notification)) return handled;
  }
  return LPanel::Receive(source, notification);
}

SVRESULT LSlider::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandler) mHandler->RemoveHandler(source.Get(), idText);
  return LPanel::UnsubscribeVirtual(source, idText);
}

SVRESULT LSlider::ReleaseInternalReferences() {
  mThumb.Reset();
  mStartMarker.Reset();
  mEndMarker.Reset();
  return LPanel::ReleaseInternalReferences();
}

}  // namespace SV
