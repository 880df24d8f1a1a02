#pragma once
#include <cstdint>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ChildControlList.h"
#include "SVFramework/ControlBase/ConditionsParam.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/ControlGeometry.h"
#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/ControlBase/MenuItemUpdater.h"
#include "SVFramework/ControlBase/Look.h"
#include "SVFramework/ControlBase/PlacementSolver.h"
#include "SVFramework/ControlBase/PointParam.h"
#include "SVFramework/ControlBase/ResizeType.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/ControlBase/UITarget.h"
#include "SVFramework/Controls/MenuDescriptor.h"
#include "SVFramework/System/HotKeyMap.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/ObjectBase/TaggableObject.h"
#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Graphics/FontText.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Graphics/Region.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

class LKeyParam;
class LSiblingKeyParam;
class LNotification;

class LBitmap;
class LLook;
class LRenderer;
class LVisualPart;

// The tapers LControl::SetValueRange takes.
inline constexpr int32_t kTaperLinear = 0;
inline constexpr int32_t kTaperLogarithmic = 1;

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
  // Rounds the offset to whole pixels (halves away from zero); on a change re-places the
  // docked children, repaints, announces "NID_SCROLL_OFFSET_CHANGE" and hands the hover
  // to the control now under a pointer that rests inside. Returns the stored offset.
  virtual PointT<double> SetScrollOffset(PointT<double> offset);
  virtual const RCPtr<LStringTable>& GetStringTable() const { return mStringTable; }
  virtual bool IsOwnerControl() const { return false; }
  // This control when it is an owner control, else its parent's answer; null at the top.
  virtual LControl* GetOwnerControl();
  virtual bool CanPerformEdit(const String&) { return false; }
  // Raises a logic error: controls that can perform edits override it.
  virtual SVRESULT PerformEdit(const String& command);
  // Mode: 0 none, 1 drag and drop, 2 move, 3 move with edge auto-scroll, 4 resize,
  // 5 resize with edge auto-scroll, 6 scroll the content. Flags: axes (1 X, 2 Y) for
  // moves and scrolls, edges (4 right, 8 left, 0x10 top, 0x20 bottom) for resizes.
  virtual SVRESULT SetDragMode(int32_t mode, int32_t flags);
  // Takes the snapshots a left drag starts from (called when it begins, with a mode).
  virtual SVRESULT BeginDrag();
  // Continues a running drag from the control's present placement.
  virtual void RebaseDrag();
  // Moves, resizes or scrolls by the pointer (own coordinates) as the mode says.
  virtual SVRESULT DragTo(const RCPtr<LPointWithModifiersParam>& pointer);
  virtual void ApplyDrag(const RCPtr<LPointWithModifiersParam>&) {}
  // Ends a left drag: a carried control is put back and dropped, auto-scroll stops.
  virtual SVRESULT EndDrag();
  // The control, from this one outwards, that accepts `dragged`; null when none.
  virtual RCPtr<LControl> FindDropTarget(const RCPtr<LControl>& dragged, PointT<int32_t> pointer);
  virtual bool CanAcceptDrop(const RCPtr<LControl>&) { return false; }
  virtual int32_t GetDropScrollEdges(const RCPtr<LControl>&) { return 0; }
  // The range of the scroll offset: [x, x + width] by [y, y + height]. The base is
  // unbounded above zero.
  virtual RectT<double> GetScrollLimits(const RCPtr<LControl>& asking);
  virtual RectT<double> GetVisibleRect();
  virtual void GetDragLimits(RectT<double>&) {}
  virtual void OnDragEnter(const RCPtr<LControl>&) {}
  virtual void OnDragOver(const RCPtr<LControl>&, PointT<int32_t>) {}
  virtual void OnDragLeave(const RCPtr<LControl>&) {}
  virtual SVRESULT AcceptDrop(const RCPtr<LControl>&) { return E_FAIL; }
  // Gives this control (or its first, else last, focusable descendant) the focus.
  // 0 or 1 on success; E_FAIL when the focus control refuses to let go, when nothing
  // can take the focus, or when a control that cannot take it holds it.
  virtual SVRESULT SetFocus(bool first);
  virtual void SetNotFocusable(bool notFocusable);
  virtual bool ContainsFocusableChild();
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
  // True unless a visible look, tried in index order, is not fully transparent there.
  virtual bool IsTransparentAt(PointT<int32_t> point);
  // The colour of the look (GetLook rules) at a point; transparent without a look.
  virtual uint32_t GetLookColorAt(PointT<int32_t> point, int32_t lookIndex);
  // The state of the menu's item at `index` whose command is `commandID`: 0 when the
  // control knows the command (it may have changed the state), 1 when it does not.
  virtual SVRESULT UpdateMenuItemState(const RCPtr<LMenuDescriptor>& menu, uint32_t index, const String& commandID,
                                       LMenuItemState& state);
  virtual RCPtr<LMenuDescriptor> GetMenuDescriptor() { return mMenuDescriptor; }
  // Called after the popup has its menu and before it is shown.
  virtual void OnContextMenuOpening(const RCPtr<LControl>&) {}
  // SetLookWeight(index, 1, true).
  virtual SVRESULT SetExclusiveLook(int32_t index);
  // Appends the look (null: an empty slot) with weight 0, at the control's size, font
  // and text; returns its index.
  virtual int32_t AddLook(const RCPtr<LLook>& look);
  virtual SVRESULT AdjustWindowRect(RectT<double>&) { return S_OK; }
  virtual void SetEnabled(bool enabled);
  // Takes the descriptor's placement record, font and label text (from the string
  // table) and re-places the control. Applied again to a created control (a re-skin),
  // it keeps the enabled state and the text, shows or hides through SetVisible and
  // re-skins the children by name; children the new skin lacks are detached first.
  // A descriptor without a skin gives the application's font. Returns 0.
  virtual SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor);
  // Draws the control and its clipping descendants where the dirty region (context
  // coordinates) and the current clip allow: client parts, non-client parts, content,
  // then per visible look its label and the children, then the overlay. Shown children
  // that do not clip are appended to `unclipped` for the second pass, which paints them
  // with `unclippedPass` set. E_INVALIDARG for a control that belongs to the other pass.
  virtual SVRESULT Paint(const RCPtr<LRenderer>& renderer, const Region& dirty, RCPtrArray<LControl, 1, 0>& unclipped,
                         bool unclippedPass);
  // Passes a dirty rectangle up the tree to the root window, clipped where the
  // controls on the way clip to their parents. 1 when nothing needs repainting.
  virtual SVRESULT PropagateInvalidRect(const RectT<double>& windowRect, bool clip, RectT<double> localRect);
  // Marks `rect` (own coordinates) dirty.
  virtual SVRESULT InvalidateRect(const RectT<double>& rect, bool clip);
  // The deepest control under `point` (own coordinates), or null: controls that clip
  // are hit only inside all their ancestors, outside transparent pixels of their visible
  // looks; among controls that do not clip, the highest effective Z order wins. `local`
  // receives the point in the hit control's coordinates; `depth` its Z order.
  virtual RCPtr<LControl> HitTest(PointT<int32_t> point, bool insideAncestors, PointT<int32_t>& local,
                                  int32_t& depth);
  virtual void OnFontChanged() {}
  // Focus on a click on `clicked`: climbs to the nearest control that may take it.
  virtual SVRESULT RequestFocusOnClick(LControl* clicked);
  virtual SVRESULT OnLeftButtonDown(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnLeftButtonUp(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnMiddleButtonDown(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnMiddleButtonUp(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnRightButtonDown(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnRightButtonUp(const RCPtr<LMouseButtonParam>&) { return S_FALSE; }
  virtual SVRESULT OnMouseMoved(const RCPtr<LPointWithModifiersParam>&) { return S_FALSE; }
  // The wheel hooks (the UITarget entries of the same name bubble the step through
  // them); 1 when not handled.
  virtual SVRESULT OnMouseWheel(const LMouseWheelParam&) { return S_FALSE; }
  virtual SVRESULT OnMouseHWheel(const LMouseWheelParam&) { return S_FALSE; }
  // Dispatches by button; E_INVALIDARG for null or a bad button.
  virtual SVRESULT OnClick(const RCPtr<LMouseButtonParam>& param);
  // The before-click hook, then "NID_LEFT_CLICK" (middle, right likewise); a right
  // click then opens the control's context menu.
  virtual SVRESULT OnLeftClick(const RCPtr<LMouseButtonParam>& param);
  virtual SVRESULT OnMiddleClick(const RCPtr<LMouseButtonParam>& param);
  virtual SVRESULT OnRightClick(const RCPtr<LMouseButtonParam>& param);
  virtual void OnBeforeLeftClick(const RCPtr<LMouseButtonParam>&) {}
  virtual void OnBeforeMiddleClick(const RCPtr<LMouseButtonParam>&) {}
  virtual void OnBeforeRightClick(const RCPtr<LMouseButtonParam>&) {}
  // Whether `point` (own coordinates, shifted by the rounded origin) lies in
  // [x, x + width) x [y, y + height) of the unrounded rectangle.
  virtual bool ContainsPoint(PointT<int32_t> point) const;
  // The next child after `child` in tab order (wrapping) that is shown and enabled;
  // null when none. Focusability is the caller's test.
  virtual RCPtr<LControl> GetNextFocusableChild(LControl* child, bool backwards);
  virtual SVRESULT HandleKey(const RCPtr<LKeyParam>&) { return S_FALSE; }
  // Offers a key to the children registered for "NID_SIBLING_KEY"; 0 when one took it.
  virtual SVRESULT OnSiblingKey(const RCPtr<LKeyParam>& key);
  // A key the focus control did not handle: siblings, then window and application hot keys.
  virtual SVRESULT RouteUnhandledKey(const RCPtr<LKeyParam>& key);
  // Tab traversal among this control's children; Ctrl+Tab leaves the container.
  virtual SVRESULT MoveFocusByTab(const RCPtr<LKeyParam>& key);
  // Orders the clients of a sibling-key registration for offering `key` (indices).
  virtual SVRESULT SortChildren(const RCPtr<LKeyParam>& key, const RCPtr<LNotificationClientPool>& registration,
                                Array<uint32_t>& order);
  // Re-derives a font taken from the parent after the parent's font changed; 0.
  virtual SVRESULT UpdateFont();
  // Re-places the control when it is docked on an axis; 0.
  virtual SVRESULT RelayoutIfDocked(PointT<double> previous, PointT<double> next);
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
  // Shows (a "toolTip" child with the tooltip text) or hides the tooltip; 0.
  virtual SVRESULT ShowTooltip(bool show);
  // The visible part of the content in content coordinates.
  virtual RectT<double> GetClientRect();

  // --- UITarget ---
  SVRESULT OnMouseEnter(const RCPtr<LPointWithModifiersParam>&) override;
  SVRESULT OnMouseMove(const RCPtr<LPointWithModifiersParam>& param) override;
  // 0 handled, 1 for a hidden or disabled control, E_INVALIDARG for null or a bad button.
  SVRESULT OnMouseDown(const RCPtr<LMouseButtonParam>& param) override;
  // As OnMouseDown; a capture holder always handles the release, and the last held
  // button's release ends the capture.
  SVRESULT OnMouseUp(const RCPtr<LMouseButtonParam>& param) override;
  SVRESULT OnMouseLeave(const RCPtr<LPointWithModifiersParam>&) override;
  // The press and capture: 0 when the control took the capture, else 1. Button 0
  // takes it without a button check and without a new press point.
  SVRESULT OnDragStart(int32_t button, int32_t x, int32_t y) override;
  // Gives up the mouse capture and every button state; 1 when it held none.
  SVRESULT OnCaptureLost() override;
  // Routes a key: local hot keys, HandleKey, Tab, then siblings and hot keys; 0.
  SVRESULT OnKeyPress(const RCPtr<LKeyParam>& key) override;
  SVRESULT OnMouseWheel(const RCPtr<LMouseWheelParam>& param) override { return HandleMouseWheel(param); }
  SVRESULT OnMouseHWheel(const RCPtr<LMouseWheelParam>& param) override { return HandleMouseWheel(param); }
  // Re-places the control (its parent's size changed); 0.
  SVRESULT OnRelayoutRequest() override;
  bool CanLoseFocus() override { return true; }
  // 1 when this control held the focus; else whether the focused child's loss succeeded.
  SVRESULT OnFocusLost() override;

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
  bool HasFocus() const { return mHasFocus; }
  bool ContainsFocus() const { return mContainsFocus; }
  bool IsHovered() const { return mHover; }
  bool IsHitTestExcluded() const { return mHitTestExcluded; }
  void SetHitTestExcluded(bool excluded) { mHitTestExcluded = excluded; }

  // --- Mouse ---
  // A wheel step bubbles up the parents (floating controls pass it to what lies beneath
  // at the pointer) until a hook answers other than 1; -1 for a null payload.
  SVRESULT HandleMouseWheel(const RCPtr<LMouseWheelParam>& param);
  // Pixels a held button must move before it drags (0: at once); E_INVALIDARG if negative.
  SVRESULT SetDragThreshold(int32_t pixels);
  // The record does not clip to the parent; with `recursive`, also any ancestor's.
  bool IsUnclipped(bool recursive) const;

  // --- Focus and keys ---
  bool IsFocusable();
  // Marked not focusable, or (below no focus boundary) under such an ancestor.
  bool IsNotFocusable(bool recursive) const;
  // The last child holding or containing the focus; null when none.
  RCPtr<LControl> GetFocusedChild() const;
  RCPtr<LControl> GetFirstFocusableChild();
  RCPtr<LControl> GetLastFocusableChild();
  void SetWantsTab(bool wantsTab) { mWantsTab = wantsTab; }
  void SetStringTable(const RCPtr<LStringTable>& table) { mStringTable = table; }
  void SetFocusBoundary(bool boundary) { mFocusBoundary = boundary; }
  // Loads the "LHK" entries of the control's string table as its local hot keys and,
  // when there are any and the control has a parent, listens for sibling keys.
  SVRESULT LoadLocalHotKeys();
  KeyCode GetFirstHotKey(const String& command) const { return mLocalHotKeys.GetFirstKey(command); }
  bool HasLocalHotKey(const String& command) const { return mLocalHotKeys.HasCommand(command); }

  // --- Scrolling ---
  // Animates one axis (0 X, 1 Y) from idle passes at `velocity` pixels per second within
  // [minimum, maximum]; `dragTarget` (may be null) is dragged again after each step.
  // A running axis keeps its clock. 0.
  SVRESULT StartScrollAnimation(int32_t axis, double velocity, double maximum, double minimum,
                                const RCPtr<LControl>& dragTarget);
  // 0 when the axis was animating, else 1; drops the axis's drag target either way.
  SVRESULT StopScrollAnimation(int32_t axis);
  bool IsScrollAnimating(int32_t axis) const;
  // Marks a running axis as a fling that decelerates a second after the release.
  void SetScrollAnimationFling(int32_t axis);

  // --- Context menu and tooltip ---
  // Opens the skin's "contextMenu" popup as a child with `menu`: 0; E_FAIL when the skin
  // has no such descriptor or it makes no popup menu (nothing is left behind).
  SVRESULT OpenContextMenu(const RCPtr<LMenuDescriptor>& menu);
  SVRESULT SetMenuDescriptor(const RCPtr<LMenuDescriptor>& menu);
  // Binds (or unbinds) the menu's commands that have hot keys to ForwardMenuCommand.
  SVRESULT BindMenuCommands(const RCPtr<LMenuDescriptor>& menu, bool bind);
  // Sends the command to where its hot key would send it; 1.
  int32_t ForwardMenuCommand(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // The handle popups use to reach UpdateMenuItemState; made on the first call.
  const RCPtr<LMenuItemUpdater>& GetMenuItemUpdater();
  // Appends one menu per "CONTEXT_MENU" group of the string table (a single menu when
  // "CONTEXT_MENU." entries exist) in group order; shows nothing. Returns 1.
  int32_t BuildContextMenuDescriptors(RCPtrArray<LMenuDescriptor>& menus);
  // The control whose tooltip stands for this one.
  RCPtr<LControl> GetTooltipOwner();
  void SetTooltipText(const String& text) { mTooltipText = text; }
  void SetUseParentTooltip(bool use) { mUseParentTooltip = use; }
  // Set once the whole creation sequence has run; no notification is handled before.
  bool IsCreated() const { return mCreated; }
  // Whether a control without a tooltip text of its own shows its parent's.
  bool UsesParentTooltip() const { return mUseParentTooltip; }
  float GetOpacity() const { return mOpacity; }
  const RCPtr<Handlers>& GetHandlers() const { return mHandlers; }

  // --- Looks and painting ---
  // Stores a weight in [0, 1] (others are ignored); exclusive sets every other weight to
  // 0. Invalidates the control when a weight changed. E_INVALIDARG for a bad index.
  SVRESULT SetLookWeight(int32_t index, float weight, bool exclusive);
  // The entry at an index in range (may be null); otherwise the first visible look, else
  // the first look, else null.
  RCPtr<LLook> GetLook(int32_t index) const;
  uint32_t GetLookCount() const { return mLooks.GetCount(); }
  float GetLookWeight(uint32_t index) const { return index < mLookWeights.GetCount() ? mLookWeights[index] : 0.0f; }
  // The first look that is not null and has a positive weight; -1 when none.
  int32_t GetFirstVisibleLookIndex() const;
  // Gives the look (GetLook rules) an overlay part from the bitmap (null removes it).
  // E_FAIL without a look, 1 when nothing changed.
  SVRESULT SetLookPart(const RCPtr<LBitmap>& bitmap, ResizeType resize, int32_t lookIndex, bool exclusive);
  // Replaces the part whose colour the look's label takes. E_FAIL without a look,
  // E_INVALIDARG for a null part.
  SVRESULT SetLookForegroundPart(const RCPtr<LVisualPart>& part, int32_t lookIndex);
  // Restrict where a look's parts are drawn. E_INVALIDARG without a look at the index.
  SVRESULT SetLookRegion(int32_t lookIndex, const Region& region);
  SVRESULT ClearLookRegion(int32_t lookIndex);
  void ClearAllLookRegions();
  // Look a draws everywhere but where look b is restricted to.
  SVRESULT SetLookRegionExcluding(int32_t lookA, int32_t lookB);
  // The request that places the children of a look: scrolling children are clipped to
  // the client rect and moved by the scroll offset; fixed ones only offset.
  ClipRequest MakeChildClipRequest(bool scrolling, int32_t lookIndex) const;
  // Paints the clipping children through one look, in three runs of the paint order:
  // docked on no axis, on one axis, on both axes.
  void PaintChildren(const RCPtr<LRenderer>& renderer, const Region& dirty, int32_t lookIndex,
                     RCPtrArray<LControl, 1, 0>& unclipped);

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
  int32_t GetDragFlags() const { return mDragFlags; }
  PointT<double> GetDragVelocity() const { return mDragVelocity; }
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
  RCPtr<LMenuItemUpdater> mMenuItemUpdater;
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

  // Looks, painting and hit testing (ControlLooks.cpp, ControlPainting.cpp, ControlHitTest.cpp).
  bool IsLookVisible(uint32_t index) const;
  void ApplyLooksOf(const LControlDescriptor& descriptor);
  void ResizeLooks();
  void GiveLooksText(const String& text);
  void GiveLooksFont(const RCPtr<LFont>& font);
  void WrapLooksText();
  void CollectUnclippedBelow(RCPtrArray<LControl, 1, 0>& unclipped);
  void PaintLooks(const RCPtr<LRenderer>& renderer, const Region& dirty, bool clientParts);
  void PaintPerDirtyRect(const RCPtr<LRenderer>& renderer, const Region& dirty, bool overlay);
  void PaintLabelsAndChildren(const RCPtr<LRenderer>& renderer, const Region& dirty,
                              RCPtrArray<LControl, 1, 0>& unclipped);
  void PaintScrollingChildren(const RCPtr<LRenderer>& renderer, const Region& dirty, const ClipRequest& request,
                              uint32_t& position, RCPtrArray<LControl, 1, 0>& unclipped);
  void PaintSingleDockedChildren(const RCPtr<LRenderer>& renderer, const Region& dirty, const ClipRequest& request,
                                 uint32_t& position, RCPtrArray<LControl, 1, 0>& unclipped);
  void PaintFixedChildren(const RCPtr<LRenderer>& renderer, const Region& dirty, const ClipRequest& request,
                          uint32_t& position, RCPtrArray<LControl, 1, 0>& unclipped);
  void PaintRun(const RCPtr<LRenderer>& renderer, const Region& dirty, const ClipRequest& request,
                int32_t dockedAxes, bool testOverlap, uint32_t& position, RCPtrArray<LControl, 1, 0>& unclipped);
  void AppendUnclippedChildren(RCPtrArray<LControl, 1, 0>& unclipped);
  RCPtr<LControl> HitTestChildren(PointT<int32_t> point, bool inside, bool insideAncestors, PointT<int32_t>& local,
                                  int32_t& depth);
  bool HitsItself(PointT<int32_t> point, bool inside, bool insideAncestors, int32_t depth);
  RCPtrArray<LLook, 1, 0> mLooks;
  Array<float> mLookWeights;
  // Label text, font and size limits.
  LFontText* CurrentLookText(const LLookDescriptor*& descriptor) const;
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

  // Input: mouse, focus, keys, scrolling, dragging, context menu and tooltip.
  struct ScrollAnimation {
    bool active = false;
    double time = 0;
    double velocity = 0;
    double minimum = 0;
    double maximum = 0;
    RCPtr<LControl> dragTarget;
    bool fling = false;
  };
  static constexpr double kFlingDeceleration = 1000.0;
  void SetButtonDown(int32_t button);
  void BeginDragFromPress(const RCPtr<LPointWithModifiersParam>& param);
  bool AcceptsInput() const;
  bool ClickedBy(int32_t button) const;
  void StopFlings();
  void StopAllScrollAnimations();
  void StepScrollAnimation(int32_t axis);
  void RefreshHoverAfterScroll();
  SVRESULT MarkFocusPath(LControl* child);
  void DropFocusForMove(LControl* newParent);
  SVRESULT PassTabUp(const RCPtr<LKeyParam>& key);
  void RouteToHotKeyManagers(const RCPtr<LKeyParam>& key);
  int32_t OnLocalHotKey(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void TakeDragSnapshots();
  void LimitDrag(double& dx, double& dy, int32_t edges[2], double amounts[2]);
  void ApplyMoveOrResize(double dx, double dy);
  void ApplyContentScroll(double dx, double dy);
  void TrackDropTarget(PointT<double> pointer, int32_t edges[2], double amounts[2], RCPtr<LControl>& scroller);
  void AutoScroll(const RCPtr<LControl>& scroller, const int32_t edges[2], const double amounts[2]);
  void StartFling();
  void PlaceDockedForCarry(int32_t axis, bool docked);
  RCPtr<LControl> CreateSkinChild(const char16_t* descriptorName);
  void ReleaseMenuItemUpdater();

  int32_t mDragFlags = 0;
  PointT<double> mDragDelta;
  PointT<double> mDragStartSize;
  PointT<double> mDragParentScroll;
  double mDragStartPlacement[4] = {0, 0, 0, 0};
  bool mDragRestoreClip = false;
  bool mDragWasDocked[2] = {false, false};
  RCPtr<LControl> mDropTarget;
  bool mInDragTo = false;
  bool mConvertingPress = false;
  bool mCarrying = false;
  int32_t mMoveTime = 0;
  int32_t mLastMoveTime = 0;
  PointT<double> mDragVelocity;
  int32_t mReleaseTime = 0;
  HotKeyMap mLocalHotKeys;
  ScrollAnimation mScrollAnimation[2];
};

// Hands a notification with `id` and `payload` straight to `receiver` (null source):
// a control dispatches it to its own handler table, its subscribers do not see it.
void DeliverNotification(LNotificationReceiver* receiver, const char16_t* id, const RCPtr<LRefCountedObject>& payload);

}  // namespace SV
