#include "SVFramework/Utilities/IniFileManagerProxy.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using SV::E_FAIL;
using SV::String;

const String kRealLibraryFolder(INI_REAL_LIBRARY_FOLDER);
const String kPartialLibraryFolder(INI_PARTIAL_LIBRARY_FOLDER);

TEST(IniFileManagerProxy, WithoutTheLibraryEveryReadGivesItsDefaultAndFails) {
  CIniFileManagerProxy proxy;
  EXPECT_EQ(proxy.Load(String(u"/nonexistent-folder")), E_FAIL);
  int32_t value = -1;
  EXPECT_EQ(proxy.GetIniValueInt(1, String(u"CurrentSkinIndex"), 3, value), E_FAIL);
  EXPECT_EQ(value, 3);
  String text(u"stale");
  EXPECT_EQ(proxy.GetIniValueStr(1, String(u"PresetLastFolderPath"), String(u"/home"), text), E_FAIL);
  EXPECT_EQ(text, u"/home");
  int32_t handle = 9;
  EXPECT_EQ(proxy.OpenIniFile(String(u"/tmp/x.ini"), String(u"1_0_0"), String(u"P"), handle), E_FAIL);
  EXPECT_EQ(handle, 0);
  EXPECT_FALSE(proxy.DoesNodeExist(1, String()));
}

TEST(IniFileManagerProxy, LoadsOnlyByAbsolutePath) {
  CIniFileManagerProxy proxy;
  EXPECT_EQ(proxy.Load(String(u"relative/folder")), E_FAIL);
  EXPECT_EQ(proxy.Unload(), SV::S_FALSE);
}

TEST(IniFileManagerProxy, LoadTwiceAnswersOneAndUnloadWhenNotLoadedAnswersOne) {
  CIniFileManagerProxy proxy;
  EXPECT_EQ(proxy.Unload(), SV::S_FALSE);
  EXPECT_EQ(proxy.Load(kRealLibraryFolder), SV::S_OK);
  EXPECT_EQ(proxy.Load(kRealLibraryFolder), SV::S_FALSE);
  EXPECT_EQ(proxy.Unload(), SV::S_OK);
}

class IniFileManagerProxyWithRealLibrary : public testing::Test {
protected:
  void SetUp() override {
    mFolder = std::filesystem::temp_directory_path() / ("ini-proxy-" + std::to_string(::getpid()));
    std::filesystem::create_directories(mFolder);
    ASSERT_EQ(mManager->Load(kRealLibraryFolder), SV::S_OK);
    const String path((mFolder / "UserSettings.ini").c_str());
    ASSERT_GE(mManager->OpenIniFile(path, String(u"1_0_0"), String(u"Corvex Editor"), mHandle), 0);
    ASSERT_NE(mHandle, 0);
  }
  void TearDown() override {
    mManager.Reset();
    std::filesystem::remove_all(mFolder);
  }

  SV::RCPtr<SV::LIniFileManager> mManager{new SV::LIniFileManager};
  std::filesystem::path mFolder;
  int32_t mHandle = 0;
};

TEST_F(IniFileManagerProxyWithRealLibrary, KeepsIntegersAndTextsForLaterReads) {
  EXPECT_GE(mManager->SetIniValueInt(mHandle, String(u"CurrentSkinIndex"), 1), 0);
  const String folder(u"/users/user/Presets \u00E9\U0001F3B9");
  EXPECT_GE(mManager->SetIniValueStr(mHandle, String(u"PresetLastFolderPath"), folder), 0);
  int32_t skin = 0;
  EXPECT_GE(mManager->GetIniValueInt(mHandle, String(u"CurrentSkinIndex"), 0, skin), 0);
  EXPECT_EQ(skin, 1);
  String read;
  EXPECT_GE(mManager->GetIniValueStr(mHandle, String(u"PresetLastFolderPath"), String(), read), 0);
  EXPECT_EQ(read, folder);
}

TEST_F(IniFileManagerProxyWithRealLibrary, ReadsATextLongerThanTheFirstBufferWhole) {
  const String longText(std::u16string(2000, u'z').c_str());
  ASSERT_GE(mManager->SetIniValueStr(mHandle, String(u"Long"), longText), 0);
  String read;
  EXPECT_EQ(mManager->GetIniValueStr(mHandle, String(u"Long"), String(), read), 0);
  EXPECT_EQ(read, longText);
}

class IniFileManagerProxyWithPartialLibrary : public testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(mProxy.Load(kPartialLibraryFolder), E_FAIL); }

  int TextReads() {
    void* library = dlopen((std::string(INI_PARTIAL_LIBRARY_FOLDER) + "/libIniFileManager.so").c_str(),
                           RTLD_NOW | RTLD_NOLOAD);
    auto count = reinterpret_cast<int (*)()>(dlsym(library, "TextReadsSoFar"));
    const int reads = count ? count() : -1;
    if (library) dlclose(library);
    return reads;
  }

  CIniFileManagerProxy mProxy;
};

TEST_F(IniFileManagerProxyWithPartialLibrary, OnlyTheOperationWithoutEntryPointFails) {
  EXPECT_EQ(mProxy.RemoveArrayItemAt(7, String(u"List"), 0), E_FAIL);
  int32_t count = 0;
  EXPECT_EQ(mProxy.GetKeyCount(7, String(), count), 0);
  EXPECT_EQ(count, 3);
  String name;
  EXPECT_EQ(mProxy.GetKeyNameAt(7, String(), 2, name), 0);
  EXPECT_EQ(name, u"key2");
  EXPECT_EQ(mProxy.GetArrayItemAt(7, String(u"List"), 1, name), 0);
  EXPECT_EQ(name, u"item1");
}

TEST_F(IniFileManagerProxyWithPartialLibrary, ALongTextTakesExactlyTwoCalls) {
  const int before = TextReads();
  String text;
  EXPECT_EQ(mProxy.GetIniValueStr(7, String(u"long"), String(), text), 0);
  EXPECT_EQ(text.GetLength(), 2000);
  EXPECT_EQ(TextReads() - before, 2);
}

TEST_F(IniFileManagerProxyWithPartialLibrary, AnInsaneSizeOrAMissingTerminatorNeverReachesTheCaller) {
  struct Case { const char16_t* key; SVRESULT result; const char16_t* text; };
  const Case cases[] = {
      {u"huge", E_FAIL, u"default"},
      {u"zero", E_FAIL, u"default"},
  };
  for (const Case& c : cases) {
    String text;
    EXPECT_EQ(mProxy.GetIniValueStr(7, String(c.key), String(u"default"), text), c.result) << String(c.key);
    EXPECT_EQ(text, c.text) << String(c.key);
  }
  String unterminated;
  EXPECT_EQ(mProxy.GetIniValueStr(7, String(u"unterminated"), String(), unterminated), 0);
  EXPECT_EQ(unterminated.GetLength(), 1023);
}

}  // namespace
