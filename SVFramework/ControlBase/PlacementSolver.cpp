#include "SVFramework/ControlBase/PlacementSolver.h"

#include "SVFramework/ControlBase/PixelRounding.h"

namespace SV {
namespace {

struct AxisResult {
  double position;
  double size;
};

double AnchorPoint(const LPlacementSpec& spec, const LPlacementFrame& frame, int32_t axis) {
  switch (spec.reference) {
    case PositionReference::Parent:
      return RoundHalfAwayFromZero(spec.rel * frame.parentSize[axis]) + spec.abs + frame.parentOrigin[axis];
    case PositionReference::Client:
      return RoundHalfAwayFromZero(spec.rel * frame.clientSize[axis]) + spec.abs;
    case PositionReference::NamedControl:
      break;
  }
  const LNamedSpan named = frame.findNamed ? frame.findNamed(spec.name, axis) : LNamedSpan{};
  return RoundHalfAwayFromZero(spec.rel * named.size) + named.position + spec.abs;
}

LNamedSpan SizeReferenceSpan(const LSizeSpec& spec, const LPlacementFrame& frame, int32_t axis) {
  switch (spec.reference) {
    case SizeReference::Parent:
      return {frame.parentOrigin[axis], frame.parentSize[axis]};
    case SizeReference::Client:
      return {0, frame.clientSize[axis]};
    default:
      return frame.findNamed ? frame.findNamed(spec.name, axis) : LNamedSpan{};
  }
}

// The size reaching from the anchor point p to the reference edge: the far edge for
// anchors in [0, 1), the near edge for anchors in (0, 1]; 0 when the anchor cannot.
double SizeToEdge(const LSizeSpec& spec, const LPlacementFrame& frame, int32_t axis, float anchor, double p) {
  if (spec.reference == SizeReference::Self) return spec.abs < 0 ? 0 : spec.abs;
  const LNamedSpan span = SizeReferenceSpan(spec, frame, axis);
  const double edge = RoundHalfAwayFromZero(spec.rel * span.size) + span.position + spec.abs;
  const double d = edge - p;
  if (d > 0 && anchor >= 0 && anchor < 1) return d * static_cast<double>(1.0f / (1.0f - anchor));
  if (d < 0 && anchor > 0 && anchor <= 1) return d * static_cast<double>(1.0f / -anchor);
  return 0;
}

AxisResult SolveAxis(const LLayoutDescriptor& layout, const LPlacementFrame& frame, int32_t axis) {
  const LPlacementSpec& placement = layout.Placement[axis];
  const double p = AnchorPoint(placement, frame, axis);
  const double size = SizeToEdge(layout.Size[axis], frame, axis, placement.anchor, p);
  double position = p - static_cast<double>(placement.anchor) * size;
  if (placement.docked) position += frame.scroll[axis];
  return {position, size};
}

}  // namespace

SVRESULT SolvePlacement(const LLayoutDescriptor* layout, const LPlacementFrame& frame, RectT<double>& out) {
  if (!layout) return E_INVALIDARG;
  const AxisResult x = SolveAxis(*layout, frame, LLayoutDescriptor::kAxisX);
  const AxisResult y = SolveAxis(*layout, frame, LLayoutDescriptor::kAxisY);
  out = {x.position, y.position, x.size, y.size};
  SnapRectToPixels(out);
  return S_OK;
}

}  // namespace SV
