#include "SVFramework/Utilities/Storage/SVFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/Support/ScopedEnvironment.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using Testing::TemporaryFolder;

String Wide(const std::string& utf8) { return String(utf8.c_str()); }

// The text of the exception the call raises, or "no exception".
template <class Call>
std::string RuntimeErrorText(Call call) {
  try {
    call();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no exception";
}

MATCHER_P(StartsWith, prefix, "") { return arg.starts_with(prefix); }

class FileTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_FALSE(folder.Path().empty()); }

  String PathOf(const std::string& name) const { return Wide(folder.PathOf(name)); }
  std::string ReadAll(File& file) {
    std::string bytes(file.GetLength(), '\0');
    bytes.resize(static_cast<size_t>(file.Read(bytes.data(), static_cast<uint32_t>(bytes.size()), 0)));
    return bytes;
  }

  TemporaryFolder folder;
};

TEST_F(FileTest, OpensFolderPlusNameAndReadsTheWholeFile) {
  folder.WriteFile("preset.corvex", std::string("\x02\0\0\0binary", 10));
  File file(Wide(folder.Path()), u"preset.corvex", File::kRead);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.GetName(), u"preset.corvex");
  EXPECT_EQ(file.GetPath(), PathOf("preset.corvex"));
  EXPECT_EQ(file.GetLength(), 10u);
  EXPECT_EQ(ReadAll(file), std::string("\x02\0\0\0binary", 10));
}

TEST_F(FileTest, AnEmptyNameOpensTheFolderArgumentAsTheWholePath) {
  folder.WriteFile("skin.xml", "<Skin/>");
  File file(PathOf("skin.xml"), u"", File::kRead);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.GetPath(), PathOf("skin.xml"));
  EXPECT_EQ(file.GetName(), u"");
}

TEST_F(FileTest, AnEmptyFolderRaisesInvalidPathnameWithOrWithoutAName) {
  const char* expected = "Runtime Error : invalid pathname : SV::File::Open : Utilities/Storage/SVFile : Line ";
  EXPECT_THAT(RuntimeErrorText([] { File file(u"", u"", File::kRead); }), StartsWith(expected));
  EXPECT_THAT(RuntimeErrorText([] { File file(u"", u"UserSettings.ini", File::kCreate | File::kReadWrite); }),
              StartsWith(expected));
}

TEST_F(FileTest, OpeningAnOpenFileReturnsOneAndKeepsTheFirstFile) {
  folder.WriteFile("first", "1");
  folder.WriteFile("second", "22");
  File file(PathOf("first"), u"", File::kRead);
  EXPECT_EQ(file.Open(PathOf("second"), u"", File::kRead), S_FALSE);
  EXPECT_EQ(file.GetPath(), PathOf("first"));
  EXPECT_EQ(file.GetLength(), 1u);
}

TEST_F(FileTest, CreationFlagsDecideWhetherAnOpenSucceedsAndNeverTruncate) {
  struct Case { bool exists; uint32_t flags; SVRESULT result; bool existsAfter; const char* what; };
  const Case cases[] = {
      {true, File::kCreate | File::kExclusive | File::kReadWrite, E_FAIL, true, "exclusive on an existing file"},
      {false, File::kCreate | File::kExclusive | File::kReadWrite, S_OK, true, "exclusive on a new file"},
      {true, File::kCreate | File::kReadWrite, S_OK, true, "create keeps an existing file whole"},
      {false, File::kCreate | File::kReadWrite, S_OK, true, "create makes a missing file"},
      {false, File::kRead, E_FAIL, false, "read of a missing file"},
      {false, File::kReadWrite, E_FAIL, false, "read-write without create of a missing file"},
      {false, File::kExclusive | File::kReadWrite, E_FAIL, false, "exclusive alone creates nothing"},
  };
  for (const Case& c : cases) {
    const std::string name = std::string("case-") + std::to_string(&c - cases);
    if (c.exists) folder.WriteFile(name, "kept");
    File file(PathOf("never-there"), u"", File::kRead);
    EXPECT_EQ(file.Open(Wide(folder.Path()), Wide(name), c.flags), c.result) << c.what;
    EXPECT_EQ(file.IsOpen(), c.result == S_OK) << c.what;
    EXPECT_EQ(std::filesystem::exists(folder.PathOf(name)), c.existsAfter) << c.what;
    if (c.exists) {
      EXPECT_EQ(folder.ReadFile(name), "kept") << c.what;
    }
  }
}

