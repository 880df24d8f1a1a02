#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <string>

#include "SVFramework/Controls/CenteredSlider.h"
#include "SVFramework/Controls/CheckedComboBox.h"
#include "SVFramework/Controls/ComboSlider.h"
#include "SVFramework/Controls/FileDropper.h"
#include "SVFramework/Controls/Knob.h"
#include "SVFramework/Controls/LevelMeter.h"
#include "SVFramework/Controls/MultiColumnListBox.h"
#include "SVFramework/Controls/ProgressBar.h"
#include "SVFramework/Controls/SplitterH.h"
#include "SVFramework/Controls/SplitterV.h"
#include "SVFramework/Controls/StatusBar.h"
#include "SVFramework/Controls/TabControl.h"
#include "SVFramework/Controls/TreeView.h"
#include "SVFramework/Renderer/Gdi/GDIRenderContextInfo.h"
#include "SVFramework/Renderer/Renderer.h"
#include "tests/SVFramework/Controls/GallerySkin.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingWindowTarget.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

namespace Gallery = Testing::GallerySkin;
using Testing::WidgetHarness;

// The gallery built through the factory into a window that draws with the raster back
// end offscreen; texts are measured by that renderer too.
class GalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Testing::EnsureGuiApplication();
    renderer = LRenderer::Create(RendererType::GdiPlus, {0, 0, Gallery::kWidth, Gallery::kHeight}, &target);
    harness.application.renderer = renderer;
    harness.application.windows.clear();
    harness.window = LRootWindow::Create(renderer, &harness.os);
    harness.application.AddRootWindow(harness.window);
    harness.windowSkin = R"(<Skin Name="window" LookList="Back"/>)";
    harness.Build(Gallery::Controls(), Gallery::Resources());
  }

  void SetText(const char16_t* name, const char16_t* text) {
    const RCPtr<LControl> control = harness.Find(name);
    ASSERT_TRUE(control) << String(name).ToUTF8().GetString();
    control->SetText(text);
  }

  void Dress() {
    SetText(u"captionTabs", u"Tab control");
    SetText(u"captionCentred", u"Centred slider");
    SetText(u"captionKnob", u"Knob");
    SetText(u"captionCombo", u"Combo slider (open)");
    SetText(u"captionMeter", u"Level meter with peak and clip light");
    SetText(u"captionProgress", u"Progress bar");
    SetText(u"captionSplitters", u"Splitters");
    SetText(u"captionDropper", u"File dropper");
    SetText(u"dropperHint", u"Shown under the pointer while files are dragged");
    SetText(u"tabGeneral", u"General");
    SetText(u"tabMidi", u"MIDI");
    SetText(u"tabAbout", u"About");
    SetText(u"pageText0", u"General settings");
    SetText(u"pageText1", u"MIDI channels and ports");
    SetText(u"pageText2", u"About this editor");
    SetText(u"pageButton0", u"Apply");
    SetText(u"pageButton1", u"Refresh");
    SetText(u"pageButton2", u"Visit");
    SetText(u"leftPane", u"Left pane");
    SetText(u"topPane", u"Top pane");
    SetText(u"bottomPane", u"Bottom pane");
    harness.Click(harness.At(harness.Find(u"tabMidi")));
    harness.Find(u"centredSlider")->SetNormalizedValue(0.7);
    harness.Find(u"knob")->SetNormalizedValue(0.6);
    harness.Find(u"comboSlider")->SetValueRange(0, 127, 0);
    harness.Find(u"comboSlider")->SetNormalizedValue(0.4);
    harness.Find<LLevelMeter>(u"meter")->SetLevelAndClip(0.62, 0.8, 1);
    const RCPtr<LProgressBar> progress = harness.Find<LProgressBar>(u"progress");
    progress->SetNormalizedValue(0.2);
    progress->SetTimeEstimate(true);
    harness.Idle(15000);
    progress->SetNormalizedValue(0.42);
    harness.Find(u"dropper")->SetVisible(true);
    harness.Find<LStatusBar>(u"status")->PostText(u"Ready: every periphery widget of the framework");
    harness.Idle(10);
    harness.Click(harness.At(harness.Find(u"comboSlider")));
    harness.MoveTo({790, 470});
  }

  // The lists below the periphery widgets: a sorted table with a selected row, a tree
  // with one branch open and one closed, and a checked combo showing a checked item.
  void DressLists() {
    SetText(u"captionTable", u"Multi-column list, sorted by name");
    SetText(u"captionTree", u"Tree view");
    SetText(u"captionChecked", u"Checked combo box");
    SetText(u"buttonColumnHeader1", u"Name");
    SetText(u"buttonColumnHeader2", u"Channel");
    SetText(u"buttonColumnHeader3", u"Port");
    const RCPtr<LMultiColumnListBox> table = harness.Find<LMultiColumnListBox>(u"table");
    const char16_t* rows[][3] = {{u"Strings", u"3", u"B"}, {u"piano", u"1", u"A"}, {u"Drums", u"10", u"A"},
                                 {u"bass", u"2", u"B"}, {u"Organ", u"4", u"A"}};
    for (const auto& row : rows)
      for (uint32_t column = 0; column < 3; ++column) table->GetColumn(column)->AddItem(String(row[column]));
    table->PerformSort(0);
    table->GetColumn(0)->SelectRange(2, -1, true);
    const RCPtr<LTreeView> tree = harness.Find<LTreeView>(u"tree");
    const int32_t keys = tree->AddItem(String(u"Keyboard"));
    tree->MoveUnder(tree->AddItem(String(u"White keys")), keys);
    tree->MoveUnder(tree->AddItem(String(u"Black keys")), keys);
    const int32_t pedals = tree->AddItem(String(u"Pedals"));
    tree->MoveUnder(tree->AddItem(String(u"Sustain")), pedals);
    tree->SetItemChecked(pedals, false);
    tree->UpdateVisibility(pedals);
    tree->RebindRowsFrom(0);
    tree->AddItem(String(u"Display"));
    const RCPtr<LCheckedComboBox> combo = harness.Find<LCheckedComboBox>(u"checkedCombo");
    for (const char16_t* text : {u"Velocity curve", u"Aftertouch", u"Split point"}) combo->AddItem(String(text));
    combo->GetCheckedList()->SetItemChecked(1, true);
    combo->SetSelectedIndex(1);
    combo->UpdateLook();
  }

  QImage Paint() {
    RCPtr<LRenderContextInfo> context;
    const RectT<int32_t> all{0, 0, Gallery::kWidth, Gallery::kHeight};
    renderer->InitRenderContextInfo(all, &target, 0, context);
    context->GetDirtyRegion().AddRect({0, 0, Gallery::kWidth, Gallery::kHeight});
    Region region;
    region.AddRect({0, 0, Gallery::kWidth, Gallery::kHeight});
    renderer->RenderStart(context);
    harness.window->Paint(region);
    renderer->RenderFinish(context);
    return static_cast<LGDIRenderContextInfo*>(context.Get())->GetFrontSurface().GetBitmap().copy();
  }

  static QRgb PixelAt(const QImage& image, PointT<int32_t> point) { return image.pixel(point.x, point.y) | 0xFF000000u; }

  Testing::RecordingWindowTarget target{Gallery::kWidth, Gallery::kHeight};
  RCPtr<LRenderer> renderer;
  WidgetHarness harness{{Gallery::kWidth, Gallery::kHeight}};
};

