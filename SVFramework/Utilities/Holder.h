#pragma once
#include <memory>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// A shared object that owns one value of T on the heap for its whole life: a
// notification payload (a count, a state, a flag) or a plain value that several owners
// share (an open file's descriptor). The value starts value-initialised (0, false,
// null) and is never replaced, only written and read through Value(). Shared, never
// copied: CreateCopy and ToString are those of LRefCountedObject.
// Thread rules: the count is atomic; the value itself is not locked.
template <class T>
class LHolder : public virtual LRefCountedObject {
public:
  LHolder() : mValue(std::make_unique<T>()) {}
  LHolder(const LHolder&) = delete;
  LHolder& operator=(const LHolder&) = delete;
  ~LHolder() override = default;

  // A new holder, handed out with its first reference taken.
  static RCPtr<LHolder> Create() { return RCPtr<LHolder>(new LHolder); }

  T& Value() { return *mValue; }
  const T& Value() const { return *mValue; }

private:
  const std::unique_ptr<T> mValue;
};

}  // namespace SV
