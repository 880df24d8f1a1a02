#include "SVFramework/Controls/SplitterBase.h"

#include <algorithm>
#include <utility>

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/ControlBase/ConditionBits.h"

namespace SV {
namespace {

constexpr double kUnlimited = 4503599627370496.0;  // 2^52
constexpr int32_t kMoveWithEdgeScroll = 3;

double OnAxis(const RectT<double>& rect, int32_t axis) { return axis == 0 ? rect.x : rect.y; }
double SizeOnAxis(const RectT<double>& rect, int32_t axis) { return axis == 0 ? rect.width : rect.height; }

// The minimum size a control's record gives itself on the axis (0 when it names another control).
double MinimumOf(const LControl& control, int32_t axis) {
  const RCPtr<LLayoutDescriptor>& layout = control.GetLayout();
  if (!layout || layout->MinSize[axis].namesControl) return 0;
  return std::max(0.0, layout->MinSize[axis].abs);
}

double MaximumOf(LControl& control, int32_t axis) {
  PointT<double> maximum;
  if (control.GetMaxSize(maximum) < 0) return 0;
  return axis == 0 ? maximum.x : maximum.y;
}

bool Names(const String& referenceName, const LControl& control) { return referenceName == control.GetName(); }

}  // namespace

LSplitterBase::LSplitterBase(const RCPtr<LControl>& parent, const String& name, int32_t orientation)
    : LControl(parent, name), mOrientation(orientation) {}

SVRESULT LSplitterBase::Initialize() {
  const SVRESULT result = LControl::Initialize();
  SetCursor(GetCursorByName(mOrientation == 0 ? u"UI_CURSOR_SIZE_NS" : u"UI_CURSOR_SIZE_WE"));
  return result;
}

double LSplitterBase::Position() const { return OnAxis(GetRect(), GetAxis()); }

RCPtr<LControl> LSplitterBase::FindTarget() const {
  const RCPtr<LLayoutDescriptor>& layout = GetLayout();
  LControl* parent = GetParent();
  if (!layout || !parent || layout->Placement[GetAxis()].reference != PositionReference::NamedControl) return {};
  const RCPtr<LControl> target = parent->FindChild(layout->Placement[GetAxis()].name);
  return target.Get() == this ? RCPtr<LControl>() : target;
}

void LSplitterBase::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param) return;
  const bool began = (param->previous & Condition::kLeftDrag) == 0 && (param->current & Condition::kLeftDrag) != 0;
  const bool ended = (param->previous & Condition::kLeftDrag) != 0 && (param->current & Condition::kLeftDrag) == 0;
  if (began) {
    SetDragMode(kMoveWithEdgeScroll, mOrientation == 0 ? 2 : 1);
    mPressOnAxis = GetAxis() == 0 ? param->point.x : param->point.y;
  }
  if (ended) mTarget.Reset();
  UpdateLook();
}

int32_t LSplitterBase::ChooseLookIndex() const {
  if (!IsEnabled(true)) return 6;
  const uint32_t conditions = GetConditions();
  const bool hovered = (conditions & Condition::kHover) != 0;
  const bool captured = (conditions & Condition::kCapture) != 0;
  const bool pressed = captured && (conditions & Condition::kLeftDrag) != 0;
  int32_t index = 0;
  if (pressed && hovered) index = 2;
  else if ((pressed && !hovered) || (hovered && !captured)) index = 1;
  return (conditions & Condition::kFocus) != 0 ? index + 3 : index;
}

void LSplitterBase::UpdateLook() {
  const int32_t index = ChooseLookIndex();
  if (static_cast<uint32_t>(index) < GetLookCount()) SetExclusiveLook(index);
}

LSplitterBase::Limits LSplitterBase::ComputeLimits(const RCPtr<LControl>& target, bool solved) const {
  Limits limits{0, kUnlimited};
  if (target) LimitByTarget(target, limits);
  LControl* parent = GetParent();
  if (!parent) return limits;
  const int32_t own = parent->IndexOfChild(this, ChildOrder::InsertionOrder);
  for (uint32_t index = static_cast<uint32_t>(own + 1); own >= 0 && index < parent->GetChildCount(); ++index)
    LimitByLaterSibling(*parent->GetChildAt(index).Get(), solved, limits);
  return limits;
}

void LSplitterBase::LimitByTarget(const RCPtr<LControl>& target, Limits& limits) const {
  const int32_t axis = GetAxis();
  const double p = Position();
  const double size = target->GetLayout() ? target->GetLayout()->Size[axis].abs : SizeOnAxis(target->GetRect(), axis);
  const double minimum = MinimumOf(*target, axis), maximum = MaximumOf(*target, axis);
  limits.minimum = std::max(limits.minimum, p - (size - minimum));
  if (maximum > 0) limits.maximum = std::min(limits.maximum, p + (maximum - size));
}

