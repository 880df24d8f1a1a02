#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/SkinDescriptor.h"
#include "SVFramework/System/HotKeyMap.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "tests/Panel/UI/EditorSkinFixture.h"
#include "tests/Support/TextConversions.h"

namespace SV {
namespace {

using Testing::EditorDocuments;

using Testing::Utf8;

// The descriptor at a "/"-separated path of child names below the skin's root; null
// when a step is missing.
const LControlDescriptor* Find(const LControlDescriptor& root, const std::string& path) {
  const LControlDescriptor* current = &root;
  size_t start = 0;
  while (current && start <= path.size()) {
    const size_t end = path.find('/', start);
    const std::string step = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const LControlDescriptor* next = nullptr;
    for (uint32_t index = 0; index < current->Children.GetCount() && !next; ++index)
      if (Utf8(current->Children[index]->Name) == step) next = current->Children[index].Get();
    current = next;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return current;
}

struct Expected {
  std::string path;
  std::string className;
};

std::vector<Expected> ParameterPanel(const std::string& path, const std::string& kind) {
  const std::string cls = "PresetEditor.ParameterControl." + kind;
  if (kind == "ToggleButton") return {{path, cls}, {path + "/parameterControl", "Framework.Button"}};
  if (kind == "MidiChannel")
    return {{path, cls},
            {path + "/comboBox", "Framework.ComboBox"},
            {path + "/comboBox/listBox", "Framework.ListBox"},
            {path + "/comboBox/listBox/templateItem", "Framework.ListBoxItem"},
            {path + "/comboBox/listBox/corner", "PresetEditor.MainControl.DeviceView.ControllerBody"}};
  return {{path, cls},
          {path + "/parameterControl", "Framework.NumericUpDown"},
          {path + "/parameterControl/textBox", "Framework.TextBox"},
          {path + "/parameterControl/buttonUp", "Framework.Button"},
          {path + "/parameterControl/buttonDown", "Framework.Button"}};
}

// Every control the editor looks up by name, with the class it must have.
std::vector<Expected> EditorControls() {
  const std::string device = "mainControl/viewDevice";
  std::vector<Expected> controls = {
      {"mainControl", "PresetEditor.MainControl"},
      {"mainControl/mainMenu", "Framework.MainMenu"},
      {"mainControl/mainMenu/templateMenu", "Framework.ComboMenu"},
      {"mainControl/mainMenu/templateMenu/popupMenu", "Framework.PopupMenu"},
      {"mainControl/mainMenu/templateMenu/popupMenu/templateItem", "Framework.MenuItem"},
      {"mainControl/mainMenu/templateMenu/popupMenu/submenu", "Framework.PopupMenu"},
      {device, "PresetEditor.MainControl.DeviceView"},
      {device + "/keybed", "PresetEditor.Keybed"},
      {device + "/midiUSB", "PresetEditor.MidiUSB"},
      {device + "/modPitchWheel", "PresetEditor.ModPitchWheel"},
      {"globalSettings", "PresetEditor.GlobalSettings"},
      {"globalSettings/whiteKeyVelocityCurveComboBox", "Framework.ComboBox"},
      {"globalSettings/blackKeyVelocityCurveComboBox", "Framework.ComboBox"},
      {"globalSettings/whiteKeyVelocityCurveComboBox/listBox/templateItem", "Framework.ListBoxItem"},
      {"globalSettings/whiteKeyVelocitySensitivityNumericUpDown", "Framework.NumericUpDown"},
      {"globalSettings/blackKeyVelocitySensitivityNumericUpDown", "Framework.NumericUpDown"},
      {"globalSettings/whiteKeyVelocitySensitivityNumericUpDown/textBox", "Framework.TextBox"},
      {"globalSettings/sendGlobalSettingsButton", "Framework.Button"},
      {"globalSettings/recieveGlobalSettingsButton", "Framework.Button"},
      {"globalSettings/headingLabel", "Framework.Label"},
      {"globalSettings/whiteKeyVelocitySensitivityLabel", "Framework.Label"},
      {"globalSettings/blackKeyVelocitySensitivityLabel", "Framework.Label"},
      {"dialogAbout", "PresetEditor.DialogAbout"},
      {"dialogAbout/companyLogo", "Framework.Label"},
      {"dialogAbout/productLogo", "Framework.Label"},
      {"dialogAbout/labelProduct", "Framework.Label"},
      {"dialogAbout/labelCopyright", "Framework.Label"},
      {"toolTip", "Framework.ToolTip"},
      {"contextMenu", "Framework.PopupMenu"},
      {"contextMenu/templateItem", "Framework.MenuItem"},
  };
  auto add = [&](const std::vector<Expected>& more) { controls.insert(controls.end(), more.begin(), more.end()); };
  add(ParameterPanel(device + "/keybed/transposeOnOff", "ToggleButton"));
  add(ParameterPanel(device + "/keybed/transposeValue", "BasicNumericControl"));
  add(ParameterPanel(device + "/keybed/splitOnOff", "ToggleButton"));
  add(ParameterPanel(device + "/keybed/splitKeyNumber", "BasicNumericControl"));
  add(ParameterPanel(device + "/modPitchWheel/cc", "CCValuePanel"));
  for (const char* name : {"modWheelA", "modWheelB", "pitchWheelA", "pitchWheelB"})
    add(ParameterPanel(device + "/modPitchWheel/" + name, "ToggleButton"));
  for (const char* pedal : {"pedal1", "pedal2", "pedal3"}) {
    controls.push_back({device + "/" + pedal, "PresetEditor.Pedal"});
    add(ParameterPanel(device + "/" + pedal + "/cc", "CCValuePanel"));
    add(ParameterPanel(device + "/" + pedal + "/portA", "ToggleButton"));
    add(ParameterPanel(device + "/" + pedal + "/portB", "ToggleButton"));
  }
  add(ParameterPanel(device + "/midiUSB/portAMidiChannel", "MidiChannel"));
  add(ParameterPanel(device + "/midiUSB/portBMidiChannel", "MidiChannel"));
  for (const char* name : {"midiDinPortA", "midiDinPortB", "usbPortA", "usbPortB"})
    add(ParameterPanel(device + "/midiUSB/" + name, "ToggleButton"));
  return controls;
}

TEST(EditorSkins, TheProgramCarriesTwoSkinsHighResolutionFirst) {
  const EditorDocuments documents;
  ASSERT_GE(documents.loadResult, 0) << "line " << documents.factory->GetLastParseError().line;
  const auto& skins = documents.factory->GetSkins();
  ASSERT_EQ(skins.GetCount(), 2u);
  EXPECT_EQ(Utf8(skins[0]->Skin->Name), "CVX1_HighDPI");
  EXPECT_EQ(Utf8(skins[1]->Skin->Name), "CVX1_StandardDPI");
  EXPECT_EQ(Utf8(documents.factory->GetApplicationName()), "PresetEditor");
}

TEST(EditorSkins, EveryControlTheEditorLooksUpExistsWithItsClassInBothSkins) {
  const EditorDocuments documents;
  const auto& skins = documents.factory->GetSkins();
  ASSERT_EQ(skins.GetCount(), 2u);
  for (uint32_t skin = 0; skin < skins.GetCount(); ++skin) {
    for (const Expected& control : EditorControls()) {
      const LControlDescriptor* found = Find(*skins[skin], control.path);
      ASSERT_TRUE(found) << Utf8(skins[skin]->Skin->Name) << " has no " << control.path;
      EXPECT_EQ(Utf8(found->ClassName), control.className) << Utf8(skins[skin]->Skin->Name) << " " << control.path;
    }
  }
}

TEST(EditorSkins, ToggleButtonsSwitchThemselvesAndMidiChannelsStartOnTheFirstItem) {
  const EditorDocuments documents;
  for (uint32_t skin = 0; skin < 2; ++skin) {
    const LControlDescriptor& root = *documents.factory->GetSkins()[skin];
    String flag, index;
    const LControlDescriptor* toggle = Find(root, "mainControl/viewDevice/pedal2/portB/parameterControl");
    ASSERT_TRUE(toggle && toggle->CreateParams);
    EXPECT_TRUE(toggle->CreateParams->GetString(u"AUTO_VALUE_SET", flag));
    EXPECT_EQ(Utf8(flag), "true");
    const LControlDescriptor* combo = Find(root, "mainControl/viewDevice/midiUSB/portBMidiChannel/comboBox");
    ASSERT_TRUE(combo && combo->CreateParams);
    EXPECT_TRUE(combo->CreateParams->GetString(u"INITIAL_SELECTED_INDEX", index));
    EXPECT_EQ(Utf8(index), "0");
  }
}

TEST(EditorSkins, TheHighResolutionSkinIsTheStandardOneAtTwiceTheSize) {
  const EditorDocuments documents;
  const LControlDescriptor& high = *documents.factory->GetSkins()[0];
  const LControlDescriptor& standard = *documents.factory->GetSkins()[1];
  for (const Expected& control : EditorControls()) {
    const LControlDescriptor* big = Find(high, control.path);
    const LControlDescriptor* small = Find(standard, control.path);
    ASSERT_TRUE(big && small && big->Layout && small->Layout) << control.path;
    for (int axis = 0; axis < 2; ++axis) {
      EXPECT_EQ(big->Layout->Size[axis].abs, 2 * small->Layout->Size[axis].abs) << control.path;
      EXPECT_EQ(big->Layout->Placement[axis].abs, 2 * small->Layout->Placement[axis].abs) << control.path;
    }
  }
  EXPECT_EQ(high.Skin->FontSize, 2 * standard.Skin->FontSize);
}

TEST(EditorSkins, EveryImageTheSkinsNameIsInTheProgramAndTheLargeOnesAreTwiceTheSize) {
  const EditorDocuments documents;
  int images = 0;
  for (const auto& [name, part] : documents.factory->GetRegistry().parts) {
    if (!part || part->Image.path.IsEmpty()) continue;
    ++images;
    const RCPtr<LBitmap> bitmap = LBitmap::GetNamedBitmap(part->Image.path);
    ASSERT_TRUE(bitmap) << Utf8(name) << ": " << Utf8(part->Image.path) << " is not in the program";
    EXPECT_GE(bitmap->GetWidth(), part->Image.X + part->Image.Width) << Utf8(name);
    EXPECT_GE(bitmap->GetHeight(), part->Image.Y + part->Image.Height) << Utf8(name);
    const std::string path = Utf8(part->Image.path);
    if (path.starts_with("::std_")) {
      const RCPtr<LBitmap> large = LBitmap::GetNamedBitmap(String(("::hd_" + path.substr(6)).c_str()));
      ASSERT_TRUE(large) << path;
      EXPECT_EQ(large->GetWidth(), 2 * bitmap->GetWidth()) << path;
      EXPECT_EQ(large->GetHeight(), 2 * bitmap->GetHeight()) << path;
    }
  }
  EXPECT_GT(images, 100);
}

TEST(EditorSkins, TheFilesTheDesktopAndTheCursorsNeedAreInTheProgram) {
  const ::Platform::Resources::QtResourceSource resources;
  std::string bytes;
  for (const char* name : {"cursor_drop_move.png", "cursor_drop_copy.png"})
    EXPECT_TRUE(resources.Read("CURSORS", name, bytes) && bytes.size() > 100) << name;
  for (const char* size : {"16", "24", "32", "48", "64", "128", "256"})
    EXPECT_TRUE(resources.Read("ICONS", std::string("corvex-editor-") + size + ".png", bytes)) << size;
}

}  // namespace
}  // namespace SV
