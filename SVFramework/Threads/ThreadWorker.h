#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// A job that a threader or the thread pool runs on its own thread.
class LThreadWorker : public virtual LRefCountedObject {
public:
  // Does the job once with `argument` (possibly null). The threaders ignore the
  // result and do not catch exceptions: a job catches what it must itself.
  virtual SVRESULT Run(const RCPtr<LRefCountedObject>& argument) = 0;
};

}  // namespace SV
