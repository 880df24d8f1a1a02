#include "SVFramework/Controls/Knob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/CreateParams.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/ControlBase/PixelRounding.h"
#include "SVFramework/ControlBase/VisualPart.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/notification/Notification.h"

namespace SV {
namespace {

constexpr int32_t kVirtualControl = 0x11;
constexpr double kDefaultFineAdjust = 0.25;
// The linear gesture divides by (travel - 1): less than two pixels has no steps.
constexpr int32_t kMinimumLinearRange = 2;

bool Became(uint32_t previous, uint32_t current, uint32_t bit) { return (previous & bit) == 0 && (current & bit) != 0; }
bool Cleared(uint32_t previous, uint32_t current, uint32_t bit) { return (previous & bit) != 0 && (current & bit) == 0; }

// Degrees brought into [0, 360); a value that is no number counts as 0.
double NormaliseAngle(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  double angle = std::fmod(degrees, 360.0);
  if (angle < 0) angle += 360.0;
  return angle >= 360.0 ? 0 : angle;
}

RCPtr<LRefCountedObject> MakeFlag(bool value) {
  const RCPtr<LHolder<bool>> holder = LHolder<bool>::Create();
  holder->Value() = value;
  return RCPtr<LRefCountedObject>(holder.Get());
}

bool CtrlHeld() {
  LFrameworkApp* const application = GetFrameworkApp();
  bool down = false, toggled = false;
  return application && application->GetKeyState(kVirtualControl, down, toggled) >= 0 && down;
}

}  // namespace

LKnob::LKnob(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

bool LKnob::IsLeftDragging() const { return (GetConditions() & Condition::kLeftDrag) != 0; }

double LKnob::SetNormalizedValue(double value) {
  if (!IsLeftDragging()) return LControl::SetNormalizedValue(value);
  mPendingValue = value;
  return GetNormalizedValue();
}

void LKnob::OnValueChanged() {
  if (mFrameCount == 0) return;
  const double frame = RoundHalfAwayFromZero((mFrameCount - 1) * GetNormalizedValue());
  SetExclusiveLook(static_cast<int32_t>(frame));
}

SVRESULT LKnob::Initialize() {
  const SVRESULT result = LControl::Initialize();
  if (result < 0) return result;
  const LStringTable* parameters = GetDescriptor() ? GetDescriptor()->CreateParams.Get() : nullptr;
  double travel = 0;
  if (LCreateParams::ReadReal(parameters, u"LINEAR_GESTURE_FULL_RANGE", travel) && std::isfinite(travel))
    mLinearFullRange = static_cast<int32_t>(std::clamp(std::trunc(travel), -1e9, 1e9));
  LCreateParams::ReadReal(parameters, u"RADIAL_GESTURE_START_ANGLE", mStartAngle);
  LCreateParams::ReadReal(parameters, u"RADIAL_GESTURE_END_ANGLE", mEndAngle);
  LCreateParams::ReadReal(parameters, u"FINE_ADJUST_MULTIPLIER", mFineAdjustMultiplier);
  mStartAngle = NormaliseAngle(mStartAngle);
  mEndAngle = NormaliseAngle(mEndAngle);
  mRadial = mStartAngle != 0 || mEndAngle != 0;
  // Zero, negative or unreadable multipliers would stop or reverse the fine gesture.
  if (!(mFineAdjustMultiplier > 0) || !std::isfinite(mFineAdjustMultiplier)) mFineAdjustMultiplier = kDefaultFineAdjust;
  SetValueRange(0, 127, 0);
  return result;
}

void LKnob::OnDescriptorApplied() {
  mFrameCount = 0;
  while (mFrameCount < GetLookCount() && GetLook(static_cast<int32_t>(mFrameCount))) ++mFrameCount;
  const auto lookAt = [this](uint32_t index) { return index < GetLookCount() && GetLook(static_cast<int32_t>(index)); };
  mFocusOverlayLook = lookAt(mFrameCount + 1) ? static_cast<int32_t>(mFrameCount + 1) : -1;
  mDisabledOverlayLook = lookAt(mFrameCount + 2) ? static_cast<int32_t>(mFrameCount + 2) : -1;
  if (HasFocus()) ApplyOverlay(mFocusOverlayLook, true);
  if (!IsEnabled(true)) ApplyOverlay(mDisabledOverlayLook, true);
  if (!mRadial && mLinearFullRange == 0 && mFrameCount > 0)
    mLinearFullRange = static_cast<int32_t>(RoundHalfAwayFromZero(128.0 / mFrameCount) * mFrameCount);
  if (!mRadial && mLinearFullRange < kMinimumLinearRange) mLinearFullRange = kMinimumLinearRange;
  const RectT<double> client = GetLook(-1) ? GetLookClientRect(-1) : RectT<double>{0, 0, GetRect().width, GetRect().height};
  mCentre = {static_cast<int32_t>(client.x + client.width / 2), static_cast<int32_t>(client.y + client.height / 2)};
  OnValueChanged();
}

void LKnob::ApplyOverlay(int32_t overlayLook, bool on) {
  if (overlayLook < 0) return;
  RCPtr<LBitmap> bitmap;
  ResizeType resize = ResizeType::Stretch;
  if (on) {
    const RCPtr<LLook> overlay = GetLook(overlayLook);
    const RCPtr<LVisualPart> part = overlay ? overlay->GetClientPart() : nullptr;
    if (!part) return;
    bitmap = part->GetBitmap();
    resize = part->GetResizeType();
  }
  for (uint32_t frame = 0; frame < mFrameCount; ++frame) SetLookPart(bitmap, resize, static_cast<int32_t>(frame), false);
}

void LKnob::Announce(const char16_t* id, const RCPtr<LRefCountedObject>& payload) {
  Distribute(LNotification::Obtain(id, payload));
}

void LKnob::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param) return;
  const RCPtr<LControl> self(this);
  const uint32_t previous = param->previous, current = param->current;
  if (Became(previous, current, Condition::kLeftDrag)) {
    BeginGesture({static_cast<int32_t>(param->point.x - GetRect().x), static_cast<int32_t>(param->point.y - GetRect().y)});
  } else if (Cleared(previous, current, Condition::kLeftDrag)) {
    EndGesture();
  }
  if (Cleared(previous, current, Condition::kFocus) && mKeyStepOn) {
    mKeyStepOn = false;
    Announce(u"NID_VALUE_CHANGE_KEY_UP", nullptr);
  }
  if ((previous ^ current) & Condition::kFocus) ApplyOverlay(mFocusOverlayLook, (current & Condition::kFocus) != 0);
  if ((previous ^ current) & Condition::kEnabled)
    ApplyOverlay(mDisabledOverlayLook, (current & Condition::kEnabled) == 0);
}

