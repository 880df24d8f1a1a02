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

int32_t LRefCountedObject::AddRef() { return mRefCount.fetch_add(1, std::memory_order_acq_rel) + 1; }

int32_t LRefCountedObject::Release() {
  const int32_t count = mRefCount.load(std::memory_order_acquire);
  const int32_t internal = mInternalRefCount.load(std::memory_order_acquire);
  if (count == internal + 1 && mReleaseHookDepth.load(std::memory_order_acquire) == 0 &&
      mInternalRefCount.load(std::memory_order_acquire) > 0) {
    mReleaseHookDepth.fetch_add(1, std::memory_order_acq_rel);
    ReleaseInternalReferences();
    mReleaseHookDepth.fetch_sub(1, std::memory_order_acq_rel);
  }
  const int32_t remaining = mRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (remaining == 0) delete this;
  return remaining;
}

SVRESULT LRefCountedObject::ReleaseInternalReferences() {
  return GetInternalRefCount() == 0 && GetRefCount() == 1 ? S_OK : E_FAIL;
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
