#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

class LScrollbar;

// A control whose content (its client extent, in pixels) can be larger than its
// viewport. It keeps the optional skin children "hBar" and "vBar" (scroll bars) and
// "corner", shows a bar only while the content does not fit, keeps the bars and the
// scroll offset in step both ways, scrolls with the wheel, and can take its extent
// from its children (automatic extent). The offset it drives always lies within
// GetScrollLimits. Base of panels, dialogs, list boxes and text boxes; not registered
// under a class name of its own. UI thread only.
class LScrollView : public LControl {
public:
  using Handlers = LNotificationHandler<LScrollView>;

  // Automatic extent modes: width, height or both from the children.
  static constexpr int32_t kAutoExtentOff = 0;
  static constexpr int32_t kAutoExtentX = 1;
  static constexpr int32_t kAutoExtentY = 2;
  static constexpr int32_t kAutoExtentBoth = 3;
  // An axis whose extent is 0 or less scrolls without an upper bound.
  static constexpr double kUnboundedLimit = 4503599627370496.0;

  LScrollView(const RCPtr<LControl>& parent, const String& name);
  ~LScrollView() override;

  // --- LControl overrides ---
  void BeginClientRectWatch() override;
  // The base's watch, then the automatic extent and the bars.
  void EndClientRectWatch() override;
  // Puts the bars at the new offset without hearing back from them, then the base.
  void ScrollCachedContent(PointT<double> previous, PointT<double> next) override;
  // Per axis: a maximum that names another control becomes the content extent, so the
  // view never asks to be larger than its content.
  SVRESULT GetMaxSize(PointT<double>& size) override;
  PointT<double> SetScrollOffset(PointT<double> offset) override;
  // (0, 0, max(extent - visible, 0)) per axis; kUnboundedLimit on an axis without extent.
  RectT<double> GetScrollLimits(const RCPtr<LControl>& asking) override;
  // The current look's client rectangle less the room of the shown bars; never negative.
  RectT<double> GetVisibleRect() override;
  void OnChildRemoved(LControl* child, int32_t index) override;
  // A re-skin keeps the automatic mode and re-derives thicknesses, extent and bars.
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  // One notch: 0 when a bar moved, 1 (not handled) when no bar is shown.
  SVRESULT OnMouseWheel(const LMouseWheelParam& param) override;
  SVRESULT OnMouseHWheel(const LMouseWheelParam& param) override;
  // Finds "corner", "hBar" and "vBar" (a bar of another class counts as absent) and
  // binds the bars; the base's negative result is returned unchanged.
  SVRESULT Initialize() override;
  // AUTO_CLIENT_EXTENT_X / _Y choose the automatic mode (margins 0).
  SVRESULT ApplyCreateParams() override;
  // The part of the content in view, in content coordinates; at least 1 x 1.
  RectT<double> GetClientRect() override;
  // A child's area changed: bars and corner re-derive the bars, other children the
  // automatic extent (not while the view updates, scrolls or watches); then the base.
  void OnChildRectChanged(LControl* child) override;
  // The view's own table first, then the control's.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

  // --- Hooks added by the scroll view ---
  // Re-derives the bars and refits a content cache.
  virtual void OnClientExtentChanged();
  virtual void OnVisibleRectChanged() {}
  virtual void OnScrollBarVisibilityChanged(bool /*vertical*/) {}

  // --- Extent ---
  // 1 when both values are within 2.2e-15 of the stored ones (nothing happens); else
  // stores them, runs OnClientExtentChanged, announces "NID_CLIENT_EXTENT_CHANGE" and
  // returns 0. A value that is not finite counts as 0.
  SVRESULT SetClientExtent(PointT<double> extent);
  PointT<double> GetClientExtent() const { return mClientExtent; }
  // Stores the mode and margins and applies them; 0.
  SVRESULT SetAutoClientExtent(int32_t mode, int32_t marginX, int32_t marginY);
  int32_t GetAutoClientExtentMode() const { return mAutoExtentMode; }
  // 1 in mode off, else SetClientExtent's result (0 for an unknown mode).
  SVRESULT UpdateAutoClientExtent();
  // The largest right and bottom edges of the children not docked on that axis.
  PointT<int32_t> GetContentExtent() const;

  // --- Line mode (vertical axis; never switched off) ---
  void SetLineMode(int32_t lineSize);
  bool IsLineMode() const { return mLineMode; }
  int32_t GetLineSize() const { return mLineSize; }

  // --- Bars ---
  // 1 when already running, else 0.
  SVRESULT UpdateScrollBars();
  // Range, thumb and steps of each bar from extent and viewport; the offset follows.
  void SyncScrollBars();
  // Axis 0 the horizontal bar, 1 the vertical bar: sizes it to its thickness or to 0.
  void ShowScrollBar(int32_t axis, bool show);
  // (width of the vertical bar, height of the horizontal bar), the corner's size when
  // there is a corner; 0 for a missing bar.
  PointT<double> GetScrollBarSizes() const;
  // Exists, visible by its record and of positive size.
  bool IsScrollBarShown(int32_t axis) const;
  const RCPtr<LScrollbar>& GetHorizontalScrollBar() const { return mHorizontalBar; }
  const RCPtr<LScrollbar>& GetVerticalScrollBar() const { return mVerticalBar; }
  const RCPtr<LControl>& GetCorner() const { return mCorner; }
  double GetVerticalThickness() const { return mVerticalThickness; }
  double GetHorizontalThickness() const { return mHorizontalThickness; }

protected:
  // Reads the thicknesses, binds the bars once and re-derives them; 0.
  SVRESULT AttachScrollBars();
  // A bar moved: the offset follows (whole lines in line mode). 1.
  int32_t OnScrollBarValueChange(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification);
  const RCPtr<Handlers>& GetScrollViewHandlers() const { return mScrollViewHandlers; }

private:
  struct BarNeeds {
    bool horizontal = false;
    bool vertical = false;
  };
  BarNeeds DecideBars(const RectT<double>& visible, double verticalRoom, double horizontalRoom) const;
  void ReportBarChanges(double verticalRoom, double horizontalRoom, const RectT<double>& visibleBefore);
  void SyncPixelBar(const RCPtr<LScrollbar>& bar, int32_t axis);
  void SyncLineBar();
  static double PixelPosition(double offset, double visible, double extent);
  void PutBarAt(const RCPtr<LScrollbar>& bar, double position);
  void BindBar(const RCPtr<LScrollbar>& bar);
  double RoomOf(int32_t axis) const;
  SVRESULT WheelBy(const RCPtr<LScrollbar>& bar, const LMouseWheelParam& param, int32_t forwardDirection);

  RCPtr<Handlers> mScrollViewHandlers;
  bool mUpdating = false;
  bool mScrollingOffset = false;
  bool mWatching = false;
  RCPtr<LScrollbar> mHorizontalBar;
  RCPtr<LScrollbar> mVerticalBar;
  RCPtr<LControl> mCorner;
  PointT<double> mClientExtent{0, 0};
  double mVerticalThickness = 0;
  double mHorizontalThickness = 0;
  int32_t mAutoExtentMode = kAutoExtentOff;
  int32_t mMarginX = 0;
  int32_t mMarginY = 0;
  bool mLineMode = false;
  int32_t mLineSize = 0;
};

}  // namespace SV
