#include "Platform/System/LocaleLanguage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace Platform::System {

namespace {

struct NamedLanguage {
  std::string_view name;
  uint16_t identifier;
};

// Language and territory.
constexpr NamedLanguage kLocales[] = {
    {"cs_cz", 0x0405}, {"da_dk", 0x0406}, {"de_at", 0x0C07}, {"de_ch", 0x0807}, {"de_de", 0x0407},
    {"de_li", 0x1407}, {"de_lu", 0x1007}, {"el_gr", 0x0408}, {"en_au", 0x0C09}, {"en_ca", 0x1009},
    {"en_gb", 0x0809}, {"en_ie", 0x1809}, {"en_nz", 0x1409}, {"en_us", 0x0409}, {"en_za", 0x1C09},
    {"es_ar", 0x2C0A}, {"es_cl", 0x340A}, {"es_co", 0x240A}, {"es_es", 0x0C0A}, {"es_mx", 0x080A},
    {"es_pe", 0x280A}, {"es_us", 0x540A}, {"es_ve", 0x200A}, {"fi_fi", 0x040B}, {"fr_be", 0x080C},
    {"fr_ca", 0x0C0C}, {"fr_ch", 0x100C}, {"fr_fr", 0x040C}, {"fr_lu", 0x140C}, {"hu_hu", 0x040E},
    {"it_ch", 0x0810}, {"it_it", 0x0410}, {"ja_jp", 0x0411}, {"ko_kr", 0x0412}, {"nb_no", 0x0414},
    {"nl_be", 0x0813}, {"nl_nl", 0x0413}, {"nn_no", 0x0814}, {"pl_pl", 0x0415}, {"pt_br", 0x0416},
    {"pt_pt", 0x0816}, {"ru_ru", 0x0419}, {"sv_fi", 0x081D}, {"sv_se", 0x041D}, {"tr_tr", 0x041F},
    {"uk_ua", 0x0422}, {"zh_cn", 0x0804}, {"zh_hk", 0x0C04}, {"zh_mo", 0x1404}, {"zh_sg", 0x1004}, {"zh_tw", 0x0404},
};

// A language alone: its main identifier.
constexpr NamedLanguage kLanguages[] = {
    {"cs", 0x0405}, {"da", 0x0406}, {"de", 0x0407}, {"el", 0x0408}, {"en", 0x0409}, {"es", 0x0C0A},
    {"fi", 0x040B}, {"fr", 0x040C}, {"hu", 0x040E}, {"it", 0x0410}, {"ja", 0x0411}, {"ko", 0x0412},
    {"nb", 0x0414}, {"nl", 0x0413}, {"nn", 0x0814}, {"no", 0x0414}, {"pl", 0x0415}, {"pt", 0x0416},
    {"ru", 0x0419}, {"sv", 0x041D}, {"tr", 0x041F}, {"uk", 0x0422}, {"zh", 0x0804},
};

// "de_DE.UTF-8@euro" -> "de_de"; "de-DE" is taken as "de_de".
std::string NormalisedName(std::string_view localeName) {
  std::string name(localeName.substr(0, localeName.find_first_of(".@")));
  for (char& c : name) c = c == '-' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

template <size_t N>
const NamedLanguage* Find(const NamedLanguage (&table)[N], std::string_view name) {
  const auto* found = std::find_if(std::begin(table), std::end(table), [&](const NamedLanguage& entry) {
    return entry.name == name;
  });
  return found == std::end(table) ? nullptr : found;
}

std::string ReadFile(const char* path) {
  std::ifstream file(path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

uint16_t LocaleLanguage::FromLocaleName(std::string_view localeName) {
  const std::string name = NormalisedName(localeName);
  if (const auto* locale = Find(kLocales, name)) return locale->identifier;
  if (const auto* language = Find(kLanguages, std::string_view(name).substr(0, name.find('_'))))
    return language->identifier;
  return kEnglishUnitedStates;
}

std::string LocaleLanguage::UserLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

uint16_t LocaleLanguage::SystemDefault() {
  for (const char* path : {"/etc/default/locale", "/etc/locale.conf"}) {
    const std::string lang = LangOfSettingsText(ReadFile(path));
    if (!lang.empty()) return FromLocaleName(lang);
  }
  return kEnglishUnitedStates;
}

std::string LocaleLanguage::LangOfSettingsText(std::string_view text) {
  std::string lang;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.starts_with("export ")) line = Trimmed(line.substr(7));
    if (!line.starts_with("LANG=")) continue;
    std::string_view value = line.substr(5);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    lang = value;
  }
  return lang;
}

}  // namespace Platform::System