TEST_F(FileTest, NewFilesAreReadableAndWritableByTheOwnerOnly) {
  File file(Wide(folder.Path()), u"new", File::kCreate | File::kReadWrite);
  struct stat status {};
  ASSERT_EQ(stat(folder.PathOf("new").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(FileTest, AFileThatCannotBeOpenedStaysClosedAndFailsEveryAccess) {
  File file(PathOf("missing"), u"", File::kRead);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.GetLength(), 0u);
  EXPECT_EQ(file.Seek(0, 0), -1);
  char byte = 0;
  EXPECT_THAT(RuntimeErrorText([&] { file.Read(&byte, 1); }),
              StartsWith("Runtime Error : read : SV::File::Read : Utilities/Storage/SVFile : Line "));
  EXPECT_THAT(RuntimeErrorText([&] { file.Read(&byte, 1, 0); }),
              StartsWith("Runtime Error : lseek : SV::File::Read : Utilities/Storage/SVFile : Line "));
}

TEST_F(FileTest, ReadingWithoutOffsetGoesOnFromTheCurrentPositionAndPastTheEndGivesZero) {
  folder.WriteFile("data", "abcdef");
  File file(PathOf("data"), u"", File::kRead);
  char bytes[8] = {};
  EXPECT_EQ(file.Read(bytes, 2, 1), 2);
  EXPECT_EQ(std::string(bytes, 2), "bc");
  EXPECT_EQ(file.Read(bytes, 8), 3);
  EXPECT_EQ(std::string(bytes, 3), "def");
  EXPECT_EQ(file.Read(bytes, 8), 0);
  EXPECT_EQ(file.Read(bytes, 8, 100), 0);
  EXPECT_EQ(file.Read(bytes, 3, 0), 3);
}

TEST_F(FileTest, ANegativeOffsetOtherThanMinusOneRaisesLseek) {
  folder.WriteFile("data", "abc");
  File file(PathOf("data"), u"", File::kRead);
  char byte = 0;
  EXPECT_THAT(RuntimeErrorText([&] { file.Read(&byte, 1, -2); }), StartsWith("Runtime Error : lseek : SV::File::Read"));
}

TEST_F(FileTest, WritingAReadOnlyFileRaisesBeforeTouchingIt) {
  folder.WriteFile("data", "abc");
  File file(PathOf("data"), u"", File::kRead);
  char byte = 0;
  file.Read(&byte, 1, 1);
  EXPECT_THAT(RuntimeErrorText([&] { file.Write("zz", 2, 0); }),
              StartsWith("Runtime Error : file is read only : SV::File::Write : Utilities/Storage/SVFile : Line "));
  EXPECT_EQ(file.Seek(0, 1), 2);
  EXPECT_EQ(folder.ReadFile("data"), "abc");
}

TEST_F(FileTest, WritesLandAtTheirOffsetAndGrowTheFile) {
  File file(Wide(folder.Path()), u"out", File::kCreate | File::kReadWrite);
  EXPECT_EQ(file.Write("hello", 5), 5);
  EXPECT_EQ(file.Write("J", 1, 0), 1);
  EXPECT_EQ(file.Write("!", 1, 7), 1);
  EXPECT_EQ(file.GetLength(), 8u);
  EXPECT_EQ(ReadAll(file), std::string("Jello\0\0!", 8));
}

TEST_F(FileTest, WritingAClosedFileRaises) {
  File file(PathOf("missing"), u"", File::kReadWrite);
  EXPECT_THAT(RuntimeErrorText([&] { file.Write("x", 1); }), StartsWith("Runtime Error : write : SV::File::Write"));
  EXPECT_THAT(RuntimeErrorText([&] { file.Write("x", 1, 0); }), StartsWith("Runtime Error : lseek : SV::File::Write"));
}

TEST_F(FileTest, SeekMovesFromEachOriginAndReportsFailuresAsMinusOne) {
  folder.WriteFile("data", "0123456789");
  File file(PathOf("data"), u"", File::kRead);
  struct Case { int32_t offset, origin, expected; const char* what; };
  const Case cases[] = {
      {4, 0, 4, "from the start"},       {2, 1, 6, "from the current position"}, {-3, 2, 7, "from the end"},
      {5, 2, 15, "past the end"},        {-1, 0, -1, "before the start"},        {0, 3, -1, "unknown origin"},
      {0, -1, -1, "negative origin"},
  };
  for (const Case& c : cases) EXPECT_EQ(file.Seek(c.offset, c.origin), c.expected) << c.what;
}

TEST_F(FileTest, CopiesShareTheDescriptorAndOnlyTheLastHolderClosesIt) {
  File original(Wide(folder.Path()), u"temp", File::kCreate | File::kReadWrite | File::kDeleteOnClose);
  original.Write("abc", 3);
  {
    File copy = original;
    copy.Close();
    EXPECT_TRUE(copy.IsOpen()) << "a shared descriptor stays open";
    EXPECT_EQ(copy.Read(nullptr, 0), 0);
    char bytes[3] = {};
    EXPECT_EQ(copy.Read(bytes, 3, 0), 3);
  }
  EXPECT_TRUE(std::filesystem::exists(folder.PathOf("temp")));
  original.Close();
  EXPECT_FALSE(original.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("temp")));
}

TEST_F(FileTest, TheLastCopyToGoClosesEvenWhenCopiesDieOnDifferentThreads) {
  std::vector<File> copies;
  {
    File original(Wide(folder.Path()), u"shared", File::kCreate | File::kReadWrite | File::kDeleteOnClose);
    copies.assign(8, original);
  }
  std::vector<std::thread> threads;
  for (File& copy : copies) threads.emplace_back([file = std::move(copy)]() mutable { File dropped = std::move(file); });
  for (std::thread& thread : threads) thread.join();
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("shared")));
}

