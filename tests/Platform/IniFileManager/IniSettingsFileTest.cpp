#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "Platform/IniFileManager/IniFileManagerApi.h"
#include "tests/Support/TemporaryFolder.h"
#include "tests/Support/CaseName.h"

// How the library keeps the file on disk whole, seen through its entry points.
namespace IniFile {

using SV::Testing::ReadWholeFile;
using SV::Testing::TemporaryFolder;
using SV::Testing::WriteWholeFile;
namespace {

// The library writes through this file beside the settings file.
std::string TemporaryNameOf(const std::string& path) { return path + ".tmp"; }

class IniSettingsFileOnDisk : public testing::Test {
protected:
  void TearDown() override {
    if (mHandle != 0) CloseIniFile(mHandle, 0);
  }

  int32_t Open() { return OpenIniFile(mPath.c_str(), "1_0_0", "Corvex Editor", &mHandle); }

  TemporaryFolder mFolder;
  std::string mPath = mFolder.PathOf("AppSettings.ini");
  IniFileHandle mHandle = 0;
};

struct SpoiledFile {
  const char* what;
  std::string bytes;
};

class FileThatCannotBeParsed : public IniSettingsFileOnDisk, public testing::WithParamInterface<SpoiledFile> {};

TEST_P(FileThatCannotBeParsed, IsRefusedAtOpenAndLeftUntouched) {
  WriteWholeFile(mPath, GetParam().bytes);
  EXPECT_EQ(Open(), IniFileResultFileError) << GetParam().what;
  EXPECT_EQ(mHandle, 0);
  EXPECT_EQ(ReadWholeFile(mPath), GetParam().bytes);
  EXPECT_FALSE(std::filesystem::exists(TemporaryNameOf(mPath)));
}

INSTANTIATE_TEST_SUITE_P(Cases, FileThatCannotBeParsed, testing::Values(
    SpoiledFile{"invalid UTF-8", "CurrentSkinIndex=1\nName=\xFF\xFE\n"},
    SpoiledFile{"a line that is no entry", "CurrentSkinIndex=1\nthis is not ini\n"},
    SpoiledFile{"a NUL byte", std::string("A=1\n\0\n", 6)},
    SpoiledFile{"more than 1 MiB", std::string(1024 * 1024 + 1, '\n')}),
    SV::Testing::NameFromWhat());

TEST_F(IniSettingsFileOnDisk, AFolderInPlaceOfTheFileIsRefused) {
  std::filesystem::create_directory(mPath);
  EXPECT_EQ(Open(), IniFileResultFileError);
  EXPECT_EQ(mHandle, 0);
}

TEST_F(IniSettingsFileOnDisk, AFileSpoiledWhileOpenIsNotOverwritten) {
  WriteWholeFile(mPath, "A=1\n");
  ASSERT_EQ(Open(), IniFileResultOk);
  WriteWholeFile(mPath, "A=1\nnot ini\n");
  EXPECT_EQ(SetIniValueInt(mHandle, "A", 2), IniFileResultFileError);
  EXPECT_EQ(WriteIniFile(mHandle), IniFileResultFileError);
  EXPECT_EQ(ReadWholeFile(mPath), "A=1\nnot ini\n");
}

TEST_F(IniSettingsFileOnDisk, AFailedWriteLeavesTheOldFileWholeAndIsTriedAgain) {
  WriteWholeFile(mPath, "A=1\n");
  ASSERT_EQ(Open(), IniFileResultOk);
  // A folder under the temporary file's name makes the write fail, even for root.
  std::filesystem::create_directory(TemporaryNameOf(mPath));

  EXPECT_EQ(SetIniValueInt(mHandle, "A", 2), IniFileResultFileError);
  EXPECT_EQ(ReadWholeFile(mPath), "A=1\n");
  EXPECT_TRUE(std::filesystem::is_directory(TemporaryNameOf(mPath)));
  int32_t value = 0;
  EXPECT_EQ(GetIniValueInt(mHandle, "A", 0, &value), IniFileResultOk);
  EXPECT_EQ(value, 2);

  std::filesystem::remove(TemporaryNameOf(mPath));
  EXPECT_EQ(CloseIniFile(mHandle, 1), IniFileResultOk);
  mHandle = 0;
  EXPECT_EQ(ReadWholeFile(mPath), "A=2\n");
}

TEST_F(IniSettingsFileOnDisk, ClosingWithoutWritingDropsAFailedChange) {
  WriteWholeFile(mPath, "A=1\n");
  ASSERT_EQ(Open(), IniFileResultOk);
  std::filesystem::create_directory(TemporaryNameOf(mPath));
  EXPECT_EQ(SetIniValueInt(mHandle, "A", 2), IniFileResultFileError);
  std::filesystem::remove(TemporaryNameOf(mPath));
  EXPECT_EQ(CloseIniFile(mHandle, 0), IniFileResultOk);
  mHandle = 0;
  EXPECT_EQ(ReadWholeFile(mPath), "A=1\n");
}

TEST_F(IniSettingsFileOnDisk, AWriteIntoAMissingFolderFailsAndCreatesNothing) {
  mPath = mFolder.PathOf("Missing/AppSettings.ini");
  ASSERT_EQ(Open(), IniFileResultOk);
  EXPECT_EQ(SetIniValueStr(mHandle, "PresetLastFolderPath", "/p"), IniFileResultFileError);
  EXPECT_FALSE(std::filesystem::exists(mFolder.PathOf("Missing")));
}

TEST_F(IniSettingsFileOnDisk, AWriteKeepsTheFilesPermissionsAndLeavesNoTemporaryFile) {
  WriteWholeFile(mPath, "A=1\n");
  ASSERT_EQ(::chmod(mPath.c_str(), 0600), 0);
  ASSERT_EQ(Open(), IniFileResultOk);
  EXPECT_EQ(SetIniValueInt(mHandle, "A", 2), IniFileResultOk);
  struct stat status {};
  ASSERT_EQ(::stat(mPath.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_FALSE(std::filesystem::exists(TemporaryNameOf(mPath)));
}

}  // namespace
}  // namespace IniFile
