#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/PointerArrayT.h"

namespace SV {

// An array of smart pointers to shared objects (see PointerArrayT for the storage
// rules): holds one reference per element and releases them all when destroyed.
// Not locked: the owner locks around it.
template <class T, uint32_t Growth = 1, uint32_t Slack = 0>
class RCPtrArray : public PointerArrayT<T, Growth, Slack, RCPtr> {
  using Base = PointerArrayT<T, Growth, Slack, RCPtr>;

public:
  using Base::Base;

protected:
  [[noreturn]] void RaiseRemoveItemOutOfRange() const override {
    SV_RAISE(std::out_of_range, "", Base::RemoveItemName("SV::RCPtrArray").c_str());
  }
};

}  // namespace SV
