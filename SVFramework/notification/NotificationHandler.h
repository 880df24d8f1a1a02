#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <typeinfo>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationID.h"

namespace SV {

// The key of one binding: the source distributor (null for a direct binding) and the
// notification ID, ordered by source address, then by ID address.
struct Receivable {
  const LNotificationDistributor* source = nullptr;
  NotificationID id = nullptr;

  friend bool operator<(const Receivable& a, const Receivable& b) {
    const auto sourceA = reinterpret_cast<uintptr_t>(a.source), sourceB = reinterpret_cast<uintptr_t>(b.source);
    if (sourceA != sourceB) return sourceA < sourceB;
    return reinterpret_cast<uintptr_t>(a.id) < reinterpret_cast<uintptr_t>(b.id);
  }
  friend bool operator==(const Receivable& a, const Receivable& b) = default;
};

// The table through which an owner class T (a notification client) binds its member
// functions to (source, notification ID) pairs. Binding also subscribes the owner to
// the source. The owner's Receive calls Dispatch; a nonzero result means handled, and
// 0 lets the owner try its base class's table. The table does not keep its owner
// alive. No lock: the owner's thread only (Dispatch may run on whichever thread
// delivers, while nobody changes the table).
template <class T>
class LNotificationHandler : public virtual LRefCountedObject {
public:
  // A bound function: called on the owner with (source, notification); nonzero means
  // handled. Made from a member function of T or of any base of T.
  using Binding = std::function<int32_t(T&, const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&)>;

  static RCPtr<LNotificationHandler> Create(T* owner) { return RCPtr<LNotificationHandler>(new LNotificationHandler(owner)); }
  ~LNotificationHandler() override {
    mOwner = nullptr;
    mEntries.clear();
  }

  // Subscribes the owner to `source` for the ID with `flags` and binds `binding` to
  // the pair; an existing binding of the pair stays (the subscription's flags are
  // still replaced). 0; E_INVALIDARG for a null source; E_FAIL for an empty ID text.
  SVRESULT AddHandler(Binding binding, const RCPtr<LNotificationDistributor>& source, const char16_t* idText,
                      int32_t flags = 0) {
    if (!source) return E_INVALIDARG;
    const NotificationID id = OwnerClient().Subscribe(source, idText, flags);
    if (id == nullptr) return E_FAIL;
    mEntries.emplace(Receivable{source.Get(), id}, std::move(binding));
    return S_OK;
  }
  // Binds notifications handed to the owner itself with a null source; no
  // subscription. 0, or E_FAIL for an empty ID text.
  SVRESULT AddDirectHandler(Binding binding, const char16_t* idText) {
    const NotificationID id = InternNotificationID(idText);
    if (id == nullptr) return E_FAIL;
    mEntries.emplace(Receivable{nullptr, id}, std::move(binding));
    return S_OK;
  }

  // Runs the binding of (source, the notification's ID) and returns its result; 0 when
  // nothing is bound or the notification is null.
  int32_t Dispatch(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
    if (!notification || mOwner == nullptr) return 0;
    const auto entry = mEntries.find(Receivable{source.Get(), notification->GetID()});
    if (entry == mEntries.end()) return 0;
    // Called from a copy: the bound function may remove its own binding.
    const Binding binding = entry->second;
    return binding(*mOwner, source, notification);
  }

