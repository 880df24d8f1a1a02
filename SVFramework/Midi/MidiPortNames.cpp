#include "SVFramework/Midi/MidiPortNames.h"

namespace SV {
namespace {

// The "(d)" or "(dd)" form of the last suffixLength characters; false when the name
// does not end in it.
bool ReadOccurrenceSuffix(const String& name, int32_t suffixLength, String& baseName, int32_t& index) {
  if (name.GetLength() < suffixLength) return false;
  const String suffix = name.Right(suffixLength);
  const char16_t* characters = suffix.GetString();
  if (characters[1] != u'(' || characters[suffixLength - 1] != u')') return false;
  index = suffix.Mid(2, suffixLength - 3).ToInt() - 1;
  baseName = name.Left(name.GetLength() - suffixLength);
  return true;
}

}  // namespace

void ParseMidiPortName(const String& name, String& baseName, int32_t& index) {
  if (ReadOccurrenceSuffix(name, 4, baseName, index)) return;
  if (ReadOccurrenceSuffix(name, 5, baseName, index)) return;
  baseName = name;
  index = 0;
}

int32_t ChooseMidiDevice(const String& portName, uint32_t deviceCount,
                         const std::function<bool(uint32_t device, String& name)>& readName,
                         String& lastExamined) {
  String baseName;
  int32_t index = 0;
  ParseMidiPortName(portName, baseName, index);
  const String wanted = baseName.ToLower();
  int32_t matches = 0;
  for (uint32_t device = 0; device < deviceCount; ++device) {
    String name;
    if (!readName(device, name)) continue;
    lastExamined = name;
    if (name.ToLower().Find(wanted) < 0) continue;
    if (matches++ == index) return static_cast<int32_t>(device);
  }
  return -1;
}

StringArray MakeUniqueNames(StringArray names) {
  StringArray unique;
  while (names.GetCount() > 0) {
    const String first = names[0];
    String removed;
    names.RemoveItem(0, removed);
    int32_t others = 0;
    for (int32_t at = names.Find(first); at >= 0; at = names.Find(first, true, static_cast<uint32_t>(at))) {
      names.RemoveItem(static_cast<uint32_t>(at), removed);
      ++others;
    }
    if (others == 0) {
      unique.Append(first);
      continue;
    }
    for (int32_t number = 1; number <= others + 1; ++number) unique.Append(first + String::FromFormat(u" (%d)", number));
  }
  return unique;
}

}  // namespace SV
