#include "SVFramework/Utilities/Storage/Variant.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <new>
#include <vector>

namespace SV {

// Scalars are kept in the inline value in the block's byte order.
static_assert(std::endian::native == std::endian::little, "the inline value is little-endian");
static_assert(sizeof(void*) == 8 && sizeof(Variant) == 24, "virtual table, 8-byte value, size, tag");

namespace {

constexpr uint32_t kHeaderSize = Variant::kBlockHeaderSize;

uint32_t ReadUInt32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

void WriteUInt32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The inline width of a scalar tag; 0 for every other tag.
uint32_t ScalarWidth(int32_t tag) {
  switch (tag) {
    case VariantTag::Bool: case VariantTag::Int8: case VariantTag::UInt8: return 1;
    case VariantTag::Int16: case VariantTag::UInt16: return 2;
    case VariantTag::Int32: case VariantTag::UInt32: case VariantTag::Float: return 4;
    case VariantTag::Double: case VariantTag::Int64: case VariantTag::UInt64: return 8;
    default: return 0;
  }
}

// The tags that the kind codes 0 to 10 of the older block format stand for.
constexpr int32_t kFormat0Tags[] = {
    VariantTag::Empty,  VariantTag::Bool,           VariantTag::Int32,          VariantTag::Int64,
    VariantTag::Float,  VariantTag::Double,         VariantTag::WritableMemory, VariantTag::ReadOnlyMemory,
    VariantTag::Buffer, VariantTag::String,         VariantTag::Array};

struct BlockHeader {
  uint32_t total = 0;
  int32_t tag = VariantTag::Empty;
  uint32_t PayloadSize() const { return total - kHeaderSize; }
};

// Reads the header of the block at the start of `available` bytes. False when no
// whole block is there, or its format or tag is not one the reader knows.
bool ReadBlockHeader(const uint8_t* bytes, size_t available, BlockHeader& header) {
  if (!bytes || available < kHeaderSize) return false;
  header.total = ReadUInt32(bytes);
  if (header.total < kHeaderSize || header.total > available) return false;
  const uint32_t format = ReadUInt32(bytes + 4);
  const uint32_t tagField = ReadUInt32(bytes + 8);
  if (format == Variant::kFormat && tagField <= uint32_t{VariantTag::Last})
    header.tag = static_cast<int32_t>(tagField);
  else if (format == 0 && tagField < std::size(kFormat0Tags))
    header.tag = kFormat0Tags[tagField];
  else
    return false;
  return true;
}

// Whether a block of the tag may have no payload: the empty value, an empty array,
// and an empty byte buffer (which the writer writes for a buffer of size 0).
bool MayBeWithoutPayload(int32_t tag) {
  return tag == VariantTag::Empty || tag == VariantTag::Buffer || tag == VariantTag::Array;
}

// Whether the reader takes a payload of `size` bytes (above 0) for a tag other than a
// packed array: its width for a scalar, a zero inside for a string.
bool IsAcceptableFlatPayload(int32_t tag, const uint8_t* payload, uint32_t size) {
  switch (tag) {
    case VariantTag::Empty: case VariantTag::WritableMemory: case VariantTag::ReadOnlyMemory: return false;
    case VariantTag::Buffer: return true;
    case VariantTag::String: return std::memchr(payload, 0, size) != nullptr;
    default: return size == ScalarWidth(tag);
  }
}

// Whether the payload is a sequence of blocks that each read back as a value (so no
// unowned memory) and that ends exactly at its end, nested arrays included. One walk
// without recursion covers every level, so any nesting the writer can write is read;
// `ends` keeps where each enclosing array ends, innermost last.
bool IsWellFormedArray(const uint8_t* payload, uint32_t size) {
  if (size > 0 && !payload) return false;
  std::vector<uint32_t> ends;
  uint32_t offset = 0, end = size;
  while (offset < end || !ends.empty()) {
    if (offset == end) {
      end = ends.back();
      ends.pop_back();
      continue;
    }
    BlockHeader header;
    if (!ReadBlockHeader(payload + offset, end - offset, header)) return false;
    const uint32_t payloadSize = header.PayloadSize();
    if (header.tag == VariantTag::Array && payloadSize > 0) {
      ends.push_back(end);
      end = offset + header.total;
      offset += kHeaderSize;
      continue;
    }
    const uint8_t* elementPayload = payload + offset + kHeaderSize;
    const bool acceptable = payloadSize == 0 ? MayBeWithoutPayload(header.tag)
                                             : IsAcceptableFlatPayload(header.tag, elementPayload, payloadSize);
    if (!acceptable) return false;
    offset += header.total;
  }
  return true;
}

// One element of a packed payload, in place.
struct ElementView {
  const uint8_t* block = nullptr;
  BlockHeader header;
  const uint8_t* Payload() const { return block + kHeaderSize; }
  bool BlockEquals(const ElementView& other) const {
    return header.total == other.header.total && std::memcmp(block, other.block, header.total) == 0;
  }
};

// Walks the elements of a packed payload in order. Stops at the end or at the first
// place where no whole block starts, so it never leaves the payload.
class PackedArrayCursor {
public:
  PackedArrayCursor(const uint8_t* payload, uint32_t size) : mPayload(payload), mSize(size) {}

