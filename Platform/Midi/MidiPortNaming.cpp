#include "Platform/Midi/MidiPortNaming.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace Platform::Midi {
namespace {

constexpr std::string_view kAlsaBridgeClient = "a2j";

struct PortParts {
  std::string group;  // ports of one client share it
  std::string client;
  std::string port;
};

bool IsNumber(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "client:port" split at the first colon; a name without one is both.
void SplitClientAndPort(std::string_view name, PortParts& parts) {
  const size_t colon = name.find(':');
  if (colon == std::string_view::npos) {
    parts.client = parts.port = std::string(name);
    return;
  }
  parts.client = std::string(name.substr(0, colon));
  parts.port = std::string(name.substr(colon + 1));
}

// "client:port 24:0": the trailing address gives the client number.
PortParts SplitAlsaName(std::string_view raw) {
  PortParts parts;
  std::string_view body = raw;
  const size_t space = raw.rfind(' ');
  if (space != std::string_view::npos) {
    const std::string_view address = raw.substr(space + 1);
    const size_t colon = address.find(':');
    if (colon != std::string_view::npos && IsNumber(address.substr(0, colon)) &&
        IsNumber(address.substr(colon + 1))) {
      body = raw.substr(0, space);
      parts.group = "alsa:" + std::string(address.substr(0, colon));
    }
  }
  SplitClientAndPort(body, parts);
  if (parts.group.empty()) parts.group = "alsa-name:" + parts.client;
  return parts;
}

// The bridge's port "client [24] (capture): port" names the ALSA client and port.
bool SplitAlsaBridgePort(std::string_view bridged, PortParts& parts) {
  const size_t open = bridged.find(" [");
  const size_t close = open == std::string_view::npos ? open : bridged.find("] (", open);
  const size_t colon = close == std::string_view::npos ? close : bridged.find("): ", close);
  if (colon == std::string_view::npos) return false;
  parts.client = std::string(bridged.substr(0, open));
  parts.group = "alsa:" + std::string(bridged.substr(open + 2, close - open - 2));
  parts.port = std::string(bridged.substr(colon + 3));
  return true;
}

PortParts SplitJackName(std::string_view raw) {
  PortParts parts;
  SplitClientAndPort(raw, parts);
  if (parts.client == kAlsaBridgeClient && SplitAlsaBridgePort(parts.port, parts)) return parts;
  parts.group = "jack:" + parts.client;
  return parts;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

std::string NameOfFurtherPort(const PortParts& parts) {
  if (StartsWithIgnoringCase(parts.port, parts.client)) return parts.port;
  return parts.client + " " + parts.port;
}

void AppendUtf16(std::u16string& text, char32_t codePoint) {
  if (codePoint < 0x10000) {
    text.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  codePoint -= 0x10000;
  text.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
  text.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

// Reads one UTF-8 sequence at text[index]; returns its length, 0 when malformed.
size_t DecodeUtf8(std::string_view text, size_t index, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[index]);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) { codePoint = lead; return 1; }
  if ((lead & 0xE0) == 0xC0) { length = 2; codePoint = lead & 0x1F; minimum = 0x80; }
  else if ((lead & 0xF0) == 0xE0) { length = 3; codePoint = lead & 0x0F; minimum = 0x800; }
  else if ((lead & 0xF8) == 0xF0) { length = 4; codePoint = lead & 0x07; minimum = 0x10000; }
  else return 0;
  if (index + length > text.size()) return 0;
  for (size_t offset = 1; offset < length; ++offset) {
    const auto next = static_cast<unsigned char>(text[index + offset]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint < 0xE000;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

}  // namespace

std::vector<std::u16string> MidiPortNaming::DisplayNames(MidiPortApi api,
                                                         const std::vector<std::string>& rawNames) {
  std::vector<std::u16string> names;
  std::map<std::string, bool> groupsSeen;
  for (const std::string& raw : rawNames) {
    const PortParts parts = api == MidiPortApi::Alsa ? SplitAlsaName(raw) : SplitJackName(raw);
    const bool first = groupsSeen.emplace(parts.group, true).second;
    names.push_back(FromUtf8(first ? parts.client : NameOfFurtherPort(parts)));
  }
  return names;
}

bool MidiPortNaming::IsAlsaBridgePort(std::string_view jackName) {
  return ClientOf(jackName) == kAlsaBridgeClient;
}

std::string MidiPortNaming::ClientOf(std::string_view rawName) {
  PortParts parts;
  SplitClientAndPort(rawName, parts);
  return parts.client;
}

std::u16string MidiPortNaming::FromUtf8(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  size_t index = 0;
  while (index < text.size()) {
    char32_t codePoint = 0;
    const size_t length = DecodeUtf8(text, index, codePoint);
    AppendUtf16(result, length == 0 ? U'\uFFFD' : codePoint);
    index += length == 0 ? 1 : length;
  }
  return result;
}

}  // namespace Platform::Midi
