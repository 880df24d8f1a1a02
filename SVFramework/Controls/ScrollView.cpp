#include "SVFramework/Controls/ScrollView.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/ControlBase/CreateParams.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {
namespace {

constexpr double kExtentTolerance = 2.220446049250313e-15;
constexpr int32_t kWheelShift = 8;
constexpr int32_t kWheelAlt = 0x40;

double FiniteOrZero(double value) { return std::isfinite(value) ? value : 0; }

double& AxisOf(PointT<double>& point, int32_t axis) { return axis == 0 ? point.x : point.y; }
double SizeOf(const RectT<double>& rect, int32_t axis) { return axis == 0 ? rect.width : rect.height; }

}  // namespace

LScrollView::LScrollView(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LScrollView::~LScrollView() {
  mCorner.Reset();
  mHorizontalBar.Reset();
  mVerticalBar.Reset();
  mScrollViewHandlers.Reset();
}

int32_t LScrollView::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mScrollViewHandlers) {
    const int32_t handled = mScrollViewHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

// --- Creation ---

SVRESULT LScrollView::Initialize() {
  const SVRESULT result = LControl::Initialize();
  if (result < 0) return result;
  mScrollViewHandlers = Handlers::Create(this);
  mCorner = FindChild(u"corner");
  mHorizontalBar = RCPtr<LScrollbar>(dynamic_cast<LScrollbar*>(FindChild(u"hBar").Get()));
  mVerticalBar = RCPtr<LScrollbar>(dynamic_cast<LScrollbar*>(FindChild(u"vBar").Get()));
  AttachScrollBars();
  return S_OK;
}

SVRESULT LScrollView::ApplyCreateParams() {
  const SVRESULT result = LControl::ApplyCreateParams();
  const RCPtr<LControlDescriptor>& descriptor = GetDescriptor();
  const LStringTable* parameters = descriptor ? descriptor->CreateParams.Get() : nullptr;
  if (!parameters) return result;
  bool autoX = false;
  bool autoY = false;
  LCreateParams::ReadBoolean(parameters, u"AUTO_CLIENT_EXTENT_X", autoX);
  LCreateParams::ReadBoolean(parameters, u"AUTO_CLIENT_EXTENT_Y", autoY);
  mAutoExtentMode = (autoX ? kAutoExtentX : 0) | (autoY ? kAutoExtentY : 0);
  mMarginX = 0;
  mMarginY = 0;
  UpdateAutoClientExtent();
  return result;
}

SVRESULT LScrollView::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  if (!IsCreated()) return LControl::ApplyDescriptor(descriptor);
  const RCPtr<LControl> self(this);
  const int32_t mode = mAutoExtentMode;
  mAutoExtentMode = kAutoExtentOff;
  const SVRESULT result = LControl::ApplyDescriptor(descriptor);
  AttachScrollBars();
  mAutoExtentMode = mode;
  UpdateAutoClientExtent();
  UpdateScrollBars();
  EndClientRectWatch();
  return result;
}

SVRESULT LScrollView::AttachScrollBars() {
  mVerticalThickness = 0;
  mHorizontalThickness = 0;
  if (mCorner && mCorner->GetLayout()) {
    mVerticalThickness = mCorner->GetLayout()->Size[0].abs;
    mHorizontalThickness = mCorner->GetLayout()->Size[1].abs;
  }
  if (mHorizontalBar) {
    if (!IsCreated()) BindBar(mHorizontalBar);
    if (mHorizontalThickness == 0) mHorizontalThickness = mHorizontalBar->GetRect().height;
  }
  if (mVerticalBar) {
    if (!IsCreated()) BindBar(mVerticalBar);
    if (mVerticalThickness == 0) mVerticalThickness = mVerticalBar->GetRect().width;
  }
  UpdateScrollBars();
  return S_OK;
}

void LScrollView::BindBar(const RCPtr<LScrollbar>& bar) {
  const SVRESULT bound =
      mScrollViewHandlers->AddHandler(&LScrollView::OnScrollBarValueChange, RCPtr<LNotificationDistributor>(bar.Get()),
                                      NotificationName::kValueChange, 0);
  if (bound < 0) SV_RAISE(FailedResultException, FormatResultCode(bound), "SV::LScrollView::AttachScrollBars");
}

