#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// A value type T made shareable: the object is a T (public base, no field added) and
// a Base, the shared object (Base is LRefCountedObject or derives from it virtually).
// A set of parameter values travels as one in notifications and queues. Shared, never
// copied: CreateCopy and ToString are those of LRefCountedObject.
// Thread rules: the count is atomic; the T part is not locked.
template <class T, class Base = LRefCountedObject>
class LWrapper : public T, public virtual Base {
public:
  LWrapper() : T() {}
  explicit LWrapper(const T& value) : T(value) {}
  ~LWrapper() override = default;

  // A new wrapper, handed out with its first reference taken.
  static RCPtr<LWrapper> Create() { return RCPtr<LWrapper>(new LWrapper); }
  static RCPtr<LWrapper> Create(const T& value) { return RCPtr<LWrapper>(new LWrapper(value)); }
};

}  // namespace SV