TEST_F(FileTest, AssigningLetsGoOfTheOldDescriptorFirst) {
  folder.WriteFile("other", "x");
  File temporary(Wide(folder.Path()), u"temp", File::kCreate | File::kReadWrite | File::kDeleteOnClose);
  File other(PathOf("other"), u"", File::kRead);
  temporary = other;
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("temp")));
  EXPECT_EQ(temporary.GetPath(), PathOf("other"));
  EXPECT_EQ(temporary.GetLength(), 1u);
}

TEST_F(FileTest, ExistsAndFolderExistsTellFilesFromFolders) {
  folder.WriteFile("file", "x");
  std::filesystem::create_directory(folder.PathOf("sub"));
  struct Case { std::string path; bool exists, folderExists; const char* what; };
  const Case cases[] = {
      {folder.PathOf("file"), true, false, "a file"},
      {folder.PathOf("sub"), false, true, "a folder"},
      {folder.PathOf("sub/"), false, true, "a folder with a trailing slash"},
      {"/", false, true, "the root"},
      {folder.PathOf("missing"), false, false, "nothing there"},
      {folder.PathOf("file/"), false, false, "a file with a trailing slash"},
      {"", false, false, "the empty path"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(File::Exists(Wide(c.path)), c.exists) << c.what;
    EXPECT_EQ(File::FolderExists(Wide(c.path)), c.folderExists) << c.what;
  }
}

TEST_F(FileTest, EnsureFolderCreatesMissingFoldersAndRefusesFiles) {
  folder.WriteFile("file", "x");
  std::filesystem::create_directory(folder.PathOf("present"));
  EXPECT_EQ(File::EnsureFolder(PathOf("present")), S_FALSE);
  EXPECT_EQ(File::EnsureFolder(PathOf("a/b/c")), S_OK);
  EXPECT_TRUE(std::filesystem::is_directory(folder.PathOf("a/b/c")));
  EXPECT_EQ(File::EnsureFolder(PathOf("file")), E_FAIL);
  EXPECT_EQ(File::EnsureFolder(PathOf("file/below")), E_FAIL);
  EXPECT_EQ(File::EnsureFolder(u""), E_FAIL);
}

TEST_F(FileTest, CreateFoldersStopsBeforeAFileNameAtTheEnd) {
  EXPECT_TRUE(File::CreateFolders(PathOf("x/y/settings.ini"), true));
  EXPECT_TRUE(std::filesystem::is_directory(folder.PathOf("x/y")));
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("x/y/settings.ini")));
  EXPECT_TRUE(File::CreateFolders(PathOf("p/q"), false));
  EXPECT_TRUE(std::filesystem::is_directory(folder.PathOf("p/q")));
  EXPECT_TRUE(File::CreateFolders(u"settings.ini", true)) << "no folder part at all";
  folder.WriteFile("blocker", "x");
  EXPECT_FALSE(File::CreateFolders(PathOf("blocker/z/file"), true));
  EXPECT_FALSE(File::CreateFolders(PathOf("blocker/z"), false));
}

