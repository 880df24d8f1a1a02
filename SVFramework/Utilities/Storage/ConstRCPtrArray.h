#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/PointerArrayT.h"

namespace SV {

// An array of read-only smart pointers to shared objects (see PointerArrayT for the
// storage rules): its slots give const access to the objects. Not locked.
template <class T, uint32_t Growth = 1, uint32_t Slack = 0>
class ConstRCPtrArray : public PointerArrayT<T, Growth, Slack, ConstRCPtr> {
  using Base = PointerArrayT<T, Growth, Slack, ConstRCPtr>;

public:
  using Base::Base;

protected:
  [[noreturn]] void RaiseRemoveItemOutOfRange() const override {
    SV_RAISE(std::out_of_range, "", Base::RemoveItemName("SV::ConstRCPtrArray").c_str());
  }
};

}  // namespace SV