  // Removes the binding of the pair; true when there was one. Does not unsubscribe.
  bool RemoveHandler(const LNotificationDistributor* source, const char16_t* idText) {
    const NotificationID id = FindNotificationID(idText);
    return id != nullptr && mEntries.erase(Receivable{source, id}) > 0;
  }
  bool HasHandler(const LNotificationDistributor* source, const char16_t* idText) const {
    const NotificationID id = FindNotificationID(idText);
    return id != nullptr && mEntries.count(Receivable{source, id}) > 0;
  }
  // E_FAIL when nothing is bound; otherwise copies the binding out and answers as
  // the source's GetSubscriptionFlags for the owner does (0 with the flags, or E_FAIL).
  SVRESULT GetHandler(const RCPtr<LNotificationDistributor>& source, const char16_t* idText, Binding& binding,
                      int32_t& flags) const {
    const NotificationID id = FindNotificationID(idText);
    const auto entry = mEntries.find(Receivable{source.Get(), id});
    if (id == nullptr || entry == mEntries.end()) return E_FAIL;
    binding = entry->second;
    if (!source) return E_FAIL;
    return source->GetSubscriptionFlags(&OwnerClient(), idText, flags);
  }

  T* GetOwner() const { return mOwner; }
  int32_t GetBindingCount() const { return static_cast<int32_t>(mEntries.size()); }

private:
  explicit LNotificationHandler(T* owner) : mOwner(owner) {}
  LNotificationClient& OwnerClient() const { return *mOwner; }

  T* mOwner;  // not counted: the owner holds the table
  std::map<Receivable, Binding> mEntries;
};

// Reports a binding that a CAutoNotificationDisabler could not put back.
void ReportNotificationRestoreFailure(const std::string& function, SVRESULT result);

// Takes one binding, and the owner's subscription behind it, out of a handler table for
// a scope: in between, notifications of that ID from that source neither reach the
// owner nor count as its registration. The owner's thread only.
template <class T>
class CAutoNotificationDisabler {
public:
  // Saves the binding and the subscription's flags, unsubscribes the owner and removes
  // the binding. Raises SV::Exception<SV::FailedResultException> when nothing is bound
  // or the binding cannot be taken out.
  CAutoNotificationDisabler(const RCPtr<LNotificationHandler<T>>& table, const RCPtr<LNotificationDistributor>& source,
                            const char16_t* idText)
      : mTable(table), mSource(source), mID(FindNotificationID(idText)) {
    const std::string function = FunctionName("CAutoNotificationDisabler");
    const SVRESULT found = mTable->GetHandler(mSource, mID, mBinding, mFlags);
    if (found < 0) SV_RAISE(FailedResultException, FormatResultCode(found), function.c_str());
    const SVRESULT left = mTable->GetOwner()->Unsubscribe(mSource, mID);
    if (!mTable->RemoveHandler(mSource.Get(), mID))
      SV_RAISE(FailedResultException, FormatResultCode(E_FAIL), function.c_str());
    if (left < 0) SV_RAISE(FailedResultException, FormatResultCode(left), function.c_str());
  }
  // Puts the binding back unless Restore ran. Never throws: a failure goes to the
  // debug log, since the scope may be ending because of another exception.
  ~CAutoNotificationDisabler() {
    if (mRestored) return;
    const SVRESULT result = Restore();
    if (result < 0) ReportNotificationRestoreFailure(FunctionName("~CAutoNotificationDisabler"), result);
  }
  CAutoNotificationDisabler(const CAutoNotificationDisabler&) = delete;
  CAutoNotificationDisabler& operator=(const CAutoNotificationDisabler&) = delete;

  // Binds and subscribes again with the saved binding and flags; the result of
  // AddHandler. Only the first call acts; later ones return S_FALSE.
  SVRESULT Restore() {
    if (mRestored) return S_FALSE;
    mRestored = true;
    try {
      return mTable->AddHandler(mBinding, mSource, mID, mFlags);
    } catch (...) {
      return E_FAIL;
    }
  }

private:
  static std::string FunctionName(const char* operation) {
    return "SV::CAutoNotificationDisabler<" + TypeName(typeid(T)) + ">::" + operation;
  }

  RCPtr<LNotificationHandler<T>> mTable;
  RCPtr<LNotificationDistributor> mSource;
  NotificationID mID;
  int32_t mFlags = 0;
  typename LNotificationHandler<T>::Binding mBinding;
  bool mRestored = false;
};

}  // namespace SV
