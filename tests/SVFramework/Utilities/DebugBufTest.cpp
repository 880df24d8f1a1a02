#include "SVFramework/Utilities/DebugBuf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Utilities/DebugStream.h"

namespace SV {
namespace {

// Keeps every piece a debug stream passes on.
struct RecordingTarget : IDebugTextTarget {
  std::vector<std::string> pieces;
  void ReceiveDebugText(std::string_view text) override { pieces.emplace_back(text); }
};

class DebugBuf : public ::testing::Test {
protected:
  RecordingTarget target;
};

TEST_F(DebugBuf, TextStaysBufferedUntilAFlush) {
  basic_dostream<char> stream(target);
  stream << "abc" << 42;
  EXPECT_TRUE(target.pieces.empty());
  stream << std::flush;
  EXPECT_EQ(target.pieces, std::vector<std::string>{"abc42"});
  EXPECT_EQ(stream.Buffer().BufferedCount(), 0);
}

TEST_F(DebugBuf, ABlockLeavesInPiecesOfAtMost1023CharactersAndTheRestWaitsForTheFlush) {
  basic_dostream<char> stream(target);
  const std::string block = std::string(1023, 'a') + std::string(1023, 'b') + std::string(454, 'c');
  stream << block;
  ASSERT_EQ(target.pieces.size(), 2u);
  EXPECT_EQ(target.pieces[0], std::string(1023, 'a'));
  EXPECT_EQ(target.pieces[1], std::string(1023, 'b'));

  stream << std::flush;
  ASSERT_EQ(target.pieces.size(), 3u);
  EXPECT_EQ(target.pieces[2], std::string(454, 'c'));
}

TEST_F(DebugBuf, ABlockFirstFillsThePieceThatIsAlreadyBuffered) {
  basic_dostream<char> stream(target);
  stream << std::string(1000, 'x');
  stream << std::string(50, 'y');
  ASSERT_EQ(target.pieces.size(), 1u);
  EXPECT_EQ(target.pieces[0], std::string(1000, 'x') + std::string(23, 'y'));
  stream << std::flush;
  ASSERT_EQ(target.pieces.size(), 2u);
  EXPECT_EQ(target.pieces[1], std::string(27, 'y'));
}

TEST_F(DebugBuf, CharactersWrittenOneByOneWaitForTheNextFlushWhateverTheirNumber) {
  basic_dostream<char> stream(target);
  for (int i = 0; i < 1500; ++i) stream.put('q');
  EXPECT_TRUE(target.pieces.empty());
  stream << "!";
  ASSERT_EQ(target.pieces.size(), 1u);
  EXPECT_EQ(target.pieces[0], std::string(1500, 'q'));
}

TEST_F(DebugBuf, AnEmptyFlushPassesOnAnEmptyPiece) {
  basic_dostream<char> stream(target);
  stream << std::flush;
  EXPECT_EQ(target.pieces, std::vector<std::string>{""});
}

TEST_F(DebugBuf, DestroyingTheStreamPassesOnWhatIsStillBuffered) {
  {
    basic_dostream<char> stream(target);
    stream << "last words";
  }
  EXPECT_EQ(target.pieces, std::vector<std::string>{"last words"});
}

TEST_F(DebugBuf, DestroyingAnEmptyStreamPassesNothingOn) {
  { basic_dostream<char16_t> stream(target); }
  EXPECT_TRUE(target.pieces.empty());
}

TEST_F(DebugBuf, WideTextIsPassedOnAsUtf8) {
  basic_dostream<char16_t> stream(target);
  stream << u"Grüße " << String(u"\u20AC \U0001F3B9") << std::flush;
  EXPECT_EQ(target.pieces, std::vector<std::string>{"Grüße € 🎹"});
}

TEST_F(DebugBuf, APieceNeverEndsInsideAUtf8SequenceWhileTheTextGoesOn) {
  basic_dostream<char> stream(target);
  const std::string block = std::string(1022, 'a') + "€" + "tail";
  stream << block << std::flush;
  ASSERT_EQ(target.pieces.size(), 2u);
  EXPECT_EQ(target.pieces[0], std::string(1022, 'a'));
  EXPECT_EQ(target.pieces[1], "€tail");
}

TEST_F(DebugBuf, APieceNeverEndsInsideASurrogatePairWhileTheTextGoesOn) {
  basic_dostream<char16_t> stream(target);
  const std::u16string block = std::u16string(1022, u'a') + u"\U0001F3B9" + u"end";
  stream << block << std::flush;
  ASSERT_EQ(target.pieces.size(), 2u);
  EXPECT_EQ(target.pieces[0], std::string(1022, 'a'));
  EXPECT_EQ(target.pieces[1], "🎹end");
}

}  // namespace
}  // namespace SV
