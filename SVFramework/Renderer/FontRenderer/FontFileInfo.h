#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LFont;

// One font family of the process-wide index of installed font files: the family name
// as the file names it and the file path of each of its four styles (empty when none).
// The index is filled from the font folders by BuildIndex and turns a font into a face
// id (family index x 4 + style slot 0 regular, 1 bold, 2 italic, 3 bold italic) and a
// face id back into a path. UI thread only; the index has no lock.
class LFontFileInfo : public LRefCountedObject {
public:
  enum Slot : int32_t { kRegular = 0, kBold = 1, kItalic = 2, kBoldItalic = 3 };

  explicit LFontFileInfo(int32_t index) : mIndex(index) {}

  int32_t GetIndex() const { return mIndex; }
  String& GetPath(int32_t slot);

  // Empties the index, then reads every "*.ttf" and then every "*.ttc" file below the
  // folders (each folder's files in sorted path order, subfolders included). A file
  // that cannot be read or is damaged is skipped. 0; E_FAIL when no folder is given.
  static SVRESULT BuildIndex(const std::vector<String>& folders);
  // The same over the platform's font folders.
  static SVRESULT BuildIndex();
  // Registers one file's family and style (lower-cased: "bold", "italic", "bold
  // italic", anything else regular); the last file registered for a slot wins.
  static void Register(const String& family, const String& style, const String& path);
  // The face id of the font: its family or, when that is not indexed, the system
  // font's; the style's slot is filled from the nearest style when empty. Only the bold
  // and italic bits of the style count. Raises the runtime error when neither family
  // is indexed.
  static int32_t GetFileID(const RCPtr<LFont>& font);
  // The path of the face id's file; empty for an id outside the index.
  static const String& GetFilePath(int32_t faceId);
  static RCPtr<LFontFileInfo> AddFamily();
  // Empties the font map and the family list.
  static void EmptyIndex();
  static uint32_t GetFamilyCount();
  // The entry of the family (exact, case-sensitive), null when absent.
  static RCPtr<LFontFileInfo> FindFamily(const String& family);

  String family;

private:
  String mPaths[4];
  const int32_t mIndex;
};

// The folders of installed fonts that the platform reports, in its order.
std::vector<String> GetPlatformFontFolders();

}  // namespace SV
