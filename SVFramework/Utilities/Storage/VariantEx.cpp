#include "SVFramework/Utilities/Storage/VariantEx.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {
namespace {

bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The leading decimal integer by atoi rules (white space, sign, digits), saturated to
// the 64-bit range.
int64_t ParseInt64(const char* text) {
  while (IsAsciiSpace(*text)) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  const uint64_t limit = negative ? uint64_t{INT64_MAX} + 1 : uint64_t{INT64_MAX};
  uint64_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    const unsigned digit = static_cast<unsigned>(*text - '0');
    magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
  }
  return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

bool EqualsIgnoringAsciiCase(const String& text, const char* expected) {
  const char16_t* cursor = text.GetString();
  for (; *expected; ++cursor, ++expected) {
    const char16_t lower = *cursor >= u'A' && *cursor <= u'Z' ? *cursor - u'A' + u'a' : *cursor;
    if (lower != static_cast<char16_t>(*expected)) return false;
  }
  return *cursor == 0;
}

String Indent(int32_t level) {
  String indent;
  for (int32_t i = 0; i < level; ++i) indent += u"  ";
  return indent;
}

}  // namespace

VariantEx::VariantEx(const Variant& other) { Assign(other); }

VariantEx::VariantEx(const VariantEx& other) : Variant(), IStringable() { Assign(other); }

VariantEx& VariantEx::operator=(const Variant& other) {
  Assign(other);
  return *this;
}

VariantEx& VariantEx::operator=(const VariantEx& other) {
  Assign(other);
  return *this;
}

VariantEx::~VariantEx() { Empty(); }

void* VariantEx::Allocate(uint32_t size) {
  try {
    mPayloadBuffer = LStringBuffer::Create(size, 0, true);
  } catch (const std::bad_alloc&) {
    mPayloadBuffer.Reset();
    return nullptr;
  }
  return mPayloadBuffer->GetData();
}

void VariantEx::Free(void* payload) {
  if (payload && mPayloadBuffer) mPayloadBuffer.Reset();
}

String VariantEx::DecodedText() const {
  uint32_t size = 0;
  const auto* text = static_cast<const char*>(GetData(size));
  const size_t length = text ? strnlen(text, size) : 0;
  String decoded;
  decoded.AssignUTF8(text, static_cast<int32_t>(std::min<size_t>(length, INT32_MAX)));
  return decoded;
}

bool VariantEx::GetBool() const {
  if (GetTag() != VariantTag::String) return Variant::GetBool();
  return EqualsIgnoringAsciiCase(DecodedText(), "true");
}

int8_t VariantEx::GetInt8() const {
  return GetTag() == VariantTag::String ? static_cast<int8_t>(DecodedText().ToInt()) : Variant::GetInt8();
}

uint8_t VariantEx::GetUInt8() const {
  return GetTag() == VariantTag::String ? static_cast<uint8_t>(DecodedText().ToInt()) : Variant::GetUInt8();
}

int16_t VariantEx::GetInt16() const {
  return GetTag() == VariantTag::String ? static_cast<int16_t>(DecodedText().ToInt()) : Variant::GetInt16();
}

uint16_t VariantEx::GetUInt16() const {
  return GetTag() == VariantTag::String ? static_cast<uint16_t>(DecodedText().ToInt()) : Variant::GetUInt16();
}

int32_t VariantEx::GetInt32() const {
  return GetTag() == VariantTag::String ? DecodedText().ToInt() : Variant::GetInt32();
}

int64_t VariantEx::GetInt64() const {
  return GetTag() == VariantTag::String ? ParseInt64(DecodedText().ToUTF8().GetString()) : Variant::GetInt64();
}

uint64_t VariantEx::GetUInt64() const {
  return GetTag() == VariantTag::String ? static_cast<uint64_t>(GetInt64()) : Variant::GetUInt64();
}

uint32_t VariantEx::GetUInt32() const {
  return GetTag() == VariantTag::String ? static_cast<uint32_t>(GetInt64()) : Variant::GetUInt32();
}

float VariantEx::GetFloat() const {
  return GetTag() == VariantTag::String ? static_cast<float>(DecodedText().ToDouble()) : Variant::GetFloat();
}

double VariantEx::GetDouble() const {
  return GetTag() == VariantTag::String ? DecodedText().ToDouble() : Variant::GetDouble();
}

const RCPtr<LIBuffer>& VariantEx::GetBuffer() const {
  if (GetTag() != VariantTag::Buffer && GetTag() != VariantTag::String)
    SV_RAISE(std::runtime_error, "", "SV::VariantEx::GetBuffer");
  return mPayloadBuffer;
}

SVRESULT VariantEx::GetArray(IArray<VariantEx>& items) const {
  const VariantEx* stored = items.GetData();
  if (stored && this >= stored && this < stored + items.GetCount()) {
    const VariantEx self(*this);  // emptying the array would destroy this value
    return self.GetArray(items);
  }
  items.RemoveAll();
  if (IsEmpty()) return S_OK;
  if (GetTag() != VariantTag::Array) return E_INVALIDARG;
  const uint32_t count = GetArrayItemCount();
  VariantEx item;
  for (uint32_t i = 0; i < count; ++i) {
    GetArrayItem(i, item);
    items.Append(item);
  }
  return S_OK;
}

String VariantEx::ValueToString() const {
  switch (GetTag()) {
    case VariantTag::Empty: return u"<empty>";
    case VariantTag::Bool: return GetUInt8() ? u"true" : u"false";
    case VariantTag::Int8: case VariantTag::Int16: case VariantTag::Int32:
      return String::FromFormat(u"%I32d", Variant::GetInt32());
    case VariantTag::UInt8: case VariantTag::UInt16: case VariantTag::UInt32:
      return String::FromFormat(u"%I32u", Variant::GetUInt32());
    case VariantTag::Float: return String::FromFormat(u"%f", static_cast<double>(Variant::GetFloat()));
    case VariantTag::Double: return String::FromFormat(u"%lf", Variant::GetDouble());
    case VariantTag::Int64: return String::FromFormat(u"%I64d", static_cast<long long>(Variant::GetInt64()));
    case VariantTag::UInt64:
      return String::FromFormat(u"%I64X", static_cast<unsigned long long>(Variant::GetUInt64()));
    case VariantTag::String: return DecodedText();
    case VariantTag::Array: return ToString(0);
    default: {
      uint32_t size = 0;
      const auto address = reinterpret_cast<uintptr_t>(GetData(size));
      return String::FromFormat(u"%I64X", static_cast<unsigned long long>(address));
    }
  }
}

String VariantEx::ToString(int32_t indentLevel) const { return Render(indentLevel, 0); }

String VariantEx::Render(int32_t indentLevel, uint32_t depth) const {
  if (GetTag() != VariantTag::Array) return ValueToString();
  Array<VariantEx> items;
  GetArray(items);
  if (items.GetCount() == 0) return u"<empty array>";
  String text = String::FromFormat(u"array(%u):", items.GetCount());
  if (depth == kMaxRenderedNesting) {
    text += u" ...";
    return text;
  }
  const String indent = Indent(indentLevel + 1);
  for (uint32_t i = 0; i < items.GetCount(); ++i) {
    text += String::FromFormat(u"\n%s[%u] ", indent.GetString(), i);
    text += items[i].Render(indentLevel + 1, depth + 1);
  }
  return text;
}

String VariantEx::ToString() const { return ValueToString(); }

}  // namespace SV