// The listed paths of an array, as UTF-8, in order.
std::vector<std::string> Listed(const StringArrayT<char16_t, char>& result) {
  std::vector<std::string> paths;
  for (uint32_t i = 0; i < result.GetCount(); ++i) paths.emplace_back(result.GetAt(i).ToUTF8().GetString());
  return paths;
}

TEST_F(FileTest, ListFilesGivesTheMatchingFilesSortedByNameAndNeverFolders) {
  for (const char* name : {"b.ttf", "a.ttf", "c.otf", ".hidden.ttf", "A.ttf", "a1.ttf"}) folder.WriteFile(name, "x");
  std::filesystem::create_directory(folder.PathOf("fonts.ttf"));
  struct Case { const char16_t* pattern; std::vector<std::string> names; const char* what; };
  const Case cases[] = {
      {u"*.ttf", {"A.ttf", "a.ttf", "a1.ttf", "b.ttf"}, "a wildcard; the folder and the hidden file stay out"},
      {u"*", {"A.ttf", "a.ttf", "a1.ttf", "b.ttf", "c.otf"}, "everything but folders and hidden files"},
      {u".*", {".hidden.ttf"}, "hidden files only when the pattern starts with a dot"},
      {u"?.ttf", {"A.ttf", "a.ttf", "b.ttf"}, "one character"},
      {u"[ab].ttf", {"a.ttf", "b.ttf"}, "a character set"},
      {u"c.otf", {"c.otf"}, "an exact name"},
      {u"*.woff", {}, "no match"},
  };
  for (const Case& c : cases) {
    StringArrayT<char16_t, char> result;
    std::vector<std::string> expected;
    for (const std::string& name : c.names) expected.push_back(folder.PathOf(name));
    EXPECT_EQ(File::ListFiles(Wide(folder.Path()), c.pattern, result), static_cast<SVRESULT>(c.names.size())) << c.what;
    EXPECT_EQ(Listed(result), expected) << c.what;
  }
}

TEST_F(FileTest, ListFilesJoinsAFolderThatEndsInASlashWithoutDoublingIt) {
  folder.WriteFile("only", "x");
  StringArrayT<char16_t, char> result;
  EXPECT_EQ(File::ListFiles(Wide(folder.Path() + "/"), u"*", result), 1);
  EXPECT_EQ(Listed(result), std::vector<std::string>{folder.PathOf("only")});
}

TEST_F(FileTest, ListFilesOnAMissingFolderEmptiesTheResultAndReturnsNotImplemented) {
  folder.WriteFile("file", "x");
  StringArrayT<char16_t, char> result;
  result.Append(u"left over");
  EXPECT_EQ(File::ListFiles(PathOf("missing"), u"*", result), E_NOTIMPL);
  EXPECT_EQ(result.GetCount(), 0u);
  result.Append(u"left over");
  EXPECT_EQ(File::ListFiles(PathOf("file"), u"*", result), E_NOTIMPL);
  EXPECT_EQ(result.GetCount(), 0u);
  EXPECT_EQ(File::ListFiles(u"", u"*", result), E_NOTIMPL);
}

TEST_F(FileTest, ListFilesLeavesOutNamesThatAreNotUtf8) {
  folder.WriteFile("good", "x");
  folder.WriteFile("bad\xff", "x");
  StringArrayT<char16_t, char> result;
  EXPECT_EQ(File::ListFiles(Wide(folder.Path()), u"*", result), 1);
  EXPECT_EQ(Listed(result), std::vector<std::string>{folder.PathOf("good")});
}

