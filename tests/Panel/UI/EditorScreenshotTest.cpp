#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <string>

#include "SVFramework/Controls/ComboBox.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/PopupMenu.h"
#include "tests/Panel/UI/EditorSkinFixture.h"
#include "tests/Support/TextConversions.h"

namespace SV {
namespace {

using Testing::EditorDocuments;
using Testing::EditorScreen;

using Testing::Utf8;

struct ScreenCase {
  const char16_t* control;
  int32_t skin;
  int32_t language;
  const char* file;
};

class EditorScreenshots : public ::testing::TestWithParam<ScreenCase> {};

// The colour share of the frame that is neither the window's dark graphite nor
// transparent: a frame that drew only its background, or nothing, has almost none.
double DrawnShare(const QImage& image) {
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) > 0 && (qRed(pixel) > 0x40 || qGreen(pixel) > 0x40 || qBlue(pixel) > 0x40)) ++drawn;
    }
  return static_cast<double>(drawn) / (image.width() * image.height());
}

// Shows the controller's default preset the way the editor's panels would: the number
// fields in their ranges, the zone switches on, zone B on channel 2.
void ShowDefaultPreset(LControl& main) {
  const RCPtr<LControl> device = main.FindChild(u"viewDevice");
  if (!device) return;
  auto widget = [&](const char16_t* group, const char16_t* panel, const char16_t* child) {
    const RCPtr<LControl> container = device->FindChild(group);
    const RCPtr<LControl> holder = container ? container->FindChild(panel) : RCPtr<LControl>();
    return holder ? holder->FindChild(child) : RCPtr<LControl>();
  };
  const struct {
    const char16_t* group;
    const char16_t* panel;
    double minimum, maximum, value;
  } numbers[] = {{u"keybed", u"transposeValue", -39, 48, 0}, {u"keybed", u"splitKeyNumber", 0, 88, 59},
                 {u"modPitchWheel", u"cc", 0, 127, 1},       {u"pedal1", u"cc", 0, 127, 64},
                 {u"pedal2", u"cc", 0, 127, 11},             {u"pedal3", u"cc", 0, 127, 65}};
  for (const auto& number : numbers) {
    if (const RCPtr<LControl> field = widget(number.group, number.panel, u"parameterControl")) {
      field->SetValueRange(number.minimum, number.maximum, 0);
      field->SetNormalizedValue(0.5);
      field->SetNormalizedValue((number.value - number.minimum) / (number.maximum - number.minimum));
    }
  }
  const struct {
    const char16_t* group;
    const char16_t* panel;
  } switches[] = {{u"keybed", u"splitOnOff"},        {u"modPitchWheel", u"modWheelA"},
                  {u"modPitchWheel", u"pitchWheelA"}, {u"modPitchWheel", u"modWheelB"},
                  {u"pedal1", u"portA"},             {u"pedal1", u"portB"},
                  {u"pedal2", u"portA"},             {u"pedal3", u"portA"},
                  {u"midiUSB", u"midiDinPortA"},     {u"midiUSB", u"usbPortA"},
                  {u"midiUSB", u"usbPortB"}};
  for (const auto& toggle : switches)
    if (const RCPtr<LControl> button = widget(toggle.group, toggle.panel, u"parameterControl"))
      button->SetNormalizedValue(1.0);
  if (auto* channel = dynamic_cast<LComboBox*>(widget(u"midiUSB", u"portBMidiChannel", u"comboBox").Get()))
    channel->SetSelectedIndex(1);
}

// The global settings dialog as it opens: both sensitivities at 50 of 0 to 100.
void ShowDefaultSensitivities(LControl& dialog) {
  for (const char16_t* name : {u"whiteKeyVelocitySensitivityNumericUpDown", u"blackKeyVelocitySensitivityNumericUpDown"})
    if (const RCPtr<LControl> field = dialog.FindChild(name)) {
      field->SetValueRange(0, 100, 0);
      field->SetNormalizedValue(0.5);
    }
}

