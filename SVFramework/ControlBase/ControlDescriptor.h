#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/ControlCreateFunction.h"
#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/ControlBase/SkinDescriptor.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The description of one control from the skin (a SubControl), or the root of one
// skin (class "Application", named after the application, no parent, no layout,
// the skin's top-level controls as children). A control descriptor may lack a skin:
// the control then has no looks and takes the application's font. The parent is a plain
// back-pointer, valid while the skin that holds both lives.
// Filled while the skin loads; afterwards only the cached create function and the
// layout's IsVisible (creation by name) change. Used on the UI thread.
class LControlDescriptor : public virtual LRefCountedObject {
public:
  static constexpr const char16_t* kSkinRootClass = u"Application";

  static RCPtr<LControlDescriptor> Create(const String& className, const String& name, LControlDescriptor* parent);

  // Appends the child and returns its index.
  int32_t AddChild(const RCPtr<LControlDescriptor>& child);
  SVRESULT SetSkin(const RCPtr<LSkinDescriptor>& skin);
  SVRESULT SetLayout(const RCPtr<LLayoutDescriptor>& layout);
  SVRESULT SetCreateParams(const RCPtr<LStringTable>& parameters);
  // A descriptor sharing this one's children, skin, layout, create parameters, parent
  // and cached create function, named `newName` (this one's name when empty).
  RCPtr<LControlDescriptor> Copy(const String& newName) const;

  bool IsSkinRoot() const { return ClassName == kSkinRootClass; }

  String ClassName;
  String Name;
  LControlDescriptor* Parent = nullptr;
  RCPtrArray<LControlDescriptor, 1, 0> Children;
  RCPtr<LSkinDescriptor> Skin;
  RCPtr<LLayoutDescriptor> Layout;
  RCPtr<LStringTable> CreateParams;
  LControlCreateFunction CreateFunction = nullptr;

protected:
  LControlDescriptor(const String& className, const String& name, LControlDescriptor* parent)
      : ClassName(className), Name(name), Parent(parent) {}
};

}  // namespace SV
