#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/TaggableObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// A value type T made shareable that renders itself as text: the object is a T (public
// base) and a Base (a shared class deriving virtually from LRefCountedObject; by default
// LTaggableObject, so list boxes can hold it where they expect a taggable object). Its
// text is ToText applied to the wrapped T. Base starts as its default constructor
// leaves it (no tag). Shared, never copied.
// Thread rules: the count is atomic; the T part is not locked.
template <class T, StringT<char16_t, char> (*ToText)(const T&), class Base = LTaggableObject>
class LWrapperStringable : public T, public virtual Base {
public:
  explicit LWrapperStringable(const T& value) : T(value) {}
  ~LWrapperStringable() override = default;

  // A new wrapper, handed out with its first reference taken.
  static RCPtr<LWrapperStringable> Create(const T& value) {
    return RCPtr<LWrapperStringable>(new LWrapperStringable(value));
  }

  StringT<char16_t, char> ToString() const override { return ToText(static_cast<const T&>(*this)); }
};

}  // namespace SV
