#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "Platform/IniFileManager/Format/IniDocument.h"

namespace IniFile {

// One open settings file: its document in memory, written through to disk after
// every change. It never replaces a file on disk that it cannot parse, whether the
// file was like that when opened or became so later. Results are those of the
// library's entry points. Not thread-safe: the handle table serialises access.
class IniSettingsFile {
public:
  // Reads the file at `path`. A missing file gives an empty document, headed by a
  // comment that names the product and settings version, which is written at the
  // first change. IniFileResultFileError when the file cannot be read or parsed.
  static int32_t Open(const std::string& path, std::string_view settingsVersion,
                      std::string_view productName, std::unique_ptr<IniSettingsFile>& file);

  const IniDocument& Document() const { return mDocument; }
  bool HasUnsavedChanges() const { return mHasUnsavedChanges; }

  // Applies `edit` to a copy of the document; keeps and writes the copy unless its
  // file would exceed the size bound (IniFileResultInvalidArgument, nothing changed).
  // A failed write keeps the change in memory (IniFileResultFileError).
  // IniFileResultUnchanged when the edit changed nothing and nothing waits to be written.
  int32_t Change(const std::function<void(IniDocument&)>& edit);
  // Writes the document, also when nothing changed.
  int32_t Write();

private:
  IniSettingsFile(std::string path, IniDocument document);

  int32_t WriteBytes(std::string_view bytes);
  bool FileOnDiskMayBeReplaced() const;

  std::string mPath;
  IniDocument mDocument;
  bool mHasUnsavedChanges = false;
};

}  // namespace IniFile
