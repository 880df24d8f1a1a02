#include "SVFramework/ControlBase/SkinDocumentSource.h"

#include <exception>
#include <new>

#include "SVFramework/Utilities/Storage/SVFile.h"

namespace SV {

std::string SkinDocumentSource::ResourceName(const String& path) {
  String name = path.Mid(2).ToUpper();
  name.ReplaceAny(u". ", u'_');
  return name.ToUTF8().GetString();
}

SVRESULT SkinDocumentSource::Read(const String& path, std::string& bytes) const {
  const SVRESULT result = path.View().starts_with(u"::") ? ReadResource(path, bytes) : ReadFile(path, bytes);
  if (result < 0) return result;
  return bytes.empty() ? E_FAIL : S_OK;
}

SVRESULT SkinDocumentSource::ReadResource(const String& path, std::string& bytes) const {
  if (!mResources) return E_FAIL;
  try {
    return mResources->Read(kResourceType, ResourceName(path), bytes) ? S_OK : E_FAIL;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

SVRESULT SkinDocumentSource::ReadFile(const String& path, std::string& bytes) {
  try {
    File file(path, String(), File::kRead);
    if (!file.IsOpen()) return E_FAIL;
    bytes.resize(file.GetLength());
    size_t filled = 0;
    while (filled < bytes.size()) {
      const int32_t read = file.Read(bytes.data() + filled, static_cast<uint32_t>(bytes.size() - filled));
      if (read <= 0) break;
      filled += static_cast<size_t>(read);
    }
    bytes.resize(filled);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception&) {
    return E_FAIL;
  }
}

}  // namespace SV
