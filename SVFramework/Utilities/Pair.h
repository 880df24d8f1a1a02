#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// A shared object holding two values, copied in when it is built: a notification
// payload (a parameter's descriptor and its new value) or an entry of a hashed list
// (a key and what it maps to). Its text is ToText applied to the first value alone.
// Shared, never copied (CreateCopy is that of LRefCountedObject).
// Thread rules: the count is atomic; the values are not locked.
template <class A, class B, StringT<char16_t, char> (*ToText)(const A&)>
class LPair : public virtual LRefCountedObject {
public:
  LPair(const A& first, const B& second) : mFirst(first), mSecond(second) {}
  ~LPair() override = default;

  // A new pair, handed out with its first reference taken.
  static RCPtr<LPair> Create(const A& first, const B& second) { return RCPtr<LPair>(new LPair(first, second)); }

  StringT<char16_t, char> ToString() const override { return ToText(mFirst); }

  A& GetFirst() { return mFirst; }
  const A& GetFirst() const { return mFirst; }
  B& GetSecond() { return mSecond; }
  const B& GetSecond() const { return mSecond; }

private:
  A mFirst;
  B mSecond;
};

}  // namespace SV