// --- Extent ---

SVRESULT LScrollView::SetClientExtent(PointT<double> extent) {
  // An extent that is not a number would poison every limit and bar position.
  extent = {FiniteOrZero(extent.x), FiniteOrZero(extent.y)};
  if (std::fabs(extent.x - mClientExtent.x) < kExtentTolerance &&
      std::fabs(extent.y - mClientExtent.y) < kExtentTolerance)
    return S_FALSE;
  const RCPtr<LControl> self(this);
  mClientExtent = extent;
  OnClientExtentChanged();
  Distribute(LNotification::Obtain(u"NID_CLIENT_EXTENT_CHANGE", nullptr));
  return S_OK;
}

void LScrollView::OnClientExtentChanged() { UpdateScrollBars(); }

SVRESULT LScrollView::SetAutoClientExtent(int32_t mode, int32_t marginX, int32_t marginY) {
  mAutoExtentMode = mode;
  mMarginX = marginX;
  mMarginY = marginY;
  UpdateAutoClientExtent();
  return S_OK;
}

SVRESULT LScrollView::UpdateAutoClientExtent() {
  if (mAutoExtentMode == kAutoExtentOff) return S_FALSE;
  const PointT<int32_t> content = GetContentExtent();
  const double x = static_cast<double>(content.x) + mMarginX;
  const double y = static_cast<double>(content.y) + mMarginY;
  switch (mAutoExtentMode) {
    case kAutoExtentX: return SetClientExtent({x, mClientExtent.y});
    case kAutoExtentY: return SetClientExtent({mClientExtent.x, y});
    case kAutoExtentBoth: return SetClientExtent({x, y});
    default: return S_OK;
  }
}

PointT<int32_t> LScrollView::GetContentExtent() const {
  int64_t right = 0;
  int64_t bottom = 0;
  for (uint32_t position = GetChildCount(); position-- > 0;) {
    const LControl& child = *GetChildAt(position);
    const RectT<int32_t> rect = child.GetRect().ToIntRect();
    const RCPtr<LLayoutDescriptor>& layout = child.GetLayout();
    if (!layout || !layout->Placement[0].docked) right = std::max<int64_t>(right, int64_t{rect.x} + rect.width);
    if (!layout || !layout->Placement[1].docked) bottom = std::max<int64_t>(bottom, int64_t{rect.y} + rect.height);
  }
  return {static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX)),
          static_cast<int32_t>(std::min<int64_t>(bottom, INT32_MAX))};
}

void LScrollView::SetLineMode(int32_t lineSize) {
  mLineMode = true;
  mLineSize = lineSize;
}

// --- Geometry ---

bool LScrollView::IsScrollBarShown(int32_t axis) const {
  const RCPtr<LScrollbar>& bar = axis == 0 ? mHorizontalBar : mVerticalBar;
  return bar && bar->IsShown();
}

PointT<double> LScrollView::GetScrollBarSizes() const {
  if (mCorner) return {mCorner->GetRect().width, mCorner->GetRect().height};
  return {mVerticalBar ? mVerticalBar->GetRect().width : 0, mHorizontalBar ? mHorizontalBar->GetRect().height : 0};
}

RectT<double> LScrollView::GetVisibleRect() {
  const RCPtr<LLook> look = GetLook(-1);
  RectT<double> visible = look ? GetLookClientRect(-1) : RectT<double>{0, 0, GetRect().width, GetRect().height};
  const PointT<double> bars = GetScrollBarSizes();
  if (IsScrollBarShown(1)) visible.width -= bars.x;
  if (IsScrollBarShown(0)) visible.height -= bars.y;
  visible.width = std::max(visible.width, 0.0);
  visible.height = std::max(visible.height, 0.0);
  return visible;
}

