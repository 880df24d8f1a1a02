#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// A tagged value for values that come from or go to people and text files: a string
// value (tag 15) reads as a number or truth value by parsing its text, every value
// renders as text, and the payload lives in a reference-counted buffer that can be
// handed out without a copy.
// Thread rules: as SV::Variant, one thread at a time; a buffer handed out by GetBuffer
// may outlive the value on another thread.
class VariantEx : public Variant, public IStringable {
public:
  // How many levels of nested arrays ToString renders element by element.
  static constexpr uint32_t kMaxRenderedNesting = 32;

  VariantEx() = default;
  // A copy whose payload is copied into a buffer of this value.
  explicit VariantEx(const Variant& other);
  VariantEx(const VariantEx& other);
  VariantEx& operator=(const Variant& other);
  VariantEx& operator=(const VariantEx& other);
  ~VariantEx() override;

  // For a string value these parse the text (decoded from UTF-8); a text that does
  // not start with a number reads as 0. Other kinds read as SV::Variant reads them.
  // True exactly when the text is "true" in any letter case.
  bool GetBool() const override;
  // The leading decimal integer (white space, sign, digits; saturated to 32 bits),
  // cut to the result's width.
  int8_t GetInt8() const override;
  uint8_t GetUInt8() const override;
  int16_t GetInt16() const override;
  uint16_t GetUInt16() const override;
  int32_t GetInt32() const override;
  // The leading decimal integer, saturated to 64 bits (GetUInt64: its bits; GetUInt32:
  // its low 32 bits).
  int64_t GetInt64() const override;
  uint64_t GetUInt64() const override;
  uint32_t GetUInt32() const override;
  // The leading floating-point number, whatever the user's locale.
  float GetFloat() const override;
  double GetDouble() const override;

  // The payload buffer of a byte buffer or string value (null for an empty byte
  // buffer). Readers only: resizing it would pull the payload from under the value.
  // Any other kind raises SV::Exception<std::runtime_error>.
  const RCPtr<LIBuffer>& GetBuffer() const;

  // Empties the array, then unpacks a packed array into it, one element per item in
  // order (an item that cannot be read comes out empty): 0. The empty value gives 0
  // and no elements; any other kind E_INVALIDARG.
  SVRESULT GetArray(IArray<VariantEx>& items) const;

  // The value as text: "<empty>", "true"/"false", decimal integers (uint64 in upper-case
  // hexadecimal), reals with six decimals, a payload's address in hexadecimal, a
  // string's text, a packed array as ToString(0) renders it.
  String ValueToString() const;
  // As ValueToString, but a packed array gives "array(N):" and one line per element,
  // "[i] " and the element's own text, indented by two spaces per level below
  // `indentLevel`; an array without elements gives "<empty array>". Arrays nested
  // deeper than kMaxRenderedNesting below this one show only "array(N): ...", which
  // keeps the text and the stack bounded whatever the value holds.
  virtual String ToString(int32_t indentLevel) const;
  // The IStringable text: ValueToString.
  String ToString() const override;

protected:
  // A new zero-filled buffer of `size` bytes becomes the payload buffer; null when
  // none could be had.
  void* Allocate(uint32_t size) override;
  void Free(void* payload) override;

private:
  String DecodedText() const;
  String Render(int32_t indentLevel, uint32_t depth) const;

  RCPtr<LIBuffer> mPayloadBuffer;
};

}  // namespace SV
