#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <typeinfo>
#include <utility>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

template <class CharT, class OtherCharT> class StringT;

// Everything that renders itself as text.
class IStringable {
public:
  virtual ~IStringable() = default;
  virtual StringT<char16_t, char> ToString() const = 0;
};

class IUndoable : public IStringable {
public:
  virtual void Undo() = 0;
};

template <class T> class RCPtr;

// Virtual base of every shared object: one intrusive reference count, a count of the
// internal references among them (held by registries on the object's own behalf),
// and a shareable mark. When a release leaves only internal references besides the
// one being released, ReleaseInternalReferences runs once so that the holders let go
// and cycles between subscribers and registries break themselves.
// Thread rules: counts change only through atomic operations; any thread may take
// and drop references. Of several owners that let go at once, exactly one runs the
// hook: a release decides and decrements in one atomic step on both counts.
class LRefCountedObject : public IUndoable {
public:
  LRefCountedObject() = default;
  // Counts are never copied: a copy starts with no reference, shareable.
  LRefCountedObject(const LRefCountedObject&) : LRefCountedObject() {}
  LRefCountedObject& operator=(const LRefCountedObject&) { return *this; }

  StringT<char16_t, char> ToString() const override;
  // Always raises a logic error: no class of the system can undo.
  void Undo() override;
  virtual int32_t AddRef();
  // Returns the remaining count; at 0 the object has been destroyed. An exception from
  // the release hook passes on after the reference has been given up. A reference
  // taken and dropped while the object is being destroyed never destroys it again.
  virtual int32_t Release();
  // Base answer: 0 when the object holds exactly one reference and no internal one,
  // E_FAIL otherwise. Overrides make the holders of internal references let go.
  virtual SVRESULT ReleaseInternalReferences();
  // A new, independent, shareable copy; the default raises a logic error.
  virtual RCPtr<LRefCountedObject> CreateCopy();
  virtual ~LRefCountedObject() = default;

  // Marks the object unshareable (true) or shareable again (false). Marking an
  // object that more than one reference holds raises a runtime error.
  void SetUnshareable(bool unshareable);
  // Adds n (negative to remove) to the count of internal references.
  void AddInternalReferences(int32_t n) {
    mCounts.fetch_add(static_cast<uint64_t>(static_cast<int64_t>(n)) << kInternalShift, std::memory_order_acq_rel);
  }
  // Takes a reference when the object has one already and returns true; returns false
  // and takes none when the count is 0 (the object is being built or destroyed).
  bool AddRefIfReferenced();

  int32_t GetRefCount() const { return RefCountOf(mCounts.load(std::memory_order_acquire)); }
  int32_t GetInternalRefCount() const { return InternalCountOf(mCounts.load(std::memory_order_acquire)); }
  bool IsShareable() const { return mShareable.load(std::memory_order_acquire); }

private:
  static constexpr int kInternalShift = 32;
  static int32_t RefCountOf(uint64_t counts) { return static_cast<int32_t>(static_cast<uint32_t>(counts)); }
  static int32_t InternalCountOf(uint64_t counts) { return static_cast<int32_t>(counts >> kInternalShift); }
  static bool LeavesOnlyInternalReferences(uint64_t counts);

  bool TryEnterReleaseHook();
  int32_t ReleaseThroughHook();
  int32_t DropReference();
  int32_t DestroyWhenUnreferenced(int32_t remaining);

  // The reference count in the low half, the internal count in the high half: one
  // word, so that a release tests and changes both in a single atomic step.
  std::atomic<uint64_t> mCounts{0};
  std::atomic<int32_t> mReleaseHookDepth{0};
  std::atomic<bool> mShareable{true};
  std::atomic<bool> mDestroying{false};
};

// The demangled name of a type, for diagnostics ("SV::LControl").
std::string TypeName(const std::type_info& type);

// Raises the logic error of an Unshare whose copy was null or of another type.
[[noreturn]] void RaiseUnshareFailure(const std::type_info& pointee);

// Intrusive smart pointer with const access; exactly one pointer wide. Taking a
// reference to an object marked unshareable that somebody else holds too replaces it
// at once by a private copy (copy on attach). When that copy fails, the exception
// passes on and the reference is given back: a construction leaves no reference
// behind, an assignment leaves the pointer as it was. Not locked: share one pointer
// object between threads only under a lock of your own.
template <class T>
class ConstRCPtr {
public:
  constexpr ConstRCPtr() noexcept = default;
  constexpr ConstRCPtr(std::nullptr_t) noexcept {}
  ConstRCPtr(const T* object) : mObject(const_cast<T*>(object)) { Attach(); }
  ConstRCPtr(const ConstRCPtr& other) : mObject(other.mObject) { Attach(); }
  ConstRCPtr(ConstRCPtr&& other) noexcept : mObject(std::exchange(other.mObject, nullptr)) {}
  template <class U>
    requires std::is_convertible_v<U*, T*>
  ConstRCPtr(const ConstRCPtr<U>& other) : mObject(const_cast<U*>(other.Get())) { Attach(); }
  ~ConstRCPtr() { Reset(); }

