#include "Panel/Engine/PresetEditorCommon/ControllerMessages.h"

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/Variant.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace SV {
namespace {

using Bytes = std::vector<uint8_t>;
using Messages = ControllerMessages;

Array<signed char> ToArray(const Bytes& bytes) {
  Array<signed char> array;
  for (uint8_t byte : bytes) array.Append(static_cast<signed char>(byte));
  return array;
}

Bytes ToBytes(const IArray<signed char>& array) {
  Bytes bytes;
  for (signed char element : array) bytes.push_back(static_cast<uint8_t>(element));
  return bytes;
}

Bytes Concatenated(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

Bytes CountingBytes(uint8_t first, size_t count) {
  Bytes bytes(count);
  for (size_t index = 0; index < count; ++index) bytes[index] = static_cast<uint8_t>(first + index);
  return bytes;
}

const Bytes kDumpHeader{0xF0, 0x7D, 0x7F, 0x31, 0x53, 0x00, 0x19};
const Bytes kValues = CountingBytes(0x60, 24);  // 60 to 77: every byte tells its position
const Bytes kDump = Concatenated({kDumpHeader, kValues, {0xF7}});

Bytes IdentityReply(uint8_t device, Bytes firmware) {
  Bytes reply{0xF0, 0x7E, device, 0x06, 0x02, 0x7D, 0x31, 0x00, 0x01};
  reply.insert(reply.end(), firmware.begin(), firmware.end());
  reply.resize(34, 0x00);
  reply.push_back(0xF7);
  return reply;
}

Array<ParamValue> PresetValues(const Bytes& bytes) {
  Array<ParamValue> values;
  for (size_t index = 0; index < bytes.size(); ++index) {
    values.Append(ParamValue(ParamDescriptor(static_cast<int32_t>(index)), OneByteValue::Make(bytes[index])));
  }
  return values;
}

// What goes out on the wire: the built message, framed.
Bytes Framed(const std::function<SVRESULT(IArray<signed char>&)>& build) {
  Array<signed char> message;
  EXPECT_EQ(build(message), S_OK);
  EXPECT_EQ(Messages::FrameSystemExclusive(message), S_OK);
  return ToBytes(message);
}

TEST(ControllerMessages, BuildsEveryMessageByteForByte) {
  struct Case {
    const char* what;
    std::function<SVRESULT(IArray<signed char>&)> build;
    Bytes wire;
  };
  const Case cases[] = {
      {"get preset request", &Messages::BuildPresetRequest, {0xF0, 0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00, 0xF7}},
      {"send preset header", &Messages::BuildPresetHeader, {0xF0, 0x7D, 0x7F, 0x31, 0x5E, 0x00, 0x19, 0xF7}},
      {"send preset",
       [](IArray<signed char>& out) { return Messages::BuildPresetMessage(PresetValues(kValues), out); },
       Concatenated({{0xF0, 0x7D, 0x7F, 0x31, 0x5E, 0x00, 0x19}, kValues, {0xF7}})},
      {"send preset of the largest values",
       [](IArray<signed char>& out) { return Messages::BuildPresetMessage(PresetValues(Bytes(24, 0x7F)), out); },
       Concatenated({{0xF0, 0x7D, 0x7F, 0x31, 0x5E, 0x00, 0x19}, Bytes(24, 0x7F), {0xF7}})},
      {"white-key curve 6",
       [](IArray<signed char>& out) { return Messages::BuildGlobalSettingMessage(u"WHITE KEY CURVE", 6, out); },
       {0xF0, 0x7D, 0x7F, 0x31, 0x0A, 0x00, 0x01, 0x06, 0xF7}},
      {"black-key curve 0",
       [](IArray<signed char>& out) { return Messages::BuildGlobalSettingMessage(u"BLACK KEY CURVE", 0, out); },
       {0xF0, 0x7D, 0x7F, 0x31, 0x0B, 0x00, 0x01, 0x00, 0xF7}},
      {"white-key sensitivity 55",
       [](IArray<signed char>& out) { return Messages::BuildGlobalSettingMessage(u"WHITE KEY SENSITIVITY", 55, out); },
       {0xF0, 0x7D, 0x7F, 0x31, 0x0C, 0x00, 0x01, 0x37, 0xF7}},
      {"black-key sensitivity 100",
       [](IArray<signed char>& out) { return Messages::BuildGlobalSettingMessage(u"BLACK KEY SENSITIVITY", 100, out); },
       {0xF0, 0x7D, 0x7F, 0x31, 0x0D, 0x00, 0x01, 0x64, 0xF7}},
      {"identity request", &Messages::BuildIdentityRequest, {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(Framed(test.build), test.wire) << test.what;
  }
  EXPECT_EQ(Framed(&Messages::BuildPresetRequest).size(), Messages::kShortMessageLength);
}

TEST(ControllerMessages, BuildsTheIdentityRequestIntoItsFixedBuffer) {
  Messages::IdentityRequestBuffer buffer;
  buffer.Append(0x42);
  ASSERT_EQ(Messages::BuildIdentityRequest(buffer), S_OK);
  EXPECT_EQ(ToBytes(buffer), (Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
  EXPECT_EQ(Messages::FrameSystemExclusive(buffer), S_OK);
  EXPECT_EQ(buffer.GetCount(), Messages::kIdentityRequestLength) << "a framed message stays as it is";

  SimpleFixedArray<signed char, 5> tooSmall;
  EXPECT_EQ(Messages::BuildIdentityRequest(tooSmall), E_FAIL);
  EXPECT_EQ(tooSmall.GetCount(), 0u);
}

TEST(ControllerMessages, RefusesGlobalSettingsItCannotSendAndBuildsNothing) {
  struct Case {
    const char16_t* name;
    int32_t value;
    bool valid;
  };
  const Case cases[] = {
      {u"WHITE KEY CURVE", 0, true},
      {u"WHITE KEY CURVE", 6, true},
      {u"WHITE KEY CURVE", 7, false},
      {u"BLACK KEY CURVE", 7, false},
      {u"WHITE KEY SENSITIVITY", 100, true},
      {u"BLACK KEY SENSITIVITY", 101, false},
      {u"WHITE KEY SENSITIVITY", -1, false},  // its low bits, FF, would reset the controller
      {u"BLACK KEY CURVE", INT32_MIN, false},
      {u"white key curve", 1, false},
      {u"WHITE KEY CURVE ", 1, false},
      {u"VELOCITY", 1, false},
      {u"", 0, false},
  };
  for (const Case& test : cases) {
    const std::string what = String(test.name).ToUTF8().GetString() + std::string(" ") + std::to_string(test.value);
    EXPECT_EQ(Messages::IsGlobalSettingValueValid(test.name, test.value), test.valid) << what;
    Array<signed char> message = ToArray({0x01, 0x02});
    const SVRESULT result = Messages::BuildGlobalSettingMessage(test.name, test.value, message);
    EXPECT_EQ(result, test.valid ? S_OK : E_FAIL) << what;
    EXPECT_EQ(message.GetCount(), test.valid ? Messages::kShortMessageLength : 0u) << what;
  }
}

TEST(ControllerMessages, RefusesPresetValuesItCannotSendAndBuildsNothing) {
  const auto withValue = [](uint32_t index, const Variant& value) {
    Array<ParamValue> values = PresetValues(kValues);
    values[index].value = value;
    return values;
  };
  const Variant one = OneByteValue::Make(0x01);
  Variant packed;
  ASSERT_EQ(packed.SetArray(&one, 1), VariantTag::Array);
  Variant twoBytes;
  const uint8_t two[] = {0x01, 0x02};
  ASSERT_EQ(twoBytes.SetBuffer(two, 2), VariantTag::Buffer);
  Variant integer;
  integer.SetInt32(5);

  struct Case {
    const char* what;
    Array<ParamValue> values;
    SVRESULT result;
  };
  const Case cases[] = {
      {"a value of 80 is a status byte", withValue(3, OneByteValue::Make(0x80)), E_INVALIDARG},
      {"F7 in the last place would end the message early", withValue(23, OneByteValue::Make(0xF7)), E_INVALIDARG},
      {"FF would reset the controller", withValue(0, OneByteValue::Make(0xFF)), E_INVALIDARG},
      {"a packed array", withValue(5, packed), E_NOTIMPL},
      {"a buffer of two bytes", withValue(5, twoBytes), E_FAIL},
      {"an integer", withValue(5, integer), E_FAIL},
      {"an empty value", withValue(5, Variant()), E_FAIL},
      {"23 values", PresetValues(CountingBytes(0, 23)), E_FAIL},
      {"25 values", PresetValues(CountingBytes(0, 25)), E_FAIL},
      {"no values", Array<ParamValue>(), E_FAIL},
  };
  for (const Case& test : cases) {
    Array<signed char> message = ToArray({0x01});
    EXPECT_EQ(Messages::BuildPresetMessage(test.values, message), test.result) << test.what;
    EXPECT_EQ(message.GetCount(), 0u) << test.what;
  }
}

TEST(ControllerMessages, RecognisesAPresetDumpOnlyInItsExactShape) {
  const auto with = [](size_t position, uint8_t byte) {
    Bytes dump = kDump;
    dump[position] = byte;
    return dump;
  };
  const auto inserted = [](size_t position, Bytes bytes) {
    Bytes dump = kDump;
    dump.insert(dump.begin() + static_cast<std::ptrdiff_t>(position), bytes.begin(), bytes.end());
    return dump;
  };
  struct Case {
    const char* what;
    Bytes message;
    bool dump;
  };
  const Case cases[] = {
      {"a dump", kDump, true},
      {"a dump whose last byte is not F7", with(31, 0x00), true},
      {"real-time bytes inside", inserted(4, {0xF8}), true},
      {"real-time bytes everywhere",
       Concatenated({{0xFE}, Bytes(kDump.begin(), kDump.begin() + 10), {0xF8, 0xFA, 0xFF},
                     Bytes(kDump.begin() + 10, kDump.end()), {0xF8}}),
       true},
      {"31 bytes", Bytes(kDump.begin(), kDump.end() - 1), false},
      {"truncated and closed", Concatenated({Bytes(kDump.begin(), kDump.begin() + 20), {0xF7}}), false},
      {"33 bytes", inserted(10, {0x01}), false},
      {"a real-time byte does not make up a missing byte", Concatenated({Bytes(kDump.begin(), kDump.end() - 1), {0xF8}}),
       false},
      {"send preset at position 4", with(4, 0x5E), false},
      {"get preset at position 4", with(4, 0x66), false},
      {"another manufacturer", with(1, 0x7E), false},
      {"another model", with(3, 0x32), false},
      {"another length byte", with(6, 0x18), false},
      {"no F0", with(0, 0x00), false},
      {"a status byte among the values", with(12, 0x90), false},
      {"F7 among the values", with(20, 0xF7), false},
      {"empty", {}, false},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(Messages::IsPresetDump(ToArray(test.message)), test.dump) << test.what;
  }
}

TEST(ControllerMessages, ParsesExactlyOneByteForEachParameterFromPositionsSevenToThirty) {
  Array<ParamValue> values = PresetValues({0x01});
  ASSERT_EQ(Messages::ParsePresetDump(ToArray(kDump), 100, values), S_OK);
  ASSERT_EQ(values.GetCount(), Messages::kParameterCount);
  for (uint32_t index = 0; index < Messages::kParameterCount; ++index) {
    EXPECT_EQ(values[index].descriptor, ParamDescriptor(100 + static_cast<int32_t>(index)));
    EXPECT_EQ(values[index].value, OneByteValue::Make(kValues[index])) << "parameter " << index;
  }
}

TEST(ControllerMessages, DumpWithRealtimeBytesInsideStillParses) {
  Bytes message = kDump;
  message.insert(message.begin() + 8, 0xF8);
  message.insert(message.begin() + 20, 0xFE);
  Array<ParamValue> values;
  ASSERT_EQ(Messages::ParsePresetDump(ToArray(message), 0, values), S_OK);
  EXPECT_EQ(values.GetCount(), Messages::kParameterCount);
  EXPECT_EQ(values[0].value, OneByteValue::Make(kValues[0]));
  EXPECT_EQ(values[23].value, OneByteValue::Make(kValues[23]));
}

TEST(ControllerMessages, LeavesTheValuesAloneWhenTheMessageIsNoDump) {
  const Array<ParamValue> before = PresetValues({0x01, 0x02});
  for (const Bytes& message : {Bytes(kDump.begin(), kDump.begin() + 20), IdentityReply(0, {0, 1, 1, 2}), Bytes{}}) {
    Array<ParamValue> values = before;
    EXPECT_EQ(Messages::ParsePresetDump(ToArray(message), 0, values), E_FAIL);
    EXPECT_EQ(values.GetCount(), 2u);
  }
  Array<ParamValue> values;
  EXPECT_EQ(Messages::ParsePresetDump(ToArray(kDump), INT32_MAX - 10, values), E_INVALIDARG);
}

TEST(ControllerMessages, RecognisesAnIdentityReplyOnlyInItsExactShape) {
  const Bytes reply = IdentityReply(0x00, {0, 1, 1, 2});
  const auto with = [&](size_t position, uint8_t byte) {
    Bytes changed = reply;
    changed[position] = byte;
    return changed;
  };
  struct Case {
    const char* what;
    Bytes message;
    bool identityReply;
  };
  const Case cases[] = {
      {"a reply", reply, true},
      {"from device 7F", IdentityReply(0x7F, {0, 1, 1, 2}), true},
      {"from device 10", IdentityReply(0x10, {0, 1, 1, 2}), true},
      {"positions 5 to 8 are not read", with(5, 0x41), true},
      {"the last byte is not read", with(34, 0x00), true},
      {"real-time bytes inside", Concatenated({Bytes(reply.begin(), reply.begin() + 9), {0xF8, 0xFE},
                                               Bytes(reply.begin() + 9, reply.end())}),
       true},
      {"34 bytes", Bytes(reply.begin(), reply.end() - 1), false},
      {"36 bytes", Concatenated({Bytes(reply.begin(), reply.end() - 1), {0x00, 0xF7}}), false},
      {"an identity request", {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, false},
      {"a request at position 4", with(4, 0x01), false},
      {"not general information", with(3, 0x07), false},
      {"not universal", with(1, 0x7D), false},
      {"a status byte in the version", with(10, 0x81), false},
      {"a preset dump", kDump, false},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(Messages::IsIdentityReply(ToArray(test.message)), test.identityReply) << test.what;
  }
}

TEST(ControllerMessages, ReadsTheFirmwareVersionFromPositionsNineToTwelve) {
  struct Case {
    Bytes firmware;
    const char16_t* text;
  };
  const Case cases[] = {
      {{0, 1, 1, 2}, u"01.12"},
      {{1, 10, 0, 5}, u"110.05"},
      {{0, 0, 0, 0}, u"00.00"},
      {{127, 127, 127, 127}, u"127127.127127"},
  };
  for (const Case& test : cases) {
    String version;
    EXPECT_EQ(Messages::ParseIdentityReply(ToArray(IdentityReply(0x00, test.firmware)), version), S_OK);
    EXPECT_EQ(version, String(test.text));
  }

  String untouched(u"kept");
  EXPECT_EQ(Messages::ParseIdentityReply(ToArray(Bytes(34, 0x00)), untouched), E_FAIL);
  EXPECT_EQ(Messages::ParseIdentityReply(ToArray(kDump), untouched), E_FAIL);
  EXPECT_EQ(untouched, String(u"kept"));
}

TEST(ControllerMessages, FramesAMessageForSendingAndRefusesWhatCannotBeFramed) {
  struct Case {
    const char* what;
    Bytes message;
    SVRESULT result;
    Bytes framed;
  };
  const Case cases[] = {
      {"an unframed request", {0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00}, S_OK,
       {0xF0, 0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00, 0xF7}},
      {"a framed message stays", {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, S_OK, {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}},
      {"only the start missing", {0x7E, 0x7F, 0x06, 0x01, 0xF7}, S_OK, {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}},
      {"only the end missing", {0xF0, 0x42, 0x43}, S_OK, {0xF0, 0x42, 0x43, 0xF7}},
      {"a single data byte", {0x42}, S_OK, {0xF0, 0x42, 0xF7}},
      {"F0 F7", {0xF0, 0xF7}, S_OK, {0xF0, 0xF7}},
      {"a single F7", {0xF7}, E_FAIL, {0xF7}},
      {"a single F0", {0xF0}, E_FAIL, {0xF0}},
      {"nothing", {}, E_FAIL, {}},
      {"a status byte inside", {0x7D, 0x90, 0x31}, E_INVALIDARG, {0x7D, 0x90, 0x31}},
      {"F7 inside", {0xF0, 0x7D, 0xF7, 0x31, 0xF7}, E_INVALIDARG, {0xF0, 0x7D, 0xF7, 0x31, 0xF7}},
      {"a single status byte", {0xFF}, E_INVALIDARG, {0xFF}},
  };
  for (const Case& test : cases) {
    Array<signed char> message = ToArray(test.message);
    EXPECT_EQ(Messages::FrameSystemExclusive(message), test.result) << test.what;
    EXPECT_EQ(ToBytes(message), test.framed) << test.what;
  }

  SimpleFixedArray<signed char, 8> full;
  for (uint8_t byte = 1; byte <= 7; ++byte) full.Append(static_cast<signed char>(byte));
  EXPECT_EQ(Messages::FrameSystemExclusive(full), E_FAIL) << "no room for the frame";
  EXPECT_EQ(full.GetCount(), 7u);
}

}  // namespace
}  // namespace SV