// A pane placed after the splitter either moves with it, keeping its far edge, and so
// shrinks as the splitter advances, or reaches up to it and grows.
void LSplitterBase::LimitByLaterSibling(const LControl& sibling, bool solved, Limits& limits) const {
  const RCPtr<LLayoutDescriptor>& layout = sibling.GetLayout();
  if (!layout) return;
  const int32_t axis = GetAxis();
  const LPlacementSpec& placement = layout->Placement[axis];
  const LSizeSpec& sizeSpec = layout->Size[axis];
  const bool sizedToSplitter = sizeSpec.reference == SizeReference::NamedControl && Names(sizeSpec.name, *this);
  const bool movesWithSplitter = placement.reference == PositionReference::NamedControl &&
                                 Names(placement.name, *this) && sizeSpec.reference != SizeReference::Self;
  if (!sizedToSplitter && !movesWithSplitter) return;
  const double p = Position();
  const double size = solved ? SolvedSize(sibling) : SizeOnAxis(sibling.GetRect(), axis);
  const double minimum = MinimumOf(sibling, axis);
  const double maximum = MaximumOf(const_cast<LControl&>(sibling), axis);
  if (movesWithSplitter) {
    limits.maximum = std::min(limits.maximum, p + (size - minimum));
    if (maximum > 0) limits.minimum = std::max(limits.minimum, p - (maximum - size));
  } else {
    limits.minimum = std::max(limits.minimum, p - (size - minimum));
    if (maximum > 0) limits.maximum = std::min(limits.maximum, p + (maximum - size));
  }
}

// The size the sibling's record gives it before its own limits are applied, against
// the parent and the siblings' present rectangles.
double LSplitterBase::SolvedSize(const LControl& sibling) const {
  LControl* parent = GetParent();
  const int32_t axis = GetAxis();
  LPlacementFrame frame;
  const RectT<double> client = parent->GetLookClientRect(-1);
  frame.parentOrigin[0] = -client.x;
  frame.parentOrigin[1] = -client.y;
  frame.parentSize[0] = parent->GetRect().width;
  frame.parentSize[1] = parent->GetRect().height;
  frame.clientSize[0] = client.width;
  frame.clientSize[1] = client.height;
  frame.findNamed = [parent](const String& name, int32_t onAxis) {
    const RCPtr<LControl> named = parent->FindChild(name);
    if (!named) return LNamedSpan{};
    return LNamedSpan{OnAxis(named->GetRect(), onAxis), SizeOnAxis(named->GetRect(), onAxis)};
  };
  RectT<double> solved;
  if (SolvePlacement(sibling.GetLayout().Get(), frame, solved) < 0) return SizeOnAxis(sibling.GetRect(), axis);
  return SizeOnAxis(solved, axis);
}

SVRESULT LSplitterBase::BeginDrag() {
  const int32_t axis = GetAxis();
  const double p = Position();
  mTarget = FindTarget();
  Limits limits{0, kUnlimited};
  if (mTarget && GetLayout()) {
    LPlacementSpec placement = GetLayout()->Placement[axis];
    mSavedOffsetAbs = placement.abs;
    mSavedOffsetRel = placement.rel;
    placement.reference = PositionReference::Client;
    placement.name = String();
    placement.rel = 0;
    placement.abs = p;
    SetPlacement(axis, placement, GetLayout()->Size[axis]);
    const RCPtr<LLayoutDescriptor>& target = mTarget->GetLayout();
    mStartPosition = target ? target->Placement[axis].abs : OnAxis(mTarget->GetRect(), axis);
    mStartSize = target ? target->Size[axis].abs : SizeOnAxis(mTarget->GetRect(), axis);
  }
  limits = ComputeLimits(mTarget, false);
  mStartOwnPosition = GetLayout() ? GetLayout()->Placement[axis].abs : p;
  const double shift = mPressOnAxis - p;
  mDragMinimum = limits.minimum + shift;
  mDragMaximum = limits.maximum + shift;
  return LControl::BeginDrag();
}

void LSplitterBase::GetDragLimits(RectT<double>& limits) {
  const double extent = std::max(0.0, mDragMaximum - mDragMinimum);
  if (GetAxis() == 0) {
    limits.x = mDragMinimum;
    limits.width = extent;
  } else {
    limits.y = mDragMinimum;
    limits.height = extent;
  }
}

void LSplitterBase::ApplyDrag(const RCPtr<LPointWithModifiersParam>&) {
  if (!mTarget || !mTarget->GetLayout() || !GetLayout()) return;
  const int32_t axis = GetAxis();
  const double displacement = GetLayout()->Placement[axis].abs - mStartOwnPosition;
  LSizeSpec size = mTarget->GetLayout()->Size[axis];
  size.abs = mStartSize + displacement;
  mTarget->SetPlacement(axis, mTarget->GetLayout()->Placement[axis], size);
}

SVRESULT LSplitterBase::EndDrag() {
  if (mTarget && GetLayout()) {
    const int32_t axis = GetAxis();
    LPlacementSpec placement = GetLayout()->Placement[axis];
    placement.reference = PositionReference::NamedControl;
    placement.name = mTarget->GetName();
    placement.abs = mSavedOffsetAbs;
    placement.rel = mSavedOffsetRel;
    SetPlacement(axis, placement, GetLayout()->Size[axis]);
  }
  return LControl::EndDrag();
}

SVRESULT LSplitterBase::OnRelayoutRequest() {
  const SVRESULT result = LControl::OnRelayoutRequest();
  if (mTarget) return result;  // a drag places the panes itself
  const RCPtr<LControl> target = FindTarget();
  Limits limits = ComputeLimits(target, true);
  if (limits.minimum > limits.maximum) std::swap(limits.minimum, limits.maximum);
  const double p = Position();
  if (p < limits.minimum) ResizeTarget(target, limits.minimum - p);
  else if (p > limits.maximum) ResizeTarget(target, limits.maximum - p);
  return result;
}

void LSplitterBase::ResizeTarget(const RCPtr<LControl>& target, double delta) {
  if (!target || !target->GetLayout()) return;
  const int32_t axis = GetAxis();
  LSizeSpec size = target->GetLayout()->Size[axis];
  size.abs += delta;
  target->SetPlacement(axis, target->GetLayout()->Placement[axis], size);
}

}  // namespace SV
