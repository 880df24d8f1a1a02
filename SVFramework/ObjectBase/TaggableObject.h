#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// A shared object that carries one optional shared tag, null until set and released
// with the object.
class LTaggableObject : public virtual LRefCountedObject {
public:
  LTaggableObject() = default;
  ~LTaggableObject() override = default;

  const RCPtr<LRefCountedObject>& GetTag() const { return mTag; }
  void SetTag(const RCPtr<LRefCountedObject>& tag) { mTag = tag; }

private:
  RCPtr<LRefCountedObject> mTag;
};

}  // namespace SV
