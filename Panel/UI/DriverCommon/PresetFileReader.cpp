#include "Panel/UI/DriverCommon/PresetFileReader.h"

#include <cstring>
#include <stdexcept>
#include <vector>

#include "Panel/UI/DriverCommon/PresetFileFormat.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/Storage/SVFile.h"

namespace SV {

namespace {

using namespace PresetFileFormat;
using namespace PresetLoadResult;

class MemoryByteSource : public PresetByteSource {
public:
  MemoryByteSource(const uint8_t* bytes, size_t size) : mBytes(bytes), mSize(bytes ? size : 0) {}
  uint64_t GetRemaining() const override { return mSize - mOffset; }
  bool Read(void* bytes, uint32_t size) override {
    if (size > GetRemaining()) return false;
    if (size > 0) std::memcpy(bytes, mBytes + mOffset, size);
    mOffset += size;
    return true;
  }

private:
  const uint8_t* mBytes;
  size_t mSize;
  size_t mOffset = 0;
};

// Reads through the framework's file; a failed read (the file raises) reads as a cut file.
class FileByteSource : public PresetByteSource {
public:
  FileByteSource(File& file, uint32_t length) : mFile(file), mRemaining(length) {}
  uint64_t GetRemaining() const override { return mRemaining; }
  bool Read(void* bytes, uint32_t size) override {
    if (size > mRemaining) return false;
    try {
      if (mFile.Read(bytes, size) != static_cast<int32_t>(size)) return false;
    } catch (const Exception<std::runtime_error>&) {
      return false;
    }
    mRemaining -= size;
    return true;
  }

private:
  File& mFile;
  uint64_t mRemaining;
};

int32_t CheckHeader(PresetByteSource& source) {
  uint8_t header[kHeaderSize];
  if (!source.Read(header, kHeaderSize)) return CorruptFile;
  // The device words are tested before the version: another device's file is that
  // whatever its version.
  if (ReadUInt32(header + 4) != 0 || ReadUInt32(header + 8) != 0) return WrongDevice;
  const uint32_t version = ReadUInt32(header);
  if (version > kVersion) return NewerFile;
  if (version < kVersion) return OlderFile;
  return Loaded;
}

// Reads the next whole record into `record`; CorruptFile when it is cut or its length
// is out of bounds (checked before the record is allocated).
int32_t ReadRecord(PresetByteSource& source, std::vector<uint8_t>& record) {
  uint8_t lengthBytes[4];
  if (!source.Read(lengthBytes, 4)) return CorruptFile;
  const uint32_t length = ReadUInt32(lengthBytes);
  if (length < kMinimumRecordLength || length > kMaximumRecordLength) return CorruptFile;
  if (length - 4 > source.GetRemaining()) return CorruptFile;
  record.resize(length);
  std::memcpy(record.data(), lengthBytes, 4);
  return source.Read(record.data() + 4, length - 4) ? Loaded : CorruptFile;
}

}  // namespace

int32_t ReadPresetRecords(PresetByteSource& source, const PresetRecordSink& apply) {
  const int32_t header = CheckHeader(source);
  if (header != Loaded) return header;
  std::vector<uint8_t> record;
  while (source.GetRemaining() > 0) {
    if (ReadRecord(source, record) != Loaded) return CorruptFile;
    uint32_t index = 0;
    Variant value;
    if (Failed(ParseRecord(record.data(), static_cast<uint32_t>(record.size()), 0, index, value))) return CorruptFile;
    if (index < static_cast<uint32_t>(kParameterCount)) apply(static_cast<int32_t>(index), value);
  }
  return Loaded;
}

int32_t ReadPresetBytes(const uint8_t* bytes, size_t size, const PresetRecordSink& apply) {
  MemoryByteSource source(bytes, size);
  return ReadPresetRecords(source, apply);
}

int32_t ReadPresetFileAt(const String& path, const PresetRecordSink& apply) {
  if (path.IsEmpty() || !File::Exists(path)) return CorruptFile;
  File file(path, String(), File::kRead);
  uint32_t length = 0;
  try {
    if (!file.IsOpen()) return CorruptFile;
    length = file.GetLength();
  } catch (const Exception<std::runtime_error>&) {
    return CorruptFile;
  }
  FileByteSource source(file, length);
  const int32_t result = ReadPresetRecords(source, apply);
  file.Close();
  return result;
}

}  // namespace SV
