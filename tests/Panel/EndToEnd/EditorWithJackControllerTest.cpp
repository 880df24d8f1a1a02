// The editor program end to end: what a user sees and what the controller receives,
// with real X input, a JACK server and the simulated controller program.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/Panel/EndToEnd/EditorEndToEndFixture.h"

namespace Testing::EndToEnd {
namespace {

using EditorWithJackController = EditorEndToEnd;
using Clock = std::chrono::steady_clock;

// Two presets of valid values that differ from the defaults and from each other.
constexpr PresetValues kPresetA{1, 45, 1, 64, 7, 66, 4, 67, 5, 0, 1, 0, 1, 0, 1, 0, 9, 1, 0, 1, 0, 1, 0, 1};
constexpr PresetValues kPresetB{0, 35, 0, 52, 2, 70, 12, 80, 3, 1, 0, 1, 0, 1, 0, 1, 14, 0, 1, 0, 1, 0, 1, 0};

void AppendWord(std::string& bytes, uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((word >> shift) & 0xFF);
}

// A preset file as the editor writes it: version 2, device words 0 and 0, and a
// 25-byte record per value (a one-byte buffer in the serialised form of a variant).
std::string PresetFileOf(const PresetValues& values) {
  std::string bytes;
  for (uint32_t word : {2u, 0u, 0u}) AppendWord(bytes, word);
  for (uint32_t index = 0; index < values.size(); ++index) {
    for (uint32_t word : {25u, 0u, index, 13u, 1u, 14u}) AppendWord(bytes, word);
    bytes += static_cast<char>(values[index]);
  }
  return bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST_F(EditorWithJackController, GetPresetShowsTheControllersValuesAndSavingWritesThemByteForByte) {
  ASSERT_TRUE(mController->SetPreset(kPresetA));
  const std::vector<uint32_t> defaults = SettledMainPixels();
  ASSERT_TRUE(Choose(FileCommand::GetPreset));
  const std::optional<XSession::Window> box = WaitForWindow("Retrieve Preset");
  ASSERT_TRUE(box);
  Picture("message-box-get-preset", *box, false);
  const std::vector<uint32_t> behindTheBox = SettledMainPixels();
  const ScreenRect boxPlace = mX->PlaceOf(*box);
  EXPECT_TRUE(mX->SavePicture(MainPlace(),
                              std::string(SV_SCREENSHOT_FOLDER) + "/main-window-while-get-preset-box-is-open.png"));
  ASSERT_TRUE(Confirm(*box));
  const std::vector<uint32_t> fetched = SettledMainPixels();
  EXPECT_NE(fetched, defaults) << "the controller's values did not change the main window";
  EXPECT_EQ(ChangedPixels(behindTheBox, fetched, MainPlace(), boxPlace).size(), 0u)
      << "the values were not on screen while the box that reports them was open";

  const std::string saved = Documents() + "/from-controller.corvex";
  ASSERT_TRUE(Choose(FileCommand::SavePreset));
  ASSERT_TRUE(AnswerFileDialog("Select Save Location", saved));
  ASSERT_TRUE(WaitForFile(saved));
  EXPECT_EQ(ReadFile(saved), PresetFileOf(kPresetA));

  // A fresh editor that opens the saved file shows exactly what the fetched values showed.
  ASSERT_TRUE(StartEditor(96));
  ASSERT_TRUE(Choose(FileCommand::OpenPreset));
  ASSERT_TRUE(AnswerFileDialog("Select Preset File", saved));
  EXPECT_TRUE(WaitForMainPixels(fetched)) << "the values loaded from the file look different from those fetched";
}

TEST_F(EditorWithJackController, AnEditFollowedBySendPresetReachesTheControllerByteForByte) {
  const std::string edited = Documents() + "/edited.corvex";
  WriteFile(edited, PresetFileOf(kPresetB));
  ASSERT_TRUE(Choose(FileCommand::OpenPreset));
  ASSERT_TRUE(AnswerFileDialog("Select Preset File", edited));
  const size_t before = mController->Received().size();

  ASSERT_TRUE(Choose(FileCommand::SendPreset));
  const std::optional<XSession::Window> box = WaitForWindow("Send Success");
  ASSERT_TRUE(box);
  Picture("message-box-send-preset", *box, false);
  ASSERT_TRUE(Confirm(*box));
  EXPECT_GT(mController->Received().size(), before);
  EXPECT_EQ(mController->Stored(), kPresetB);
}

TEST_F(EditorWithJackController, GlobalSettingsReachTheController) {
  const size_t before = mController->Received().size();
  ASSERT_TRUE(Choose(FileCommand::GlobalSettings));
  const std::optional<XSession::Window> dialog = WaitForOtherWindow();
  ASSERT_TRUE(dialog);
  // The dialog asks for the firmware version once it is open.
  ASSERT_TRUE(mController->WaitForReceived(before + 1, kLimit));
  Picture("dialog-global-settings-96", *dialog);

  const ScreenRect place = mX->PlaceOf(*dialog);
  const EditorPlace send = kGlobalSettingsSend.At(mDotsPerInch);
  ASSERT_TRUE(mInput->Click(place.x + send.x, place.y + send.y));
  const std::optional<XSession::Window> box = WaitForWindow("Global Settings Sent");
  ASSERT_TRUE(box);
  ASSERT_TRUE(Confirm(*box));
  // Both curves linear (0) and, as the firmware shows them, both sensitivities at 50.
  // The editor's box may come before the controller program has read all four.
  const std::vector<std::pair<int, int>> expected{{0x0A, 0}, {0x0B, 0}, {0x0C, 50}, {0x0D, 50}};
  const Clock::time_point deadline = Clock::now() + kLimit;
  std::vector<std::pair<int, int>> settings;
  for (;;) {
    // Counted first: a message that comes in between ends the wait below at once.
    const size_t received = mController->Received().size();
    settings = mController->GlobalSettings();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (settings.size() >= expected.size() || left.count() <= 0) break;
    if (!mController->WaitForReceived(received + 1, left)) break;
  }
  std::string received;
  for (const auto& message : mController->Received()) {
    received += "\n ";
    for (const auto byte : message) received += " " + std::to_string(static_cast<int>(byte));
  }
  EXPECT_EQ(settings, expected) << "the controller received:" << received << "\nthe editor's log:\n" << EditorLog();
}

TEST_F(EditorWithJackController, ASilentControllerGivesTheErrorBoxWithinItsBoundAndTheEditorStaysResponsive) {
  ASSERT_TRUE(mController->Answer("silent"));
  const Clock::time_point asked = Clock::now();
  ASSERT_TRUE(Choose(FileCommand::GetPreset));
  const std::optional<XSession::Window> box = WaitForWindow("Retrieve Preset Error");
  ASSERT_TRUE(box);
  // Four attempts of a second each, and room for a loaded machine.
  EXPECT_LT(Clock::now() - asked, std::chrono::seconds(10));
  Picture("message-box-get-preset-error", *box, false);
  ASSERT_TRUE(Confirm(*box));

  ASSERT_TRUE(ChooseAbout());
  const std::optional<XSession::Window> about = WaitForOtherWindow();
  ASSERT_TRUE(about) << "the editor no longer answers its menu";
}

TEST_F(EditorWithJackController, AControllerUnpluggedAndPluggedBackIsFoundAgain) {
  ASSERT_TRUE(mController->SetPreset(kPresetA));
  ASSERT_TRUE(mController->Unplug());
  ASSERT_TRUE(Choose(FileCommand::GetPreset));
  const std::optional<XSession::Window> failed = WaitForWindow("Retrieve Preset Error");
  ASSERT_TRUE(failed);
  ASSERT_TRUE(Confirm(*failed));

  // The editor looks for the controller twice a second: a Get Preset chosen before it
  // has looked again fails as a user would see it, and the user tries again.
  ASSERT_TRUE(mController->Plug());
  const Clock::time_point deadline = Clock::now() + kLimit;
  bool found = false;
  while (!found && Clock::now() < deadline) {
    ASSERT_TRUE(Choose(FileCommand::GetPreset));
    const std::optional<XSession::Window> box = mX->WaitForWindow(
        [](const std::string& title) { return title.rfind("Retrieve Preset", 0) == 0; }, kLimit);
    ASSERT_TRUE(box) << "no box answered Get Preset; the editor's log:\n" << EditorLog();
    found = mX->TitleOf(*box) == "Retrieve Preset";
    ASSERT_TRUE(Confirm(*box));
  }
  EXPECT_TRUE(found) << "the controller plugged back was not found";
}

TEST_F(EditorWithJackController, ACorruptPresetFileGivesItsMessageAndChangesNothing) {
  // A record that claims to be far longer than the file.
  std::string corrupt = PresetFileOf(kPresetB);
  corrupt[12] = '\xFF';
  corrupt[13] = '\xFF';
  corrupt[14] = '\xFF';
  corrupt[15] = '\x7F';
  const std::string path = Documents() + "/corrupt.corvex";
  WriteFile(path, corrupt);
  const std::vector<uint32_t> before = SettledMainPixels();
  const size_t received = mController->Received().size();

  ASSERT_TRUE(Choose(FileCommand::OpenPreset));
  ASSERT_TRUE(AnswerFileDialog("Select Preset File", path));
  const std::optional<XSession::Window> box = WaitForWindow("Preset File Load");
  ASSERT_TRUE(box);
  Picture("message-box-preset-file-load", *box, false);
  ASSERT_TRUE(Confirm(*box));
  EXPECT_EQ(SettledMainPixels(), before);
  EXPECT_EQ(ReadFile(path), corrupt);
  EXPECT_EQ(mController->Received().size(), received);
}

// Pictures of the main window and each dialog in both skins, for a person to look at;
// the high-resolution skin is chosen by the screen and is twice the size.
TEST_F(EditorWithJackController, PicturesOfEveryWindowInBothSkins) {
  ScreenRect standard;
  for (int dotsPerInch : {96, 192}) {
    if (dotsPerInch != 96) {
      ASSERT_TRUE(StartEditor(dotsPerInch));
    }
    const std::string suffix = "-" + std::to_string(dotsPerInch);
    SettledMainPixels();
    Picture("main-window" + suffix, mMain);
    if (dotsPerInch == 96) {
      standard = MainPlace();
    } else {
      EXPECT_EQ(MainPlace().width, 2 * standard.width);
    }

    ASSERT_TRUE(ChooseAbout());
    const std::optional<XSession::Window> about = WaitForOtherWindow();
    ASSERT_TRUE(about);
    Picture("dialog-about" + suffix, *about);
    mX->RequestClose(*about);
    ASSERT_TRUE(mX->WaitUntilGone(*about, kLimit));

    ASSERT_TRUE(Choose(FileCommand::GlobalSettings));
    const std::optional<XSession::Window> settings = WaitForOtherWindow();
    ASSERT_TRUE(settings);
    Picture("dialog-global-settings" + suffix, *settings);
    mX->RequestClose(*settings);
    ASSERT_TRUE(mX->WaitUntilGone(*settings, kLimit));
  }
}

}  // namespace
}  // namespace Testing::EndToEnd
