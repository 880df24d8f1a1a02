#include "SVFramework/Utilities/Graphics/RegionNodePool.h"

#include <new>

namespace SV {

RegionNodePool& RegionNodePool::Instance() {
  static RegionNodePool* const pool = new RegionNodePool;
  return *pool;
}

void RegionNodePool::MakeBlock() {
  mBlock.reset(new (std::nothrow) Slot[kBlockCapacity]);
  mCapacity = mBlock ? kBlockCapacity : 0;
  mFreeCount = mCapacity;
  mRingHead = 0;
  for (uint32_t i = 0; i < mCapacity; ++i) mBlock[i].ringEntry = i;
}

RegionNode* RegionNodePool::Allocate() {
  MutexLock lock(mLock);
  if (mPeakCount == 0) MakeBlock();
  RegionNode* node = nullptr;
  if (mFreeCount > 0) {
    node = &mBlock[mBlock[mRingHead].ringEntry].node;
    --mFreeCount;
    mRingHead = (mRingHead + 1) % mCapacity;
  } else {
    node = new (std::nothrow) RegionNode;
    if (node == nullptr) return nullptr;
  }
  *node = RegionNode{};
  ++mInUseCount;
  if (mInUseCount > mPeakCount) mPeakCount = mInUseCount;
  return node;
}

bool RegionNodePool::TryReturnToRing(RegionNode* node) {
  if (!mBlock || mFreeCount >= mCapacity) return false;
  const auto offset = reinterpret_cast<uintptr_t>(node) - reinterpret_cast<uintptr_t>(mBlock.get());
  const uintptr_t index = offset / sizeof(Slot);
  if (index >= mCapacity) return false;
  mBlock[(mRingHead + mFreeCount) % mCapacity].ringEntry = static_cast<uint32_t>(index);
  ++mFreeCount;
  return true;
}

void RegionNodePool::Free(RegionNode* node) {
  if (node == nullptr) return;
  MutexLock lock(mLock);
  if (!TryReturnToRing(node)) delete node;
  --mInUseCount;
}

uint32_t RegionNodePool::GetCapacity() const {
  MutexLock lock(mLock);
  return mCapacity;
}

uint32_t RegionNodePool::GetFreeCount() const {
  MutexLock lock(mLock);
  return mFreeCount;
}

uint32_t RegionNodePool::GetInUseCount() const {
  MutexLock lock(mLock);
  return mInUseCount;
}

uint32_t RegionNodePool::GetPeakCount() const {
  MutexLock lock(mLock);
  return mPeakCount;
}

}  // namespace SV
