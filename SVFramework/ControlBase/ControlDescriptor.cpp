#include "SVFramework/ControlBase/ControlDescriptor.h"

namespace SV {

RCPtr<LControlDescriptor> LControlDescriptor::Create(const String& className, const String& name,
                                                     LControlDescriptor* parent) {
  return RCPtr<LControlDescriptor>(new LControlDescriptor(className, name, parent));
}

int32_t LControlDescriptor::AddChild(const RCPtr<LControlDescriptor>& child) { return Children.Append(child); }

SVRESULT LControlDescriptor::SetSkin(const RCPtr<LSkinDescriptor>& skin) {
  Skin = skin;
  return S_OK;
}

SVRESULT LControlDescriptor::SetLayout(const RCPtr<LLayoutDescriptor>& layout) {
  Layout = layout;
  return S_OK;
}

SVRESULT LControlDescriptor::SetCreateParams(const RCPtr<LStringTable>& parameters) {
  CreateParams = parameters;
  return S_OK;
}

RCPtr<LControlDescriptor> LControlDescriptor::Copy(const String& newName) const {
  RCPtr<LControlDescriptor> copy = Create(ClassName, newName.IsEmpty() ? Name : newName, Parent);
  copy->Children.AppendAll(Children);
  copy->Skin = Skin;
  copy->Layout = Layout;
  copy->CreateParams = CreateParams;
  copy->CreateFunction = CreateFunction;
  return copy;
}

}  // namespace SV
