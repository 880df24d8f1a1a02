#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace SV {

class LControl;

// The orders in which a control's children can be read.
enum class ChildOrder : int32_t { InsertionOrder = 0, PaintOrder = 1, TabOrder = 2 };

// A control's children in insertion order, with paint and tab orders sorted on demand.
// Paint order (hit testing reads it from the end): clipping children before the others,
// then fewer docked axes, then smaller Z_Order, then insertion. Tab order: smaller
// TabStop, then insertion. The orders are re-sorted at the first read after any change
// that can move them (MarkChanged). Each child's back reference to the owner is counted
// as an internal reference of the owner. UI thread only.
class LChildControlList {
public:
  explicit LChildControlList(LControl* owner) : mOwner(owner) {}
  virtual ~LChildControlList() = default;
  LChildControlList(const LChildControlList&) = delete;
  LChildControlList& operator=(const LChildControlList&) = delete;

  uint32_t GetCount() const { return mChildren.GetCount(); }
  // The child at `index` of `order`. An index not below the count or an unknown order
  // raises SV::Exception over a runtime error.
  const RCPtr<LControl>& GetAt(uint32_t index, ChildOrder order);
  const RCPtr<LControl>& GetAt(uint32_t index, ChildOrder order) const;
  const RCPtrArray<LControl, 1, 0>& GetChildren() const { return mChildren; }

  // Appends the child and makes the owner its parent: E_INVALIDARG for null, E_FAIL
  // when a child of that name is there already (nothing changes, and no reference to
  // the child is taken, so a control may join from its constructor); 0.
  SVRESULT Add(LControl* child);
  // Takes the child out and tells the owner (OnChildRemoved); its former index, or -1.
  int32_t Remove(LControl* child);
  // Removes every child, the last first; 1 when there was none, else 0.
  SVRESULT RemoveAll();
  void Resort() const;
  // Tells the list that an order may have changed.
  void MarkChanged() { ++mChangeCounter; }

private:
  bool IsSorted() const { return mSortedAt == mChangeCounter; }
  const RCPtr<LControl>& ByIndexArray(uint32_t index, ChildOrder order) const;

  RCPtrArray<LControl, 1, 0> mChildren;
  mutable Array<uint32_t> mTabOrder;
  mutable Array<uint32_t> mPaintOrder;
  uint32_t mChangeCounter = 1;
  mutable uint32_t mSortedAt = 0;
  LControl* mOwner;
};

}  // namespace SV
