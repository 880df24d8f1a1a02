#pragma once
#include <functional>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV::Testing {

// A control that reports construction, destruction and release-hook runs to a
// LifeRecord, counts its idle ticks and removed children, and runs optional test code
// when it gets a root window. Gives itself a placement record so that visibility and
// clipping can change.
class InstrumentedControl : public LControl {
public:
  InstrumentedControl(LifeRecord& record, const RCPtr<LControl>& parent, const String& name)
      : LControl(parent, name), mRecord(record) {
    ++mRecord.constructed;
    SetLayout(LLayoutDescriptor::Create());
    SetRectDirect({0, 0, 10, 10});
  }
  ~InstrumentedControl() override { ++mRecord.destroyed; }

  static RCPtr<InstrumentedControl> Make(LifeRecord& record, const RCPtr<LControl>& parent, const String& name) {
    return RCPtr<InstrumentedControl>(new InstrumentedControl(record, parent, name));
  }

  SVRESULT ReleaseInternalReferences() override {
    ++mRecord.hookCalls;
    return LControl::ReleaseInternalReferences();
  }
  void OnIdle() override { ++idleTicks; }
  void OnChildRemoved(LControl* child, int32_t index) override { removed.push_back({child, index}); }
  void OnRootWindowChanged() override {
    if (onRootWindowChanged) onRootWindowChanged();
    LControl::OnRootWindowChanged();
  }

  using LControl::MarkParentOrderChanged;
  using LControl::SetCaptureFlag;
  using LControl::SetHoverFlag;
  using LControl::SetLayout;
  using LControl::SetRectDirect;
  using LControl::SetScrollOffsetDirect;
  // A control that has been through the whole creation sequence (without a descriptor),
  // so that it handles notifications.
  static RCPtr<InstrumentedControl> MakeCreated(LifeRecord& record, const RCPtr<LControl>& parent,
                                                const String& name) {
    RCPtr<InstrumentedControl> control = Make(record, parent, name);
    control->FinishCreation();
    return control;
  }

  // Runs the rest of the creation sequence without a descriptor, so the control counts as created.
  void FinishCreation() { LControlCreation::Build(*this, nullptr); }

  struct Removal {
    LControl* child;
    int32_t index;
  };
  int idleTicks = 0;
  std::vector<Removal> removed;
  std::function<void()> onRootWindowChanged;

private:
  LifeRecord& mRecord;
};

}  // namespace SV::Testing