TEST_F(GalleryTest, EveryPeripheryWidgetIsBuiltFromTheSkin) {
  EXPECT_TRUE(harness.Find<LStatusBar>(u"status"));
  EXPECT_TRUE(harness.Find<LFileDropper>(u"dropper"));
  EXPECT_TRUE(harness.Find<LSplitterV>(u"splitV"));
  EXPECT_TRUE(harness.Find<LSplitterH>(u"splitH"));
  EXPECT_TRUE(harness.Find<LCenteredSlider>(u"centredSlider"));
  EXPECT_TRUE(harness.Find<LKnob>(u"knob"));
  EXPECT_TRUE(harness.Find<LComboSlider>(u"comboSlider"));
  EXPECT_TRUE(harness.Find<LTabControl>(u"tabs"));
  EXPECT_TRUE(harness.Find<LLevelMeter>(u"meter"));
  EXPECT_TRUE(harness.Find<LProgressBar>(u"progress"));
  EXPECT_TRUE(harness.Find<LMultiColumnListBox>(u"table"));
  EXPECT_TRUE(harness.Find<LTreeView>(u"tree"));
  EXPECT_TRUE(harness.Find<LCheckedComboBox>(u"checkedCombo"));
}

TEST_F(GalleryTest, PaintsTheGalleryAndWritesItsScreenshot) {
  Dress();
  DressLists();
  const QImage image = Paint();
  ASSERT_EQ(image.width(), Gallery::kWidth);
  ASSERT_EQ(image.height(), Gallery::kHeight);
  // The window's background, the centred slider's thumb and the open combo's panel.
  EXPECT_EQ(PixelAt(image, {5, 5}), 0xFF23272Eu);
  const RCPtr<LControl> thumb = harness.Find<LCenteredSlider>(u"centredSlider")->GetThumb();
  EXPECT_EQ(PixelAt(image, harness.At(thumb)), 0xFFE8A33Du);
  ASSERT_TRUE(harness.Find<LComboSlider>(u"comboSlider")->IsDropDownOpen());
  EXPECT_EQ(PixelAt(image, harness.At(harness.Find(u"dropDownPanel"), {2, 2})), 0xFF3C424Du);
  // A header of the table and the checked combo's own box, checked.
  EXPECT_EQ(PixelAt(image, harness.At(harness.Find(u"buttonColumnHeader1"), {2, 2})), 0xFF464D58u);
  const RCPtr<LControl> ownBox = harness.Find<LCheckedComboBox>(u"checkedCombo")->GetCheckBox();
  EXPECT_EQ(PixelAt(image, harness.At(ownBox)), 0xFFE8A33Du);
  const QString folder = QString::fromUtf8(SV_SCREENSHOT_FOLDER);
  ASSERT_TRUE(QDir().mkpath(folder));
  EXPECT_TRUE(image.save(folder + "/widget-gallery.png")) << SV_SCREENSHOT_FOLDER;
}

}  // namespace
}  // namespace SV
