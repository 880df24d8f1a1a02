#pragma once
#include <memory>
#include <string>

#include "Platform/Resources/ResourceSource.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Finds the bytes of a skin or string-table document: a path that starts with "::"
// names a built-in resource of type "SVXML" (the rest upper-cased, "." and " " made
// "_": "::APP_SKINS"), any other path a file. UI thread.
class SkinDocumentSource {
public:
  static constexpr const char* kResourceType = "SVXML";

  explicit SkinDocumentSource(std::shared_ptr<const ::Platform::Resources::IResourceSource> resources = nullptr)
      : mResources(std::move(resources)) {}
  void SetResources(std::shared_ptr<const ::Platform::Resources::IResourceSource> resources) {
    mResources = std::move(resources);
  }

  // 0 and the whole document in `bytes`; E_FAIL for a missing, unreadable or empty
  // document (an empty one is never parsed); E_OUTOFMEMORY when no buffer of the
  // file's length can be had.
  SVRESULT Read(const String& path, std::string& bytes) const;

  // The resource name of a "::" path.
  static std::string ResourceName(const String& path);

private:
  SVRESULT ReadResource(const String& path, std::string& bytes) const;
  static SVRESULT ReadFile(const String& path, std::string& bytes);

  std::shared_ptr<const ::Platform::Resources::IResourceSource> mResources;
};

}  // namespace SV
