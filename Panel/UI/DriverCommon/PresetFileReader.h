#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// What reading a preset file came to.
namespace PresetLoadResult {
inline constexpr int32_t Loaded = 0;             // read to its end, every record applied
inline constexpr int32_t OlderFile = -1;         // format version 0 or 1
inline constexpr int32_t NewerFile = -2;         // format version 3 or above
inline constexpr int32_t CorruptFile = -3;       // cannot be opened, malformed or cut short
inline constexpr int32_t WrongDevice = -4;       // device words other than 0 and 0
inline constexpr int32_t TranslationFailure = -5;  // known to the messages; no reader produces it
}  // namespace PresetLoadResult

// Where the reader takes a preset's bytes from, in order.
class PresetByteSource {
public:
  virtual ~PresetByteSource() = default;
  // The number of bytes not read yet.
  virtual uint64_t GetRemaining() const = 0;
  // Reads exactly `size` bytes; false when they cannot all be read.
  virtual bool Read(void* bytes, uint32_t size) = 0;
};

// Called with each record's parameter index (0 to 23) and value, as they are read.
using PresetRecordSink = std::function<void(int32_t parameterIndex, const Variant& value)>;

// Reads a preset from `source` and hands each record to `apply` at once, in file
// order; returns a PresetLoadResult. A record that fails ends the read with
// CorruptFile; the records handed on before it stay handed on. Records of a
// parameter index outside 0 to 23 are skipped: no file may reach another parameter
// (the negative IDs select devices). Record lengths are checked against the bytes
// left before anything is allocated, and longer than 64 KiB are refused.
int32_t ReadPresetRecords(PresetByteSource& source, const PresetRecordSink& apply);

// ReadPresetRecords over `size` bytes in memory.
int32_t ReadPresetBytes(const uint8_t* bytes, size_t size, const PresetRecordSink& apply);

// ReadPresetRecords over the file at `path`; CorruptFile when it is no file or cannot
// be opened or read. The file is closed again before this returns. UI thread only.
int32_t ReadPresetFileAt(const String& path, const PresetRecordSink& apply);

}  // namespace SV
