#include "SVFramework/notification/NotificationCenterManager.h"

#include <utility>

namespace SV {

namespace {

struct ManagerInstance {
  Mutex lock;
  RCPtr<LNotificationCenterManager> manager;
};

// Built on first use and never destroyed, so threads still running at process end can
// look the manager up safely.
ManagerInstance& GetManagerInstance() {
  static ManagerInstance* instance = new ManagerInstance;
  return *instance;
}

bool IsNamed(const LNotificationCenter& center, const String& name) {
  return center.GetName().GetBuffer() == name.GetBuffer() || center.GetName() == name;
}

}  // namespace

RCPtr<LNotificationCenterManager> LNotificationCenterManager::GetInstance() {
  ManagerInstance& instance = GetManagerInstance();
  MutexLock lock(instance.lock);
  if (!instance.manager) instance.manager = new LNotificationCenterManager;
  return instance.manager;
}

void LNotificationCenterManager::ReleaseInstance() {
  ManagerInstance& instance = GetManagerInstance();
  RCPtr<LNotificationCenterManager> released;  // released after the lock
  MutexLock lock(instance.lock);
  released = std::move(instance.manager);
}

RCPtr<LNotificationCenter> LNotificationCenterManager::GetCenter(const String& name) {
  if (name.IsEmpty()) return nullptr;
  MutexLock lock(mLock);
  if (RCPtr<LNotificationCenter> found = FindCenter(name)) return found;
  RCPtr<LNotificationCenter> center = CreateCenter(name);
  mCenters.Append(center);
  return center;
}

RCPtr<LNotificationCenter> LNotificationCenterManager::FindCenter(const String& name) const {
  MutexLock lock(mLock);
  for (uint32_t i = 0; i < mCenters.GetCount(); ++i)
    if (IsNamed(*mCenters.GetAt(i), name)) return mCenters.GetAt(i);
  return nullptr;
}

RCPtr<LNotificationCenter> LNotificationCenterManager::CreateCenter(const String& name) {
  return LNotificationCenter::Create(name);
}

bool LNotificationCenterManager::Process(bool idle) {
  bool entriesRemain = false;
  for (int32_t i = GetCenterCount() - 1; i >= 0; --i)
    if (GetCenterAt(i)->Process(idle)) entriesRemain = true;
  return entriesRemain;
}

int32_t LNotificationCenterManager::GetCenterCount() const {
  MutexLock lock(mLock);
  return static_cast<int32_t>(mCenters.GetCount());
}

RCPtr<LNotificationCenter> LNotificationCenterManager::GetCenterAt(int32_t index) const {
  MutexLock lock(mLock);
  return mCenters.GetAt(index);
}

const String& GetApplicationCenterName() {
  static const String* name = new String(u"application");
  return *name;
}

RCPtr<LNotificationCenter> GetApplicationNotificationCenter() {
  return LNotificationCenterManager::GetInstance()->GetCenter(GetApplicationCenterName());
}

}  // namespace SV
