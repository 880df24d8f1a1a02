#include "SVFramework/Midi/MidiPortNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Midi/MidiComm.h"

namespace SV {
namespace {

StringArray ArrayOf(const std::vector<std::u16string>& names) {
  StringArray array;
  for (const std::u16string& name : names) array.Append(String(name.c_str()));
  return array;
}

std::vector<std::u16string> VectorOf(const StringArray& names) {
  std::vector<std::u16string> vector;
  for (const String& name : names) vector.emplace_back(name.GetString());
  return vector;
}

TEST(MidiPortNames, ParsesTheOccurrenceSuffixOfAPortName) {
  struct Row {
    const char16_t* name;
    const char16_t* baseName;
    int32_t index;
    const char* what;
  };
  const Row rows[] = {
      {u"Corvex", u"Corvex", 0, "no suffix: the whole name, first occurrence"},
      {u"Corvex (2)", u"Corvex", 1, "one digit counts from 1"},
      {u"Corvex (12)", u"Corvex", 11, "two digits"},
      {u"Corvex (0)", u"Corvex", -1, "zero asks for no occurrence"},
      {u"Corvex (x)", u"Corvex", -1, "a non-digit reads as zero"},
      {u"Corvex-(3)", u"Corvex", 2, "the character before the parenthesis is dropped whatever it is"},
      {u"A(1)", u"", 0, "four characters leave an empty base name"},
      {u"(1)", u"(1)", 0, "too short for the suffix"},
      {u"Corvex (123)", u"Corvex (123)", 0, "three digits are no suffix"},
      {u"Corvex 2)", u"Corvex 2)", 0, "no opening parenthesis"},
      {u"", u"", 0, "empty"},
  };
  for (const Row& row : rows) {
    String baseName;
    int32_t index = 99;
    ParseMidiPortName(String(row.name), baseName, index);
    EXPECT_EQ(std::u16string(baseName.GetString()), std::u16string(row.baseName)) << row.what;
    EXPECT_EQ(index, row.index) << row.what;
  }
}

TEST(MidiPortNames, NumbersEqualNamesWhereTheFirstOfThemStood) {
  struct Row {
    std::vector<std::u16string> listed;
    std::vector<std::u16string> unique;
    const char* what;
  };
  const Row rows[] = {
      {{u"Corvex", u"Corvex USB"}, {u"Corvex", u"Corvex USB"}, "distinct names stay"},
      {{u"Corvex", u"Corvex"}, {u"Corvex (1)", u"Corvex (2)"}, "equal names are numbered from 1"},
      {{u"Corvex", u"Corvex USB", u"Corvex"},
       {u"Corvex (1)", u"Corvex (2)", u"Corvex USB"},
       "grouped where the first stood"},
      {{u"Corvex", u"corvex"}, {u"Corvex", u"corvex"}, "the comparison is case-sensitive"},
      {{}, {}, "no devices"},
  };
  for (const Row& row : rows) EXPECT_EQ(VectorOf(MakeUniqueNames(ArrayOf(row.listed))), row.unique) << row.what;
}

TEST(MidiPortNames, CountsTheListedNamesThatContainTheRequestedOne) {
  struct Row {
    std::vector<std::u16string> listed;
    const char16_t* name;
    int32_t matches;
    int32_t position;
    const char* what;
  };
  const Row rows[] = {
      {{u"Corvex", u"Corvex USB"}, u"Corvex", 1, 0, "an equal name wins over names that contain it"},
      {{u"Corvex USB", u"Corvex"}, u"Corvex", 1, 1, "also when it comes later"},
      {{u"Corvex USB", u"Corvex"}, u"CORVEX", 1, 1, "equality ignores case"},
      {{u"Corvex USB", u"Corvex USB Hub"}, u"Corvex", 2, 0, "contained twice, equal to neither: ambiguous"},
      {{u"Corvex USB", u"Corvex USB Hub"}, u"Corvex USB", 1, 0, "equal to the first"},
      {{u"Corvex (1)", u"Corvex (2)"}, u"Corvex", 2, 0, "numbered equal names are ambiguous"},
      {{u"Corvex (1)", u"Corvex (2)"}, u"Corvex (2)", 1, 1, "a numbered name picks its device"},
      {{u"Other", u"Keyboard Corvex Edition"}, u"corvex", 1, 1, "containment anywhere, any case"},
      {{u"Other"}, u"Corvex", 0, -1, "no match"},
  };
  for (const Row& row : rows) {
    int32_t position = 99;
    EXPECT_EQ(LMidiComm::CountNameMatches(ArrayOf(row.listed), String(row.name), position), row.matches) << row.what;
    EXPECT_EQ(position, row.position) << row.what;
  }
}

TEST(MidiPortNames, ChoosesTheWantedOccurrenceOfTheDevicesThatContainTheBaseName) {
  struct Row {
    std::vector<std::u16string> devices;
    const char16_t* name;
    int32_t device;
    const char* what;
  };
  const Row rows[] = {
      {{u"Corvex", u"Corvex"}, u"Corvex (2)", 1, "the second of two equal devices"},
      {{u"Corvex", u"Corvex"}, u"Corvex (3)", -1, "no third"},
      {{u"Corvex USB", u"Corvex"}, u"Corvex", 0, "the first device that contains the name wins here"},
      {{u"Corvex", u"Corvex USB", u"Corvex"}, u"Corvex (2)", 1, "every device containing the name counts"},
      {{u"Corvex"}, u"Corvex (0)", -1, "occurrence -1 matches nothing"},
      {{u"Other", u"Corvex"}, u"A(1)", 0, "an empty base name matches the first device"},
      {{u"Other"}, u"corvex", -1, "nothing contains it"},
  };
  for (const Row& row : rows) {
    String lastExamined;
    const auto readName = [&](uint32_t device, String& name) {
      name = String(row.devices[device].c_str());
      return true;
    };
    EXPECT_EQ(ChooseMidiDevice(String(row.name), static_cast<uint32_t>(row.devices.size()), readName, lastExamined),
              row.device)
        << row.what;
  }
}

TEST(MidiPortNames, ADeviceWhoseNameCannotBeReadDoesNotMatch) {
  String lastExamined;
  const auto readName = [](uint32_t device, String& name) {
    name = u"Corvex";
    return device != 0;
  };
  EXPECT_EQ(ChooseMidiDevice(String(u"Corvex"), 2, readName, lastExamined), 1);
  EXPECT_EQ(std::u16string(lastExamined.GetString()), u"Corvex");
}

}  // namespace
}  // namespace SV
