#pragma once
#include <cstdint>

#include "SVFramework/Controls/DropDownControl.h"
#include "SVFramework/Controls/ListBox.h"

namespace SV {

// Shows one chosen item as its text and opens its child list "listBox" (in drop-down
// mode) below or above itself, on the side with room. An optional child text box
// "textBox" lets the user type a value, matched against the items when validated.
// Items come from the "ITEM.<n>" entries of the combo's own string table; the create
// param "INITIAL_SELECTED_INDEX" picks the first item shown (0 by default).
// Notifications (synchronous): "NID_DROPDOWN_OPENING", "NID_SELECTION_CHANGE" (the
// selected index moved to another item, never for -1), and the text box's
// "NID_TEXTBOX_VALIDATING", "NID_TEXTBOX_VALIDATED", "NID_TEXTBOX_TEXT_CHANGE" re-sent.
// Without its list the combo stays inert: -1 and E_FAIL answers. UI thread only.
class LComboBox : public LDropDownControl {
public:
  using ComboHandlers = LNotificationHandler<LComboBox>;
  static constexpr double kScreenMargin = 5;

  LComboBox(const RCPtr<LControl>& parent, const String& name);
  ~LComboBox() override;

  // Stores the text; a changed text selects the last item with that text, or nothing.
  // 0 when the text changed, 1 when it was already equal.
  SVRESULT SetText(const String& text) override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  // Down or Enter open the closed list, Escape closes the open one; else 1.
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override;
  // Keys the list or text box left: Escape closes the list; nothing goes further.
  SVRESULT RouteUnhandledKey(const RCPtr<LKeyParam>& key) override;
  // Tab from the list or the text box leaves the combo: its parts are no tab stops of
  // their own, and the focus moving on closes the list.
  SVRESULT MoveFocusByTab(const RCPtr<LKeyParam>& key) override;
  SVRESULT Initialize() override;
  SVRESULT ApplyCreateParams() override;
  void OnDescriptorApplied() override;
  // The combo's own text while it is cut off, else the tooltip text.
  String GetTooltipText() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  bool IsDropDownOpen() override;
  SVRESULT ShowDropDown(bool open) override { return OpenList(open); }

  // The list's result; E_FAIL without a list. A selection past the new end is cleared.
  virtual SVRESULT SetItemCount(int32_t count);
  // Returns the selected index: -1 without a list, for a negative index and for one
  // out of range. A change to another item sends "NID_SELECTION_CHANGE".
  virtual int32_t SetSelectedIndex(int32_t index);
  // The look of the state: 6 disabled, 4/5 open, 0-3 closed by hover and focus.
  virtual void UpdateLook();

  SVRESULT AddItem(const String& text) { return InsertItem(GetListItemCount(), LListBox::MakeTextItem(text)); }
  // The index; E_INVALIDARG without data, E_FAIL without a list.
  SVRESULT InsertItem(int32_t index, const RCPtr<LRefCountedObject>& data);
  // Measures the room around the combo, places and sizes the list on the better side,
  // selects the item showing the combo's text and shows it (or hides it). E_FAIL
  // without a list.
  SVRESULT OpenList(bool open);
  SVRESULT AdjustListSize();

  const RCPtr<LListBox>& GetList() const { return mList; }
  int32_t GetSelectedIndex() const { return mSelectedIndex; }
  int32_t GetInitialSelectedIndex() const { return mInitialSelectedIndex; }
  void SetAddTypedText(bool add) { mAddTypedText = add; }
  void SetCaseSensitive(bool caseSensitive) { mCaseSensitive = caseSensitive; }

  int32_t OnListVisibilityChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnListItemActivated(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnTextBoxFocusChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnTextBoxValidated(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t ResendFromTextBox(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

private:
  struct ListRoom {
    bool below = true;
    double room = 0;
    double content = 0;
    double skinMaximum = 0;
  };
  int32_t GetListItemCount() const { return mList ? mList->GetItemCount() : 0; }
  ListRoom MeasureListRoom();
  void PlaceList(const ListRoom& room);
  void SelectItemShowingText();
  void HandPressToList();
  void BindTextBox();
  void AdjustListAxis(int32_t axis);

  RCPtr<ComboHandlers> mComboHandlers;
  RCPtr<LListBox> mList;
  int32_t mSelectedIndex = -1;
  int32_t mInitialSelectedIndex = 0;
  PointT<double> mPressPoint;
  bool mAddTypedText = false;
  bool mCaseSensitive = false;
  bool mPressOpening = false;
};

}  // namespace SV
