#pragma once
#include <string_view>

namespace SV {

class LFrameworkApp;

// What the first instance does with a later instance's command line (UTF-8): raises
// its main window (and the dialog open over it) and hands the text to the
// application's OnSecondInstance. Nothing without an application object; an empty
// text is not handed on. UI thread only.
void DeliverSecondInstance(LFrameworkApp* application, std::string_view commandLine);

}  // namespace SV