  // Steps over the current element; false when there is none.
  bool Skip() {
    const uint32_t length = CurrentLength();
    mOffset += length;
    return length != 0;
  }
  // Shows the current element and steps over it; false when there is none or its
  // header cannot be read.
  bool Next(ElementView& element) {
    const uint32_t length = CurrentLength();
    if (length == 0 || !ReadBlockHeader(mPayload + mOffset, length, element.header)) return false;
    element.block = mPayload + mOffset;
    mOffset += length;
    return true;
  }
  // Reads the current element and steps over it; false (out empty) when there is none
  // or it cannot be read.
  bool Read(Variant& out) {
    ElementView element;
    if (!Next(element) || Failed(Variant::Deserialize(out, element.block, element.header.total))) {
      out.Empty();
      return false;
    }
    return true;
  }

private:
  uint32_t CurrentLength() const {
    if (!mPayload || mSize - mOffset < kHeaderSize) return 0;
    const uint32_t total = ReadUInt32(mPayload + mOffset);
    return total >= kHeaderSize && total <= mSize - mOffset ? total : 0;
  }

  const uint8_t* mPayload;
  uint32_t mSize;
  uint32_t mOffset = 0;
};

void WriteBlock(uint8_t* output, int32_t tag, const void* data, uint32_t size) {
  WriteUInt32(output, size + kHeaderSize);
  WriteUInt32(output + 4, Variant::kFormat);
  WriteUInt32(output + 8, static_cast<uint32_t>(tag));
  if (size) std::memcpy(output + kHeaderSize, data, size);
}

constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kTwoTo64 = 18446744073709551616.0;

// Half away from zero: 0.5 is added to (or taken from) the value in its own precision.
double RoundHalfAwayFromZero(double value) { return std::trunc(value < 0 ? value - 0.5 : value + 0.5); }
double RoundHalfAwayFromZero(float value) { return std::trunc(value < 0 ? value - 0.5f : value + 0.5f); }

// A whole number as int64: NaN gives 0, values outside the range are clamped to it.
int64_t ClampToInt64(double whole) {
  if (std::isnan(whole)) return 0;
  if (whole >= kTwoTo63) return std::numeric_limits<int64_t>::max();
  if (whole < -kTwoTo63) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(whole);
}

// As ClampToInt64, except that 2^63 up to 2^64 convert as unsigned and above clamp.
uint64_t ClampToUInt64(double whole) {
  if (whole >= kTwoTo64) return std::numeric_limits<uint64_t>::max();
  if (whole >= kTwoTo63) return static_cast<uint64_t>(whole);
  return static_cast<uint64_t>(ClampToInt64(whole));
}

bool IsReal(int32_t tag) { return tag == VariantTag::Float || tag == VariantTag::Double; }

// Sizes first, then bytes in order, compared as unsigned or signed.
bool PayloadLess(const void* a, uint32_t aSize, const void* b, uint32_t bSize, bool signedBytes) {
  if (aSize != bSize) return aSize < bSize;
  const auto* x = static_cast<const uint8_t*>(a);
  const auto* y = static_cast<const uint8_t*>(b);
  for (uint32_t i = 0; i < aSize; ++i) {
    if (x[i] == y[i]) continue;
    return signedBytes ? static_cast<int8_t>(x[i]) < static_cast<int8_t>(y[i]) : x[i] < y[i];
  }
  return false;
}

}  // namespace

Variant::Variant(const Variant& other) { Assign(other); }

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) Assign(other);
  return *this;
}

