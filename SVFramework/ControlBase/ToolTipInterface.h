#pragma once
#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// What a control needs of the tooltip that its skin's "toolTip" descriptor makes: the
// tooltip control implements it beside LControl. UI thread only.
class IToolTip {
public:
  virtual ~IToolTip() = default;
  // Starts the tooltip below the pointer (shown after its delay); 0.
  virtual SVRESULT Show() = 0;
  // Ends it and queues it for destruction with its parent; 0.
  virtual SVRESULT Hide() = 0;
};

}  // namespace SV