  ConstRCPtr& operator=(const ConstRCPtr& other) { Assign(other.mObject); return *this; }
  ConstRCPtr& operator=(ConstRCPtr&& other) noexcept {
    if (this != &other) {
      T* old = std::exchange(mObject, std::exchange(other.mObject, nullptr));
      if (old) old->Release();
    }
    return *this;
  }

  const T* Get() const { return mObject; }
  const T* operator->() const { return mObject; }
  const T& operator*() const { return *mObject; }
  explicit operator bool() const { return mObject != nullptr; }
  bool IsNull() const { return mObject == nullptr; }

  void Reset() {
    if (T* old = std::exchange(mObject, nullptr)) old->Release();
  }

  // Replaces a shared object (count above 1) by its CreateCopy before a change.
  void Unshare();

  friend bool operator==(const ConstRCPtr& a, const ConstRCPtr& b) { return a.mObject == b.mObject; }
  friend bool operator==(const ConstRCPtr& a, std::nullptr_t) { return a.mObject == nullptr; }

protected:
  void Assign(T* object) {
    if (object == mObject) return;
    T* old = mObject;
    mObject = object;
    try {
      Attach();
    } catch (...) {
      mObject = old;
      throw;
    }
    if (old) old->Release();
  }
  void Attach() {
    if (!mObject) return;
    mObject->AddRef();
    if (static_cast<const LRefCountedObject*>(mObject)->IsShareable()) return;
    try {
      Unshare();
    } catch (...) {
      Reset();
      throw;
    }
  }

  T* mObject = nullptr;
};

// Intrusive smart pointer with non-const access; no state beyond ConstRCPtr.
template <class T>
class RCPtr : public ConstRCPtr<T> {
  using Base = ConstRCPtr<T>;

public:
  constexpr RCPtr() noexcept = default;
  constexpr RCPtr(std::nullptr_t) noexcept {}
  RCPtr(T* object) : Base(object) {}
  RCPtr(const RCPtr& other) = default;
  RCPtr(RCPtr&& other) noexcept = default;
  template <class U>
    requires std::is_convertible_v<U*, T*>
  RCPtr(const RCPtr<U>& other) : Base(other) {}
  RCPtr& operator=(const RCPtr& other) { Base::Assign(other.mObject); return *this; }
  RCPtr& operator=(RCPtr&& other) noexcept = default;
  RCPtr& operator=(T* object) { Base::Assign(object); return *this; }

  T* Get() const { return this->mObject; }
  T* operator->() const { return this->mObject; }
  T& operator*() const { return *this->mObject; }

  // Takes over a reference that the caller has already counted on `object`: no AddRef
  // and no copy on attach.
  static RCPtr<T> AdoptReference(T* object) {
    RCPtr<T> adopted;
    adopted.mObject = object;
    return adopted;
  }

  // The source's object as a T when it is one (run-time type test), else null.
  // The result takes its own reference; never throws.
  static RCPtr<T> DynamicCastFrom(const RCPtr<LRefCountedObject>& source) {
    return RCPtr<T>(source ? dynamic_cast<T*>(source.Get()) : nullptr);
  }
};

// A new reference to `object` for the length of an operation that may let go of its
// other references, or null when the object has no reference at all: called from its
// constructor or destructor, a reference taken and dropped again would destroy it.
// Atomic: the reference is taken only while the count is above 0.
template <class T>
RCPtr<T> HoldIfReferenced(T* object) {
  if (object == nullptr || !static_cast<LRefCountedObject*>(object)->AddRefIfReferenced()) return nullptr;
  return RCPtr<T>::AdoptReference(object);
}

// The static null pointer that stands for an absent payload or job argument.
const RCPtr<LRefCountedObject>& NullObjectPtr();

template <class T>
void ConstRCPtr<T>::Unshare() {
  if (!mObject || mObject->GetRefCount() <= 1) return;
  RCPtr<LRefCountedObject> copy = mObject->CreateCopy();
  RCPtr<T> converted = RCPtr<T>::DynamicCastFrom(copy);
  if (converted.Get() != mObject) {
    T* old = std::exchange(mObject, converted.Get());
    if (mObject) mObject->AddRef();
    if (old) old->Release();
  }
  if (!mObject) RaiseUnshareFailure(typeid(T));
}

}  // namespace SV
