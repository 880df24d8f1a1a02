#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// The payload of "NID_DIALOG_CLOSING": a listener sets `cancel` to keep the dialog
// open. UI thread only.
class LCancelArgs : public virtual LRefCountedObject {
public:
  bool cancel = false;
};

}  // namespace SV