// Each window of the editor in both skins, painted by the real renderer into a PNG in
// the build folder for people to look at.
TEST_P(EditorScreenshots, TheWindowPaintsOpaqueAtItsSkinsSizeWithVisibleContent) {
  const ScreenCase& screen = GetParam();
  EditorScreen editor(screen.skin, screen.language);
  ASSERT_TRUE(editor.Build(screen.control));
  ShowDefaultPreset(*editor.control);
  ShowDefaultSensitivities(*editor.control);
  if (auto* product = editor.control->FindChild(u"labelProduct").Get()) product->SetText(u"1.0.0.0");
  if (auto* copyright = editor.control->FindChild(u"labelCopyright").Get())
    copyright->SetText(u"Copyright (C) 2026 Varkon. All rights reserved.");
  const QImage frame = editor.Paint();
  ASSERT_EQ(frame.width(), editor.width);
  EXPECT_EQ(qAlpha(frame.pixel(2, 2)), 255) << "the window's corner is not painted";
  EXPECT_EQ(qAlpha(frame.pixel(frame.width() - 3, frame.height() - 3)), 255);
  EXPECT_GT(DrawnShare(frame), 0.03);
  QDir().mkpath(QStringLiteral(SV_EDITOR_SCREENSHOT_DIR));
  const QString path = QStringLiteral(SV_EDITOR_SCREENSHOT_DIR "/") + QString::fromLatin1(screen.file);
  EXPECT_TRUE(frame.save(path, "PNG")) << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    MainWindowAndDialogs, EditorScreenshots,
    ::testing::Values(ScreenCase{u"mainControl", EditorDocuments::kStandardSkin, 1033, "main-standard.png"},
                      ScreenCase{u"mainControl", EditorDocuments::kHighDpiSkin, 1033, "main-highdpi.png"},
                      ScreenCase{u"mainControl", EditorDocuments::kStandardSkin, 1031, "main-standard-de.png"},
                      ScreenCase{u"globalSettings", EditorDocuments::kStandardSkin, 1033, "globalsettings-standard.png"},
                      ScreenCase{u"globalSettings", EditorDocuments::kHighDpiSkin, 1033, "globalsettings-highdpi.png"},
                      ScreenCase{u"dialogAbout", EditorDocuments::kStandardSkin, 1033, "about-standard.png"},
                      ScreenCase{u"dialogAbout", EditorDocuments::kHighDpiSkin, 1033, "about-highdpi.png"}));

TEST(EditorMainMenu, BothSkinsOfferFileAndHelpWithTheirCommandsInOrder) {
  for (const int32_t skin : {EditorDocuments::kHighDpiSkin, EditorDocuments::kStandardSkin}) {
    EditorScreen editor(skin);
    ASSERT_TRUE(editor.Build(u"mainControl"));
    const RCPtr<LMainMenu> bar(dynamic_cast<LMainMenu*>(editor.control->FindChild(u"mainMenu").Get()));
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->GetMenuCount(), 2);
    std::string outline;
    for (int32_t index = 0; index < bar->GetMenuCount(); ++index) {
      const RCPtr<LControl> title = bar->GetMenu(index);
      outline += Utf8(title->GetText()) + ":";
      const LPopupMenu* popup = LMainMenu::GetTitlePopup(title.Get());
      ASSERT_TRUE(popup);
      for (int32_t item = 0; item < popup->GetItemCount(); ++item) {
        const auto entry = popup->GetEntry(item);
        outline += " " + (entry->Separator ? std::string("-") : Utf8(entry->Label.Trim()) + "=" + Utf8(entry->CommandID));
      }
      outline += "\n";
    }
    EXPECT_EQ(outline,
              "File: Send Preset=NID_MENU_FILE_SEND_PRESET_TO_DEVICE Get Preset=NID_MENU_FILE_GET_PRESET_FROM_DEVICE - "
              "Open Preset=NID_MENU_FILE_LOAD_PRESET_FROM_FILE Save Preset=NID_MENU_FILE_SAVE_PRESET_TO_FILE - "
              "Global Settings=NID_MENU_FILE_GLOBALSETTINGS_REQ - Exit=NID_MENU_FILE_EXIT_REQ\n"
              "Help: About=NID_MENU_HELP_ABOUT_REQ Open User Guide=NID_MENU_HELP_OPEN_USERGUIDE_REQ\n");
  }
}

TEST(EditorUserGuide, TheGuideIsAPdfOfSeveralPagesBuiltBesideTheProgram) {
  QFile guide(QStringLiteral(SV_EDITOR_USER_GUIDE_PDF));
  ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
  const QByteArray bytes = guide.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2);
  EXPECT_TRUE(QString::fromUtf8(SV_EDITOR_USER_GUIDE_PDF).endsWith(QStringLiteral("/Corvex Editor Setup - v1.2.pdf")));
}

}  // namespace
}  // namespace SV