Variant::~Variant() { Empty(); }

void Variant::Empty() {
  if (OwnsPayload() && mValue.payload) Free(mValue.payload);
  mValue.bits = 0;
  mSize = 0;
  mTag = VariantTag::Empty;
}

void* Variant::Allocate(uint32_t size) { return new (std::nothrow) uint8_t[size]; }

void Variant::Free(void* payload) { delete[] static_cast<uint8_t*>(payload); }

template <class T>
T Variant::InlineAs() const {
  T value;
  std::memcpy(&value, &mValue, sizeof value);
  return value;
}

template <class T>
void Variant::SetScalar(int32_t tag, T value) {
  Empty();
  std::memcpy(&mValue, &value, sizeof value);
  mTag = tag;
}

void Variant::SetBool(bool value) { SetScalar<uint8_t>(VariantTag::Bool, value ? 1 : 0); }
void Variant::SetInt8(int8_t value) { SetScalar(VariantTag::Int8, value); }
void Variant::SetUInt8(uint8_t value) { SetScalar(VariantTag::UInt8, value); }
void Variant::SetInt16(int16_t value) { SetScalar(VariantTag::Int16, value); }
void Variant::SetUInt16(uint16_t value) { SetScalar(VariantTag::UInt16, value); }
void Variant::SetInt32(int32_t value) { SetScalar(VariantTag::Int32, value); }
void Variant::SetUInt32(uint32_t value) { SetScalar(VariantTag::UInt32, value); }
void Variant::SetFloat(float value) { SetScalar(VariantTag::Float, value); }
void Variant::SetDouble(double value) { SetScalar(VariantTag::Double, value); }
void Variant::SetInt64(int64_t value) { SetScalar(VariantTag::Int64, value); }
void Variant::SetUInt64(uint64_t value) { SetScalar(VariantTag::UInt64, value); }

int32_t Variant::SetValue(int32_t tag, const void* data, uint32_t size) {
  switch (tag) {
    case VariantTag::String:
      return SetString(static_cast<const char*>(data));
    case VariantTag::WritableMemory: case VariantTag::ReadOnlyMemory: case VariantTag::Buffer:
      return SetBuffer(data, size);
    case VariantTag::Array:
      if (IsWellFormedArray(static_cast<const uint8_t*>(data), size)) return ReplacePayload(tag, data, size);
      Empty();
      return VariantTag::Empty;
  }
  const uint32_t width = ScalarWidth(tag);
  if (width == 0 || width != size || !data) {
    Empty();
    return VariantTag::Empty;
  }
  uint64_t bits = 0;
  std::memcpy(&bits, data, width);  // before Empty: data may be this value's own
  Empty();
  mValue.bits = bits;
  mTag = tag;
  return tag;
}

int32_t Variant::SetString(const char* text) {
  if (!text) text = "";
  const size_t length = std::strlen(text);
  if (length >= std::numeric_limits<uint32_t>::max()) {
    Empty();
    return VariantTag::Empty;
  }
  return ReplacePayload(VariantTag::String, text, static_cast<uint32_t>(length + 1));
}

int32_t Variant::SetBuffer(const void* data, uint32_t size) { return ReplacePayload(VariantTag::Buffer, data, size); }

// Copies first when the source lies in this value's own payload, which Empty frees.
int32_t Variant::ReplacePayload(int32_t tag, const void* data, uint32_t size) {
  const auto* source = static_cast<const uint8_t*>(data);
  const uint8_t* own = PayloadBytes();
  const std::less<const uint8_t*> before;
  if (source && OwnsPayload() && own && !before(source, own) && before(source, own + mSize)) {
    const std::vector<uint8_t> copy(source, source + size);
    return InstallPayload(tag, copy.data(), size);
  }
  return InstallPayload(tag, data, size);
}

int32_t Variant::InstallPayload(int32_t tag, const void* data, uint32_t size) {
  Empty();
  if (size > 0) {
    void* payload = Allocate(size);
    if (!payload) return VariantTag::Empty;
    if (data)
      std::memcpy(payload, data, size);
    else
      std::memset(payload, 0, size);
    mValue.payload = payload;
    mSize = size;
  }
  mTag = tag;
  return tag;
}

