#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/PixelRounding.h"
#include "SVFramework/System/WindowOSServices.h"

// The placement of LControl: the frame of reference, the limits and storing a rectangle.
namespace SV {
namespace {

constexpr double kSizeChangeEpsilon = 2.220446049250313e-15;

LNamedSpan SpanOf(const LControl& control, int32_t axis, double scroll) {
  const RectT<double>& rect = control.GetRect();
  LNamedSpan span{axis == 0 ? rect.x : rect.y, axis == 0 ? rect.width : rect.height};
  if (control.GetLayout() && control.GetLayout()->Placement[axis].docked) span.position -= scroll;
  return span;
}

PointT<double> WorkAreaSize(LFrameworkApp& application) {
  const RectT<int32_t> workArea = application.GetWorkArea();
  return {ClampToExactDouble(workArea.width), ClampToExactDouble(workArea.height)};
}

}  // namespace

bool LControl::MakePlacementFrame(LPlacementFrame& frame) const {
  if (const LControl* parent = mParent.Get()) {
    const RectT<double> client = parent->GetLookClientRect(-1);
    frame = {{-client.x, -client.y}, {parent->mRect.width, parent->mRect.height}, {client.width, client.height},
             {parent->mScrollOffset.x, parent->mScrollOffset.y}, nullptr};
    frame.findNamed = [parent](const String& name, int32_t axis) {
      const RCPtr<LControl> named = parent->FindChild(name);
      return named ? SpanOf(*named, axis, axis == 0 ? parent->mScrollOffset.x : parent->mScrollOffset.y)
                   : LNamedSpan{};
    };
    return true;
  }
  // A top-level control is placed in its window's client area (its own window, else the
  // active one, else the main window); its "Parent" is the desktop's work area taken at the screen's origin,
  // and a named reference is the pointer.
  if (mCreated && !mRootWindow) return false;
  LFrameworkApp* application = GetFrameworkApp();
  RCPtr<LRootWindow> rootWindow = mRootWindow;
  if (!rootWindow && application) rootWindow = application->GetActiveRootWindow();
  if (!rootWindow && application) rootWindow = application->GetRootWindow(0);
  if (!rootWindow) return false;
  PointT<int32_t> origin{0, 0};
  if (IWindowOSServices* window = rootWindow->GetOSWindow()) window->ClientToScreen(origin);
  const PointT<double> screenOrigin{ClampToExactDouble(origin.x), ClampToExactDouble(origin.y)};
  const PointT<double> client = ToDoublePoint(rootWindow->GetClientSize());
  const PointT<double> parent = application ? WorkAreaSize(*application) : client;
  frame = {{-screenOrigin.x, -screenOrigin.y}, {parent.x, parent.y}, {client.x, client.y}, {0, 0}, nullptr};
  frame.findNamed = [application, rootWindow, screenOrigin](const String&, int32_t axis) {
    if (!application) return LNamedSpan{Axis(ToDoublePoint(rootWindow->GetCursorPosition()), axis), 0};
    const PointT<double> cursor = ToDoublePoint(application->GetCursorPos());
    return LNamedSpan{Axis(cursor, axis) - Axis(screenOrigin, axis), 0};
  };
  return true;
}

SVRESULT LControl::RecomputePlacement() {
  LPlacementFrame frame;
  if (!mLayout || !MakePlacementFrame(frame)) return E_FAIL;
  RectT<double> solved;
  SolvePlacement(mLayout.Get(), frame, solved);
  PointT<double> position{solved.x, solved.y};
  PointT<double> size{solved.width, solved.height};
  ApplyMinSize(position, size);
  ApplyMaxSize(position, size);
  RectT<double> placed{position.x, position.y, size.x, size.y};
  NormalizeAndFloorRect(placed);
  return SetRect(placed);
}

SVRESULT LControl::SetRect(const RectT<double>& rect) {
  if (rect == mRect) return S_FALSE;
  const RCPtr<LControl> self(this);
  BeginClientRectWatch();
  const bool sizeChanged = std::abs(rect.width - mRect.width) >= kSizeChangeEpsilon ||
                           std::abs(rect.height - mRect.height) >= kSizeChangeEpsilon;
  InvalidateArea(mRect.width, mRect.height);
  mRect = rect;
  ResizeLooks();
  if (sizeChanged && !mInLayout) ReplaceChildrenAfterResize();
  if (mParent) {
    ReplaceLaterSiblings();
    mParent->OnChildRectChanged(this);
  } else if (mRootWindow) {
    PointT<int32_t> origin{0, 0};
    if (IWindowOSServices* window = mRootWindow->GetOSWindow()) window->ClientToScreen(origin);
    const RectT<int32_t> size = RectT<double>{0, 0, mRect.width, mRect.height}.ToIntRect();
    mRootWindow->SetWindowRect({origin.x, origin.y, size.width, size.height});
  }
  if ((mRect.width <= 0 || mRect.height <= 0) && mParent && (mHasFocus || mContainsFocus)) mParent->SetFocus(true);
  InvalidateArea(mRect.width, mRect.height);
  EndClientRectWatch();
  return S_OK;
}

void LControl::InvalidateArea(double width, double height) {
  InvalidateRect({0, 0, width, height}, ClipsToParent());
  if (mUnclippedDescendants > 0) InvalidateUnclipped();
}

void LControl::ReplaceChildrenAfterResize() {
  mInLayout = true;
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    child->OnRelayoutRequest();
  }
  RecomputePlacement();
  mInLayout = false;
}

