#include "SVFramework/ObjectBase/RefCountedObject.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

std::string TypeName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
  return status == 0 && demangled ? demangled.get() : type.name();
}

void RaiseUnshareFailure(const std::type_info& pointee) {
  const std::string function = "SV::ConstRCPtr<" + TypeName(pointee) + ">::Unshare";
  SV_RAISE(std::logic_error, TypeName(pointee), function.c_str());
}

const RCPtr<LRefCountedObject>& NullObjectPtr() {
  static const RCPtr<LRefCountedObject> null;
  return null;
}

StringT<char16_t, char> LRefCountedObject::ToString() const {
  const std::string text =
      "LRefCountedObject::ToString() not overridden. Returning TypeName: " + TypeName(typeid(*this));
  return StringT<char16_t, char>(text.c_str());
}

void LRefCountedObject::Undo() {
  SV_RAISE(std::logic_error, "Undo() not implemented for RefCountedObject", "SV::LRefCountedObject::Undo");
}

int32_t LRefCountedObject::AddRef() {
  return RefCountOf(mCounts.fetch_add(1, std::memory_order_acq_rel) + 1);
}

bool LRefCountedObject::AddRefIfReferenced() {
  uint64_t counts = mCounts.load(std::memory_order_acquire);
  while (RefCountOf(counts) > 0) {
    if (mCounts.compare_exchange_weak(counts, counts + 1, std::memory_order_acq_rel, std::memory_order_acquire))
      return true;
  }
  return false;
}

// The decrement happens only from the very counts that were tested: when another
// owner let go in between, the test is made again, so that of two last outside owners
// releasing at once, the second one always sees that it is the last.
int32_t LRefCountedObject::Release() {
  uint64_t counts = mCounts.load(std::memory_order_acquire);
  for (;;) {
    if (LeavesOnlyInternalReferences(counts) && TryEnterReleaseHook()) return ReleaseThroughHook();
    if (mCounts.compare_exchange_weak(counts, counts - 1, std::memory_order_acq_rel, std::memory_order_acquire))
      return DestroyWhenUnreferenced(RefCountOf(counts) - 1);
  }
}

bool LRefCountedObject::LeavesOnlyInternalReferences(uint64_t counts) {
  const int32_t internal = InternalCountOf(counts);
  return internal > 0 && RefCountOf(counts) == internal + 1;
}

// Releases that the hook causes on this object, and releases on other threads while it
// runs, find the depth above 0 and only decrement.
bool LRefCountedObject::TryEnterReleaseHook() {
  int32_t idle = 0;
  return mReleaseHookDepth.compare_exchange_strong(idle, 1, std::memory_order_acq_rel, std::memory_order_acquire);
}

// The reference being released stays counted while the hook runs, so the object lives
// through it. The depth comes down again whether or not the hook throws.
int32_t LRefCountedObject::ReleaseThroughHook() {
  try {
    ReleaseInternalReferences();
  } catch (...) {
    mReleaseHookDepth.fetch_sub(1, std::memory_order_acq_rel);
    DropReference();
    throw;
  }
  mReleaseHookDepth.fetch_sub(1, std::memory_order_acq_rel);
  return DropReference();
}

int32_t LRefCountedObject::DropReference() {
  return DestroyWhenUnreferenced(RefCountOf(mCounts.fetch_sub(1, std::memory_order_acq_rel)) - 1);
}

// A destructor that takes a reference to its own object and drops it again (a
// distributor or queue holding itself through an operation) brings the count to 0 a
// second time: only the first time destroys.
int32_t LRefCountedObject::DestroyWhenUnreferenced(int32_t remaining) {
  if (remaining == 0 && !mDestroying.exchange(true, std::memory_order_acq_rel)) delete this;
  return remaining;
}

// Both counts come from one reading, so the answer describes one moment.
SVRESULT LRefCountedObject::ReleaseInternalReferences() {
  const uint64_t counts = mCounts.load(std::memory_order_acquire);
  return InternalCountOf(counts) == 0 && RefCountOf(counts) == 1 ? S_OK : E_FAIL;
}

RCPtr<LRefCountedObject> LRefCountedObject::CreateCopy() {
  SV_RAISE(std::logic_error, "CreateCopy() not implemented for RefCountedObject",
           "SV::LRefCountedObject::CreateCopy");
}

void LRefCountedObject::SetUnshareable(bool unshareable) {
  if (unshareable && GetRefCount() > 1)
    SV_RAISE(std::runtime_error, "", "SV::LRefCountedObject::SetUnshareable");
  mShareable.store(!unshareable, std::memory_order_release);
}

}  // namespace SV
