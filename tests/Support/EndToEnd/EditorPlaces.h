#pragma once

namespace Testing::EndToEnd {

// Where the editor's built-in skins put what the end-to-end tests and benchmarks
// click, in the main window's pixels at 96 logical dots per inch; the high-resolution
// skin doubles every coordinate.
struct EditorPlace {
  int x, y;
  EditorPlace At(int dotsPerInch) const { return {x * dotsPerInch / 96, y * dotsPerInch / 96}; }
};

inline constexpr EditorPlace kFileMenuTitle{32, 13};
inline constexpr EditorPlace kHelpMenuTitle{96, 13};

// The global settings dialog's SEND button, in the dialog's pixels.
inline constexpr EditorPlace kGlobalSettingsSend{262, 240};

// The File menu's entries in their order, as the Down key walks them (the separators
// are skipped). A menu opened by a click has no entry selected: the first Down selects
// the first entry.
enum class FileCommand { SendPreset, GetPreset, OpenPreset, SavePreset, GlobalSettings, Exit };
inline int DownStepsTo(FileCommand command) { return static_cast<int>(command) + 1; }

}  // namespace Testing::EndToEnd