void LKnob::BeginGesture(PointT<int32_t> point) {
  mPrevious = mBefore = point;
  if (mRadial) SetValueFromAngle(point);
  mPendingValue = -1.0;
  Announce(u"NID_VALUE_CHANGE_CAPTURE", MakeFlag(true));
}

void LKnob::EndGesture() {
  if (mApplyPendingAtDragEnd && mPendingValue >= 0 && mPendingValue <= 1) LControl::SetNormalizedValue(mPendingValue);
  mPendingValue = -1.0;
  Announce(u"NID_VALUE_CHANGE_CAPTURE", MakeFlag(false));
}

SVRESULT LKnob::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  if (!param || !IsLeftDragging()) return S_FALSE;
  if (mRadial) {
    SetValueFromAngle({param->x, param->y});
  } else {
    LinearStep({param->x, param->y});
  }
  return S_OK;
}

// The linear gesture: one step per pointer event, right or up increasing. Along a
// diagonal where both components grow (or both shrink), only the component that
// leads over the last two events counts, so that a sloppy drag does not cancel itself.
void LKnob::LinearStep(PointT<int32_t> point) {
  const bool fine = CtrlHeld();
  double c = static_cast<double>(point.x) - mPrevious.x;
  double d = static_cast<double>(point.y) - mPrevious.y;
  const double e = (static_cast<double>(point.x) - mBefore.x) - (static_cast<double>(point.y) - mBefore.y);
  if (c > 0 && d > 0) {
    if (e > 0 && c < d) d = 0;
    else if (e < 0 && c > d) c = 0;
  } else if (c < 0 && d < 0) {
    if (e > 0 && c < d) c = 0;
    else if (e < 0 && c > d) d = 0;
  }
  double steps = mLinearFullRange - 1.0;
  double change = (c - d) / steps;
  if (fine) {
    change *= mFineAdjustMultiplier;
    steps = mLinearFullRange / mFineAdjustMultiplier - 1.0;
  }
  const double value = std::clamp(GetNormalizedValue() + change, 0.0, 1.0);
  LControl::SetNormalizedValue(RoundHalfAwayFromZero(steps * value) / steps);
  mBefore = mPrevious;
  mPrevious = point;
}

void LKnob::SetValueFromAngle(PointT<int32_t> point) {
  if (point.x == mCentre.x && point.y == mCentre.y) return;
  const double dy = static_cast<double>(point.y) - mCentre.y, dx = static_cast<double>(point.x) - mCentre.x;
  double angle = NormaliseAngle((std::atan2(dy, dx) + std::numbers::pi / 2) * 180.0 / std::numbers::pi);
  const double start = mStartAngle;
  double end = mEndAngle;
  if (end <= start) end += 360.0;
  if (angle <= start) angle += 360.0;
  double value = 0;
  if (start <= angle && angle <= end) {
    value = (angle - start) / (end - start);
    if (!(value >= 0 && value <= 1)) return;
  } else {
    value = angle <= end + (start + 360.0 - end) / 2 ? 1.0 : 0.0;
  }
  LControl::SetNormalizedValue(value);
}

void LKnob::StepByValueUnits(double units) {
  SetNormalizedValue(ValueToNormalized(NormalizedToValue(GetNormalizedValue()) + units));
}

SVRESULT LKnob::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  const uint32_t virtualKey = key->key.GetVirtualKey();
  const bool increase = virtualKey == VirtualKey::kUp || virtualKey == VirtualKey::kRight;
  const bool decrease = virtualKey == VirtualKey::kLeft || virtualKey == VirtualKey::kDown;
  if (!increase && !decrease) return S_FALSE;
  const RCPtr<LControl> self(this);
  if ((key->key.code & KeyCode::kKeyDown) == 0) {
    mKeyStepOn = false;
    Announce(u"NID_VALUE_CHANGE_KEY_UP", RCPtr<LRefCountedObject>(key.Get()));
    return S_OK;
  }
  if (!mKeyStepOn) {
    mKeyStepOn = true;
    Announce(u"NID_VALUE_CHANGE_KEY_DOWN", RCPtr<LRefCountedObject>(key.Get()));
  }
  StepByValueUnits(increase ? 1.0 : -1.0);
  return S_OK;
}

SVRESULT LKnob::OnMouseWheel(const LMouseWheelParam& param) {
  StepByValueUnits(param.direction == LMouseWheelParam::kUp ? 1.0 : -1.0);
  return S_OK;
}

SVRESULT LKnob::OnMouseHWheel(const LMouseWheelParam& param) {
  StepByValueUnits(param.direction == LMouseWheelParam::kRight ? 1.0 : -1.0);
  return S_OK;
}

}  // namespace SV