namespace SV {
namespace {

// The File menu open below its title in both skins: every entry shows, with its key,
// inside the window.
TEST(EditorMainMenu, TheOpenFileMenuFitsItsEntriesInsideTheWindow) {
  for (const auto& [skin, file] : {std::pair{EditorDocuments::kStandardSkin, "menu-file-standard.png"},
                                   std::pair{EditorDocuments::kHighDpiSkin, "menu-file-highdpi.png"}}) {
    EditorScreen editor(skin);
    ASSERT_TRUE(editor.Build(u"mainControl"));
    const RCPtr<LMainMenu> bar(dynamic_cast<LMainMenu*>(editor.control->FindChild(u"mainMenu").Get()));
    ASSERT_TRUE(bar && bar->GetMenuCount() == 2);
    LPopupMenu* popup = LMainMenu::GetTitlePopup(bar->GetMenu(0).Get());
    ASSERT_TRUE(popup);
    popup->SetVisible(true);
    editor.control->RecomputePlacement();
    const RectT<double>& rect = popup->GetRect();
    const PointT<double> origin = popup->GetScreenPosition();
    EXPECT_GT(rect.height, 9 * 10.0);
    EXPECT_LE(origin.y + rect.height, editor.height);
    const QImage frame = editor.Paint();
    QDir().mkpath(QStringLiteral(SV_EDITOR_SCREENSHOT_DIR));
    EXPECT_TRUE(frame.save(QStringLiteral(SV_EDITOR_SCREENSHOT_DIR "/") + QString::fromLatin1(file), "PNG"));
  }
}

}  // namespace
}  // namespace SV

namespace SV {
namespace {

// Zone B's channel list opened in both skins: all sixteen rows lie inside the window.
TEST(EditorChannelList, TheOpenListOfSixteenChannelsLiesInsideTheWindow) {
  for (const auto& [skin, file] : {std::pair{EditorDocuments::kStandardSkin, "channels-open-standard.png"},
                                   std::pair{EditorDocuments::kHighDpiSkin, "channels-open-highdpi.png"}}) {
    EditorScreen editor(skin);
    ASSERT_TRUE(editor.Build(u"mainControl"));
    const RCPtr<LControl> zone = editor.control->FindChild(u"viewDevice")->FindChild(u"midiUSB")->FindChild(
        u"portBMidiChannel");
    const RCPtr<LComboBox> combo(dynamic_cast<LComboBox*>(zone->FindChild(u"comboBox").Get()));
    ASSERT_TRUE(combo);
    ASSERT_GE(combo->ShowDropDown(true), 0);
    editor.control->RecomputePlacement();
    ASSERT_TRUE(combo->IsDropDownOpen());
    const RCPtr<LListBox>& list = combo->GetList();
    EXPECT_EQ(list->GetItemCount(), 16);
    const PointT<double> origin = list->GetScreenPosition();
    EXPECT_GE(origin.y, 0);
    EXPECT_LE(origin.y + list->GetRect().height, editor.height);
    const QImage frame = editor.Paint();
    EXPECT_TRUE(frame.save(QStringLiteral(SV_EDITOR_SCREENSHOT_DIR "/") + QString::fromLatin1(file), "PNG"));
  }
}

}  // namespace
}  // namespace SV

namespace SV {
namespace {

// A press anywhere on a menu title, its empty margins too, lands on the title, never
// on the bar behind it: in both skins every title's looks are opaque where it lies.
TEST(EditorMainMenu, APressAnywhereOnATitleHitsThatTitle) {
  for (const int32_t skin : {EditorDocuments::kHighDpiSkin, EditorDocuments::kStandardSkin}) {
    EditorScreen editor(skin);
    ASSERT_TRUE(editor.Build(u"mainControl"));
    const RCPtr<LMainMenu> bar(dynamic_cast<LMainMenu*>(editor.control->FindChild(u"mainMenu").Get()));
    ASSERT_TRUE(bar && bar->GetMenuCount() == 2);
    for (int32_t index = 0; index < bar->GetMenuCount(); ++index) {
      const RCPtr<LControl> title = bar->GetMenu(index);
      const PointT<double> origin = title->GetScreenPosition();
      const RectT<double>& rect = title->GetRect();
      for (const auto& [fx, fy] : {std::pair{0.5, 0.5}, std::pair{0.05, 0.1}, std::pair{0.95, 0.9}}) {
        const PointT<int32_t> point{static_cast<int32_t>(origin.x + rect.width * fx),
                                    static_cast<int32_t>(origin.y + rect.height * fy)};
        PointT<int32_t> relative;
        EXPECT_EQ(editor.window->HitTest(point, relative, false).Get(), title.Get())
            << "skin " << skin << ", title " << index << " at " << point.x << "," << point.y;
      }
    }
  }
}

}  // namespace
}  // namespace SV
