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

// Places the control at `rect` of its parent (or window) through its placement record.
inline void PlaceAt(LControl& control, RectT<double> rect) {
  LPlacementSpec x, y;
  x.abs = rect.x;
  y.abs = rect.y;
  LSizeSpec width, height;
  width.abs = rect.width;
  height.abs = rect.height;
  control.SetPlacements(x, width, y, height);
}

// A tree top > {boxA > {a1, a2, a3}, boxB > {b1, b2}} of created, focusable controls of
// one class, 50 x 50 each, shown in `window` once Show runs.
template <class ControlClass>
struct FocusTree {
  RCPtr<ControlClass> top, boxA, a1, a2, a3, boxB, b1, b2;

  explicit FocusTree(LifeRecord& record) {
    top = Make(record, nullptr, u"top");
    boxA = Make(record, top, u"boxA");
    a1 = Make(record, boxA, u"a1");
    a2 = Make(record, boxA, u"a2");
    a3 = Make(record, boxA, u"a3");
    boxB = Make(record, top, u"boxB");
    b1 = Make(record, boxB, u"b1");
    b2 = Make(record, boxB, u"b2");
  }
  static RCPtr<ControlClass> Make(LifeRecord& record, const RCPtr<LControl>& parent, const char16_t* name) {
    RCPtr<ControlClass> control(new ControlClass(record, parent, name));
    control->FinishCreation();
    control->SetRectDirect({0, 0, 50, 50});
    control->SetNotFocusable(false);
    return control;
  }
};

}  // namespace SV::Testing