RectT<double> LScrollView::GetScrollLimits(const RCPtr<LControl>&) {
  const RectT<double> visible = GetVisibleRect();
  RectT<double> limits{0, 0, kUnboundedLimit, kUnboundedLimit};
  if (mClientExtent.x > 0) limits.width = std::max(mClientExtent.x - visible.width, 0.0);
  if (mClientExtent.y > 0) limits.height = std::max(mClientExtent.y - visible.height, 0.0);
  return limits;
}

RectT<double> LScrollView::GetClientRect() {
  const RectT<double> client = GetLookClientRect(-1);
  const RectT<double> children = GetChildrenExtent();
  const PointT<double> offset = GetScrollOffset();
  return {std::max(offset.x, 0.0), std::max(offset.y, 0.0),
          std::max(std::min(client.width, children.x + children.width), 1.0),
          std::max(std::min(client.height, children.y + children.height), 1.0)};
}

SVRESULT LScrollView::GetMaxSize(PointT<double>& size) {
  const SVRESULT result = LControl::GetMaxSize(size);
  const RCPtr<LLayoutDescriptor>& layout = GetLayout();
  if (!layout) return result;
  const PointT<int32_t> content = GetContentExtent();
  if (layout->MaxSize[0].namesControl) size.x = content.x;
  if (layout->MaxSize[1].namesControl) size.y = content.y;
  return result;
}

// --- Offset and watches ---

PointT<double> LScrollView::SetScrollOffset(PointT<double> offset) {
  const bool wasScrolling = mScrollingOffset;
  mScrollingOffset = true;
  const PointT<double> stored = LControl::SetScrollOffset(offset);
  mScrollingOffset = wasScrolling;
  return stored;
}

void LScrollView::ScrollCachedContent(PointT<double> previous, PointT<double> next) {
  const RectT<double> visible = GetVisibleRect();
  if (mHorizontalBar) PutBarAt(mHorizontalBar, PixelPosition(next.x, visible.width, mClientExtent.x));
  if (mVerticalBar) {
    // A bar that counts lines stands at the line the offset shows, not at a pixel share.
    const bool lines = mLineMode && mLineSize > 0;
    PutBarAt(mVerticalBar, lines ? mVerticalBar->ValueToNormalized(std::trunc(next.y / mLineSize))
                                 : PixelPosition(next.y, visible.height, mClientExtent.y));
  }
  LControl::ScrollCachedContent(previous, next);
}

double LScrollView::PixelPosition(double offset, double visible, double extent) {
  const double range = std::max(extent - visible, 0.0);
  return range > 0 ? offset / range : 0;
}

void LScrollView::PutBarAt(const RCPtr<LScrollbar>& bar, double position) {
  if (!mScrollViewHandlers) return;
  if (mScrollViewHandlers->HasHandler(bar.Get(), NotificationName::kValueChange)) {
    CAutoNotificationDisabler<LScrollView> quiet(mScrollViewHandlers, RCPtr<LNotificationDistributor>(bar.Get()),
                                                 NotificationName::kValueChange);
    bar->SetNormalizedValue(position);
  } else {
    bar->SetNormalizedValue(position);
  }
}

void LScrollView::BeginClientRectWatch() {
  mWatching = true;
  LControl::BeginClientRectWatch();
}

void LScrollView::EndClientRectWatch() {
  LControl::EndClientRectWatch();
  mWatching = false;
  UpdateAutoClientExtent();
  UpdateScrollBars();
}

void LScrollView::OnChildRectChanged(LControl* child) {
  LControl::OnChildRectChanged(child);
  if (mUpdating || mScrollingOffset || mWatching || !child) return;
  if (child->DockedAxisCount() == 2) {
    UpdateScrollBars();
  } else {
    UpdateAutoClientExtent();
  }
}

void LScrollView::OnChildRemoved(LControl*, int32_t) {
  if (GetRootWindow()) UpdateAutoClientExtent();
}

// --- Bars ---

double LScrollView::RoomOf(int32_t axis) const {
  if (mCorner) return axis == 1 ? mCorner->GetRect().width : mCorner->GetRect().height;
  if (axis == 1) return mVerticalBar ? mVerticalBar->GetRect().width : 0;
  return mHorizontalBar ? mHorizontalBar->GetRect().height : 0;
}

