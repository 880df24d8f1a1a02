#include "SVFramework/Application/Version.h"

#include <new>
#include <stdexcept>
#include <string_view>

#include "Platform/System/LocaleLanguage.h"
#include "Platform/System/VersionBlock.h"
#include "SVFramework/Application/StartupErrorText.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/Storage/BufferT.h"

namespace SV {

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr uint16_t kEnglish = 0x09;
constexpr const char* kFunction = "SV::Version::Version";

std::string StartupErrorMessage(int32_t code) { return GetStartupErrorText(code).ToUTF8().GetString(); }

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// One translation word, "040904b0": language, then code page, in hexadecimal.
bool ParseTranslation(std::string_view word, Version::Translation& translation) {
  if (word.size() != 8) return false;
  uint32_t value = 0;
  for (const char c : word) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  translation = {static_cast<uint16_t>(value >> 16), static_cast<uint16_t>(value & 0xFFFF)};
  return true;
}

}  // namespace

Version::Languages Version::Languages::Current() {
  return {::Platform::System::LocaleLanguage::UserDefault(), ::Platform::System::LocaleLanguage::SystemDefault()};
}

Version::Version(const ::Platform::System::IModule& module, Languages languages) {
  ReadBlock(module);
  const std::vector<Translation> table = ReadTranslationTable();
  if (table.empty()) SV_RAISE(std::runtime_error, StartupErrorMessage(900), kFunction);
  mTranslation = table[ChooseTranslation(table, languages)];
}

void Version::ReadBlock(const ::Platform::System::IModule& module) {
  const std::string path = module.GetFilePath();
  if (path.empty()) SV_RAISE(std::runtime_error, StartupErrorMessage(903), kFunction);
  const std::string fileName = FileNameOf(path);
  const uint32_t size = module.GetVersionBlockSize(fileName);
  if (size == 0) SV_RAISE(std::runtime_error, StartupErrorMessage(902), kFunction);
  mBlock.reset(new (std::nothrow) char[size]);
  if (!mBlock) RaiseBadAllocation();
  mBlockSize = size;
  if (!module.ReadVersionBlock(fileName, mBlock.get(), size))
    SV_RAISE(std::runtime_error, StartupErrorMessage(901), kFunction);
}

std::vector<Version::Translation> Version::ReadTranslationTable() const {
  const auto value = ::Platform::System::VersionBlock::Query({mBlock.get(), mBlockSize}, "\\VarFileInfo\\Translation");
  std::vector<Translation> table;
  std::string_view words = value.value_or("");
  while (!words.empty()) {
    const auto end = words.find(' ');
    Translation translation{};
    if (!ParseTranslation(words.substr(0, end), translation)) return {};
    table.push_back(translation);
    words = end == std::string_view::npos ? std::string_view() : words.substr(end + 1);
  }
  return table;
}

size_t Version::ChooseTranslation(const std::vector<Translation>& table, Languages languages) {
  for (const uint16_t wanted : {languages.user, languages.system, kEnglish}) {
    for (size_t i = 0; i < table.size(); ++i) {
      if ((table[i].language & kPrimaryLanguageMask) == (wanted & kPrimaryLanguageMask)) return i;
    }
  }
  return 0;
}

NarrowString Version::BuildQuery(Translation translation, const char* key) {
  return NarrowString::FromFormat("\\StringFileInfo\\%04x%04x\\%s", translation.language, translation.codePage, key);
}

String Version::GetStringValue(const char* key) const {
  if (!mBlock || !key) return String();
  const NarrowString query = BuildQuery(mTranslation, key);
  const auto value = ::Platform::System::VersionBlock::Query({mBlock.get(), mBlockSize}, query.View());
  String text;
  if (value) text.AssignUTF8(value->data(), static_cast<int32_t>(value->size()));
  return text;
}

}  // namespace SV
