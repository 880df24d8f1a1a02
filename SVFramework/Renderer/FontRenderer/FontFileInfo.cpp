#include "SVFramework/Renderer/FontRenderer/FontFileInfo.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <unordered_map>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Renderer/FontRenderer/FontFileReader.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Storage/SVFile.h"

namespace SV {
namespace {

struct FontMapEntry {
  RCPtr<LFont> font;
  RCPtr<LFontFileInfo> info;
};

std::vector<RCPtr<LFontFileInfo>>& Families() {
  static std::vector<RCPtr<LFontFileInfo>> families;
  return families;
}

std::unordered_map<const LFont*, FontMapEntry>& FontMap() {
  static std::unordered_map<const LFont*, FontMapEntry> map;
  return map;
}

// A font file read through the framework's file; a read that fails or comes short
// answers false instead of raising, so one bad file never stops the index.
class FontFileOnDisk : public IFontFileBytes {
public:
  explicit FontFileOnDisk(const String& path) : mFile(path, String(), File::kRead) {
    try {
      mLength = mFile.IsOpen() ? mFile.GetLength() : 0;
    } catch (const std::exception&) {
      mLength = 0;
    }
  }
  bool IsOpen() const { return mFile.IsOpen(); }
  uint32_t GetLength() const override { return mLength; }
  bool ReadAt(uint32_t offset, void* buffer, uint32_t size) override {
    if (uint64_t{offset} + size > mLength || offset > 0x7FFFFFFFu) return false;
    try {
      return mFile.Read(buffer, size, static_cast<int32_t>(offset)) == static_cast<int32_t>(size);
    } catch (const std::exception&) {
      return false;
    }
  }

private:
  File mFile;
  uint32_t mLength = 0;
};

bool HasExtension(const std::filesystem::path& path, std::string_view extension) {
  std::string found = path.extension().string();
  std::transform(found.begin(), found.end(), found.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return found == extension;
}

// The files below the folder with the extension, in sorted path order; unreadable
// folders are passed over.
std::vector<std::filesystem::path> FilesBelow(const String& folder, std::string_view extension) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  const std::filesystem::path root(folder.ToUTF8().GetString());
  std::filesystem::recursive_directory_iterator it(root, std::filesystem::directory_options::skip_permission_denied, error);
  for (; !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file(error) && HasExtension(it->path(), extension)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void IndexFile(const std::filesystem::path& file) {
  String path;
  const std::string narrow = file.string();
  path.AssignUTF8(narrow.c_str(), static_cast<int32_t>(narrow.size()));
  FontFileOnDisk bytes(path);
  if (!bytes.IsOpen()) return;
  FontFileReader::ReadNames(bytes, [&](const String& family, const String& style) {
    LFontFileInfo::Register(family, style, path);
  });
}

int32_t SlotOfStyle(const String& style) {
  if (style == u"bold") return LFontFileInfo::kBold;
  if (style == u"italic") return LFontFileInfo::kItalic;
  if (style == u"bold italic") return LFontFileInfo::kBoldItalic;
  return LFontFileInfo::kRegular;
}

RCPtr<LFontFileInfo> FamilyOfFont(const LFont& font) {
  RCPtr<LFontFileInfo> info = LFontFileInfo::FindFamily(font.GetFace());
  if (info) return info;
  String face;
  float size = 0;
  int32_t style = 0;
  if (LFrameworkApp* application = GetFrameworkApp()) application->GetSystemFont(face, size, style);
  return LFontFileInfo::FindFamily(face);
}

// The slot to fill for each style and the slots tried for it, nearest first.
constexpr int32_t kSlotOrder[4][4] = {{0, 1, 2, 3}, {1, 3, 0, 2}, {2, 3, 0, 1}, {3, 1, 2, 0}};

}  // namespace

String& LFontFileInfo::GetPath(int32_t slot) { return mPaths[slot & 3]; }

SVRESULT LFontFileInfo::BuildIndex(const std::vector<String>& folders) {
  EmptyIndex();
  if (folders.empty()) return E_FAIL;
  for (const std::string_view extension : {".ttf", ".ttc"}) {
    for (const String& folder : folders) {
      for (const std::filesystem::path& file : FilesBelow(folder, extension)) IndexFile(file);
    }
  }
  return S_OK;
}

SVRESULT LFontFileInfo::BuildIndex() { return BuildIndex(GetPlatformFontFolders()); }

void LFontFileInfo::Register(const String& family, const String& style, const String& path) {
  RCPtr<LFontFileInfo> info = FindFamily(family);
  if (!info) {
    info = AddFamily();
    info->family = family;
  }
  info->GetPath(SlotOfStyle(style)) = path;
}

int32_t LFontFileInfo::GetFileID(const RCPtr<LFont>& font) {
  auto& map = FontMap();
  auto found = map.find(font.Get());
  RCPtr<LFontFileInfo> info = found != map.end() ? found->second.info : FamilyOfFont(*font);
  if (!info) SV_RAISE(std::runtime_error, "", "SV::LFontFileInfo::GetFileID");
  if (found == map.end()) map.emplace(font.Get(), FontMapEntry{font, info});
  // Underline and strikeout choose no file: only the bold and italic bits name a slot.
  const int32_t slot = font->GetStyle() & 3;
  String& wanted = info->GetPath(slot);
  for (const int32_t candidate : kSlotOrder[slot]) {
    if (!wanted.IsEmpty()) break;
    wanted = info->GetPath(candidate);
  }
  return info->GetIndex() * 4 + slot;
}

const String& LFontFileInfo::GetFilePath(int32_t faceId) {
  static const String empty;
  const int32_t family = faceId >> 2;
  if (family < 0 || static_cast<size_t>(family) >= Families().size()) return empty;
  return Families()[static_cast<size_t>(family)]->GetPath(faceId & 3);
}

RCPtr<LFontFileInfo> LFontFileInfo::AddFamily() {
  RCPtr<LFontFileInfo> info(new LFontFileInfo(static_cast<int32_t>(Families().size())));
  Families().push_back(info);
  return info;
}

void LFontFileInfo::EmptyIndex() {
  FontMap().clear();
  Families().clear();
}

uint32_t LFontFileInfo::GetFamilyCount() { return static_cast<uint32_t>(Families().size()); }

RCPtr<LFontFileInfo> LFontFileInfo::FindFamily(const String& name) {
  for (const RCPtr<LFontFileInfo>& info : Families()) {
    if (info->family == name.GetString()) return info;
  }
  return nullptr;
}

}  // namespace SV