SVRESULT LScrollView::UpdateScrollBars() {
  if (mUpdating) return S_FALSE;
  const RCPtr<LControl> self(this);
  mUpdating = true;
  const double verticalRoom = RoomOf(1);
  const double horizontalRoom = RoomOf(0);
  const RectT<double> visible = GetVisibleRect();
  UpdateAutoClientExtent();
  const BarNeeds needs = DecideBars(visible, verticalRoom, horizontalRoom);
  ShowScrollBar(1, needs.vertical);
  ShowScrollBar(0, needs.horizontal);
  SyncScrollBars();
  ReportBarChanges(verticalRoom, horizontalRoom, visible);
  UpdateAutoClientExtent();
  mUpdating = false;
  return S_OK;
}

// The viewport without bars, then which bars the extent needs: a horizontal bar takes
// height, which may make the vertical bar needed after all.
LScrollView::BarNeeds LScrollView::DecideBars(const RectT<double>& visible, double verticalRoom,
                                              double horizontalRoom) const {
  const double fullWidth = visible.width + (verticalRoom > 0 ? mVerticalThickness : 0);
  const double fullHeight = visible.height + (horizontalRoom > 0 ? mHorizontalThickness : 0);
  BarNeeds needs;
  needs.vertical = mClientExtent.y > fullHeight;
  needs.horizontal = mClientExtent.x > fullWidth - (needs.vertical ? mVerticalThickness : 0);
  if (needs.horizontal && !needs.vertical) needs.vertical = mClientExtent.y > fullHeight - mHorizontalThickness;
  return needs;
}

void LScrollView::ReportBarChanges(double verticalRoom, double horizontalRoom, const RectT<double>& visibleBefore) {
  if (IsScrollBarShown(1) != (verticalRoom > 0)) OnScrollBarVisibilityChanged(true);
  if (IsScrollBarShown(0) != (horizontalRoom > 0)) OnScrollBarVisibilityChanged(false);
  if (!(GetVisibleRect() == visibleBefore)) OnVisibleRectChanged();
}

void LScrollView::ShowScrollBar(int32_t axis, bool show) {
  const RCPtr<LScrollbar>& bar = axis == 0 ? mHorizontalBar : mVerticalBar;
  if (!bar || IsScrollBarShown(axis) == show) return;
  const int32_t thicknessAxis = axis == 0 ? 1 : 0;
  const RCPtr<LLayoutDescriptor>& source = mCorner && mCorner->GetLayout() ? mCorner->GetLayout() : bar->GetLayout();
  LSizeSpec size = source ? source->Size[thicknessAxis] : LSizeSpec{};
  const LPlacementSpec placement = bar->GetLayout() ? bar->GetLayout()->Placement[thicknessAxis] : LPlacementSpec{};
  const double thickness = axis == 0 ? mHorizontalThickness : mVerticalThickness;
  size.reference = SizeReference::Self;
  size.abs = show ? std::trunc(thickness) : 0;
  bar->SetPlacement(thicknessAxis, placement, size);
}

void LScrollView::SyncScrollBars() {
  SyncPixelBar(mHorizontalBar, 0);
  if (mLineMode) {
    SyncLineBar();
  } else {
    SyncPixelBar(mVerticalBar, 1);
  }
}

void LScrollView::SyncPixelBar(const RCPtr<LScrollbar>& bar, int32_t axis) {
  if (!bar || !bar->GetParent()) return;
  const double visible = SizeOf(GetVisibleRect(), axis);
  const double extent = AxisOf(mClientExtent, axis);
  float proportion = 1.0f;
  float page = 1.0f;
  if (visible < extent) {
    proportion = static_cast<float>(visible) / static_cast<float>(extent);
    page = std::clamp(static_cast<float>(visible) / static_cast<float>(extent - visible), 0.0f, 1.0f);
  }
  bar->SetValueRange(0, extent - visible, 0);
  bar->SetThumbProportion(proportion);
  bar->UpdateThumb();
  bar->SetPageStep(page);
  bar->SetLineStep(page / 10.0f);
  const double offset = std::max(RoundHalfAway((extent - visible) * bar->GetNormalizedValue()), 0.0);
  PointT<double> current = GetScrollOffset();
  if (offset != AxisOf(current, axis)) {
    AxisOf(current, axis) = offset;
    SetScrollOffset(current);
  }
}

