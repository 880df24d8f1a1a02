#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"

// The device view's status view: a shared object with no state and no behaviour of its own,
// handed out by LDeviceView::GetStatusView; nothing reads anything from it.
class LStatusView : public SV::LRefCountedObject {};
