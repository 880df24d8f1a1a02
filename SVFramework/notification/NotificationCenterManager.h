#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationCenter.h"

namespace SV {

// Keeps the notification centers by name, in order of creation, and pumps them all in
// the idle pass. Centers are never removed; they live as long as the manager. Centers
// are normally made on the UI thread before other threads look them up; any thread
// may look one up.
class LNotificationCenterManager : public virtual LRefCountedObject {
public:
  // The process-wide manager, made on the first call. Any thread.
  static RCPtr<LNotificationCenterManager> GetInstance();
  // Clears the process-wide manager and releases it (the application object's
  // shut-down); the next GetInstance makes a new one.
  static void ReleaseInstance();

  // The center of that name (letter case matters), made on first use; null for an
  // empty name. The pointer returned is the caller's own, valid whatever centers are
  // made later.
  RCPtr<LNotificationCenter> GetCenter(const String& name);
  // The center of that name, or null.
  RCPtr<LNotificationCenter> FindCenter(const String& name) const;
  // A new center of that name; GetCenter appends it to the centers.
  static RCPtr<LNotificationCenter> CreateCenter(const String& name);

  // Pumps every center, the most recently made first: its queued notifications unless
  // it is delivering already, then its NID_IDLE when `idle` is set. Returns whether any
  // center still holds queued entries. UI thread.
  bool Process(bool idle);
  int32_t GetCenterCount() const;

private:
  RCPtr<LNotificationCenter> GetCenterAt(int32_t index) const;

  mutable Mutex mLock;  // guards mCenters; never held while a center runs
  RCPtrArray<LNotificationCenter, 1, 0> mCenters;
};

// The name of the center where other threads meet the UI thread: "application".
const String& GetApplicationCenterName();
// The center named "application" of the process-wide manager.
RCPtr<LNotificationCenter> GetApplicationNotificationCenter();

}  // namespace SV
