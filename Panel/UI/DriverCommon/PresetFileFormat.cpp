#include "Panel/UI/DriverCommon/PresetFileFormat.h"

#include <cstdint>

namespace SV::PresetFileFormat {

uint32_t ReadUInt32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

void WriteUInt32(uint8_t* bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) *bytes++ = static_cast<uint8_t>(value >> shift);
}

SVRESULT BuildRecord(uint32_t parameterIndex, const Variant& value, IBuffer& record) {
  const uint64_t length = value.GetSerializedSize() + kRecordHeaderSize;
  if (length > kMaximumRecordLength) return E_FAIL;
  record.Allocate(static_cast<uint32_t>(length));
  auto* bytes = static_cast<uint8_t*>(record.GetData());
  WriteUInt32(bytes, static_cast<uint32_t>(length));
  WriteUInt32(bytes + 4, 0);
  WriteUInt32(bytes + 8, parameterIndex);
  const SVRESULT written = Variant::Serialize(value, bytes + kRecordHeaderSize, length - kRecordHeaderSize);
  return written < 0 ? E_FAIL : S_OK;
}

SVRESULT ParseRecord(const uint8_t* bytes, uint32_t size, uint32_t offset, uint32_t& parameterIndex, Variant& value) {
  if (!bytes || offset > size || size - offset < kRecordHeaderSize) return E_FAIL;
  const uint8_t* record = bytes + offset;
  const uint32_t length = ReadUInt32(record);
  if (length > size - offset || ReadUInt32(record + 4) != 0 || length < kMinimumRecordLength) return E_FAIL;
  if (length > uint32_t{INT32_MAX}) return E_FAIL;  // the length is the result: it must stay positive
  // The value is read within its record: one that runs on into the next is corrupt.
  Variant parsed;
  if (Failed(Variant::Deserialize(parsed, record + kRecordHeaderSize, length - kRecordHeaderSize))) return E_FAIL;
  parameterIndex = ReadUInt32(record + 8);
  value = parsed;
  return static_cast<SVRESULT>(length);
}

}  // namespace SV::PresetFileFormat
