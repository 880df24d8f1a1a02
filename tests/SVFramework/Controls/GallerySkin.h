#pragma once
#include <string>

// One window that shows the framework's periphery widgets side by side, for the
// gallery screenshot: a tab control, a centred slider, a knob, a combo slider (open),
// a level meter, a progress bar, a panel split by a vertical and a horizontal
// splitter, a file dropper, and below them a multi-column list, a tree view and a
// checked combo box, then a status bar. Captions are labels "caption..." whose texts
// the test sets. The window is 800 x 700.
namespace SV::Testing::GallerySkin {

constexpr int kWidth = 800;
constexpr int kHeight = 700;

inline std::string Colorizer(const char* name, const char* color) {
  return std::string("<Colorizer Name=\"") + name + "\" ColorType=\"SolidFill\" Color=\"" + color + "\"/>";
}

inline std::string ColourPart(const char* name, const char* colorizer) {
  return std::string("<Part Name=\"") + name + "\" Width=\"4\" Height=\"4\" ResizeType=\"Stretch\" ColorizerName=\"" +
         colorizer + "\"/>";
}

// A look filled with `part` inside the given insets.
inline std::string FillLook(const std::string& name, const char* part, int left = 0, int top = 0, int right = 0,
                            int bottom = 0) {
  return "<Look Name=\"" + name + "\"><ClientPart Name=\"" + part + "\" OffsetLeft=\"" + std::to_string(left) +
         "\" OffsetTop=\"" + std::to_string(top) + "\" OffsetRight=\"" + std::to_string(right) +
         "\" OffsetBottom=\"" + std::to_string(bottom) + "\"/></Look>";
}

// Text in `textPart`'s colour, aligned by `hAlign`, over an optional face.
inline std::string TextLook(const std::string& name, const char* face, const char* textPart, const char* hAlign,
                            int inset = 4) {
  std::string look = "<Look Name=\"" + name + "\">";
  if (face) look += std::string("<ClientPart Name=\"") + face +
                    "\" OffsetLeft=\"0\" OffsetTop=\"0\" OffsetRight=\"0\" OffsetBottom=\"0\"/>";
  const std::string i = std::to_string(inset);
  return look + "<TextProperties TextLeftRel=\"0\" TextLeftAbs=\"" + i + "\" TextRightRel=\"1\" TextRightAbs=\"-" + i +
         "\" TextHAlign=\"" + hAlign +
         "\" TextTopRel=\"0\" TextTopAbs=\"0\" TextBottomRel=\"1\" TextBottomAbs=\"0\" TextVAlign=\"0.5\" "
         "TextForegroundPart=\"" +
         textPart + "\"/></Look>";
}

// `count` entries naming the same look.
inline std::string LookList(const std::string& name, const std::string& look, int count) {
  std::string list = "<LookList Name=\"" + name + "\" NumLooks=\"" + std::to_string(count) + "\">";
  for (int index = 0; index < count; ++index)
    list += "<Look Name=\"" + look + "\" Index=\"" + std::to_string(index) + "\"/>";
  return list + "</LookList>";
}

constexpr int kKnobFrames = 16;

// Knob frames: a round-ish dark face with a bar along its bottom that grows with the value.
inline std::string KnobLooks() {
  std::string looks;
  for (int frame = 0; frame < kKnobFrames; ++frame)
    looks += "<Look Name=\"Knob" + std::to_string(frame) +
             "\"><ClientPart Name=\"KnobFace\" OffsetLeft=\"0\" OffsetTop=\"0\" OffsetRight=\"0\" OffsetBottom=\"6\"/>"
             "<NonClientParts><NonClientPart Name=\"Accent\" OffsetLeft=\"0\" OffsetBottom=\"0\" Width=\"" +
             std::to_string(3 * (frame + 1)) + "\" Height=\"4\"/></NonClientParts></Look>";
  return looks;
}

inline std::string KnobLookList() {
  std::string list = "<LookList Name=\"Knob\" NumLooks=\"" + std::to_string(kKnobFrames + 1) + "\">";
  for (int frame = 0; frame < kKnobFrames; ++frame)
    list += "<Look Name=\"Knob" + std::to_string(frame) + "\" Index=\"" + std::to_string(frame) + "\"/>";
  return list + "</LookList>";
}

// Fourteen looks: `first` for indexes 0 to 6, `second` for 7 to 12, and index 13 as
// `last`.
inline std::string TwoSets(const std::string& name, const std::string& first, const std::string& second,
                           const std::string& last) {
  std::string list = "<LookList Name=\"" + name + "\" NumLooks=\"14\">";
  for (int index = 0; index < 14; ++index) {
    const std::string& look = index < 7 ? first : index < 13 ? second : last;
    list += "<Look Name=\"" + look + "\" Index=\"" + std::to_string(index) + "\"/>";
  }
  return list + "</LookList>";
}

// Looks of the lists: rows (0-6 unselected, 7-12 selected, 13 separator), check
// boxes (0-6 off, 7-13 on) and the checked combo (7-13 while an item is checked).
inline std::string ListLookLists() {
  return TwoSets("RowLooks", "RowText", "RowSelected", "RowText") +
         TwoSets("CellLooks", "CellText", "CellSelected", "CellText") +
         TwoSets("Check", "Groove", "AccentFill", "AccentFill") + TwoSets("CheckedCombo", "Field", "FieldOpen", "FieldOpen");
}

inline std::string Resources() {
  return "<Colorizers>" + Colorizer("Back", "FF23272E") + Colorizer("Card", "FF2F343D") +
         Colorizer("Raised", "FF3C424D") + Colorizer("Light", "FFEDEFF2") + Colorizer("Dim", "FF8A919C") +
         Colorizer("Accent", "FFE8A33D") + Colorizer("Blue", "FF4A90D9") + Colorizer("Green", "FF52C47A") +
         Colorizer("Red", "FFE0524A") + Colorizer("Track", "FF555C68") +
         Colorizer("KnobShade", "FF4A515C") + Colorizer("Sheen", "FF464D58") +
         "</Colorizers><Parts>" +
         ColourPart("BackPart", "Back") + ColourPart("CardPart", "Card") + ColourPart("RaisedPart", "Raised") +
         ColourPart("LightText", "Light") + ColourPart("DimText", "Dim") + ColourPart("Accent", "Accent") +
         ColourPart("BluePart", "Blue") + ColourPart("GreenPart", "Green") + ColourPart("RedPart", "Red") +
         ColourPart("TrackPart", "Track") + ColourPart("KnobFace", "KnobShade") + ColourPart("SheenPart", "Sheen") +
         ColourPart("DarkText", "Back") + "</Parts><Looks>" + FillLook("Back", "BackPart") +
         FillLook("Card", "CardPart") + FillLook("Raised", "RaisedPart") + FillLook("AccentFill", "Accent") +
         FillLook("BlueFill", "BluePart") + FillLook("GreenFill", "GreenPart") + FillLook("RedFill", "RedPart") +
         FillLook("Track", "TrackPart", 0, 13, 0, 13) + FillLook("Groove", "TrackPart") +
         TextLook("Caption", nullptr, "DimText", "0", 0) + TextLook("PaneText", "RaisedPart", "LightText", "0.5") +
         TextLook("ButtonFace", "SheenPart", "LightText", "0.5") + TextLook("Field", "RaisedPart", "LightText", "0.5") +
         TextLook("FieldOpen", "SheenPart", "Accent", "0.5") + TextLook("Status", "RaisedPart", "LightText", "0", 8) +
         TextLook("Plain", nullptr, "LightText", "0", 0) + TextLook("OnAccent", nullptr, "LightText", "0.5", 0) +
         TextLook("Remaining", nullptr, "LightText", "1", 0) + TextLook("RowText", nullptr, "LightText", "0", 22) +
         TextLook("RowSelected", "SheenPart", "Accent", "0", 22) + TextLook("CellText", nullptr, "LightText", "0", 6) +
         TextLook("CellSelected", "SheenPart", "Accent", "0", 6) + KnobLooks() + "</Looks><LookLists>" + LookList("Back", "Back", 1) + LookList("Card", "Card", 1) +
         LookList("Raised", "Raised", 1) + LookList("Caption", "Caption", 1) + LookList("PaneText", "PaneText", 1) +
         LookList("Plain", "Plain", 1) + LookList("OnAccent", "OnAccent", 1) + LookList("Remaining", "Remaining", 1) + LookList("Button", "ButtonFace", 14) +
         LookList("Thumb", "AccentFill", 14) + LookList("Track", "Track", 3) + LookList("Groove", "Groove", 3) +
         LookList("AccentFill", "AccentFill", 1) + LookList("BlueFill", "BlueFill", 1) +
         LookList("GreenFill", "GreenFill", 1) + LookList("RedFill", "RedFill", 1) + LookList("Status", "Status", 1) +
         "<LookList Name=\"Combo\" NumLooks=\"7\"><Look Name=\"Field\" Index=\"0\"/><Look Name=\"Field\" Index=\"1\"/>"
         "<Look Name=\"Field\" Index=\"2\"/><Look Name=\"Field\" Index=\"3\"/><Look Name=\"FieldOpen\" Index=\"4\"/>"
         "<Look Name=\"FieldOpen\" Index=\"5\"/><Look Name=\"Field\" Index=\"6\"/></LookList>" +
         KnobLookList() + ListLookLists() + "</LookLists>";
}

inline std::string Control(const std::string& type, const std::string& name, const std::string& placement,
                           const std::string& lookList, const std::string& children = {}) {
  return "<SubControl Class=\"" + type + "\" Name=\"" + name + "\" " + placement + "><Skin Name=\"" + name +
         "\" LookList=\"" + lookList + "\"/>" + children + "</SubControl>";
}

inline std::string At(int x, int y, int width, int height) {
  return "XPositionAbs=\"" + std::to_string(x) + "\" YPositionAbs=\"" + std::to_string(y) + "\" XSizeAbs=\"" +
         std::to_string(width) + "\" YSizeAbs=\"" + std::to_string(height) + "\"";
}

inline std::string Caption(const std::string& name, int x, int y, int width = 300) {
  return Control("Framework.Label", name, At(x, y, width, 16), "Caption");
}

inline std::string TabControl() {
  std::string buttons, pages;
  const char* names[] = {"tabGeneral", "tabMidi", "tabAbout"};
  for (int tab = 0; tab < 3; ++tab) {
    buttons += Control("Framework.Button", names[tab], At(tab * 92, 0, 88, 24), "Button");
    const std::string n = std::to_string(tab);
    pages += Control("Framework.Panel", "page" + n,
                     "XSizeToControl=\"Parent\" XSizeRel=\"1\" YSizeToControl=\"Parent\" YSizeRel=\"1\"", "Raised",
                     Control("Framework.Label", "pageText" + n, At(12, 12, 300, 18), "Plain") +
                         Control("Framework.Button", "pageButton" + n, At(12, 44, 120, 26), "Button"));
  }
  return Control("Framework.TabControl", "tabs", At(20, 44, 360, 150), "Card",
                 Control("Framework.Panel", "buttonHolder", At(8, 8, 344, 24), "Card", buttons) +
                     Control("Framework.Panel", "pageHolder", At(8, 34, 344, 108), "Raised", pages));
}

inline std::string SliderMarkers(int end) {
  return Control("Framework.Button", "thumbStart", At(0, 3, 10, 24), "Thumb") +
         Control("Framework.Button", "thumbEnd", At(end, 3, 10, 24), "Thumb");
}

inline std::string CenteredSlider() {
  const std::string bounds =
      Control("Framework.CenteredSliderBounds", "lowRangeBounds",
              "XPlacementAnchor=\"1\" XSizeAbs=\"320\" YPositionAbs=\"12\" YSizeAbs=\"6\"", "Card",
              Control("Framework.Panel", "fill", "XSizeToControl=\"Parent\" XSizeRel=\"1\" YSizeToControl=\"Parent\" "
                                                "YSizeRel=\"1\"",
                      "AccentFill")) +
      Control("Framework.CenteredSliderBounds", "highRangeBounds", "XSizeAbs=\"320\" YPositionAbs=\"12\" YSizeAbs=\"6\"",
              "Card",
              Control("Framework.Panel", "fill", "XSizeToControl=\"Parent\" XSizeRel=\"1\" YSizeToControl=\"Parent\" "
                                                "YSizeRel=\"1\"",
                      "Groove"));
  return Control("Framework.CenteredSlider", "centredSlider", At(420, 44, 320, 30), "Card",
                 SliderMarkers(310) + bounds);
}

inline std::string ComboSlider() {
  const std::string panel = Control(
      "Framework.ComboSlider.DropDownPanel", "dropDownPanel",
      "ClipToParent=\"False\" Z_Order=\"5\" " + At(0, 26, 220, 40), "Raised",
      Control("Framework.Slider", "slider", At(10, 5, 200, 30), "Track", SliderMarkers(190)));
  return Control("Framework.ComboSlider", "comboSlider", At(560, 124, 100, 24), "Combo", panel);
}

inline std::string LevelMeter() {
  return Control("Framework.LevelMeter", "meter", At(420, 224, 320, 12), "Groove",
                 Control("Framework.Panel", "activeOverlay", At(0, 0, 5, 12), "GreenFill") +
                     Control("Framework.Panel", "peakLo", At(0, 0, 3, 12), "AccentFill") +
                     Control("Framework.Panel", "peakHi", At(317, 0, 3, 12), "AccentFill") +
                     Control("Framework.Panel", "clipButton", At(330, 0, 12, 12), "RedFill") +
                     "");
}

inline std::string ProgressBar() {
  return Control("Framework.ProgressBar", "progress", At(420, 284, 320, 22), "Groove",
                 Control("Framework.Panel", "activeOverlay", "XSizeAbs=\"5\" YSizeToControl=\"Parent\" YSizeRel=\"1\"",
                         "BlueFill") +
                     Control("Framework.Label", "percentCompleteLabel", At(0, 0, 60, 22), "OnAccent") +
                     Control("Framework.Label", "timeRemainingLabel", At(60, 0, 256, 22), "Remaining"));
}

inline std::string Splitters() {
  const std::string pane = "YSizeToControl=\"Parent\" YSizeRel=\"1\"";
  const std::string right =
      Control("Framework.Label", "topPane",
              "LayoutOrder=\"0\" YSizeAbs=\"70\" YMinSizeAbs=\"30\" XSizeToControl=\"Parent\" XSizeRel=\"1\"",
              "PaneText") +
      Control("Framework.SplitterH", "splitH",
              "LayoutOrder=\"1\" YPositionToControl=\"topPane\" YPositionRel=\"1\" YSizeAbs=\"6\" "
              "XSizeToControl=\"Parent\" XSizeRel=\"1\"",
              "AccentFill") +
      Control("Framework.Label", "bottomPane",
              "LayoutOrder=\"2\" YPositionToControl=\"splitH\" YPositionRel=\"1\" YSizeToControl=\"Parent\" "
              "YSizeRel=\"1\" YSizeAbs=\"-40\" XSizeToControl=\"Parent\" XSizeRel=\"1\"",
              "PaneText");
  return Control(
      "Framework.Panel", "splitBox", At(20, 244, 360, 170), "Card",
      Control("Framework.Label", "leftPane", "LayoutOrder=\"0\" XSizeAbs=\"130\" XMinSizeAbs=\"60\" " + pane,
              "PaneText") +
          Control("Framework.SplitterV", "splitV",
                  "LayoutOrder=\"1\" XPositionToControl=\"leftPane\" XPositionRel=\"1\" XSizeAbs=\"6\" " + pane,
                  "AccentFill") +
          Control("Framework.Panel", "rightArea",
                  "LayoutOrder=\"2\" XPositionToControl=\"splitV\" XPositionRel=\"1\" XSizeToControl=\"Parent\" "
                  "XSizeRel=\"1\" " +
                      pane,
                  "Card", right));
}

inline std::string CheckBox(int x, int y, const std::string& name = "checkBox") {
  return "<SubControl Class=\"Framework.Button\" Name=\"" + name + "\" " + At(x, y, 16, 16) +
         "><Skin Name=\"" + name + "\" LookList=\"Check\"/><CreateParamList><CreateParam ID=\"AUTO_VALUE_SET\" "
         "Type=\"String\">true</CreateParam></CreateParamList></SubControl>";
}

inline std::string RowTemplate(const char* rowClass, const std::string& looks, const std::string& checkBox) {
  return Control(rowClass, "templateItem", "XSizeToControl=\"Parent\" XSizeRel=\"1\" YSizeAbs=\"20\"", looks,
                 checkBox);
}

inline std::string MultiColumnList() {
  std::string children;
  for (int column = 1; column <= 3; ++column) {
    const std::string n = std::to_string(column);
    children += Control("Framework.Button", "buttonColumnHeader" + n, At((column - 1) * 120, 0, 118, 22), "Button");
    children += Control("Framework.listboxNoScroll", "listboxNoScroll" + n, At((column - 1) * 120, 24, 118, 176),
                        "Card", RowTemplate("Framework.ListBoxItem", "CellLooks", ""));
  }
  return Control("Framework.listbox2ColumnSortable", "table", At(20, 450, 360, 200), "Raised", children);
}

inline std::string TreeView() {
  return Control("Framework.TreeView", "tree", At(420, 450, 170, 200), "Card",
                 RowTemplate("Framework.TreeViewItem", "RowLooks", CheckBox(2, 2)));
}

inline std::string CheckedComboBox() {
  const std::string list =
      "<SubControl Class=\"Framework.CheckedListBox\" Name=\"listBox\" IsVisible=\"False\" ClipToParent=\"False\" "
      "Z_Order=\"5\" YPositionRel=\"1\" XSizeToControl=\"Parent\" XSizeRel=\"1\" YSizeAbs=\"80\"><Skin "
      "Name=\"listBox\" LookList=\"Card\"/>" +
      RowTemplate("Framework.CheckedListBoxItem", "RowLooks", CheckBox(2, 2)) + "</SubControl>";
  return Control("Framework.CheckedComboBox", "checkedCombo", At(610, 450, 170, 24), "CheckedCombo",
                 CheckBox(4, 4) + list);
}

inline std::string Controls() {
  return Caption("captionTabs", 20, 24) + TabControl() + Caption("captionCentred", 420, 24) + CenteredSlider() +
         Caption("captionKnob", 420, 104, 120) +
         Control("Framework.Knob", "knob", At(430, 124, 44, 50), "Knob") + Caption("captionCombo", 560, 104, 180) +
         ComboSlider() + Caption("captionMeter", 420, 204) + LevelMeter() + Caption("captionProgress", 420, 264) +
         ProgressBar() + Caption("captionSplitters", 20, 224) + Splitters() + Caption("captionDropper", 420, 344) +
         Control("Framework.FileDropper", "dropper", At(420, 364, 48, 48), "BlueFill") +
         Control("Framework.Label", "dropperHint", At(480, 364, 300, 48), "Caption") +
         Caption("captionTable", 20, 430) + MultiColumnList() + Caption("captionTree", 420, 430, 170) + TreeView() +
         Caption("captionChecked", 610, 430, 170) + CheckedComboBox() +
         Control("Framework.StatusBar", "status", At(0, kHeight - 26, kWidth, 26), "Raised",
                 Control("Framework.Label", "label1", At(0, 0, kWidth, 26), "Status"));
}

}  // namespace SV::Testing::GallerySkin
