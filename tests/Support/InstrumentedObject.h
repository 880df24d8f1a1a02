#pragma once
#include <atomic>
#include <functional>

#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV::Testing {

// Counts what happens to shared objects of this class, so tests can prove that
// cycles free themselves and that nothing is freed twice.
struct LifeRecord {
  std::atomic<int> constructed{0};
  std::atomic<int> destroyed{0};
  std::atomic<int> hookCalls{0};
  int Alive() const { return constructed - destroyed; }
};

// A shared object that reports its construction, destruction and every run of its
// release hook to a LifeRecord; the hook runs `onReleaseInternalReferences` when set.
class InstrumentedObject : public virtual LRefCountedObject {
public:
  explicit InstrumentedObject(LifeRecord& record) : mRecord(record) { ++mRecord.constructed; }
  ~InstrumentedObject() override { ++mRecord.destroyed; }

  SVRESULT ReleaseInternalReferences() override {
    ++mRecord.hookCalls;
    if (onReleaseInternalReferences) onReleaseInternalReferences();
    return LRefCountedObject::ReleaseInternalReferences();
  }

  std::function<void()> onReleaseInternalReferences;

private:
  LifeRecord& mRecord;
};

}  // namespace SV::Testing
