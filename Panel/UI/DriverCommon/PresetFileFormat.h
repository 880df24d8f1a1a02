#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// The preset file ("*.corvex"), all integers 32-bit unsigned little-endian: a header
// of format version 2 and two device words 0 and 0, then one record per parameter.
// A record: its whole length L, a reserved 0, the parameter index (0 to 23, the
// ParamID less the root module's first), then the value in its serialised form
// (SV::Variant::Serialize). Every preset value is a one-byte buffer, so a record is
// 25 bytes and a complete file 612.
namespace PresetFileFormat {

inline constexpr uint32_t kVersion = 2;
inline constexpr uint32_t kHeaderSize = 12;
inline constexpr uint32_t kRecordHeaderSize = 12;
// The record header and the serialised value's own 12-byte header, at the least.
inline constexpr uint32_t kMinimumRecordLength = 16;
// A record holds one parameter value of a byte or so: longer ones are refused as
// corrupt before anything is allocated for them.
inline constexpr uint32_t kMaximumRecordLength = 64 * 1024;
inline constexpr int32_t kParameterCount = 24;
inline constexpr const char16_t* kExtension = u"corvex";

uint32_t ReadUInt32(const uint8_t* bytes);
void WriteUInt32(uint8_t* bytes, uint32_t value);

// Sizes `record` to the value's serialised size + 12 and fills it with one record
// for the parameter index. 0, or E_FAIL when the value cannot be serialised.
SVRESULT BuildRecord(uint32_t parameterIndex, const Variant& value, IBuffer& record);

// Reads the record at `offset` of the `size` bytes: its length L, or E_FAIL when
// fewer than 12 bytes lie after the offset, L reaches past the end, the reserved word
// is not 0, L is below 16 or the value does not deserialise within the record. On
// success stores the parameter index and the value; the record may hold bytes after
// the value, which are ignored.
SVRESULT ParseRecord(const uint8_t* bytes, uint32_t size, uint32_t offset, uint32_t& parameterIndex, Variant& value);

}  // namespace PresetFileFormat
}  // namespace SV
