#pragma once
#include <cstddef>
#include <cstdint>

#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// The kinds of value an SV::Variant holds. Tags above ReadOnlyMemory own their bytes.
namespace VariantTag {
inline constexpr int32_t Empty = 0;
inline constexpr int32_t Bool = 1;
inline constexpr int32_t Int8 = 2;
inline constexpr int32_t UInt8 = 3;
inline constexpr int32_t Int16 = 4;
inline constexpr int32_t UInt16 = 5;
inline constexpr int32_t Int32 = 6;
inline constexpr int32_t UInt32 = 7;
inline constexpr int32_t Float = 8;
inline constexpr int32_t Double = 9;
inline constexpr int32_t Int64 = 10;
inline constexpr int32_t UInt64 = 11;
inline constexpr int32_t WritableMemory = 12;  // unowned; never created by the system
inline constexpr int32_t ReadOnlyMemory = 13;  // unowned; never created by the system
inline constexpr int32_t Buffer = 14;
inline constexpr int32_t String = 15;          // UTF-8 text and its terminating zero
inline constexpr int32_t Array = 16;           // packed array: the elements' serialised blocks
inline constexpr int32_t Last = Array;
}  // namespace VariantTag

// A tagged value: empty, a scalar (bool, 8- to 64-bit integers, float, double) held
// inline, or an owned payload (byte buffer, narrow string, packed array of values).
// Every kind reads as every numeric type through the typed getters.
//
// Reals read as integers are rounded half away from zero (GetInt64 and GetUInt64
// round a float in single precision, everything else rounds in double precision).
// A NaN reads as 0 and a rounded value outside the signed 64-bit range is clamped to
// it (GetUInt64 converts values from 2^63 below 2^64 as unsigned and clamps above);
// the narrower getters take the low bits of that 64-bit result, as they do for
// integer sources. A byte buffer reads as its first bytes, little-endian, bytes it
// lacks reading as 0; a string reads as its length.
//
// The serialised form (Serialize, Deserialize) is a little-endian block: 32-bit total
// length (payload + 12), 32-bit format 1, 32-bit tag, the payload. A packed array's
// payload is its elements' blocks one after another. Arrays nest as deep as the
// writer can write them (within 4 GB), and every walk over them (the reader's check,
// the order) goes without recursion. Every tag-16 value is a well-formed packed
// payload: the setters refuse anything else, so walks over it always stay inside it.
//
// Setters and the reader never raise: a wrong tag or size leaves the value empty (see
// Deserialize for what a refused block leaves). Payload memory comes from the value's
// own Allocate and goes back through its own Free, so derived classes choose their
// storage.
// Thread rules: one thread uses a value at a time; copies never share a payload.
class Variant {
public:
  static constexpr uint32_t kBlockHeaderSize = 12;
  static constexpr uint32_t kFormat = 1;

  Variant() = default;
  Variant(const Variant& other);
  Variant& operator=(const Variant& other);
  virtual ~Variant();

  virtual bool GetBool() const;
  virtual int8_t GetInt8() const;
  virtual int16_t GetInt16() const;
  virtual int32_t GetInt32() const;
  virtual int64_t GetInt64() const;
  // The same bits as GetInt8.
  virtual uint8_t GetUInt8() const;
  virtual uint16_t GetUInt16() const;
  virtual uint32_t GetUInt32() const;
  virtual uint64_t GetUInt64() const;
  virtual float GetFloat() const;
  virtual double GetDouble() const;

  // Scalars: the inline value and its width; payload kinds: the payload and its size;
  // empty: null and 0.
  virtual const void* GetData(uint32_t& size) const;
  // As GetData, but null and 0 for read-only memory and packed arrays. A string's
  // terminating zero must stay where it is.
  virtual void* GetWritableData(uint32_t& size);
  // The UTF-8 text of a string value, else null.
  virtual const char* GetString() const;

  int32_t GetTag() const { return mTag; }
  bool IsEmpty() const { return mTag == VariantTag::Empty; }
  // Frees an owned payload and leaves the value empty.
  void Empty();