int32_t Variant::SetArray(const Variant* values, uint32_t count) {
  return BuildArray(count, [values](uint32_t i) -> const Variant& { return values[i]; });
}

int32_t Variant::SetArray(const Variant* const* values, uint32_t count) {
  return BuildArray(count, [values](uint32_t i) -> const Variant& { return *values[i]; });
}

template <class Accessor>
int32_t Variant::BuildArray(uint32_t count, Accessor valueAt) {
  uint64_t total = 0;
  bool includesThis = false;
  for (uint32_t i = 0; i < count; ++i) {
    const Variant& value = valueAt(i);
    includesThis = includesThis || &value == this;
    total += value.GetSerializedSize();
    if (total > std::numeric_limits<uint32_t>::max()) {
      Empty();
      return VariantTag::Empty;
    }
  }
  if (includesThis) {
    Variant built;
    built.BuildArray(count, valueAt);
    return Assign(built);
  }
  Empty();
  void* payload = total ? Allocate(static_cast<uint32_t>(total)) : nullptr;
  if (total && !payload) return VariantTag::Empty;
  uint8_t* cursor = static_cast<uint8_t*>(payload);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t size = 0;
    const void* data = valueAt(i).GetData(size);
    WriteBlock(cursor, valueAt(i).mTag, data, size);
    cursor += uint64_t{size} + kHeaderSize;
  }
  mValue.payload = payload;
  mSize = static_cast<uint32_t>(total);
  mTag = VariantTag::Array;
  return mTag;
}

int32_t Variant::Assign(const Variant& other) {
  if (this == &other) return mTag;
  Empty();
  if (other.OwnsPayload() && other.mSize > 0) return InstallPayload(other.mTag, other.mValue.payload, other.mSize);
  mValue = other.mValue;
  mSize = other.mSize;
  mTag = other.mTag;
  return mTag;
}

const void* Variant::GetData(uint32_t& size) const {
  size = ScalarWidth(mTag);
  if (size) return &mValue;
  if (!HoldsPayload()) return nullptr;
  size = mSize;
  return mValue.payload;
}

void* Variant::GetWritableData(uint32_t& size) {
  if (mTag == VariantTag::ReadOnlyMemory || mTag == VariantTag::Array) {
    size = 0;
    return nullptr;
  }
  return const_cast<void*>(GetData(size));
}

const char* Variant::GetString() const {
  return mTag == VariantTag::String ? static_cast<const char*>(mValue.payload) : nullptr;
}

bool Variant::GetBool() const {
  switch (mTag) {
    case VariantTag::Bool: case VariantTag::Int8: case VariantTag::UInt8: return InlineAs<uint8_t>() != 0;
    case VariantTag::Int16: case VariantTag::UInt16: return InlineAs<uint16_t>() != 0;
    case VariantTag::Int32: case VariantTag::UInt32: return InlineAs<uint32_t>() != 0;
    case VariantTag::Float: return InlineAs<float>() != 0;
    case VariantTag::Double: return InlineAs<double>() != 0;
    case VariantTag::Int64: case VariantTag::UInt64: return InlineAs<uint64_t>() != 0;
    case VariantTag::WritableMemory: case VariantTag::ReadOnlyMemory: return mValue.payload != nullptr;
    case VariantTag::String: return mSize > 1;
    case VariantTag::Buffer: case VariantTag::Array: return mSize != 0;
    default: return false;
  }
}

// The first `width` payload bytes, little-endian; bytes the payload lacks read as 0.
uint64_t Variant::RawPayloadBits(uint32_t width) const {
  uint64_t bits = 0;
  const uint32_t count = std::min(width, mSize);
  if (count && mValue.payload) std::memcpy(&bits, mValue.payload, count);
  return bits;
}

