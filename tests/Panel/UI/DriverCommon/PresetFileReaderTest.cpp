#include "Panel/UI/DriverCommon/PresetFileReader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "Panel/UI/DriverCommon/PresetFileFormat.h"
#include "tests/Panel/UI/DriverCommon/PresetFileBytes.h"

namespace SV {
namespace {

using Testing::Bytes;
using Testing::PresetFileBytes;
namespace Result = PresetLoadResult;

// What a read handed on: (index, the value's byte) per record, -1 for a value that is
// not a one-byte buffer.
struct ReadOutcome {
  int32_t result;
  std::vector<std::pair<int32_t, int>> applied;
};

ReadOutcome Read(const Bytes& bytes) {
  ReadOutcome outcome{0, {}};
  outcome.result = ReadPresetBytes(bytes.data(), bytes.size(), [&](int32_t index, const Variant& value) {
    uint32_t size = 0;
    const void* data = value.GetData(size);
    const bool oneByte = value.GetTag() == VariantTag::Buffer && size == 1;
    outcome.applied.emplace_back(index, oneByte ? *static_cast<const uint8_t*>(data) : -1);
  });
  return outcome;
}

PresetFileBytes TwoRecords() {
  PresetFileBytes file;
  file.Header().ByteRecord(0, 1).ByteRecord(1, 52);
  return file;
}

const std::vector<std::pair<int32_t, int>> kBothRecords = {{0, 1}, {1, 52}};
const std::vector<std::pair<int32_t, int>> kFirstRecord = {{0, 1}};
const std::vector<std::pair<int32_t, int>> kNothing = {};

TEST(PresetFileReaderTest, HeadersGiveTheirResultBeforeAnyRecordIsRead) {
  const struct {
    const char* what;
    Bytes bytes;
    int32_t result;
  } cases[] = {
      {"no bytes at all", {}, Result::CorruptFile},
      {"eleven bytes", PresetFileBytes().Header().CutBy(1), Result::CorruptFile},
      {"exactly the header", PresetFileBytes().Header().bytes, Result::Loaded},
      {"version 0", PresetFileBytes().Header(0).ByteRecord(0, 1).bytes, Result::OlderFile},
      {"version 1", PresetFileBytes().Header(1).ByteRecord(0, 1).bytes, Result::OlderFile},
      {"version 3", PresetFileBytes().Header(3).ByteRecord(0, 1).bytes, Result::NewerFile},
      {"version 0xFFFFFFFF", PresetFileBytes().Header(0xFFFFFFFF).bytes, Result::NewerFile},
      {"device word A set", PresetFileBytes().Header(2, 1, 0).bytes, Result::WrongDevice},
      {"device word B set", PresetFileBytes().Header(2, 0, 7).bytes, Result::WrongDevice},
      {"another device of a newer version", PresetFileBytes().Header(3, 1, 0).bytes, Result::WrongDevice},
      {"another device of an older version", PresetFileBytes().Header(1, 0, 1).bytes, Result::WrongDevice},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    const ReadOutcome outcome = Read(row.bytes);
    EXPECT_EQ(outcome.result, row.result);
    EXPECT_EQ(outcome.applied, kNothing);
  }
}

TEST(PresetFileReaderTest, CutAndMalformedRecordsAreCorruptAndKeepWhatWasAppliedBefore) {
  const struct {
    const char* what;
    Bytes bytes;
    int32_t result;
    std::vector<std::pair<int32_t, int>> applied;
  } cases[] = {
      {"two whole records", TwoRecords().bytes, Result::Loaded, kBothRecords},
      {"the last record misses its value byte", TwoRecords().CutBy(1), Result::CorruptFile, kFirstRecord},
      {"the last record is only its length", TwoRecords().CutBy(21), Result::CorruptFile, kFirstRecord},
      {"a length cut inside its four bytes", TwoRecords().CutBy(23), Result::CorruptFile, kFirstRecord},
      {"a record of length 4", PresetFileBytes().Header().ByteRecord(0, 1).Word(4).bytes, Result::CorruptFile, kFirstRecord},
      {"a record of length 0", PresetFileBytes().Header().ByteRecord(0, 1).Word(0).Word(0).bytes, Result::CorruptFile,
       kFirstRecord},
      {"a length below 16 with the bytes present",
       PresetFileBytes().Header().ByteRecord(0, 1).Word(15).Word(0).Word(1).Raw({0, 0, 0}).bytes,
       Result::CorruptFile, kFirstRecord},
      {"reserved word 1", PresetFileBytes().Header().ByteRecord(0, 1).Word(25).Word(1).Word(1).Word(13).Word(1)
                              .Word(14).Raw({52}).bytes,
       Result::CorruptFile, kFirstRecord},
      {"a value that does not deserialise (unknown tag)",
       PresetFileBytes().Header().ByteRecord(0, 1).Word(25).Word(0).Word(1).Word(13).Word(1).Word(99).Raw({52}).bytes,
       Result::CorruptFile, kFirstRecord},
      {"a value that runs on past its record",
       PresetFileBytes().Header().ByteRecord(0, 1).Word(25).Word(0).Word(1).Word(14).Word(1).Word(14).Raw({52, 0})
           .bytes,
       Result::CorruptFile, kFirstRecord},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    const ReadOutcome outcome = Read(row.bytes);
    EXPECT_EQ(outcome.result, row.result);
    EXPECT_EQ(outcome.applied, row.applied);
  }
}

// Mended: a record length was trusted and up to 4 GiB allocated for it; now a length
// beyond the bytes left (or beyond any sane record) is refused before allocating.
TEST(PresetFileReaderTest, LyingRecordLengthsAreRefusedAsCorruptWithoutTheirMemory) {
  const uint32_t lies[] = {26, 1000, 64 * 1024, 64 * 1024 + 1, 0x7FFFFFFF, 0xFFFFFFF0, 0xFFFFFFFF};
  for (const uint32_t length : lies) {
    SCOPED_TRACE(length);
    const Bytes bytes =
        PresetFileBytes().Header().ByteRecord(0, 1).Word(length).Word(0).Word(1).Word(13).Word(1).Word(14).Raw({52}).bytes;
    const ReadOutcome outcome = Read(bytes);
    EXPECT_EQ(outcome.result, Result::CorruptFile);
    EXPECT_EQ(outcome.applied, kFirstRecord);
  }
}

TEST(PresetFileReaderTest, LongerRecordsAndOtherValueKindsAreHandedOnAsTheyAre) {
  PresetFileBytes file;
  file.Header();
  // A record longer than its value: the rest of the record is ignored.
  file.Word(28).Word(0).Word(2).Word(13).Word(1).Word(14).Raw({9, 0xAA, 0xBB, 0xCC});
  // A two-byte buffer and a 32-bit integer: handed on for the engine to judge.
  file.Word(26).Word(0).Word(3).Word(14).Word(1).Word(14).Raw({1, 2});
  file.Word(28).Word(0).Word(4).Word(16).Word(1).Word(6).Word(300);
  // The older serialised format 0: code 8 is a byte buffer.
  file.Word(25).Word(0).Word(5).Word(13).Word(0).Word(8).Raw({77});
  const ReadOutcome outcome = Read(file.bytes);
  EXPECT_EQ(outcome.result, Result::Loaded);
  const std::vector<std::pair<int32_t, int>> expected = {{2, 9}, {3, -1}, {4, -1}, {5, 77}};
  EXPECT_EQ(outcome.applied, expected);
}

// Mended: the index became a ParamID as it stood, so a file could write the negative
// pseudo-parameters (device selection) or IDs beyond the preset.
TEST(PresetFileReaderTest, RecordsOfParametersOutsideThePresetAreSkipped) {
  PresetFileBytes file;
  file.Header().ByteRecord(24, 1).ByteRecord(0xFFFFFFFC, 1).ByteRecord(0x80000000, 1).ByteRecord(23, 5);
  const ReadOutcome outcome = Read(file.bytes);
  EXPECT_EQ(outcome.result, Result::Loaded);
  const std::vector<std::pair<int32_t, int>> expected = {{23, 5}};
  EXPECT_EQ(outcome.applied, expected);
}

TEST(PresetFileReaderTest, AFileOnDiskReadsAsItsBytesAndWhatIsNoFileIsCorrupt) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("preset-reader-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / "two.corvex";
  const Bytes bytes = TwoRecords().bytes;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());

  std::vector<std::pair<int32_t, int>> applied;
  const auto record = [&](int32_t index, const Variant& value) { applied.emplace_back(index, value.GetUInt8()); };
  EXPECT_EQ(ReadPresetFileAt(String(path.string().c_str()), record), Result::Loaded);
  EXPECT_EQ(applied, kBothRecords);

  applied.clear();
  EXPECT_EQ(ReadPresetFileAt(String(folder.string().c_str()), record), Result::CorruptFile);
  EXPECT_EQ(ReadPresetFileAt(String((folder / "missing.corvex").string().c_str()), record), Result::CorruptFile);
  EXPECT_EQ(ReadPresetFileAt(String(), record), Result::CorruptFile);
  EXPECT_EQ(applied, kNothing);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace SV