void LControl::ReplaceLaterSiblings() {
  const int32_t index = mParent->IndexOfChild(this, ChildOrder::InsertionOrder);
  if (index < 0) return;
  const RCPtr<LControl> parent = mParent;
  for (uint32_t position = static_cast<uint32_t>(index) + 1; position < parent->GetChildCount(); ++position) {
    const RCPtr<LControl> sibling = parent->GetChildAt(position, ChildOrder::InsertionOrder);
    if (sibling->RecomputePlacement() != S_FALSE) break;
  }
}

void LControl::OnChildRectChanged(LControl* child) {
  if (!mInLayout) RecomputePlacement();
  InvalidateChildArea(child);
}

SVRESULT LControl::OnRelayoutRequest() {
  RecomputePlacement();
  return S_OK;
}

SVRESULT LControl::SetPlacement(int32_t axis, const LPlacementSpec& placement, const LSizeSpec& size) {
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  LPlacementSpec oldPlacement;
  LSizeSpec oldSize;
  if (mLayout->GetPlacement(axis, oldPlacement, oldSize) == S_OK && oldPlacement.docked != placement.docked)
    MarkParentOrderChanged();
  mLayout->SetPlacement(axis, placement, size);
  RecomputePlacement();
  LPlacementSpec storedPlacement;
  LSizeSpec storedSize;
  if (mLayout->GetPlacement(axis, storedPlacement, storedSize) != S_OK) return S_FALSE;
  return storedPlacement == placement && storedSize == size ? S_OK : S_FALSE;
}

SVRESULT LControl::SetPlacements(const LPlacementSpec& placementX, const LSizeSpec& sizeX,
                                 const LPlacementSpec& placementY, const LSizeSpec& sizeY) {
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  if (mLayout->Placement[0].docked != placementX.docked || mLayout->Placement[1].docked != placementY.docked)
    MarkParentOrderChanged();
  mLayout->SetPlacement(0, placementX, sizeX);
  mLayout->SetPlacement(1, placementY, sizeY);
  RecomputePlacement();
  const bool stored = mLayout->Placement[0] == placementX && mLayout->Size[0] == sizeX &&
                      mLayout->Placement[1] == placementY && mLayout->Size[1] == sizeY;
  return stored ? S_OK : S_FALSE;
}

SVRESULT LControl::SetMinMax(int32_t axis, const LSizeLimitSpec& minimum, const LSizeLimitSpec& maximum) {
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  mLayout->SetMinMax(axis, minimum, maximum);
  RecomputePlacement();
  LSizeLimitSpec storedMinimum, storedMaximum;
  if (mLayout->GetMinMax(axis, storedMinimum, storedMaximum) != S_OK) return S_FALSE;
  return storedMinimum == minimum && storedMaximum == maximum ? S_OK : S_FALSE;
}

SVRESULT LControl::GetPreferredSize(PointT<double>& size) {
  if (!mLayout) return E_FAIL;
  for (int32_t axis = 0; axis < 2; ++axis) {
    const LPlacementSpec placement = mLayout->Placement[axis];
    const LSizeSpec previous = mLayout->Size[axis];
    LSizeSpec self;
    self.reference = SizeReference::Self;
    SetPlacement(axis, placement, self);
    Axis(size, axis) = axis == 0 ? mRect.width : mRect.height;
    SetPlacement(axis, placement, previous);
  }
  return S_OK;
}

SVRESULT LControl::GetMaxSize(PointT<double>& size) {
  size = {0, 0};
  if (!mLayout) return S_OK;
  for (int32_t axis = 0; axis < 2; ++axis)
    if (!mLayout->MaxSize[axis].namesControl) Axis(size, axis) = mLayout->MaxSize[axis].abs;
  return S_OK;
}

RectT<double> LControl::GetChildrenExtent() const {
  int64_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const LControl& child = *mChildren.GetAt(position, ChildOrder::InsertionOrder);
    if (child.DockedAxisCount() > 0) continue;
    const RectT<int32_t> rect = child.mRect.ToIntRect();
    left = std::min<int64_t>(left, rect.x);
    top = std::min<int64_t>(top, rect.y);
    right = std::max<int64_t>(right, int64_t{rect.x} + rect.width);
    bottom = std::max<int64_t>(bottom, int64_t{rect.y} + rect.height);
  }
  // Without an undocked child the start values describe no extent.
  if (right < left) return {0, 0, 0, 0};
  return {static_cast<double>(left), static_cast<double>(top), static_cast<double>(right - left),
          static_cast<double>(bottom - top)};
}

}  // namespace SV
