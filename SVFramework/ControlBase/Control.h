#pragma once
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LRootWindow;

// The base class of every control, as far as the control factory builds and skins
// it: a named node of the control tree that keeps the descriptor it was made from,
// takes its string table from the application's factory when constructed, and is
// built in the fixed sequence of LControlCreation. Overridable steps have trivial
// base bodies, except CreateChildren, which creates the descriptor's children.
// A parent holds its children; a child's parent pointer is cleared when the parent goes.
// Used on the UI thread only.
class LControl : public virtual LRefCountedObject {
public:
  // Joins the parent's children (when there is a parent) and takes the string table
  // "<parent's class>|<name>" from the application's factory, when one is set.
  LControl(const RCPtr<LControl>& parent, const String& name);
  ~LControl() override;
  LControl(const LControl&) = delete;
  LControl& operator=(const LControl&) = delete;

  const String& GetName() const { return mName; }
  LControl* GetParent() const { return mParent; }
  const RCPtrArray<LControl, 1, 0>& GetChildren() const { return mChildren; }
  const RCPtr<LControlDescriptor>& GetDescriptor() const { return mDescriptor; }
  const RCPtr<LStringTable>& GetStringTable() const { return mStringTable; }
  LRootWindow* GetRootWindow() const { return mRootWindow; }
  // Set once the whole creation sequence has run; no notification is handled before.
  bool IsCreated() const { return mCreated; }

  // Takes the descriptor (also again, when a skin is re-applied). Returns 0.
  virtual SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor);
  // Creates one child per child descriptor, in order, through the application's
  // factory; a child whose creation fails is left out. Returns 0.
  virtual SVRESULT CreateChildren(const RCPtr<LControlDescriptor>& descriptor);
  virtual SVRESULT Initialize() { return S_OK; }
  virtual void OnDescriptorApplied() {}
  // The window a top-level control is shown in (null to leave it); E_FAIL for a
  // control that has a parent.
  virtual SVRESULT SetRootWindow(LRootWindow* rootWindow);

private:
  friend class LControlCreation;
  void MarkCreated() { mCreated = true; }

  String mName;
  LControl* mParent = nullptr;
  RCPtrArray<LControl, 1, 0> mChildren;
  RCPtr<LControlDescriptor> mDescriptor;
  RCPtr<LStringTable> mStringTable;
  LRootWindow* mRootWindow = nullptr;
  bool mCreated = false;
};

}  // namespace SV
