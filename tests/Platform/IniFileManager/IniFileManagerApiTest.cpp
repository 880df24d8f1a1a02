#include "Platform/IniFileManager/IniFileManagerApi.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/Support/TemporaryFolder.h"

namespace IniFile {

using SV::Testing::ReadWholeFile;
using SV::Testing::TemporaryFolder;
using SV::Testing::WriteWholeFile;
namespace {

// Reads a string the way the program's loader does: a 1024-byte buffer first and,
// when the library answers that it is too small, a buffer of the size it asked for.
template <typename Read>
std::string ReadWithRetry(Read read, int32_t* status) {
  std::string buffer(1024, '\0');
  uint32_t needed = 0;
  *status = read(buffer.data(), static_cast<uint32_t>(buffer.size()), &needed);
  if (*status == IniFileResultBufferTooSmall) {
    buffer.assign(needed, '\0');
    *status = read(buffer.data(), needed, &needed);
  }
  return std::string(buffer.c_str());
}

class IniFileManagerApi : public testing::Test {
protected:
  void TearDown() override {
    for (const IniFileHandle handle : mOpened) CloseIniFile(handle, 0);
  }

  IniFileHandle Open(const std::string& name = "UserSettings.ini") {
    IniFileHandle handle = 0;
    EXPECT_EQ(OpenIniFile(mFolder.PathOf(name).c_str(), "1_0_0", "Corvex Editor", &handle), IniFileResultOk);
    mOpened.push_back(handle);
    return handle;
  }

  void Close(IniFileHandle handle) {
    EXPECT_EQ(CloseIniFile(handle, 1), IniFileResultOk);
    std::erase(mOpened, handle);
  }

  std::string ReadString(IniFileHandle handle, const char* key, int32_t* status, const char* fallback = "") {
    return ReadWithRetry([&](char* buffer, uint32_t size, uint32_t* needed) {
      return GetIniValueStr(handle, key, fallback, buffer, size, needed);
    }, status);
  }

  std::string ReadItem(IniFileHandle handle, const char* key, int32_t index, int32_t* status) {
    return ReadWithRetry([&](char* buffer, uint32_t size, uint32_t* needed) {
      return GetArrayItemAt(handle, key, index, buffer, size, needed);
    }, status);
  }

  std::string FileText(const std::string& name = "UserSettings.ini") { return ReadWholeFile(mFolder.PathOf(name)); }