// The 64-bit pattern whose low `width` bytes are an integer getter's result; signed
// sources narrower than `signExtendBelowWidth` bytes are sign-extended.
uint64_t Variant::IntegerBits(uint32_t width, uint32_t signExtendBelowWidth) const {
  switch (mTag) {
    case VariantTag::Empty: case VariantTag::Array: return 0;
    case VariantTag::Bool: return width == 1 ? InlineAs<uint8_t>() != 0 : InlineAs<uint8_t>();
    case VariantTag::Int8:
      return 1 < signExtendBelowWidth ? static_cast<uint64_t>(int64_t{InlineAs<int8_t>()}) : InlineAs<uint8_t>();
    case VariantTag::Int16:
      return 2 < signExtendBelowWidth ? static_cast<uint64_t>(int64_t{InlineAs<int16_t>()}) : InlineAs<uint16_t>();
    case VariantTag::Int32:
      return 4 < signExtendBelowWidth ? static_cast<uint64_t>(int64_t{InlineAs<int32_t>()}) : InlineAs<uint32_t>();
    case VariantTag::Float: return static_cast<uint64_t>(ClampToInt64(RoundHalfAwayFromZero(double{InlineAs<float>()})));
    case VariantTag::Double: return static_cast<uint64_t>(ClampToInt64(RoundHalfAwayFromZero(InlineAs<double>())));
    case VariantTag::WritableMemory: case VariantTag::ReadOnlyMemory: case VariantTag::Buffer:
      return RawPayloadBits(width);
    case VariantTag::String: return mSize > 0 ? mSize - 1 : 0;
    default: return InlineAs<uint64_t>();
  }
}

int8_t Variant::GetInt8() const { return static_cast<int8_t>(IntegerBits(1, 0)); }
uint8_t Variant::GetUInt8() const { return static_cast<uint8_t>(IntegerBits(1, 0)); }
int16_t Variant::GetInt16() const { return static_cast<int16_t>(IntegerBits(2, 2)); }
uint16_t Variant::GetUInt16() const { return static_cast<uint16_t>(IntegerBits(2, 0)); }
int32_t Variant::GetInt32() const { return static_cast<int32_t>(IntegerBits(4, 4)); }
uint32_t Variant::GetUInt32() const { return static_cast<uint32_t>(IntegerBits(4, 4)); }

int64_t Variant::GetInt64() const {
  if (mTag == VariantTag::Float) return ClampToInt64(RoundHalfAwayFromZero(InlineAs<float>()));
  return static_cast<int64_t>(IntegerBits(8, 8));
}

uint64_t Variant::GetUInt64() const {
  if (mTag == VariantTag::Float) return ClampToUInt64(RoundHalfAwayFromZero(InlineAs<float>()));
  if (mTag == VariantTag::Double) return ClampToUInt64(RoundHalfAwayFromZero(InlineAs<double>()));
  return IntegerBits(8, 8);
}

template <class Real>
Real Variant::ConvertToReal() const {
  switch (mTag) {
    case VariantTag::Bool: return static_cast<Real>(InlineAs<uint8_t>());
    case VariantTag::Int8: return static_cast<Real>(InlineAs<int8_t>());
    case VariantTag::Int16: return static_cast<Real>(InlineAs<int16_t>());
    case VariantTag::Int32: return static_cast<Real>(InlineAs<int32_t>());
    case VariantTag::Int64: return static_cast<Real>(InlineAs<int64_t>());
    case VariantTag::UInt8: case VariantTag::UInt16: case VariantTag::UInt32: case VariantTag::UInt64:
      return static_cast<Real>(InlineAs<uint64_t>());
    case VariantTag::Float: return static_cast<Real>(InlineAs<float>());
    case VariantTag::Double: return static_cast<Real>(InlineAs<double>());
    case VariantTag::WritableMemory: case VariantTag::ReadOnlyMemory: case VariantTag::Buffer:
    case VariantTag::String:
      if constexpr (sizeof(Real) == sizeof(float))
        return static_cast<Real>(GetInt32());
      else
        return static_cast<Real>(GetInt64());
    default: return 0;
  }
}

float Variant::GetFloat() const { return ConvertToReal<float>(); }
double Variant::GetDouble() const { return ConvertToReal<double>(); }

bool Variant::IsNegative() const {
  switch (mTag) {
    case VariantTag::Int8: return InlineAs<int8_t>() < 0;
    case VariantTag::Int16: return InlineAs<int16_t>() < 0;
    case VariantTag::Int32: return InlineAs<int32_t>() < 0;
    case VariantTag::Float: return InlineAs<float>() < 0;
    case VariantTag::Double: return InlineAs<double>() < 0;
    case VariantTag::Int64: return InlineAs<int64_t>() < 0;
    default: return false;
  }
}

