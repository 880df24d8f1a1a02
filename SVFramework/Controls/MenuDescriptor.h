#pragma once
#include <cstdint>

#include "SVFramework/Controls/MenuItemState.h"
#include "SVFramework/ObjectBase/TaggableObject.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringPairs.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LMenuItemDescriptor;

// A menu as data: a tree of items in menu order. An item with items of its own is a
// submenu header. Each child added through InsertAt holds a strong link to its parent
// that counts as an internal reference of the parent, so a tree held only by its own
// links frees itself (ReleaseInternalReferences cuts them). UI thread only.
class LMenuDescriptor : public LTaggableObject {
public:
  // Submenus nested deeper than this are not built from strings.
  static constexpr int32_t kMaxStringDepth = 32;
  // A menu built from strings holds at most this many items in all: submenus that
  // each hold another one twice would otherwise double at every level.
  static constexpr uint32_t kMaxStringItems = 65536;

  LMenuDescriptor() = default;
  ~LMenuDescriptor() override;

  // A new item (separator false), and a new separator (enabled, unchecked, no label).
  static RCPtr<LMenuItemDescriptor> MakeItem(const String& label, const String& notificationID, bool enabled,
                                             bool checked);
  static RCPtr<LMenuItemDescriptor> MakeSeparator();

  // Inserts before the item at index (index = count appends) and becomes its parent.
  // Returns the array's result: negative when nothing was inserted.
  int32_t InsertAt(uint32_t index, const RCPtr<LMenuItemDescriptor>& item);
  int32_t InsertItem(uint32_t index, const String& label, const String& notificationID, bool enabled, bool checked);
  int32_t InsertSeparator(uint32_t index);
  // Resets the state, then copies the item's; E_INVALIDARG for an index out of range.
  SVRESULT GetItemState(uint32_t index, LMenuItemState& state) const;
  // Unlinks and removes every item, last first, then drops the own parent link. Returns 0.
  SVRESULT RemoveAll();
  SVRESULT ReleaseInternalReferences() override;
  // A deep copy without a parent.
  virtual RCPtr<LMenuDescriptor> Clone() const;

  // A new root built from (key, value) pairs in the menu-string grammar, taken in list
  // order; malformed entries are dropped. Never null. It holds at most maxItems items
  // in all (kMaxStringItems unless a caller needs a smaller bound).
  static RCPtr<LMenuDescriptor> BuildFromStrings(const Array<StringPair>& pairs,
                                                 uint32_t maxItems = kMaxStringItems);

  LMenuDescriptor* GetParent() const { return mParent.Get(); }
  // Moves the parent link: the old parent's internal count goes down, the new one's up.
  void SetParent(LMenuDescriptor* parent);

  RCPtrArray<LMenuItemDescriptor, 1, 0> Items;

protected:
  void CloneItemsInto(LMenuDescriptor& copy) const;

private:
  RCPtr<LMenuDescriptor> mParent;
};

// One entry: its label, the command it sends (a notification ID text, empty for a
// header or a separator), the display text of the command's key, a description shown
// as status text, and its state.
class LMenuItemDescriptor : public LMenuDescriptor {
public:
  LMenuItemDescriptor() = default;
  LMenuItemDescriptor(const String& label, const String& notificationID, bool enabled, bool checked, bool separator)
      : CommandID(notificationID), Label(label), Enabled(enabled), Checked(checked), Separator(separator) {}
  ~LMenuItemDescriptor() override = default;

  StringT<char16_t, char> ToString() const override { return Label; }
  RCPtr<LMenuDescriptor> Clone() const override;

  String CommandID;
  String Label;
  String HotKeyText;
  String Description;
  bool Enabled = true;
  bool Checked = false;
  bool Separator = false;
};

}  // namespace SV