  TemporaryFolder mFolder;
  std::vector<IniFileHandle> mOpened;
};

TEST_F(IniFileManagerApi, IntegersAndStringsRoundTripThroughTheFile) {
  const struct { const char* key; int32_t value; } numbers[] = {
      {"CurrentSkinIndex", 3}, {"Window/Main/Left", -250}, {"Limits/Lowest", INT32_MIN}, {"Limits/Highest", INT32_MAX}};
  IniFileHandle handle = Open();
  for (const auto& number : numbers) EXPECT_EQ(SetIniValueInt(handle, number.key, number.value), IniFileResultOk);
  EXPECT_EQ(SetIniValueStr(handle, "PresetLastFolderPath", "/users/player/Presets"), IniFileResultOk);
  Close(handle);

  handle = Open();
  for (const auto& number : numbers) {
    int32_t value = 0;
    EXPECT_EQ(GetIniValueInt(handle, number.key, 7, &value), IniFileResultOk) << number.key;
    EXPECT_EQ(value, number.value) << number.key;
  }
  int32_t status = 0;
  EXPECT_EQ(ReadString(handle, "PresetLastFolderPath", &status), "/users/player/Presets");
  EXPECT_EQ(status, IniFileResultOk);
  EXPECT_NE(FileText().find("\nCurrentSkinIndex=3\n"), std::string::npos) << FileText();
}

TEST_F(IniFileManagerApi, ReadsGiveTheDefaultWhenThereIsNoUsableValue) {
  WriteWholeFile(mFolder.PathOf("UserSettings.ini"), "Word=abc\nTrailing=12x\nHuge=99999999999\nPlus=+5\nEmpty=\n");
  const IniFileHandle handle = Open();
  for (const char* key : {"Missing", "Word", "Trailing", "Huge", "Plus", "Empty", "Nowhere/Missing"}) {
    int32_t value = 0;
    EXPECT_EQ(GetIniValueInt(handle, key, 42, &value), IniFileResultDefaultUsed) << key;
    EXPECT_EQ(value, 42) << key;
  }
  int32_t status = 0;
  EXPECT_EQ(ReadString(handle, "Missing", &status, "fallback"), "fallback");
  EXPECT_EQ(status, IniFileResultDefaultUsed);
  EXPECT_EQ(ReadString(handle, "Empty", &status, "fallback"), "");
  EXPECT_EQ(status, IniFileResultOk);
}

TEST_F(IniFileManagerApi, KeysSectionsAndCommentsNobodyAskedForSurviveAWrite) {
  WriteWholeFile(mFolder.PathOf("UserSettings.ini"),
                 "; kept by hand\nCurrentSkinIndex = 1\nFutureSetting=on\n\n"
                 "[Plugins]\n# disabled\nPath=/opt/x\n");
  const IniFileHandle handle = Open();
  EXPECT_EQ(SetIniValueInt(handle, "CurrentSkinIndex", 2), IniFileResultOk);
  EXPECT_EQ(SetIniValueStr(handle, "PresetLastFolderPath", "/p"), IniFileResultOk);
  EXPECT_EQ(FileText(), "; kept by hand\nCurrentSkinIndex = 2\nFutureSetting=on\nPresetLastFolderPath=/p\n\n"
                        "[Plugins]\n# disabled\nPath=/opt/x\n");
}

TEST_F(IniFileManagerApi, ANewFileIsHeadedByProductAndVersionAndWrittenAtTheFirstChange) {
  const IniFileHandle handle = Open();
  EXPECT_FALSE(std::filesystem::exists(mFolder.PathOf("UserSettings.ini")));
  EXPECT_EQ(SetIniValueInt(handle, "CurrentSkinIndex", 1), IniFileResultOk);
  EXPECT_EQ(FileText(), "; Corvex Editor settings, version 1_0_0\nCurrentSkinIndex=1\n");
  EXPECT_EQ(SetIniValueInt(handle, "CurrentSkinIndex", 1), IniFileResultUnchanged);
}

TEST_F(IniFileManagerApi, StringReadReportsTheNeededSizeAndTheRetryReadsItWhole) {
  const IniFileHandle handle = Open();
  const std::string longValue(2000, 'v');
  ASSERT_EQ(SetIniValueStr(handle, "Long", longValue.c_str()), IniFileResultOk);

  std::vector<char> buffer(1024, '#');
  uint32_t needed = 0;
  EXPECT_EQ(GetIniValueStr(handle, "Long", "", buffer.data(), 1024, &needed), IniFileResultBufferTooSmall);
  EXPECT_EQ(needed, 2001u);
  EXPECT_EQ(buffer[0], '\0');

  buffer.assign(needed, '#');
  EXPECT_EQ(GetIniValueStr(handle, "Long", "", buffer.data(), needed, &needed), IniFileResultOk);
  EXPECT_EQ(std::string(buffer.data()), longValue);
}

TEST_F(IniFileManagerApi, StringReadNeverWritesBeyondTheGivenSize) {
  const IniFileHandle handle = Open();
  const std::string value = "0123456789";
  ASSERT_EQ(SetIniValueStr(handle, "Value", value.c_str()), IniFileResultOk);
  const struct { uint32_t size; int32_t result; } rows[] = {
      {1, IniFileResultBufferTooSmall}, {5, IniFileResultBufferTooSmall},
      {10, IniFileResultBufferTooSmall}, {11, IniFileResultOk}, {20, IniFileResultOk}};
  for (const auto& row : rows) {
    std::vector<char> buffer(32, '#');
    uint32_t needed = 0;
    EXPECT_EQ(GetIniValueStr(handle, "Value", "", buffer.data(), row.size, &needed), row.result) << row.size;
    EXPECT_EQ(needed, 11u);
    const std::string expected = row.result == IniFileResultOk ? value : "";
    EXPECT_EQ(std::string(buffer.data()), expected) << row.size;
    for (std::size_t index = std::max<std::size_t>(row.size, expected.size() + 1); index < buffer.size(); ++index) {
      ASSERT_EQ(buffer[index], '#') << "byte " << index << " written with size " << row.size;
    }
  }
}

TEST_F(IniFileManagerApi, ANullBufferOnlyAsksForTheSize) {
  const IniFileHandle handle = Open();
  ASSERT_EQ(SetIniValueStr(handle, "Value", "abc"), IniFileResultOk);
  uint32_t needed = 0;
  EXPECT_EQ(GetIniValueStr(handle, "Value", "", nullptr, 0, &needed), IniFileResultBufferTooSmall);
  EXPECT_EQ(needed, 4u);
  EXPECT_EQ(GetIniValueStr(handle, "Value", "", nullptr, 8, &needed), IniFileResultInvalidArgument);
}

TEST_F(IniFileManagerApi, CharactersBeyondTheBasicPlaneRoundTripInKeysAndValues) {
  // Both texts hold characters that the program's UTF-16 strings carry as surrogate pairs.
  const char* key = "Kl\xC3\xA4nge/\xF0\x9F\x8E\xB9Tastatur";
  const char* value = "\xF0\x9D\x84\x9E Noten \xE2\x9C\x93 \xF0\x9D\x95\x8F";
  IniFileHandle handle = Open();
  ASSERT_EQ(SetIniValueStr(handle, key, value), IniFileResultOk);
  Close(handle);

  EXPECT_EQ(FileText(), std::string("; Corvex Editor settings, version 1_0_0\n\n[Kl\xC3\xA4nge]\n"
                                    "\xF0\x9F\x8E\xB9Tastatur=") + value + "\n");
  handle = Open();
  int32_t status = 0;
  EXPECT_EQ(ReadString(handle, key, &status), value);
  EXPECT_EQ(status, IniFileResultOk);
  const std::string name = ReadWithRetry([&](char* buffer, uint32_t size, uint32_t* needed) {
    return GetKeyNameAt(handle, "Kl\xC3\xA4nge", 0, buffer, size, needed);
  }, &status);
  EXPECT_EQ(name, "\xF0\x9F\x8E\xB9Tastatur");
}

TEST_F(IniFileManagerApi, RefusesNamesAndTextsThatCannotBeStoredAndWritesNothing) {
  const IniFileHandle handle = Open();
  const struct { const char* what; const char* key; const char* text; } rows[] = {
      {"a line break in the value", "Key", "a\nb"},
      {"an encoded surrogate in the value", "Key", "\xED\xA0\x80"},
      {"a cut-off sequence in the value", "Key", "\xF0\x9F"},
      {"no value", "Key", nullptr},
      {"no key", nullptr, "x"},
      {"an empty key", "", "x"},
      {"an equals sign in the key", "A=B", "x"},
      {"an empty key name after the section", "Section/", "x"},
      {"an empty section before the key", "/Key", "x"},
      {"blanks around the key", " Key", "x"},
      {"a key that reads as a comment", ";Key", "x"},
      {"a bracket in the section", "Sec]tion/Key", "x"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(SetIniValueStr(handle, row.key, row.text), IniFileResultInvalidArgument) << row.what;
  }
  EXPECT_FALSE(std::filesystem::exists(mFolder.PathOf("UserSettings.ini")));
}

TEST_F(IniFileManagerApi, ArraysAreKeptAsNumberedKeysOfTheirSection) {
  const IniFileHandle handle = Open();
  for (const char* item : {"a", "b", "c"}) {
    int32_t count = 0;
    ASSERT_EQ(GetArrayCount(handle, "Files/Recent", &count), IniFileResultOk);
    ASSERT_EQ(SetArrayItemAt(handle, "Files/Recent", count, item), IniFileResultOk);
  }
  EXPECT_NE(FileText().find("[Files]\nRecent[0]=a\nRecent[1]=b\nRecent[2]=c\n"), std::string::npos) << FileText();

  const auto items = [&] {
    int32_t count = 0;
    GetArrayCount(handle, "Files/Recent", &count);
    std::vector<std::string> read;
    for (int32_t index = 0; index < count; ++index) {
      int32_t status = 0;
      read.push_back(ReadItem(handle, "Files/Recent", index, &status));
    }
    return read;
  };
  EXPECT_EQ(RemoveArrayItemAt(handle, "Files/Recent", 1), IniFileResultOk);
  EXPECT_EQ(items(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(SetArrayCount(handle, "Files/Recent", 4), IniFileResultOk);
  EXPECT_EQ(items(), (std::vector<std::string>{"a", "c", "", ""}));
  EXPECT_EQ(SetArrayItemAt(handle, "Files/Recent", 3, "d"), IniFileResultOk);
  EXPECT_EQ(SetArrayCount(handle, "Files/Recent", 1), IniFileResultOk);
  EXPECT_EQ(items(), (std::vector<std::string>{"a"}));
  EXPECT_EQ(FileText().find("Recent[1]"), std::string::npos) << FileText();
}

TEST_F(IniFileManagerApi, ArrayCallsRefuseIndicesAndCountsOutsideTheArray) {
  const IniFileHandle handle = Open();
  ASSERT_EQ(SetArrayCount(handle, "Recent", 2), IniFileResultOk);
  char buffer[16] = "#";
  EXPECT_EQ(GetArrayItemAt(handle, "Recent", 2, buffer, sizeof buffer, nullptr), IniFileResultIndexOutOfRange);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(GetArrayItemAt(handle, "Recent", -1, buffer, sizeof buffer, nullptr), IniFileResultIndexOutOfRange);
  EXPECT_EQ(SetArrayItemAt(handle, "Recent", 3, "x"), IniFileResultIndexOutOfRange);
  EXPECT_EQ(RemoveArrayItemAt(handle, "Recent", 2), IniFileResultIndexOutOfRange);
  EXPECT_EQ(SetArrayCount(handle, "Recent", -1), IniFileResultInvalidArgument);
  EXPECT_EQ(SetArrayCount(handle, "Recent", 4097), IniFileResultInvalidArgument);
}

TEST_F(IniFileManagerApi, AnArrayIsTheUnbrokenRunOfItemsFromZero) {
  WriteWholeFile(mFolder.PathOf("UserSettings.ini"), "Recent[0]=a\nRecent[2]=stale\nRecent[01]=odd\n");
  const IniFileHandle handle = Open();
  int32_t count = 0;
  EXPECT_EQ(GetArrayCount(handle, "Recent", &count), IniFileResultOk);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(SetArrayCount(handle, "Recent", 3), IniFileResultOk);
  EXPECT_EQ(FileText(), "Recent[0]=a\nRecent[01]=odd\nRecent[1]=\nRecent[2]=\n");
}

TEST_F(IniFileManagerApi, ListsANodesKeysAndKnowsWhichNodesExist) {
  WriteWholeFile(mFolder.PathOf("UserSettings.ini"), "Root=1\n[Window/Main]\nWidth=5\nHeight=6\nWidth=7\n");
  const IniFileHandle handle = Open();
  int32_t count = 0;
  EXPECT_EQ(GetKeyCount(handle, "Window/Main", &count), IniFileResultOk);
  EXPECT_EQ(count, 2);
  int32_t status = 0;
  const std::string second = ReadWithRetry([&](char* buffer, uint32_t size, uint32_t* needed) {
    return GetKeyNameAt(handle, "Window/Main", 1, buffer, size, needed);
  }, &status);
  EXPECT_EQ(second, "Height");
  char buffer[8];
  EXPECT_EQ(GetKeyNameAt(handle, "Window/Main", 2, buffer, sizeof buffer, nullptr), IniFileResultIndexOutOfRange);
  EXPECT_EQ(GetKeyCount(handle, "Nowhere", &count), IniFileResultOk);
  EXPECT_EQ(count, 0);

  const struct { const char* node; uint8_t exists; } rows[] = {
      {"", 1}, {"Window", 1}, {"Window/Main", 1}, {"Window/Main/Width", 1}, {"Root", 1},
      {"Win", 0}, {"Window/Main/Depth", 0}, {"Other", 0}};
  for (const auto& row : rows) EXPECT_EQ(DoesNodeExist(handle, row.node), row.exists) << row.node;
}

TEST_F(IniFileManagerApi, UnknownHandlesAreRefusedWithTheOutValuesPreset) {
  const IniFileHandle closed = Open();
  Close(closed);
  for (const IniFileHandle handle : {0, -1, 999999, closed}) {
    int32_t value = 0;
    EXPECT_EQ(GetIniValueInt(handle, "Key", 17, &value), IniFileResultUnknownHandle);
    EXPECT_EQ(value, 17);
    int32_t count = 5;
    EXPECT_EQ(GetKeyCount(handle, "", &count), IniFileResultUnknownHandle);
    EXPECT_EQ(count, 0);
    char buffer[8] = "#";
    EXPECT_EQ(GetIniValueStr(handle, "Key", "dflt", buffer, sizeof buffer, nullptr), IniFileResultUnknownHandle);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(SetIniValueInt(handle, "Key", 1), IniFileResultUnknownHandle);
    EXPECT_EQ(WriteIniFile(handle), IniFileResultUnknownHandle);
    EXPECT_EQ(CloseIniFile(handle, 1), IniFileResultUnknownHandle);
    EXPECT_EQ(DoesNodeExist(handle, ""), 0);
  }
}

TEST_F(IniFileManagerApi, OpeningAPathAgainSharesItsHandleUntilClosedAsOften) {
  const IniFileHandle first = Open();
  const IniFileHandle second = Open();
  EXPECT_EQ(first, second);
  EXPECT_GT(first, 0);
  Close(first);
  EXPECT_EQ(SetIniValueInt(second, "Key", 1), IniFileResultOk);
  Close(second);
  EXPECT_EQ(SetIniValueInt(second, "Key", 2), IniFileResultUnknownHandle);
}

TEST_F(IniFileManagerApi, RefusesMissingOutPointersAndPaths) {
  IniFileHandle handle = 7;
  EXPECT_EQ(OpenIniFile(nullptr, "1_0_0", "Corvex Editor", &handle), IniFileResultInvalidArgument);
  EXPECT_EQ(handle, 0);
  EXPECT_EQ(OpenIniFile("", "1_0_0", "Corvex Editor", &handle), IniFileResultInvalidArgument);
  EXPECT_EQ(OpenIniFile(mFolder.PathOf("a.ini").c_str(), "1_0_0", "Corvex Editor", nullptr),
            IniFileResultInvalidArgument);
  const IniFileHandle open = Open();
  EXPECT_EQ(GetIniValueInt(open, "Key", 0, nullptr), IniFileResultInvalidArgument);
  EXPECT_EQ(GetKeyCount(open, "", nullptr), IniFileResultInvalidArgument);
  EXPECT_EQ(GetArrayCount(open, "Key", nullptr), IniFileResultInvalidArgument);
}

TEST_F(IniFileManagerApi, BackslashesInAFilePathSeparateFolders) {
  const std::string path = mFolder.PathOf("") + "\\UserSettings.ini";
  IniFileHandle handle = 0;
  ASSERT_EQ(OpenIniFile(path.c_str(), "1_0_0", "Corvex Editor", &handle), IniFileResultOk);
  mOpened.push_back(handle);
  EXPECT_EQ(SetIniValueInt(handle, "CurrentSkinIndex", 4), IniFileResultOk);
  EXPECT_NE(FileText().find("CurrentSkinIndex=4"), std::string::npos);
}

TEST_F(IniFileManagerApi, CallsFromManyThreadsOnOneHandleAreSerialised) {
  const IniFileHandle handle = Open();
  constexpr int kThreads = 4;
  constexpr int kWrites = 20;
  std::vector<std::thread> threads;
  for (int thread = 0; thread < kThreads; ++thread) {
    threads.emplace_back([handle, thread] {
      const std::string key = "Threads/T" + std::to_string(thread);
      for (int write = 1; write <= kWrites; ++write) {
        SetIniValueInt(handle, key.c_str(), write);
        int32_t value = 0;
        GetIniValueInt(handle, key.c_str(), 0, &value);
        EXPECT_EQ(value, write);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  int32_t count = 0;
  EXPECT_EQ(GetKeyCount(handle, "Threads", &count), IniFileResultOk);
  EXPECT_EQ(count, kThreads);
  for (int thread = 0; thread < kThreads; ++thread) {
    EXPECT_NE(FileText().find("T" + std::to_string(thread) + "=" + std::to_string(kWrites)), std::string::npos);
  }
}

TEST(IniFileManagerLibrary, ExportsTheFifteenEntryPointsByName) {
  void* library = dlopen(INI_FILE_MANAGER_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  for (const char* name : {"OpenIniFile", "WriteIniFile", "CloseIniFile", "DoesNodeExist", "GetIniValueInt",
                           "SetIniValueInt", "GetIniValueStr", "SetIniValueStr", "GetKeyCount", "GetKeyNameAt",
                           "GetArrayCount", "SetArrayCount", "GetArrayItemAt", "SetArrayItemAt",
                           "RemoveArrayItemAt"}) {
    EXPECT_NE(dlsym(library, name), nullptr) << name;
  }
  const auto getValue = reinterpret_cast<GetIniValueIntFunction>(dlsym(library, "GetIniValueInt"));
  int32_t value = 0;
  EXPECT_EQ(getValue(0, "CurrentSkinIndex", 3, &value), IniFileResultUnknownHandle);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(dlclose(library), 0);
}

}  // namespace
}  // namespace IniFile