bool Variant::operator==(const Variant& other) const {
  if (mTag != other.mTag) return false;
  switch (mTag) {
    case VariantTag::Empty: return true;
    case VariantTag::Float: return InlineAs<float>() == other.InlineAs<float>();
    case VariantTag::Double: return InlineAs<double>() == other.InlineAs<double>();
    case VariantTag::WritableMemory: case VariantTag::ReadOnlyMemory:
      return mValue.payload == other.mValue.payload && mSize == other.mSize;
    case VariantTag::Buffer: case VariantTag::String: case VariantTag::Array:
      return mSize == other.mSize && (mSize == 0 || std::memcmp(mValue.payload, other.mValue.payload, mSize) == 0);
    default: return InlineAs<uint64_t>() == other.InlineAs<uint64_t>();  // bytes past the width are zero
  }
}

bool Variant::operator<(const Variant& other) const {
  return mTag == other.mTag ? LessWithinTag(other) : LessAcrossTags(other);
}

bool Variant::LessWithinTag(const Variant& other) const {
  switch (mTag) {
    case VariantTag::Bool: case VariantTag::UInt8: return InlineAs<uint8_t>() < other.InlineAs<uint8_t>();
    case VariantTag::Int8: return InlineAs<int8_t>() < other.InlineAs<int8_t>();
    case VariantTag::Int16: return InlineAs<int16_t>() < other.InlineAs<int16_t>();
    case VariantTag::UInt16: return InlineAs<uint16_t>() < other.InlineAs<uint16_t>();
    case VariantTag::Int32: return InlineAs<int32_t>() < other.InlineAs<int32_t>();
    case VariantTag::UInt32: return InlineAs<uint32_t>() < other.InlineAs<uint32_t>();
    case VariantTag::Float: return InlineAs<float>() < other.InlineAs<float>();
    case VariantTag::Double: return InlineAs<double>() < other.InlineAs<double>();
    case VariantTag::Int64: return InlineAs<int64_t>() < other.InlineAs<int64_t>();
    case VariantTag::UInt64: return InlineAs<uint64_t>() < other.InlineAs<uint64_t>();
    case VariantTag::WritableMemory: case VariantTag::ReadOnlyMemory:
      if (mSize != other.mSize) return mSize < other.mSize;
      return std::less<const void*>()(mValue.payload, other.mValue.payload);
    case VariantTag::Buffer: case VariantTag::String:
      return PayloadLess(mValue.payload, mSize, other.mValue.payload, other.mSize, mTag == VariantTag::String);
    case VariantTag::Array: return ArrayLess(other);
    default: return false;
  }
}

// The first pair of elements that is not equal decides. When that pair is two arrays
// the decision is again this comparison, so the walk steps into nested arrays and
// comes back out (keeping where it was) instead of recursing: any nesting compares in
// one pass without deepening the stack.
bool Variant::ArrayLess(const Variant& other) const {
  struct Level {
    PackedArrayCursor mine, theirs;
    bool bytesDiffer;  // some pair so far is equal as values but not byte for byte
  };
  std::vector<Level> enclosing;
  Level level{{PayloadBytes(), mSize}, {other.PayloadBytes(), other.mSize}, false};
  ElementView a, b;
  while (true) {
    const bool haveMine = level.mine.Next(a);
    const bool haveTheirs = level.theirs.Next(b);
    if (!haveMine || !haveTheirs) {
      // Nested arrays that end together are equal element by element. Unless their
      // bytes are equal too they were an unequal pair, which this ending decides.
      if (haveMine || haveTheirs || enclosing.empty() || level.bytesDiffer) return !haveMine && haveTheirs;
      level = enclosing.back();
      enclosing.pop_back();
      continue;
    }
    if (a.header.tag == VariantTag::Array && b.header.tag == VariantTag::Array) {
      level.bytesDiffer = level.bytesDiffer || std::memcmp(a.block, b.block, kHeaderSize) != 0;
      enclosing.push_back(level);
      level = {{a.Payload(), a.header.PayloadSize()}, {b.Payload(), b.header.PayloadSize()}, false};
      continue;
    }
    Variant x, y;
    const bool readMine = Succeeded(Deserialize(x, a.block, a.header.total));
    const bool readTheirs = Succeeded(Deserialize(y, b.block, b.header.total));
    if (!readMine || !readTheirs) return !readMine && readTheirs;
    if (!(x == y)) return x < y;
    level.bytesDiffer = level.bytesDiffer || !a.BlockEquals(b);
  }
}

