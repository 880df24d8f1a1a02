#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/System/Module.h"
#include "Platform/System/ProgramModule.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Reads the version block of a module of the running program (the program itself
// unless told otherwise) and answers its string values under one translation, chosen
// by the user's language. Built on the stack for a query and dropped after it.
// Thread rules: one thread at a time per object; any thread may build one.
class Version {
public:
  // One entry of the block's translation table.
  struct Translation {
    uint16_t language;
    uint16_t codePage;
    friend bool operator==(const Translation&, const Translation&) = default;
  };

  // The user's and the system's default languages (platform language identifiers).
  struct Languages {
    uint16_t user;
    uint16_t system;
    static Languages Current();
  };

  // Reads the module's block and chooses its translation. Raises
  // SV::Exception<std::runtime_error> with the start-up error text of code 903 when the
  // module's file path cannot be read, 902 when the module has no block, 901 when the
  // block cannot be read, 900 when it holds no translation table; and
  // SV::Exception<std::bad_alloc> when the block cannot be allocated.
  explicit Version(const ::Platform::System::IModule& module = ::Platform::System::ProgramModule::Instance(),
                   Languages languages = Languages::Current());

  // The value of the key under the chosen translation; empty when the block has none.
  String GetStringValue(const char* key) const;
  String GetCompanyName() const { return GetStringValue("CompanyName"); }
  String GetProductName() const { return GetStringValue("ProductName"); }
  String GetProductVersion() const { return GetStringValue("ProductVersion"); }
  String GetLegalCopyright() const { return GetStringValue("LegalCopyright"); }

  Translation GetTranslation() const { return mTranslation; }

  // The index of the translation to use, comparing primary languages only (the low 10
  // bits): the user's language, else the system's, else English, else the first entry.
  // The table must not be empty.
  static size_t ChooseTranslation(const std::vector<Translation>& table, Languages languages);
  // "\StringFileInfo\" + language and code page as eight lower-case hexadecimal
  // digits + "\" + key, as in "\StringFileInfo\040904b0\CompanyName".
  static NarrowString BuildQuery(Translation translation, const char* key);

private:
  void ReadBlock(const ::Platform::System::IModule& module);
  std::vector<Translation> ReadTranslationTable() const;

  std::unique_ptr<char[]> mBlock;
  uint32_t mBlockSize = 0;
  Translation mTranslation{};
};

}  // namespace SV
