#pragma once

namespace Platform::Gui {

// The screen's pixels per logical inch (the primary screen's logical DPI; tests force
// it with QT_FONT_DPI); 96 when there is no GUI application or screen. GUI thread only.
double ScreenDotsPerInch();

}  // namespace Platform::Gui