TEST(FilePaths, FolderAndFileNamePartsSplitLinuxPaths) {
  struct Case { const char16_t* path; const char16_t* folder; const char16_t* name; const char* what; };
  const Case cases[] = {
      {u"/users/ann/presets/lead.corvex", u"/users/ann/presets", u"lead.corvex", "absolute path"},
      {u"presets/lead.corvex", u"presets", u"lead.corvex", "relative path"},
      {u"lead.corvex", u"lead.corvex", u"lead.corvex", "no separator"},
      {u"/lead.corvex", u"/", u"lead.corvex", "a file in the root"},
      {u"/", u"/", u"/", "the root"},
      {u"presets/", u"presets", u"presets/", "a trailing slash: the name is the whole path"},
      {u"/users/ann/odd\\name", u"/users/ann", u"name", "a backslash splits names only"},
      {u"odd\\", u"odd\\", u"odd\\", "a trailing backslash: the whole path"},
      {u"a\\b/c", u"a\\b", u"c", "the later separator wins for names"},
      {u"", u"", u"", "the empty path"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(File::GetFolderPart(c.path), c.folder) << c.what;
    EXPECT_EQ(File::GetFileNamePart(c.path), c.name) << c.what;
  }
}

TEST(FilePaths, MakeSafeFileNameReplacesEveryUnsafeCharacter) {
  EXPECT_EQ(File::MakeSafeFileName(u"a\\b/c:d*e?f\"g<h>i|j&k;l,m^n(o)p"), u"a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p");
  EXPECT_EQ(File::MakeSafeFileName(u"Lead 1 - Bright.corvex"), u"Lead 1 - Bright.corvex");
  EXPECT_EQ(File::MakeSafeFileName(u"Gr\u00FC\u00DFe"), u"Gr\u00FC\u00DFe");
}

TEST(FilePaths, ApplicationDataFoldersLieUnderTheUsersXdgFoldersOrFailCleanly) {
  struct Case {
    const char* home;
    const char* xdgConfig;
    const char* xdgData;
    File::ApplicationDataFolder which;
    const char16_t* company;
    SVRESULT result;
    const char16_t* folder;
    const char* what;
  };
  using enum File::ApplicationDataFolder;
  const Case cases[] = {
      {"/users/ann", nullptr, nullptr, Common, u"Varkon", S_OK, u"/users/ann/.config/Varkon/Corvex Editor", "common"},
      {"/users/ann", nullptr, nullptr, Local, u"Varkon", S_OK, u"/users/ann/.local/share/Varkon/Corvex Editor", "local"},
      {"/users/ann", "/cfg", "/dat", Common, u"Varkon", S_OK, u"/cfg/Varkon/Corvex Editor", "XDG config"},
      {"/users/ann", "/cfg", "/dat", Local, u"Varkon", S_OK, u"/dat/Varkon/Corvex Editor", "XDG data"},
      {"/users/ann", nullptr, nullptr, Common, u"A/B", S_OK, u"/users/ann/.config/A_B/Corvex Editor", "made safe"},
      {nullptr, nullptr, nullptr, Common, u"Varkon", E_FAIL, u"", "no home and no XDG folder"},
      {"", nullptr, nullptr, Local, u"Varkon", E_FAIL, u"", "an empty home"},
      {"/users/ann", nullptr, nullptr, Common, u"..", E_INVALIDARG, u"", "a company that climbs"},
      {"/users/ann", nullptr, nullptr, Common, u"", E_INVALIDARG, u"", "no company"},
  };
  for (const Case& c : cases) {
    Testing::ScopedEnvironment environment;
    environment.Set("HOME", c.home);
    environment.Set("XDG_CONFIG_HOME", c.xdgConfig);
    environment.Set("XDG_DATA_HOME", c.xdgData);
    String folder(u"left over");
    EXPECT_EQ(File::GetApplicationDataFolder(c.which, c.company, u"Corvex Editor", folder), c.result) << c.what;
    EXPECT_EQ(folder, c.folder) << c.what;
  }
}

}  // namespace
}  // namespace SV
