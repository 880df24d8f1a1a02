#include <algorithm>
#include <cmath>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/LookTextRect.h"
#include "SVFramework/ControlBase/PixelRounding.h"

// The size limits of LControl's placement: its own minimum and maximum, the room its
// label text needs, and limits set by a named child or by all its children.
namespace SV {
namespace {

constexpr double kReferenceEpsilon = 2.220446049250313e-16;
constexpr const char16_t* kAllChildren = u"Children";

// The control's growth that gives its text rectangle `extra` more pixels when the
// rectangle takes `relativeSpan` of each pixel the control grows. A span of 0 (or one
// so small that no whole growth results) means the control's growth cannot widen the
// text rectangle: no growth.
double GrowthFor(float extra, float relativeSpan) {
  const float growth = std::ceil(extra / relativeSpan);
  if (!std::isfinite(growth) || std::fabs(growth) >= 2147483648.0f) return 0;
  return std::trunc(growth);
}

}  // namespace

SVRESULT LControl::ApplyMinSize(PointT<double>& position, PointT<double>& size) {
  if (!mLayout) return E_FAIL;
  SVRESULT result = S_OK;
  for (int32_t axis = 0; axis < 2; ++axis) {
    const SVRESULT axisResult = mLayout->MinSize[axis].namesControl ? RaiseToNamedMinimum(axis, position, size)
                                                                    : RaiseToSelfMinimum(axis, position, size);
    if (axisResult < 0 || (axisResult == S_FALSE && result == S_OK)) result = axisResult;
  }
  return result;
}

SVRESULT LControl::ApplyMaxSize(PointT<double>& position, PointT<double>& size) {
  if (!mLayout) return E_FAIL;
  SVRESULT result = S_OK;
  for (int32_t axis = 0; axis < 2; ++axis) {
    const LSizeLimitSpec& maximum = mLayout->MaxSize[axis];
    if (maximum.namesControl) {
      if (LowerToNamedMaximum(axis, position, size) == S_FALSE) result = S_FALSE;
      continue;
    }
    const double current = Axis(size, axis);
    if (maximum.abs == 0 || !(current > maximum.abs)) continue;
    const double delta = maximum.abs - current;
    Axis(size, axis) = maximum.abs;
    Axis(position, axis) -= RoundHalfAwayFromZero(mLayout->Placement[axis].anchor * delta);
    result = S_FALSE;
  }
  return result;
}

SVRESULT LControl::RaiseToSelfMinimum(int32_t axis, PointT<double>& position, PointT<double>& size) {
  const double current = Axis(size, axis);
  double minimum = mLayout->MinSize[axis].abs;
  if (axis == 0 && mLayout->TextOverflowXType == TextOverflow::Expand) {
    minimum = std::max(minimum, current + TextWidthNeeded(size.x, size.y));
    const LSizeLimitSpec& maximum = mLayout->MaxSize[0];
    if (!maximum.namesControl && maximum.abs > 0 && minimum > maximum.abs) {
      minimum = maximum.abs;
      WrapLooksText();
    }
  }
  if (axis == 1 && mLayout->TextOverflowYType != TextOverflow::Clip)
    minimum = std::max(minimum, current + TextHeightNeeded(size.x, size.y));
  if (!(minimum > current)) return S_OK;
  Axis(size, axis) = minimum;
  Axis(position, axis) -= RoundHalfAwayFromZero(mLayout->Placement[axis].anchor * (minimum - current));
  return S_FALSE;
}

// The widest line, unwrapped, against the text rectangle of a control this size.
double LControl::TextWidthNeeded(double width, double height) {
  const LLookDescriptor* look = nullptr;
  LFontText* text = CurrentLookText(look);
  if (!text) return 0;
  text->SetWrap(false);
  const RectT<float> box = LookTextRect(look->Text, width, height);
  const float extra = std::ceil(static_cast<float>(text->GetWidestLineWidth()) - box.width);
  return extra > 0 ? GrowthFor(extra, look->Text.TextRightRel - look->Text.TextLeftRel) : 0;
}

// The text's height at the control's width against the text rectangle's height.
double LControl::TextHeightNeeded(double width, double height) {
  const LLookDescriptor* look = nullptr;
  LFontText* text = CurrentLookText(look);
  if (!text) return 0;
  const RectT<float> box = LookTextRect(look->Text, width, height);
  const int32_t wholeWidth = static_cast<int32_t>(std::trunc(std::clamp(width, -2147483648.0, 2147483647.0)));
  const float extra = std::ceil(static_cast<float>(text->GetHeightForWidth(wholeWidth)) - box.height);
  return extra > 0 ? GrowthFor(extra, look->Text.TextBottomRel - look->Text.TextTopRel) : 0;
}

SVRESULT LControl::RaiseToNamedMinimum(int32_t axis, PointT<double>& position, PointT<double>& size) {
  const LSizeLimitSpec& minimum = mLayout->MinSize[axis];
  const double anchor = mLayout->Placement[axis].anchor;
  double p = Axis(position, axis);
  double s = Axis(size, axis);
  LNamedSpan reference;
  if (!FindLimitReference(minimum.name, axis, p, static_cast<float>(anchor), false, reference) || !(reference.size > 0))
    return S_OK;
  const double limit = minimum.rel * reference.size + reference.position + minimum.abs;
  SVRESULT result = S_OK;
  if (p <= limit) {
    if (p + s < limit) {
      if (anchor < 0 || anchor >= 1) {
        result = E_FAIL;
      } else {
        p -= RoundHalfAwayFromZero(anchor * (limit - (p + s)) / (1 - anchor));
        s = RoundHalfAwayFromZero(limit) - p;
        result = S_FALSE;
      }
    }
  } else if (anchor <= 0 || anchor > 1) {
    result = E_FAIL;
  } else {
    s += RoundHalfAwayFromZero((p - limit) / anchor);
    p = limit;
    result = S_FALSE;
  }
  Axis(position, axis) = p;
  Axis(size, axis) = s;
  if (minimum.name == kAllChildren) AddNonClientMargin(axis, size);
  return result;
}

SVRESULT LControl::LowerToNamedMaximum(int32_t axis, PointT<double>& position, PointT<double>& size) {
  const LSizeLimitSpec& maximum = mLayout->MaxSize[axis];
  const double anchor = mLayout->Placement[axis].anchor;
  const int32_t other = 1 - axis;
  LNamedSpan reference, otherReference;
  if (!FindLimitReference(maximum.name, axis, Axis(position, axis), static_cast<float>(anchor), true, reference) ||
      !FindLimitReference(maximum.name, other, Axis(position, other), mLayout->Placement[other].anchor, true,
                          otherReference))
    return S_OK;
  if (!(reference.size > kReferenceEpsilon && otherReference.size > kReferenceEpsilon)) return S_OK;
  const double limit = maximum.rel * reference.size + reference.position + maximum.abs;
  double p = Axis(position, axis);
  double s = Axis(size, axis);
  SVRESULT result = S_OK;
  if (p < limit && p + s > limit) {
    p -= RoundHalfAwayFromZero(anchor * (limit - (p + s)));
    s = RoundHalfAwayFromZero(limit) - p;
    result = S_FALSE;
  }
  Axis(position, axis) = p;
  Axis(size, axis) = s;
  if (maximum.name == kAllChildren) AddNonClientMargin(axis, size);
  return result;
}

// The span a limit names, in the coordinates of the solved position `position`: a
// direct child of that name, or for "Children" the extent of the first child and the
// others that count (those clipped to this control for a minimum, all for a maximum),
// placed so that the anchor point stays. False when nothing is named, without
// children, or (for a maximum) when the first child is docked on both axes.
bool LControl::FindLimitReference(const String& name, int32_t axis, double position, float anchor, bool forMaximum,
                                  LNamedSpan& reference) const {
  if (mChildren.GetCount() == 0) return false;
  const RectT<double> client = GetLookClientRect(-1);
  const double scroll = Axis(mScrollOffset, axis);
  const double shift = (axis == 0 ? client.x : client.y) - scroll + position;
  const auto converted = [&](const LControl& child, bool docking) {
    const RectT<double>& rect = child.mRect;
    LNamedSpan span{(axis == 0 ? rect.x : rect.y) + shift, axis == 0 ? rect.width : rect.height};
    if (docking && child.mLayout && child.mLayout->Placement[axis].docked) span.position -= scroll;
    return span;
  };
  if (const RCPtr<LControl> named = FindChild(name)) {
    reference = converted(*named, true);
    return true;
  }
  if (name != kAllChildren) return false;
  const LControl& first = *mChildren.GetAt(0, ChildOrder::InsertionOrder);
  if (forMaximum && first.DockedAxisCount() == 2) return false;
  const LNamedSpan firstSpan = converted(first, false);
  double low = firstSpan.position;
  double high = firstSpan.position + firstSpan.size;
  for (uint32_t index = 1; index < mChildren.GetCount(); ++index) {
    const LControl& child = *mChildren.GetAt(index, ChildOrder::InsertionOrder);
    if (!forMaximum && !child.ClipsToParent()) continue;
    const LNamedSpan span = converted(child, true);
    low = std::min(low, span.position);
    high = std::max(high, span.position + span.size);
  }
  const double extent = high - low;
  reference = {position - static_cast<double>(anchor) * extent, extent};
  return true;
}

// The look's non-client margin on the axis, so that the children's extent becomes
// the client size.
void LControl::AddNonClientMargin(int32_t axis, PointT<double>& size) const {
  const RectT<double> client = GetLookClientRect(-1);
  Axis(size, axis) += axis == 0 ? mRect.width - client.width : mRect.height - client.height;
}

}  // namespace SV