bool Variant::LessAcrossTags(const Variant& other) const {
  if (mTag == VariantTag::Empty || other.mTag == VariantTag::Empty) return mTag == VariantTag::Empty;
  if (mTag <= VariantTag::Double && other.mTag <= VariantTag::Double) return GetDouble() < other.GetDouble();
  if (mTag > VariantTag::UInt64 || other.mTag > VariantTag::UInt64) {
    const bool mineHeld = mTag > VariantTag::UInt64, theirsHeld = other.mTag > VariantTag::UInt64;
    return PayloadLess(mineHeld ? mValue.payload : &mValue, mineHeld ? mSize : 8,
                       theirsHeld ? other.mValue.payload : &other.mValue, theirsHeld ? other.mSize : 8, false);
  }
  return LessAcrossSignedness(other);
}

// At least one side is a 64-bit integer and neither holds a payload.
bool Variant::LessAcrossSignedness(const Variant& other) const {
  if (IsNegative() != other.IsNegative()) return IsNegative();
  if (IsReal(mTag)) {
    const double mine = GetDouble();
    if (mine < -kTwoTo63) return true;
    if (mine > kTwoTo64) return false;
    return mine < 0 ? GetInt64() < other.GetInt64() : GetUInt64() < other.GetUInt64();
  }
  if (IsReal(other.mTag)) {
    const double theirs = other.GetDouble();
    if (theirs < -kTwoTo63) return false;
    if (theirs > kTwoTo64) return true;
    return theirs < 0 ? GetInt64() < other.GetInt64() : GetUInt64() < other.GetUInt64();
  }
  return GetDouble() < other.GetDouble();
}

uint64_t Variant::GetSerializedSize() const {
  uint32_t size = 0;
  GetData(size);
  return uint64_t{size} + kHeaderSize;
}

SVRESULT Variant::Serialize(const Variant& value, void* output, size_t capacity) {
  uint32_t size = 0;
  const void* data = value.GetData(size);
  if (size == 0 && (value.mTag == VariantTag::WritableMemory || value.mTag == VariantTag::ReadOnlyMemory))
    return E_FAIL;
  const uint64_t total = uint64_t{size} + kHeaderSize;
  if (!output || capacity < total || total > uint64_t{std::numeric_limits<int32_t>::max()}) return E_FAIL;
  WriteBlock(static_cast<uint8_t*>(output), value.mTag, data, size);
  return static_cast<SVRESULT>(total);
}

// A fault in the header (length, format, tag) leaves the value as it was; a payload
// goes through SetValue, so a fault there leaves what SetValue makes of it.
SVRESULT Variant::Deserialize(Variant& value, const void* input, size_t available) {
  const auto* bytes = static_cast<const uint8_t*>(input);
  BlockHeader header;
  if (!ReadBlockHeader(bytes, available, header)) return E_FAIL;
  const uint32_t payloadSize = header.PayloadSize();
  if (payloadSize == 0 ? !MayBeWithoutPayload(header.tag) : header.tag == VariantTag::Empty) return E_FAIL;
  const uint8_t* payload = bytes + kHeaderSize;
  if (header.tag == VariantTag::String && !IsAcceptableFlatPayload(header.tag, payload, payloadSize)) {
    value.Empty();  // a text without its zero would be read past the block
    return E_FAIL;
  }
  return value.SetValue(header.tag, payload, payloadSize) == header.tag ? S_OK : E_FAIL;
}

uint32_t Variant::GetArrayItemCount() const {
  if (mTag != VariantTag::Array) return 0;
  PackedArrayCursor cursor(PayloadBytes(), mSize);
  uint32_t count = 0;
  while (cursor.Skip()) ++count;
  return count;
}

SVRESULT Variant::GetArrayItem(uint32_t index, Variant& out) const {
  if (&out == this) {
    const Variant source(*this);
    return source.GetArrayItem(index, out);
  }
  out.Empty();
  if (mTag != VariantTag::Array) return -1;
  PackedArrayCursor cursor(PayloadBytes(), mSize);
  for (uint32_t i = 0; i < index; ++i)
    if (!cursor.Skip()) return -1;
  return cursor.Read(out) ? S_OK : -1;
}

}  // namespace SV