void LScrollView::SyncLineBar() {
  const RCPtr<LScrollbar>& bar = mVerticalBar;
  if (!bar || !bar->GetParent()) return;
  // A line size of 0 would divide by zero: such a view has no whole lines to count.
  const double lineSize = mLineSize > 0 ? mLineSize : 0;
  const double lines = lineSize > 0 ? std::trunc(mClientExtent.y / lineSize) : 0;
  const double visibleLines = lineSize > 0 ? std::trunc(GetVisibleRect().height / lineSize) : 0;
  double proportion = 1;
  double lineStep = 1;
  double pageStep = 1;
  if (visibleLines < lines) {
    proportion = visibleLines / lines;
    lineStep = 1 / (lines - visibleLines);
    pageStep = std::min(visibleLines * lineStep, 1.0);
  }
  const double previousLine = bar->NormalizedToValue(bar->GetNormalizedValue());
  bar->SetThumbProportion(proportion);
  bar->SetLineStep(lineStep);
  bar->SetPageStep(pageStep);
  bar->UpdateThumb();
  bar->SetValueRange(0, std::max(lines - visibleLines, 0.0), 0);
  bar->SetNormalizedValue(bar->ValueToNormalized(previousLine));
}

int32_t LScrollView::OnScrollBarValueChange(const RCPtr<LNotificationDistributor>& source,
                                            const RCPtr<LNotification>&) {
  PointT<double> offset = GetScrollOffset();
  if (source.Get() == static_cast<LNotificationDistributor*>(mHorizontalBar.Get())) {
    offset.x = RoundHalfAway(mHorizontalBar->NormalizedToValue(mHorizontalBar->GetNormalizedValue()));
  } else if (source.Get() == static_cast<LNotificationDistributor*>(mVerticalBar.Get())) {
    const double value = mVerticalBar->NormalizedToValue(mVerticalBar->GetNormalizedValue());
    offset.y = mLineMode ? std::trunc(FiniteOrZero(value)) * mLineSize : RoundHalfAway(value);
  }
  SetScrollOffset(offset);
  return 1;
}

// --- Wheel ---

SVRESULT LScrollView::OnMouseWheel(const LMouseWheelParam& param) {
  const bool horizontalShown = IsScrollBarShown(0);
  const bool verticalShown = IsScrollBarShown(1);
  if (!horizontalShown && !verticalShown) return S_FALSE;
  const bool useHorizontal =
      horizontalShown && verticalShown ? (param.modifiers & kWheelAlt) != 0 : horizontalShown;
  return WheelBy(useHorizontal ? mHorizontalBar : mVerticalBar, param, LMouseWheelParam::kDown);
}

SVRESULT LScrollView::OnMouseHWheel(const LMouseWheelParam& param) {
  const bool horizontalShown = IsScrollBarShown(0);
  if (!horizontalShown && !IsScrollBarShown(1)) return S_FALSE;
  // A left tilt (direction 2) scrolls towards the start, as an upward notch does.
  return WheelBy(horizontalShown ? mHorizontalBar : mVerticalBar, param, LMouseWheelParam::kRight);
}

SVRESULT LScrollView::WheelBy(const RCPtr<LScrollbar>& bar, const LMouseWheelParam& param, int32_t forwardDirection) {
  const double magnitude = (param.modifiers & kWheelShift) != 0 ? bar->GetPageStep() : bar->GetLineStep();
  const double step = param.direction == forwardDirection ? magnitude : -magnitude;
  bar->SetNormalizedValue(bar->GetNormalizedValue() + step);
  return S_OK;
}

}  // namespace SV
