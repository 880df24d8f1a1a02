#include "SVFramework/ControlBase/LayoutDescriptor.h"

namespace SV {

bool LPlacementSpec::operator==(const LPlacementSpec& other) const {
  return anchor == other.anchor && reference == other.reference && rel == other.rel && abs == other.abs &&
         docked == other.docked && (reference != PositionReference::NamedControl || name == other.name);
}

bool LSizeSpec::operator==(const LSizeSpec& other) const {
  return reference == other.reference && rel == other.rel && abs == other.abs &&
         (reference != SizeReference::NamedControl || name == other.name);
}

bool LSizeLimitSpec::operator==(const LSizeLimitSpec& other) const {
  return namesControl == other.namesControl && rel == other.rel && abs == other.abs &&
         (!namesControl || name == other.name);
}

LLayoutDescriptor::LLayoutDescriptor() {
  Size[kAxisX].abs = 16.0;
  Size[kAxisY].abs = 40.0;
}

RCPtr<LLayoutDescriptor> LLayoutDescriptor::Create() { return RCPtr<LLayoutDescriptor>(new LLayoutDescriptor()); }

SVRESULT LLayoutDescriptor::Clone(RCPtr<LLayoutDescriptor>& out) const {
  out = new LLayoutDescriptor(*this);
  return S_OK;
}

SVRESULT LLayoutDescriptor::GetPlacement(int32_t axis, LPlacementSpec& placement, LSizeSpec& size) const {
  if (!IsAxis(axis)) return E_INVALIDARG;
  placement = Placement[axis];
  size = Size[axis];
  return S_OK;
}

SVRESULT LLayoutDescriptor::SetPlacement(int32_t axis, const LPlacementSpec& placement, const LSizeSpec& size) {
  if (!IsAxis(axis)) return E_INVALIDARG;
  Placement[axis] = placement;
  Size[axis] = size;
  return S_OK;
}

SVRESULT LLayoutDescriptor::GetMinMax(int32_t axis, LSizeLimitSpec& minimum, LSizeLimitSpec& maximum) const {
  if (!IsAxis(axis)) return E_INVALIDARG;
  minimum = MinSize[axis];
  maximum = MaxSize[axis];
  return S_OK;
}

SVRESULT LLayoutDescriptor::SetMinMax(int32_t axis, const LSizeLimitSpec& minimum, const LSizeLimitSpec& maximum) {
  if (!IsAxis(axis)) return E_INVALIDARG;
  MinSize[axis] = minimum;
  MaxSize[axis] = maximum;
  return S_OK;
}

SVRESULT LLayoutDescriptor::RenameSiblingReference(const String& oldName, const String& newName) {
  bool renamed = false;
  auto rename = [&](String& name) {
    if (!(name == oldName)) return;
    name = newName;
    renamed = true;
  };
  for (int32_t axis : {kAxisX, kAxisY}) {
    rename(Placement[axis].name);
    rename(Size[axis].name);
  }
  return renamed ? S_OK : S_FALSE;
}

}  // namespace SV