  // Stores `size` bytes of `data` as a value of `tag`; returns the resulting tag, or 0
  // (value empty) for a tag outside 1 to 16, a scalar whose size is not its width, a
  // null scalar source, a packed payload that is not well-formed, or a failed
  // allocation. Tags 12 and 13 store a byte buffer (result 14). For tag 15 `data` is
  // a zero-terminated text and `size` is not used.
  int32_t SetValue(int32_t tag, const void* data, uint32_t size);
  void SetBool(bool value);
  void SetInt8(int8_t value);
  void SetUInt8(uint8_t value);
  void SetInt16(int16_t value);
  void SetUInt16(uint16_t value);
  void SetInt32(int32_t value);
  void SetUInt32(uint32_t value);
  void SetFloat(float value);
  void SetDouble(double value);
  void SetInt64(int64_t value);
  void SetUInt64(uint64_t value);
  // The text and its zero as a string value (null: the empty text); returns 15, or 0.
  int32_t SetString(const char* text);
  // `size` bytes copied from `data` (zeros when it is null); size 0 holds no payload.
  // Returns 14, or 0 (value empty) when allocation failed.
  int32_t SetBuffer(const void* data, uint32_t size);
  // A packed array of `count` values in order (count 0: the empty array), at any
  // nesting. Returns 16, or 0 (value empty) when the result would not fit in 4 GB or
  // could not be allocated. The values may include this value.
  int32_t SetArray(const Variant* values, uint32_t count);
  int32_t SetArray(const Variant* const* values, uint32_t count);

  // Makes this value a copy of the other (a payload is copied into this value's own
  // storage); returns the new tag.
  int32_t Assign(const Variant& other);

  // Equal tags and equal values: reals as reals (NaN unequal, 0 equal to -0), payloads
  // by size and bytes, unowned memory by address and size.
  bool operator==(const Variant& other) const;
  // A total order within each tag and a fixed rule across tags: empty first, numbers
  // by value, payloads by size then bytes, packed arrays element by element.
  bool operator<(const Variant& other) const;
  // True for a signed integer or real below zero.
  bool IsNegative() const;

  // The number of bytes Serialize writes for this value (its data size + 12).
  uint64_t GetSerializedSize() const;
  // Writes the value as one block; returns the number of bytes written, or E_FAIL when
  // the output is null or smaller than the block, the block would not fit in 2 GB, or
  // the value is unowned memory of size 0.
  static SVRESULT Serialize(const Variant& value, void* output, size_t capacity);
  // Reads one block from the first `available` bytes of `input` (format 1, or the
  // older format 0 whose codes 0 to 10 stand for tags 0, 1, 6, 10, 8, 9, 12, 13, 14,
  // 15, 16); 0 on success, else E_FAIL. Reads nothing outside the given bytes.
  // - A fault in the header leaves the value unchanged: a block that does not fit, a
  //   total below 12, an unknown format or tag, no payload for a tag other than 0, 14
  //   and 16 (an empty byte buffer is read, as the writer writes one), a payload for
  //   tag 0.
  // - A payload is stored as SetValue stores it: a size that does not fit a scalar, a
  //   string without a zero or a packed array that is not well-formed leave the value
  //   empty; unowned memory (tags 12 and 13) leaves a byte buffer. Each gives E_FAIL.
  // A string is taken up to its first zero. The caller takes the bytes used from the
  // block's first field.
  static SVRESULT Deserialize(Variant& value, const void* input, size_t available);

  // The number of elements of a packed array; 0 for every other kind.
  uint32_t GetArrayItemCount() const;
  // Reads element `index` into `out`: 0, or -1 (out left empty) when this is not a
  // packed array, the index is not below the count, or the element cannot be read.
  SVRESULT GetArrayItem(uint32_t index, Variant& out) const;

protected:
  // Payload memory of `size` bytes (above 0), or null when none could be had. The base
  // uses the global array new; contents are undefined.
  virtual void* Allocate(uint32_t size);
  // Gives back a payload that Allocate returned.
  virtual void Free(void* payload);

private:
  union InlineValue {
    uint64_t bits;
    void* payload;
  };

  bool OwnsPayload() const { return mTag > VariantTag::ReadOnlyMemory; }
  bool HoldsPayload() const { return mTag >= VariantTag::WritableMemory; }
  const uint8_t* PayloadBytes() const { return static_cast<const uint8_t*>(mValue.payload); }
  template <class T> T InlineAs() const;
  template <class T> void SetScalar(int32_t tag, T value);
  template <class Accessor> int32_t BuildArray(uint32_t count, Accessor valueAt);
  int32_t ReplacePayload(int32_t tag, const void* data, uint32_t size);
  int32_t InstallPayload(int32_t tag, const void* data, uint32_t size);
  uint64_t RawPayloadBits(uint32_t width) const;
  uint64_t IntegerBits(uint32_t width, uint32_t signExtendBelowWidth) const;
  template <class Real> Real ConvertToReal() const;
  bool LessWithinTag(const Variant& other) const;
  bool LessAcrossTags(const Variant& other) const;
  bool LessAcrossSignedness(const Variant& other) const;
  bool ArrayLess(const Variant& other) const;

  InlineValue mValue{0};
  uint32_t mSize = 0;
  int32_t mTag = VariantTag::Empty;
};

}  // namespace SV
