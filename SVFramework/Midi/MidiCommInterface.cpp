#include "SVFramework/Midi/MidiCommInterface.h"

#include <algorithm>

#include "SVFramework/Midi/MidiComm.h"
#include "SVFramework/notification/Notification.h"

namespace SV {

RCPtr<LMidiCommInterface> LMidiCommInterface::Create() { return LMidiComm::Create(); }

LMidiCommInterface::~LMidiCommInterface() = default;

int32_t LMidiCommInterface::Echo(const int32_t& value) { return value; }

void LMidiCommInterface::GetFilter(RCPtr<LIMidiFilterByIncludePrefixList>& filter,
                                   const LNotificationClient* client) {
  MutexLock lock(mFilterLock);
  const int32_t index = FindFilterEntry(client);
  filter = index >= 0 ? CopyFilter(mFilters[static_cast<uint32_t>(index)].filter) : nullptr;
}

SVRESULT LMidiCommInterface::SetFilter(const LNotificationClient* client,
                                       RCPtr<LIMidiFilterByIncludePrefixList> filter) {
  MutexLock lock(mFilterLock);
  const int32_t index = FindFilterEntry(client);
  if (index < 0) {
    if (filter) mFilters.Append(MidiFilterEntry{client, CopyFilter(filter)});
  } else if (filter) {
    mFilters[static_cast<uint32_t>(index)].filter = CopyFilter(filter);
  } else {
    mFilters.RemoveItems(static_cast<uint32_t>(index), 1);
  }
  return S_OK;
}

RCPtr<LIMidiFilterByIncludePrefixList> LMidiCommInterface::CopyFilter(
    const RCPtr<LIMidiFilterByIncludePrefixList>& filter) {
  if (!filter) return nullptr;
  return RCPtr<LIMidiFilterByIncludePrefixList>::DynamicCastFrom(filter->Copy());
}

int32_t LMidiCommInterface::FindFilterEntry(const LNotificationClient* client) const {
  for (uint32_t index = 0; index < mFilters.GetCount(); ++index) {
    if (mFilters[index].client == client) return static_cast<int32_t>(index);
  }
  return -1;
}

bool LMidiCommInterface::PassesFilter(const LNotificationClient* client,
                                      const LMidiCaptureNotificationData* message) const {
  const int32_t index = FindFilterEntry(client);
  if (index < 0 || message == nullptr) return true;
  const RCPtr<LIMidiFilterByIncludePrefixList>& filter = mFilters[static_cast<uint32_t>(index)].filter;
  return !filter || filter->Passes(message->GetData(), message->GetCount());
}

// Clients that leave during the delivery shrink the record: the walk goes on from
// the last client still there.
SVRESULT LMidiCommInterface::Deliver(const RCPtr<LMidiCaptureNotificationData>& message) {
  const NotificationID id = InternNotificationID(kMidiDataCapturedID);
  const RCPtr<LNotificationClientPool> registration = FindRegistration(id);
  if (!registration || registration->GetCount() == 0) return S_FALSE;
  MutexLock lock(mFilterLock);
  const RCPtr<LNotificationDistributor> source(this);
  RCPtr<LNotification> notification;
  for (int32_t index = registration->GetCount() - 1; index >= 0;) {
    index = std::min(index, registration->GetCount() - 1);
    if (index < 0) break;
    const RCPtr<LNotificationClient> client = registration->GetClient(index);
    if (!PassesFilter(client.Get(), message.Get())) {
      --index;
      continue;
    }
    if (!notification) notification = LNotification::Obtain(id, message);
    index = registration->DeliverTo(source, index, notification) - 1;
  }
  return S_OK;
}

void LMidiCommInterface::SetNotificationCenter(const RCPtr<LNotificationCenter>& center) {
  MutexLock lock(mCenterLock);
  mCenter = center;
}

RCPtr<LNotificationCenter> LMidiCommInterface::GetNotificationCenter() const {
  MutexLock lock(mCenterLock);
  return mCenter;
}

}  // namespace SV
