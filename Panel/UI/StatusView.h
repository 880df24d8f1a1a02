#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// The device view's status view: a shared object with no state and no behaviour of its own,
// handed out by LDeviceView::GetStatusView; nothing reads anything from it.
class LStatusView : public LRefCountedObject {};

}  // namespace SV
