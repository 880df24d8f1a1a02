#pragma once
#include "SVFramework/Controls/MenuDescriptor.h"
#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// What a control needs of the popup menu that its skin's "contextMenu" descriptor makes:
// the popup-menu control implements it beside LControl. UI thread only.
class IPopupMenu {
public:
  virtual ~IPopupMenu() = default;
  // Takes the menu and rebuilds the rows; E_INVALIDARG for null.
  virtual SVRESULT SetMenuDescriptor(const RCPtr<LMenuDescriptor>& menu) = 0;
  // Places the popup at the pointer inside its root window, shows and focuses it.
  virtual SVRESULT ShowAtCursor() = 0;
};

}  // namespace SV
