#include "SVFramework/notification/ActiveDistributorList.h"

#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {

namespace {

struct GuardedList {
  Mutex lock;
  RCPtrArray<LNotificationDistributor, 1, 0> distributors;
};

// Built on first use and never destroyed: distributors still listed at process end
// stay alive rather than be released while another thread may use them.
GuardedList& GetList() {
  static GuardedList* list = new GuardedList;
  return *list;
}

int32_t IndexOf(const GuardedList& list, const LNotificationDistributor* distributor) {
  for (int32_t i = static_cast<int32_t>(list.distributors.GetCount()) - 1; i >= 0; --i)
    if (list.distributors.GetAt(i).Get() == distributor) return i;
  return -1;
}

}  // namespace

void ActiveDistributorList::Add(LNotificationDistributor* distributor) {
  GuardedList& list = GetList();
  MutexLock lock(list.lock);
  list.distributors.Append(RCPtr<LNotificationDistributor>(distributor));
  distributor->AddInternalReferences(1);
}

bool ActiveDistributorList::Remove(LNotificationDistributor* distributor) {
  GuardedList& list = GetList();
  RCPtr<LNotificationDistributor> removed;
  {
    MutexLock lock(list.lock);
    const int32_t index = IndexOf(list, distributor);
    if (index < 0) return false;
    distributor->AddInternalReferences(-1);
    list.distributors.RemoveItem(index, removed);
  }
  return true;
}

bool ActiveDistributorList::Contains(const LNotificationDistributor* distributor) {
  GuardedList& list = GetList();
  MutexLock lock(list.lock);
  return IndexOf(list, distributor) >= 0;
}

int32_t ActiveDistributorList::GetCount() {
  GuardedList& list = GetList();
  MutexLock lock(list.lock);
  return static_cast<int32_t>(list.distributors.GetCount());
}

}  // namespace SV
