#pragma once
#include <cstdint>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ChildControlList.h"
#include "SVFramework/ControlBase/ConditionsParam.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/ControlGeometry.h"
#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/ControlBase/PlacementSolver.h"
#include "SVFramework/ControlBase/PointParam.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/ControlBase/UITarget.h"
#include "SVFramework/Controls/MenuDescriptor.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/ObjectBase/TaggableObject.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Graphics/FontText.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

class LKeyParam;

class LLook;
class LRenderer;
class Region;

// The base class of every control: a node of the control tree with its rectangle,
// scroll offset, skin references and state, offered to subclasses as overridable
// operations whose base bodies are empty or trivial.
// Tree: a parent holds its children (insertion, paint and tab orders); a child's
// reference to its parent is an internal reference of the parent, so a tree whose
// last outside reference goes breaks its cycles itself (ReleaseInternalReferences).
// A top-level control holds the root window that shows its tree.
// Creation: the factory constructs, applies the descriptor, creates the children,
// initialises and only then marks the control created; before that it handles no
// notification. Time: idle ticks come from the root window's "NID_IDLE" while the
// control holds idle subscriptions; children queued with DestroyChildLater go at the
// next idle pass. UI thread only.
class LControl : public virtual LNotificationClient,
                 public virtual LNotificationDistributor,
                 public virtual LTaggableObject,
                 public UITarget {
public:
  using ChildControlList = LChildControlList;
  using Handlers = LNotificationHandler<LControl>;

  // Joins `parent` (when given) and takes the string table "<parent's class>|<name>"
  // from the application's factory, when one is set.
  LControl(const RCPtr<LControl>& parent, const String& name);
  ~LControl() override;
  LControl(const LControl&) = delete;
  LControl& operator=(const LControl&) = delete;

  // --- Overridable operations, in the order of the framework's operation table ---
  virtual SVRESULT SetText(const String& text);
  // Clamps the position to [0, 1] (NaN counts as 0), stores it, calls OnValueChanged and
  // announces "NID_VALUE_CHANGE" with the position and its value; an unchanged position
  // does nothing. Returns the stored position.
  virtual double SetNormalizedValue(double value);
  virtual void OnValueChanged() {}
  // Taper 0 linear (any bounds) or 1 logarithmic (both bounds above 0); anything else
  // gives E_INVALIDARG and keeps the old range. The position is not announced again.
  virtual SVRESULT SetValueRange(double minimum, double maximum, int32_t taper);
  virtual void BeginClientRectWatch();
  virtual void EndClientRectWatch() { mClientRectWatch = false; }
  virtual void ScrollCachedContent(PointT<double>, PointT<double>) {}
  // 1 when a change of the child's area is invalidated the normal way, 0 while this
  // control scrolls or watches its client rect and the child is not docked.
  virtual int32_t InvalidateChildArea(const LControl* child) const;
  // The size the placement gives when both size references are Self with Abs 0, so
  // that only the minimum (and the label text) count; re-places the control four times.
  virtual SVRESULT GetPreferredSize(PointT<double>& size);
  // Per axis the Abs of a maximum that refers to the control itself, else 0.
  virtual SVRESULT GetMaxSize(PointT<double>& size);
  // Returns the new value.
  virtual bool SetClipToParent(bool clip);
  virtual SVRESULT SetScrollOffset(PointT<double> offset);
  virtual const RCPtr<LStringTable>& GetStringTable() const { return mStringTable; }
  virtual bool IsOwnerControl() const { return false; }
  // This control when it is an owner control, else its parent's answer; null at the top.
  virtual LControl* GetOwnerControl();
  virtual bool CanPerformEdit(const String&) { return false; }
  // Raises a logic error: controls that can perform edits override it.
  virtual SVRESULT PerformEdit(const String& command);
  virtual void SetDragMode(int32_t mode) { mDragMode = mode; }
  virtual SVRESULT BeginDrag(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual void RebaseDrag(PointT<double>) {}
  virtual SVRESULT DragTo(PointT<double>) { return S_FALSE; }
  virtual void ApplyDrag() {}
  virtual SVRESULT EndDrag() { return S_FALSE; }
  virtual RCPtr<LControl> FindDropTarget(PointT<int32_t>) { return nullptr; }
  virtual bool CanAcceptDrop(LControl*) { return false; }
  virtual int32_t GetDropScrollEdges() { return 0; }
  virtual void GetScrollLimits(RectT<double>& limits);
  virtual RectT<double> GetVisibleRect();
  virtual void GetDragLimits(RectT<double>&) {}
  virtual void OnDragEnter(LControl*) {}
  virtual void OnDragOver(LControl*, PointT<int32_t>) {}
  virtual void OnDragLeave(LControl*) {}
  virtual SVRESULT AcceptDrop(LControl*, PointT<int32_t>) { return E_FAIL; }
  virtual SVRESULT SetFocus(bool) { return S_FALSE; }
  virtual void SetNotFocusable(bool notFocusable);
  virtual bool ContainsFocusableChild() { return false; }
  virtual void OnConditionsChanged(const RCPtr<LConditionsParam>&) {}
  // Leaves the tree: hidden, clipped, capture and idle units given back, then taken
  // from the parent (or, at the top, from the root window).
  virtual SVRESULT Detach();
  // Subscribes this control and its descendants that hold idle units to the new
  // root window's "NID_IDLE".
  virtual void OnRootWindowChanged();
  virtual void OnChildRemoved(LControl*, int32_t) {}
  // Shows or hides the control; returns IsVisible(true) afterwards.
  virtual bool SetVisible(bool visible);
  virtual bool IsTransparentAt(PointT<int32_t>) { return true; }
  virtual uint32_t GetLookColorAt(PointT<int32_t>, int32_t) { return 0x00FFFFFF; }
  virtual SVRESULT UpdateMenuItemState(const String&, bool&) { return S_FALSE; }
  virtual RCPtr<LMenuDescriptor> GetMenuDescriptor() { return mMenuDescriptor; }
  virtual void OnContextMenuOpening() {}
  virtual SVRESULT SetExclusiveLook(int32_t) { return S_FALSE; }
  virtual int32_t AddLook(const RCPtr<LLook>&) { return -1; }
  virtual SVRESULT AdjustWindowRect(RectT<double>&) { return S_OK; }
  virtual void SetEnabled(bool enabled);
  // Takes the descriptor's placement record, font and label text (from the string
  // table) and re-places the control. Applied again to a created control (a re-skin),
  // it keeps the enabled state and the text, shows or hides through SetVisible and
  // re-skins the children by name; children the new skin lacks are detached first.
  // A descriptor without a skin gives the application's font. Returns 0.
  virtual SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor);
  virtual SVRESULT Paint(const RCPtr<LRenderer>&, const Region&, RCPtrArray<LControl, 1, 0>&, bool) { return S_OK; }
  // Passes a dirty rectangle up the tree to the root window, clipped where the
  // controls on the way clip to their parents. 1 when nothing needs repainting.
  virtual SVRESULT PropagateInvalidRect(const RectT<double>& windowRect, bool clip, RectT<double> localRect);
  // Marks `rect` (own coordinates) dirty.
  virtual SVRESULT InvalidateRect(const RectT<double>& rect, bool clip);
  virtual RCPtr<LControl> HitTest(PointT<int32_t>, bool, PointT<int32_t>& local, int32_t&) {
    local = {};
    return nullptr;
  }
  virtual void OnFontChanged() {}
  virtual bool RequestFocusOnClick() { return false; }
  virtual SVRESULT OnLeftButtonDown(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnLeftButtonUp(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnMiddleButtonDown(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnMiddleButtonUp(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnRightButtonDown(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnRightButtonUp(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnMouseMoved(const RCPtr<LPointWithModifiersParam>&) { return S_FALSE; }
  virtual SVRESULT OnMouseWheel(const RCPtr<LPointWithModifiersParam>&, int32_t, bool) { return S_FALSE; }
  virtual SVRESULT OnMouseHWheel(const RCPtr<LPointWithModifiersParam>&, int32_t, bool) { return S_FALSE; }
  virtual SVRESULT OnClick(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnLeftClick(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnMiddleClick(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnRightClick(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual void OnBeforeLeftClick(const RCPtr<LMouseButtonParam>&) {}
  virtual void OnBeforeMiddleClick(const RCPtr<LMouseButtonParam>&) {}
  virtual void OnBeforeRightClick(const RCPtr<LMouseButtonParam>&) {}
  // Whether `point` (own coordinates, shifted by the rounded origin) lies in
  // [x, x + width) x [y, y + height) of the unrounded rectangle.
  virtual bool ContainsPoint(PointT<int32_t> point) const;
  virtual RCPtr<LControl> GetNextFocusableChild(LControl*, bool) { return nullptr; }
  virtual SVRESULT HandleKey(const RCPtr<LKeyParam>&) { return S_FALSE; }
  virtual SVRESULT OnSiblingKey(const RCPtr<LKeyParam>&) { return S_FALSE; }
  virtual SVRESULT RouteUnhandledKey(const RCPtr<LKeyParam>&) { return S_FALSE; }
  virtual SVRESULT MoveFocusByTab(const RCPtr<LKeyParam>&) { return S_FALSE; }
  virtual SVRESULT SortChildren(const RCPtr<LRefCountedObject>&, Array<uint32_t>&) { return S_FALSE; }
  // Re-derives a font taken from the parent after the parent's font changed; 0.
  virtual SVRESULT UpdateFont();
  virtual SVRESULT RelayoutIfDocked() { return S_FALSE; }
  // After a child's rectangle changed: re-places this control (unless it is placing
  // its children) and lets InvalidateChildArea judge the child's area.
  virtual void OnChildRectChanged(LControl* child);
  // The hook of the idle pass; subclasses poll clocks or animate here.
  virtual void OnIdle() {}
  virtual SVRESULT PaintContent(const RCPtr<LRenderer>&, const RectT<double>&) { return S_OK; }
  virtual SVRESULT PaintOverlay(const RCPtr<LRenderer>&, const RectT<double>&) { return S_OK; }
  // Creates one child per child descriptor, in order, through the application's
  // factory; a child whose creation fails, or whose DEFER_CREATE create parameter
  // reads true, is left out. Returns 0.
  virtual SVRESULT CreateChildren(const RCPtr<LControlDescriptor>& descriptor);
  // Takes the handler table, the create parameters and the tooltip text; 0.
  virtual SVRESULT Initialize();
  // Applies the descriptor's create parameters: INITIAL_VALUE, NOT_FOCUSABLE (else the
  // record's TabStop sign), USE_PARENT_TOOLTIP, WANTS_TAB; 0.
  virtual SVRESULT ApplyCreateParams();
  // Makes this control the child's parent and, when that succeeds, applies the
  // descriptor to the child. E_FAIL for a null child or descriptor.
  virtual SVRESULT AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor);
  virtual void OnDescriptorApplied() {}
  virtual String GetTooltipText() { return mTooltipText; }
  virtual SVRESULT ShowTooltip(bool) { return S_FALSE; }
  // The visible part of the content in content coordinates.
  virtual RectT<double> GetClientRect();

  // --- UITarget: input arrives with the input work; the base handles nothing ---
  SVRESULT OnMouseEnter(const RCPtr<LPointWithModifiersParam>&) override { return S_FALSE; }
  SVRESULT OnMouseMove(const RCPtr<LPointWithModifiersParam>&) override { return S_FALSE; }
  SVRESULT OnMouseDown(const RCPtr<LMouseButtonParam>&) override { return S_FALSE; }
  SVRESULT OnMouseUp(const RCPtr<LMouseButtonParam>&) override { return S_FALSE; }
  SVRESULT OnMouseLeave(const RCPtr<LPointWithModifiersParam>&) override { return S_FALSE; }
  SVRESULT OnDragStart(const RCPtr<LMouseButtonParam>&) override { return S_FALSE; }
  // Gives up the mouse capture and announces the change of conditions.
  SVRESULT OnCaptureLost() override;
  SVRESULT OnKeyPress(const RCPtr<LKeyParam>&) override { return S_FALSE; }
  SVRESULT OnMouseWheel(const RCPtr<LPointWithModifiersParam>&, int32_t) override { return S_FALSE; }
  SVRESULT OnMouseHWheel(const RCPtr<LPointWithModifiersParam>&, int32_t) override { return S_FALSE; }
  // Re-places the control (its parent's size changed); 0.
  SVRESULT OnRelayoutRequest() override;
  bool CanLoseFocus() override { return true; }
  SVRESULT OnFocusLost() override { return S_FALSE; }

  // --- Shared-object and receiver operations ---
  // Breaks the cycles: subscribers of this control leave, children are removed, this
  // control leaves what it subscribed to. 0 when nothing internal remains.
  SVRESULT ReleaseInternalReferences() override;
  // Dispatches through the handler table once the control is created; 0 without a
  // table; 1 (not dispatched) before creation is complete.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  // --- Tree ---
  const String& GetName() const { return mName; }
  LControl* GetParent() const { return mParent.Get(); }
  const RCPtrArray<LControl, 1, 0>& GetChildren() const { return mChildren.GetChildren(); }
  uint32_t GetChildCount() const { return mChildren.GetCount(); }
  // The child at `index` of `order`; raises SV::Exception for a bad index or order.
  const RCPtr<LControl>& GetChildAt(uint32_t index, ChildOrder order = ChildOrder::InsertionOrder) const {
    return mChildren.GetAt(index, order);
  }
  int32_t IndexOfChild(const LControl* child, ChildOrder order) const;
  RCPtr<LControl> FindChild(const String& name) const;
  // 1 when the name is unchanged, E_INVALIDARG for a control that is not a child,
  // E_FAIL when a sibling has the name; later siblings placed relative to the old
  // name follow the new one.
  SVRESULT RenameChild(LControl* child, const String& newName);
  // Moves the control to `parent` (null: out of the tree). 1 when unchanged, E_FAIL
  // when the new parent has a child of that name (the control is then parentless).
  SVRESULT SetParent(const RCPtr<LControl>& parent);
  RCPtr<LControl> GetTopLevelControl();
  // The root window of the top-level control; null while the tree is not shown.
  LRootWindow* GetRootWindow() const;
  // The window a top-level control is shown in (null to leave it); E_FAIL for a
  // control that has a parent.
  SVRESULT SetRootWindow(LRootWindow* rootWindow);
  // Children and their descendants, depth first; returns the count.
  uint32_t CollectDescendants(RCPtrArray<LControl, 1, 0>& out);
  // Appends this control (with includeSelf) and the descendants that do not clip to
  // their parents, skipping hidden ones with onlyShown; returns the number appended.
  int32_t CollectUnclippedDescendants(RCPtrArray<LControl, 1, 0>& out, bool onlyShown, bool includeSelf);
  int32_t GetUnclippedDescendantCount() const { return mUnclippedDescendants; }
  void IncrementUnclippedDescendants();
  void DecrementUnclippedDescendants();
  int32_t GetEffectiveZOrder() const;
  // Placement-record flags with their defaults when there is no record.
  bool ClipsToParent() const { return !mLayout || mLayout->ClipToParent; }
  int32_t DockedAxisCount() const;
  // Visible by its record and with a positive width and height.
  bool IsShown() const { return IsVisible(false); }

  // --- Conditions ---
  // Bits: focus 0x1, contains focus 0x2, hover 0x4, capture 0x8, left/middle/right down
  // 0x10/0x20/0x40, left/middle/right drag 0x80/0x100/0x200, enabled with all ancestors
  // 0x400, visible with all ancestors 0x800, hover or child hover 0x1000.
  uint32_t GetConditions() const;
  // Announces a change of the conditions word: cursor, drag start and end, the hook,
  // "NID_CONDITION_CHANGE" and one notification per changed group, hover hand-over,
  // and the children when the enabled or visible bit changed. Nothing when unchanged.
  void UpdateConditions();
  // The record's enabled flag; with `recursive`, also every ancestor's.
  bool IsEnabled(bool recursive) const;
  // The record's visible flag and a positive size; with `recursive`, also every
  // ancestor's by the same test.
  bool IsVisible(bool recursive) const;
  void SetChildHover(bool childHover);
  // The cursor shown while the pointer is over the control; 0 the default one.
  void SetCursor(int32_t cursorId);
  int32_t GetCursor() const { return mCursor; }
  // Sets the control's cursor (or the arrow for 0) on its root window; returns the
  // cursor set before, 0 without a root window.
  int32_t ApplyCursor();
  // Repaints the control's unclipped descendants (and the control when it does not
  // clip) after a move, scroll, show, hide, enable or disable.
  void InvalidateUnclipped();

  // --- Coordinates ---
  const RectT<double>& GetRect() const { return mRect; }
  PointT<double> GetScrollOffset() const { return mScrollOffset; }
  PointT<double> GetPositionInParentClient() const;
  PointT<double> GetScreenPosition() const;
  void MapPointFromControl(const LControl* other, PointT<int32_t>& point) const;
  RectT<double> GetLookClientRect(int32_t index) const;

  // --- Values ---
  double GetNormalizedValue() const { return mNormalizedValue; }
  // The value at a position of the current range; the position is not clamped.
  double NormalizedToValue(double position) const;
  // The position of a value, clamped to the range; 0 for a range of equal bounds.
  double ValueToNormalized(double value) const;

  // --- Placement ---
  // Store the specs in the placement record and re-place the control; 0 when the
  // record then holds them as given, else 1.
  SVRESULT SetPlacement(int32_t axis, const LPlacementSpec& placement, const LSizeSpec& size);
  SVRESULT SetPlacements(const LPlacementSpec& placementX, const LSizeSpec& sizeX, const LPlacementSpec& placementY,
                         const LSizeSpec& sizeY);
  SVRESULT SetMinMax(int32_t axis, const LSizeLimitSpec& minimum, const LSizeLimitSpec& maximum);
  // Solves the record against the parent (or, at the top, the root window), applies the
  // limits, floors the edges and stores the rectangle: SetRect's result, or E_FAIL
  // without a record or a frame of reference.
  SVRESULT RecomputePlacement();
  // Raise to the minimum and lower to the maximum of the record's limits that refer
  // to the control itself, keeping the anchor point; 1 when something changed.
  SVRESULT ApplyMinSize(PointT<double>& position, PointT<double>& size);
  SVRESULT ApplyMaxSize(PointT<double>& position, PointT<double>& size);
  // Stores the rectangle and propagates it: children re-placed after a size change,
  // later siblings re-placed, the parent told, old and new areas invalidated.
  // 1 when it is exactly the current rectangle (nothing happens), else 0.
  SVRESULT SetRect(const RectT<double>& rect);
  // The union of the whole-pixel rectangles of the children docked on neither axis;
  // (0, 0, 0, 0) when there is none.
  RectT<double> GetChildrenExtent() const;

  // --- Idle ticks and deferred destruction ---
  // Counted subscription to the root window's "NID_IDLE" (made when the tree gets a
  // root window, if it has none yet). A failed subscription resets the count to 0.
  SVRESULT AcquireIdle();
  // Gives one unit back; the last one unsubscribes. At count 0 nothing changes and
  // the result is 1.
  SVRESULT ReleaseIdle();
  int32_t GetIdleCount() const { return mIdleCount; }
  // Hides the child and queues it; it stays a child, keeps its name and lives until
  // the next idle pass detaches it. E_INVALIDARG when it is not a child of this one.
  SVRESULT DestroyChildLater(const RCPtr<LControl>& child);
  // Detaches the children queued before this call; later ones wait for the next pass.
  SVRESULT DestroyPendingChildren();
  uint32_t GetPendingDestructionCount() const { return mPendingDestruction.GetCount(); }

  // --- Skin and state ---
  const RCPtr<LControlDescriptor>& GetDescriptor() const { return mDescriptor; }
  const RCPtr<LLayoutDescriptor>& GetLayout() const { return mLayout; }
  const String& GetText() const { return mText; }
  bool HasCapture() const { return mCapture; }
  bool IsNotFocusable() const { return mNotFocusable; }
  // Set once the whole creation sequence has run; no notification is handled before.
  bool IsCreated() const { return mCreated; }
  const RCPtr<Handlers>& GetHandlers() const { return mHandlers; }

  // --- Label text and font ---
  // Stores the label text (the title of a shown top-level control) and repaints; with
  // `replace`, re-places the control when its text may widen it. False, and nothing
  // happens, for the current text.
  bool ApplyText(const String& text, bool replace);
  // Whether the current look's label text is wider than the look's text rectangle.
  bool IsTextTruncated();
  RCPtr<LFont>* GetFont() { return &mFont; }
  // E_INVALIDARG for an empty font, 1 for an equal one, else 0: the font is stored,
  // OnFontChanged runs, the children follow, the control is re-placed and repainted.
  // The control then no longer follows its base font.
  SVRESULT SetFont(const RCPtr<LFont>& font);
  // The font of the description resolved against the base font (the parent's when
  // the skin says so, else the application's): an empty face, a size of 0 or less
  // (or any size when relative) and a style of -1 take the base font's, a relative
  // size multiplies it. E_FAIL when no font results, else SetFont's result.
  SVRESULT SetFontFromSpec(const String& face, float size, int32_t style, bool sizeIsRelative);
  // The text of `key` in the control's string table; empty without a table or entry.
  String GetString(const char16_t* key) const;

protected:
  // The handler table, made on first use.
  Handlers& EnsureHandlers();
  // Replaces the placement record by a clone of `layout` (null: none) and tells the
  // parent that its orders may change.
  void SetLayout(const RCPtr<LLayoutDescriptor>& layout);
  void SetRectDirect(const RectT<double>& rect) { mRect = rect; }
  void SetScrollOffsetDirect(PointT<double> offset) { mScrollOffset = offset; }
  void SetCaptureFlag(bool capture) { mCapture = capture; }
  void SetHoverFlag(bool hover) { mHover = hover; }
  void SetFocusFlags(bool hasFocus, bool containsFocus) {
    mHasFocus = hasFocus;
    mContainsFocus = containsFocus;
  }
  // Button state: index 0 left, 1 middle, 2 right.
  void SetButtonFlags(int32_t button, bool down, bool dragging);
  int32_t GetDragMode() const { return mDragMode; }
  void MarkParentOrderChanged();

private:
  friend class LControlCreation;
  friend class LChildControlList;
  void MarkCreated() { mCreated = true; }
  SVRESULT SubscribeIdle(LRootWindow* rootWindow);
  int32_t IdlePass(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  RectT<double> GetClipBoundsInLocal() const;
  void AddToAncestorsUnclipped(int32_t delta);
  void UpdateCursorForChange(uint32_t previous, uint32_t current);
  void DistributeConditionChanges(uint32_t previous, uint32_t current);
  void ReevaluateHover(uint32_t previous, uint32_t current);
  void UpdateChildrenConditions();
  void InvalidateWhole();
  bool TakesFocusWhenParentHasIt();
  bool MakePlacementFrame(LPlacementFrame& frame) const;
  void ReplaceChildrenAfterResize();
  void ReplaceLaterSiblings();
  void InvalidateArea(double width, double height);
  void TakeLayoutOf(const LControlDescriptor& descriptor, bool created);
  void DetachChildrenMissingFrom(const LControlDescriptor& descriptor);
  void ReskinChildren(const LControlDescriptor& descriptor, RCPtrArray<LControl, 1, 0>& setAside);

  RCPtr<Handlers> mHandlers;
  String mName;
  RCPtr<LControlDescriptor> mDescriptor;
  RCPtr<LLayoutDescriptor> mLayout;
  RectT<double> mRect;
  PointT<double> mScrollOffset;
  int32_t mUnclippedDescendants = 0;
  RCPtr<LConditionsParam> mConditionsParam;
  bool mHasFocus = false;
  bool mContainsFocus = false;
  bool mHover = false;
  bool mCapture = false;
  bool mLeftDown = false;
  bool mMiddleDown = false;
  bool mRightDown = false;
  bool mLeftDrag = false;
  bool mMiddleDrag = false;
  bool mRightDrag = false;
  bool mChildHover = false;
  bool mHitTestExcluded = false;
  int32_t mDragMode = 0;
  double mDragThreshold = 1;
  double mNormalizedValue = 0;
  double mValueMin = 0;
  double mValueMax = 0;
  int32_t mValueTaper = 0;
  float mOpacity = 1.0f;
  RCPtr<LControl> mParent;
  RCPtr<LRootWindow> mRootWindow;
  RCPtr<LStringTable> mStringTable;
  bool mWantsTab = false;
  bool mNotFocusable = true;
  bool mFocusBoundary = false;
  bool mTextFollowsScroll = false;
  RCPtr<LFont> mFont;
  String mText;
  RCPtr<LMenuDescriptor> mMenuDescriptor;
  String mTooltipText;
  bool mUseParentTooltip = false;
  bool mCreated = false;
  bool mInLayout = false;
  int32_t mIdleCount = 0;
  int32_t mCursor = 0;
  int32_t mSavedCursor = 0;
  PointT<double> mPressPoint;
  RCPtrArray<LControl, 1, 0> mPendingDestruction;
  ChildControlList mChildren;
  bool mScrolling = false;
  bool mClientRectWatch = false;
  RectT<double> mWatchedClientRect;

  // Label text, font and size limits.
  const LLookDescriptor* CurrentLookDescriptor() const;
  LFontText* CurrentLookText();
  RCPtr<LFont> BaseFont() const;
  void TakeFontOf(const LSkinDescriptor* skin);
  void TakeLabelTextOf(bool created);
  void UpdateChildFonts();
  void HoldWindowPlace();
  void FillRootWindow();
  SVRESULT RaiseToSelfMinimum(int32_t axis, PointT<double>& position, PointT<double>& size);
  double TextWidthNeeded(double width, double height);
  double TextHeightNeeded(double width, double height);
  SVRESULT RaiseToNamedMinimum(int32_t axis, PointT<double>& position, PointT<double>& size);
  SVRESULT LowerToNamedMaximum(int32_t axis, PointT<double>& position, PointT<double>& size);
  bool FindLimitReference(const String& name, int32_t axis, double position, float anchor, bool forMaximum,
                          LNamedSpan& reference) const;
  void AddNonClientMargin(int32_t axis, PointT<double>& size) const;

  bool mFontInheritsFromParent = false;
  bool mFontNameInherited = false;
  bool mFontSizeInherited = false;
  bool mFontStyleInherited = false;
  bool mFontSizeIsRelative = false;
  float mFontSizeFactor = 1.0f;
  RCPtr<LFontText> mLookText;
  bool mLookTextWraps = false;
};

}  // namespace SV
