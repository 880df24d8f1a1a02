#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/CreateParams.h"
#include "SVFramework/System/WindowOSServices.h"

// Applying a skin descriptor to LControl, at creation and again at a skin change.
namespace SV {

SVRESULT LControl::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  mDescriptor = descriptor;
  if (!descriptor) return S_OK;
  const RCPtr<LControl> self(this);
  const bool created = mCreated;
  TakeLayoutOf(*descriptor, created);
  ApplyLooksOf(*descriptor);
  TakeFontOf(descriptor->Skin.Get());
  TakeLabelTextOf(created);
  if (created) DetachChildrenMissingFrom(*descriptor);
  RCPtrArray<LControl, 1, 0> setAside;
  setAside.Append(mChildren.GetChildren());
  mChildren.RemoveAll();
  mRect = {};
  RecomputePlacement();
  if (!created) {
    SetExclusiveLook(0);
    mConditionsParam->previous = mConditionsParam->current;
    mConditionsParam->current = GetConditions();
    mConditionsParam->point = mPressPoint;
    return S_OK;
  }
  ReskinChildren(*descriptor, setAside);
  OnDescriptorApplied();
  mChildren.MarkChanged();
  if (mRootWindow) FillRootWindow();
  return S_OK;
}

void LControl::TakeLayoutOf(const LControlDescriptor& descriptor, bool created) {
  const bool wasVisible = !mLayout || mLayout->IsVisible;
  const bool wasEnabled = !mLayout || mLayout->IsEnabled;
  if (created) SetClipToParent(true);
  RCPtr<LLayoutDescriptor> layout;
  if (descriptor.Layout) descriptor.Layout->Clone(layout);
  mLayout = layout ? layout : LLayoutDescriptor::Create();
  MarkParentOrderChanged();
  if (mRootWindow) {
    mLayout->IsVisible = true;
    if (created) HoldWindowPlace();
  }
  if (created) {
    const bool visible = mLayout->IsVisible;
    mLayout->IsVisible = wasVisible;
    if (visible != wasVisible) SetVisible(visible);
    mLayout->IsEnabled = wasEnabled;
    bool notFocusable = mLayout->TabStop < 0;
    LCreateParams::ReadBoolean(descriptor.CreateParams.Get(), u"NOT_FOCUSABLE", notFocusable);
    SetNotFocusable(notFocusable);
  }
  if (!ClipsToParent() && mParent) mParent->IncrementUnclippedDescendants();
}

// A re-skinned window keeps its place on the screen and its size, unless the control
// adjusts the window's rectangle.
void LControl::HoldWindowPlace() {
  PointT<int32_t> origin{0, 0};
  if (IWindowOSServices* window = mRootWindow->GetOSWindow()) window->ClientToScreen(origin);
  RectT<double> windowRect{ClampToExactDouble(origin.x), ClampToExactDouble(origin.y), mRect.width, mRect.height};
  if (AdjustWindowRect(windowRect) == S_FALSE) mRootWindow->SetWindowRect(windowRect.ToIntRect());
  LPlacementSpec placement[2];
  LSizeSpec size[2];
  const double positions[2] = {windowRect.x, windowRect.y};
  const double sizes[2] = {windowRect.width, windowRect.height};
  for (int32_t axis = 0; axis < 2; ++axis) {
    mLayout->GetPlacement(axis, placement[axis], size[axis]);
    placement[axis].rel = size[axis].rel = 0;
    placement[axis].abs = positions[axis];
    size[axis].abs = sizes[axis];
  }
  SetPlacements(placement[0], size[0], placement[1], size[1]);
}

// The root control of a window fills the window's client area.
void LControl::FillRootWindow() {
  LPlacementSpec placement[2];
  LSizeSpec size[2];
  for (int32_t axis = 0; axis < 2; ++axis) {
    mLayout->GetPlacement(axis, placement[axis], size[axis]);
    placement[axis].anchor = 0;
    placement[axis].reference = PositionReference::Client;
    placement[axis].rel = 0;
    placement[axis].abs = 0;
    size[axis].reference = SizeReference::Client;
    size[axis].rel = 1;
    size[axis].abs = 0;
  }
  SetPlacements(placement[0], size[0], placement[1], size[1]);
  RecomputePlacement();
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
}

// Children the new skin has no place for leave the tree through Detach while they are
// still in it, so that focus, capture and hover let go of them.
void LControl::DetachChildrenMissingFrom(const LControlDescriptor& descriptor) {
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    if (position >= mChildren.GetCount()) continue;
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    bool kept = false;
    for (uint32_t index = 0; index < descriptor.Children.GetCount() && !kept; ++index)
      kept = descriptor.Children[index]->Name == child->mName;
    if (!kept) child->Detach();
  }
}

void LControl::ReskinChildren(const LControlDescriptor& descriptor, RCPtrArray<LControl, 1, 0>& setAside) {
  mInLayout = true;
  for (uint32_t index = 0; index < descriptor.Children.GetCount(); ++index) {
    const RCPtr<LControlDescriptor>& childDescriptor = descriptor.Children[index];
    for (uint32_t aside = 0; aside < setAside.GetCount(); ++aside) {
      if (setAside[aside]->mName != childDescriptor->Name) continue;
      const RCPtr<LControl> child = setAside[aside];
      RCPtr<LControl> taken;
      setAside.RemoveItem(aside, taken);
      AdoptChild(child, childDescriptor);
      break;
    }
  }
  mInLayout = false;
  if (mChildren.GetCount() > 0) RecomputePlacement();
  UpdateConditions();
}

SVRESULT LControl::CreateChildren(const RCPtr<LControlDescriptor>& descriptor) {
  mChildren.RemoveAll();
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  if (descriptor && factory) {
    const RCPtr<LControl> self(this);
    for (uint32_t index = 0; index < descriptor->Children.GetCount(); ++index) {
      const RCPtr<LControlDescriptor>& childDescriptor = descriptor->Children[index];
      bool deferred = false;
      LCreateParams::ReadBoolean(childDescriptor->CreateParams.Get(), u"DEFER_CREATE", deferred);
      if (deferred) continue;
      RCPtr<LControl> child;
      factory->CreateControl(child, childDescriptor, self);
    }
  }
  RecomputePlacement();
  return S_OK;
}

}  // namespace SV
