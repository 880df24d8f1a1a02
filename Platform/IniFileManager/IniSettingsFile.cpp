#include "Platform/IniFileManager/IniSettingsFile.h"

#include "Platform/IniFileManager/Format/IniParser.h"
#include "Platform/IniFileManager/Format/IniTextRules.h"
#include "Platform/IniFileManager/IniFileManagerApi.h"
#include "Platform/IniFileManager/IniFileStorage.h"

namespace IniFile {
namespace {

IniDocument NewDocument(std::string_view settingsVersion, std::string_view productName) {
  std::string heading = productName.empty() ? "Settings" : std::string(productName) + " settings";
  if (!settingsVersion.empty()) heading.append(", version ").append(settingsVersion);
  IniDocument document;
  document.AppendComment(heading);
  return document;
}

}  // namespace

int32_t IniSettingsFile::Open(const std::string& path, std::string_view settingsVersion,
                              std::string_view productName, std::unique_ptr<IniSettingsFile>& file) {
  const FileContents contents = ReadSettingsFile(path);
  if (contents.state == FileContents::State::Unreadable) return IniFileResultFileError;
  if (contents.state == FileContents::State::Absent) {
    file.reset(new IniSettingsFile(path, NewDocument(settingsVersion, productName)));
    return IniFileResultOk;
  }
  std::optional<IniDocument> document = IniParser::Parse(contents.bytes);
  if (!document) return IniFileResultFileError;
  file.reset(new IniSettingsFile(path, std::move(*document)));
  return IniFileResultOk;
}

IniSettingsFile::IniSettingsFile(std::string path, IniDocument document)
    : mPath(std::move(path)), mDocument(std::move(document)) {}

int32_t IniSettingsFile::Change(const std::function<void(IniDocument&)>& edit) {
  IniDocument changed = mDocument;
  edit(changed);
  std::string bytes = changed.Serialise();
  if (bytes.size() > kMaximumFileSize) return IniFileResultInvalidArgument;
  if (!mHasUnsavedChanges && bytes == mDocument.Serialise()) return IniFileResultUnchanged;
  mDocument = std::move(changed);
  mHasUnsavedChanges = true;
  return WriteBytes(bytes);
}

int32_t IniSettingsFile::Write() { return WriteBytes(mDocument.Serialise()); }

int32_t IniSettingsFile::WriteBytes(std::string_view bytes) {
  if (!FileOnDiskMayBeReplaced() || !ReplaceFileAtomically(mPath, bytes)) return IniFileResultFileError;
  mHasUnsavedChanges = false;
  return IniFileResultOk;
}

bool IniSettingsFile::FileOnDiskMayBeReplaced() const {
  const FileContents contents = ReadSettingsFile(mPath);
  if (contents.state == FileContents::State::Absent) return true;
  return contents.state == FileContents::State::Read && IniParser::Parse(contents.bytes).has_value();
}

}  // namespace IniFile
