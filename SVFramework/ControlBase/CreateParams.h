#pragma once
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Reads the typed values of a control's create parameters (the descriptor's
// CreateParam texts by ID), the same in every locale. A missing table or ID reads
// as absent. Any thread; the table must not change meanwhile.
class LCreateParams {
public:
  // A boolean is its text lower-cased and trimmed of blanks, tabs, carriage returns
  // and line feeds compared with "true": "True" reads true, "yes" and "1" false.
  // False when the ID is absent (`value` unchanged).
  static bool ReadBoolean(const LStringTable* parameters, const char16_t* id, bool& value);
  // A real as the C library reads it: leading blanks skipped, the longest number at
  // the start taken, a text that is no number 0; "nan" reads as NaN. False when the
  // ID is absent (`value` unchanged).
  static bool ReadReal(const LStringTable* parameters, const char16_t* id, double& value);
  static bool Has(const LStringTable* parameters, const char16_t* id);
};

}  // namespace SV
