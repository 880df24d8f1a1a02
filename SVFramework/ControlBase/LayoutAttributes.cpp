#include "SVFramework/ControlBase/LayoutAttributes.h"

namespace SV {

namespace {

using LimitNames = LayoutAttributes::LimitNames;

// The attribute names of one axis.
struct AxisNames {
  const char16_t* placementAnchor;
  const char16_t* isDocked;
  const char16_t* positionToControl;
  const char16_t* positionRel;
  const char16_t* positionAbs;
  const char16_t* sizeToControl;
  const char16_t* sizeRel;
  const char16_t* sizeAbs;
  LimitNames minimum;
  LimitNames maximum;
};

constexpr AxisNames kAxisNames[2] = {
    {u"XPlacementAnchor", u"XIsDocked", u"XPositionToControl", u"XPositionRel", u"XPositionAbs", u"XSizeToControl",
     u"XSizeRel", u"XSizeAbs", {u"XMinSizeToControl", u"XMinSizeRel", u"XMinSizeAbs"},
     {u"XMaxSizeToControl", u"XMaxSizeRel", u"XMaxSizeAbs"}},
    {u"YPlacementAnchor", u"YIsDocked", u"YPositionToControl", u"YPositionRel", u"YPositionAbs", u"YSizeToControl",
     u"YSizeRel", u"YSizeAbs", {u"YMinSizeToControl", u"YMinSizeRel", u"YMinSizeAbs"},
     {u"YMaxSizeToControl", u"YMaxSizeRel", u"YMaxSizeAbs"}},
};

PositionReference PositionReferenceOf(const String& word) {
  if (word == u"Parent" || word == u"Screen") return PositionReference::Parent;
  if (word == u"Client" || word == u"Active Window") return PositionReference::Client;
  return PositionReference::NamedControl;
}

SizeReference SizeReferenceOf(const String& word) {
  if (word == u"Parent" || word == u"Screen") return SizeReference::Parent;
  if (word == u"Client" || word == u"Active Window") return SizeReference::Client;
  if (word == u"Self") return SizeReference::Self;
  return SizeReference::NamedControl;
}

void ReadAbs(const XmlAttributes& attributes, const char16_t* name, double& abs) {
  int32_t value = 0;
  if (attributes.GetInt(name, value)) abs = value;
}

}  // namespace

void LayoutAttributes::Read(const XmlAttributes& attributes, bool topLevel, LLayoutDescriptor& layout) {
  attributes.GetBool(u"ClipToParent", layout.ClipToParent);
  attributes.GetInt(u"Z_Order", layout.Z_Order);
  if (!topLevel) {
    attributes.GetInt(u"TabStop", layout.TabStop);
    attributes.GetBool(u"IsVisible", layout.IsVisible);
  }
  attributes.GetNumber(u"LayoutOrder", layout.LayoutOrder);
  ReadAxis(attributes, LLayoutDescriptor::kAxisX, layout);
  ReadAxis(attributes, LLayoutDescriptor::kAxisY, layout);
  attributes.GetString(u"TextDecoration", layout.TextDecoration);
  ReadTextOverflow(attributes, layout);
}

void LayoutAttributes::ReadAxis(const XmlAttributes& attributes, int32_t axis, LLayoutDescriptor& layout) {
  const AxisNames& names = kAxisNames[axis];
  LPlacementSpec& placement = layout.Placement[axis];
  attributes.GetFloat(names.placementAnchor, placement.anchor);
  attributes.GetBool(names.isDocked, placement.docked);
  String reference;
  if (attributes.GetString(names.positionToControl, reference)) {
    placement.reference = PositionReferenceOf(reference);
    placement.name = placement.reference == PositionReference::NamedControl ? reference : String();
  }
  attributes.GetFloat(names.positionRel, placement.rel);
  ReadAbs(attributes, names.positionAbs, placement.abs);

  LSizeSpec& size = layout.Size[axis];
  if (attributes.GetString(names.sizeToControl, reference)) {
    size.reference = SizeReferenceOf(reference);
    size.name = size.reference == SizeReference::NamedControl ? reference : String();
  }
  attributes.GetFloat(names.sizeRel, size.rel);
  ReadAbs(attributes, names.sizeAbs, size.abs);

  ReadLimit(attributes, names.minimum, layout.MinSize[axis]);
  ReadLimit(attributes, names.maximum, layout.MaxSize[axis]);
}

void LayoutAttributes::ReadLimit(const XmlAttributes& attributes, const LimitNames& names, LSizeLimitSpec& limit) {
  String reference;
  if (attributes.GetString(names.toControl, reference)) {
    limit.namesControl = !(reference == u"Self");
    limit.name = limit.namesControl ? reference : String();
  }
  attributes.GetFloat(names.rel, limit.rel);
  ReadAbs(attributes, names.abs, limit.abs);
}

void LayoutAttributes::ReadTextOverflow(const XmlAttributes& attributes, LLayoutDescriptor& layout) {
  String word;
  if (attributes.GetString(u"TextOverflowXType", word)) {
    if (word == u"Clip") layout.TextOverflowXType = TextOverflow::Clip;
    if (word == u"Expand") layout.TextOverflowXType = TextOverflow::Expand;
    if (word == u"Wrap") layout.TextOverflowXType = TextOverflow::Wrap;
  }
  if (attributes.GetString(u"TextOverflowYType", word)) {
    if (word == u"Clip") layout.TextOverflowYType = TextOverflow::Clip;
    if (word == u"Expand") layout.TextOverflowYType = TextOverflow::Expand;
  }
}

}  // namespace SV
