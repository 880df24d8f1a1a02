#include "Panel/UI/DriverCommon/PresetFileWriter.h"

#include <cstring>

#include "Panel/UI/DriverCommon/PresetFileFormat.h"
#include "Platform/Files/FileReplacement.h"

namespace SV {

namespace {

using namespace PresetFileFormat;

void AppendHeader(std::vector<uint8_t>& bytes) {
  bytes.resize(kHeaderSize);
  WriteUInt32(bytes.data(), kVersion);
  WriteUInt32(bytes.data() + 4, 0);
  WriteUInt32(bytes.data() + 8, 0);
}

SVRESULT AppendRecord(uint32_t parameterIndex, const Variant& value, std::vector<uint8_t>& bytes) {
  BufferT<1, 0> record;
  if (Failed(BuildRecord(parameterIndex, value, record))) return E_FAIL;
  const auto* data = static_cast<const uint8_t*>(record.GetData());
  bytes.insert(bytes.end(), data, data + record.GetSize());
  return S_OK;
}

}  // namespace

SVRESULT BuildPresetFileBytes(const Array<ParamValue>& values, std::vector<uint8_t>& bytes) {
  bytes.clear();
  if (values.GetCount() != static_cast<uint32_t>(kParameterCount)) return E_FAIL;
  AppendHeader(bytes);
  for (uint32_t index = 0; index < values.GetCount(); ++index) {
    if (Failed(AppendRecord(index, values[index].value, bytes))) {
      bytes.clear();
      return E_FAIL;
    }
  }
  return S_OK;
}

SVRESULT WritePresetFile(const String& path, const Array<ParamValue>& values) {
  std::vector<uint8_t> bytes;
  if (path.IsEmpty() || Failed(BuildPresetFileBytes(values, bytes))) return E_FAIL;
  const NarrowString narrowPath = path.ToUTF8();
  return ::Platform::Files::ReplaceFileContents(narrowPath.GetString(), bytes.data(), bytes.size()) ? S_OK : E_FAIL;
}

}  // namespace SV
