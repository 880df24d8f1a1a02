#include "SVFramework/ControlBase/ChildControlList.h"

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Utilities/Storage/ArrayUtils.h"

namespace SV {
namespace {

constexpr const char* kGetAt = "SV::LControl::ChildControlList::GetAt";

bool PaintsBefore(const LControl& a, const LControl& b) {
  if (a.ClipsToParent() != b.ClipsToParent()) return a.ClipsToParent();
  if (a.DockedAxisCount() != b.DockedAxisCount()) return a.DockedAxisCount() < b.DockedAxisCount();
  const int32_t zA = a.GetLayout() ? a.GetLayout()->Z_Order : 0;
  const int32_t zB = b.GetLayout() ? b.GetLayout()->Z_Order : 0;
  return zA < zB;
}

bool TabsBefore(const LControl& a, const LControl& b) {
  const int32_t stopA = a.GetLayout() ? a.GetLayout()->TabStop : 0;
  const int32_t stopB = b.GetLayout() ? b.GetLayout()->TabStop : 0;
  return stopA < stopB;
}

}  // namespace

const RCPtr<LControl>& LChildControlList::GetAt(uint32_t index, ChildOrder order) {
  return static_cast<const LChildControlList&>(*this).GetAt(index, order);
}

const RCPtr<LControl>& LChildControlList::GetAt(uint32_t index, ChildOrder order) const {
  if (index >= mChildren.GetCount()) SV_RAISE(std::runtime_error, "", kGetAt);
  if (order == ChildOrder::InsertionOrder) return mChildren[index];
  return ByIndexArray(index, order);
}

const RCPtr<LControl>& LChildControlList::ByIndexArray(uint32_t index, ChildOrder order) const {
  if (order != ChildOrder::PaintOrder && order != ChildOrder::TabOrder) SV_RAISE(std::runtime_error, "", kGetAt);
  if (!IsSorted()) Resort();
  const Array<uint32_t>& indices = order == ChildOrder::PaintOrder ? mPaintOrder : mTabOrder;
  return mChildren[indices[index]];
}

void LChildControlList::Resort() const {
  const uint32_t count = mChildren.GetCount();
  ArrayUtils::SortIndecies(mPaintOrder, mChildren, 0, count,
                           [this](uint32_t a, uint32_t b) { return PaintsBefore(*mChildren[a], *mChildren[b]); });
  ArrayUtils::SortIndecies(mTabOrder, mChildren, 0, count,
                           [this](uint32_t a, uint32_t b) { return TabsBefore(*mChildren[a], *mChildren[b]); });
  mSortedAt = mChangeCounter;
}

SVRESULT LChildControlList::Add(LControl* child) {
  if (!child) return E_INVALIDARG;
  for (uint32_t index = mChildren.GetCount(); index-- > 0;)
    if (mChildren[index]->GetName() == child->GetName()) return E_FAIL;
  const int32_t unclipped = child->mUnclippedDescendants + (child->ClipsToParent() ? 0 : 1);
  for (int32_t unit = 0; unit < unclipped; ++unit) mOwner->IncrementUnclippedDescendants();
  child->mParent = RCPtr<LControl>(mOwner);
  mOwner->AddInternalReferences(1);
  mChildren.Append(RCPtr<LControl>(child));
  ++mChangeCounter;
  return S_OK;
}

int32_t LChildControlList::Remove(LControl* child) {
  int32_t index = -1;
  for (uint32_t at = mChildren.GetCount(); at-- > 0;)
    if (mChildren[at].Get() == child) {
      index = static_cast<int32_t>(at);
      break;
    }
  if (index < 0) return -1;
  const RCPtr<LControl> kept(child);
  const int32_t unclipped = child->mUnclippedDescendants + (child->ClipsToParent() ? 0 : 1);
  for (int32_t unit = 0; unit < unclipped; ++unit) mOwner->DecrementUnclippedDescendants();
  mOwner->AddInternalReferences(-1);
  child->mParent.Reset();
  RCPtr<LControl> removed;
  mChildren.RemoveItem(static_cast<uint32_t>(index), removed);
  ++mChangeCounter;
  mOwner->OnChildRemoved(child, index);
  return index;
}

SVRESULT LChildControlList::RemoveAll() {
  if (mChildren.GetCount() == 0) return S_FALSE;
  while (mChildren.GetCount() > 0) Remove(mChildren[mChildren.GetCount() - 1].Get());
  return S_OK;
}

}  // namespace SV
