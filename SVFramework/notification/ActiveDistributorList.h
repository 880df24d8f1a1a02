#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

class LNotificationDistributor;

// The process-wide list of distributors that have registrations. It holds one
// reference, counted as internal, on each of them and is read by nobody: it only keeps
// such distributors alive. Any thread; its lock is innermost and is never held while
// a reference is released.
class ActiveDistributorList {
public:
  // Adds the distributor (a new reference, counted as internal).
  static void Add(LNotificationDistributor* distributor);
  // Removes the distributor when it is listed, lowering its internal count first;
  // true when it was listed.
  static bool Remove(LNotificationDistributor* distributor);
  static bool Contains(const LNotificationDistributor* distributor);
  static int32_t GetCount();
};

}  // namespace SV
