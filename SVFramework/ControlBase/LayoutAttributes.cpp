#include "SVFramework/ControlBase/LayoutAttributes.h"

namespace SV {

namespace {

String Attribute(const String& prefix, const char16_t* suffix) { return prefix + String(suffix); }

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

void ReadAbs(const XmlAttributes& attributes, const String& name, double& abs) {
  int32_t value = 0;
  if (attributes.GetInt(name.GetString(), value)) abs = value;
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
  const String prefix(axis == LLayoutDescriptor::kAxisX ? u"X" : u"Y");
  LPlacementSpec& placement = layout.Placement[axis];
  attributes.GetFloat(Attribute(prefix, u"PlacementAnchor").GetString(), placement.anchor);
  attributes.GetBool(Attribute(prefix, u"IsDocked").GetString(), placement.docked);
  String reference;
  if (attributes.GetString(Attribute(prefix, u"PositionToControl").GetString(), reference)) {
    placement.reference = PositionReferenceOf(reference);
    placement.name = placement.reference == PositionReference::NamedControl ? reference : String();
  }
  attributes.GetFloat(Attribute(prefix, u"PositionRel").GetString(), placement.rel);
  ReadAbs(attributes, Attribute(prefix, u"PositionAbs"), placement.abs);

  LSizeSpec& size = layout.Size[axis];
  if (attributes.GetString(Attribute(prefix, u"SizeToControl").GetString(), reference)) {
    size.reference = SizeReferenceOf(reference);
    size.name = size.reference == SizeReference::NamedControl ? reference : String();
  }
  attributes.GetFloat(Attribute(prefix, u"SizeRel").GetString(), size.rel);
  ReadAbs(attributes, Attribute(prefix, u"SizeAbs"), size.abs);

  ReadLimit(attributes, Attribute(prefix, u"MinSize"), layout.MinSize[axis]);
  ReadLimit(attributes, Attribute(prefix, u"MaxSize"), layout.MaxSize[axis]);
}

void LayoutAttributes::ReadLimit(const XmlAttributes& attributes, const String& prefix, LSizeLimitSpec& limit) {
  String reference;
  if (attributes.GetString(Attribute(prefix, u"ToControl").GetString(), reference)) {
    limit.namesControl = !(reference == u"Self");
    limit.name = limit.namesControl ? reference : String();
  }
  attributes.GetFloat(Attribute(prefix, u"Rel").GetString(), limit.rel);
  ReadAbs(attributes, Attribute(prefix, u"Abs"), limit.abs);
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
