#pragma once
#include <string>
#include <vector>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The platform dialog's name filters made from a filter text of "|"-separated
// description and pattern pairs ("Presets (*.corvex)|*.corvex|All Files (*.*)|*.*").
// Each pair becomes "description (patterns)": patterns split at ";" are listed with
// blanks between them and "*.*" becomes "*"; a parenthesised pattern list that the
// description already ends with is shown once, not twice. Pairs without a pattern and
// a description left without its pattern are dropped.
std::vector<std::u16string> MakeFileDialogNameFilters(const String& filter);

// The suffix a saved name without one receives: the default extension less a
// leading "*." or "."; empty when what is left is still a wildcard.
std::u16string MakeFileDialogDefaultSuffix(const String& defaultExtension);

}  // namespace SV
