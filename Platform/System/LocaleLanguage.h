#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace Platform::System {

// The user's and the system's language as the platform's 16-bit language identifiers
// (0x0407 German, 0x0409 English (United States), ...; the low 10 bits are the
// primary language), taken from POSIX locale names ("de_DE.UTF-8").
// Thread rules: reads the environment; call while no thread changes it.
class LocaleLanguage {
public:
  static constexpr uint16_t kEnglishUnitedStates = 0x0409;

  // The identifier of a locale name: its language and territory when the table knows
  // them, else its language's main identifier, else English (United States). The
  // encoding (".UTF-8") and modifier ("@euro") are ignored, and so is case; "C",
  // "POSIX" and the empty name are English (United States).
  static uint16_t FromLocaleName(std::string_view localeName);

  // The user's locale name for messages: the first set of LC_ALL, LC_MESSAGES, LANG.
  static std::string UserLocaleName();
  static uint16_t UserDefault() { return FromLocaleName(UserLocaleName()); }

  // The system's language: LANG of the system-wide locale settings
  // (/etc/default/locale, else /etc/locale.conf); English (United States) without one.
  static uint16_t SystemDefault();
  // The LANG value of a locale settings file's text ("LANG=de_DE.UTF-8", quotes
  // allowed, "export" and comments skipped); empty when it sets none.
  static std::string LangOfSettingsText(std::string_view text);
};

}  // namespace Platform::System
