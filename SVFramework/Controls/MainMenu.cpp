#include "SVFramework/Controls/MainMenu.h"

#include <vector>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/ConditionsParam.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/Controls/ComboMenu.h"
#include "SVFramework/Controls/PopupMenu.h"

namespace SV {

namespace {
constexpr char16_t kLabelPrefix[] = u"MENU_LABEL.";

// The leading decimal number of `text`; -1 when it starts with none or is too large.
int32_t LeadingDigits(std::u16string_view text) {
  int64_t value = -1;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = (value < 0 ? 0 : value) * 10 + (c - u'0');
    if (value > INT32_MAX / 2) return -1;
  }
  return static_cast<int32_t>(value);
}

// Renames a title through its parent, which refuses a name a sibling holds.
SVRESULT SetName(LControl& control, const String& name) {
  LControl* const parent = control.GetParent();
  return parent ? parent->RenameChild(&control, name) : E_FAIL;
}
}  // namespace

LMainMenu::LMainMenu(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

SVRESULT LMainMenu::ReleaseInternalReferences() {
  mRememberedFocus = nullptr;
  mTemplate = nullptr;
  mUpdater = nullptr;
  return LControl::ReleaseInternalReferences();
}

bool LMainMenu::IsTitle(const LControl* control) { return dynamic_cast<const LComboMenu*>(control) != nullptr; }

LPopupMenu* LMainMenu::GetTitlePopup(const LControl* title) {
  const auto* menu = dynamic_cast<const LComboMenu*>(title);
  return menu ? menu->GetPopupMenu().Get() : nullptr;
}

// --- Titles ---

int32_t LMainMenu::GetMenuCount() const {
  int32_t count = 0;
  for (uint32_t index = 0; index < GetChildCount(); ++index)
    if (IsTitle(GetChildren()[index].Get())) ++count;
  return count;
}

RCPtr<LComboMenu> LMainMenu::GetMenu(int32_t index) const {
  for (uint32_t child = 0; child < GetChildCount() && index >= 0; ++child) {
    auto* const title = dynamic_cast<LComboMenu*>(GetChildren()[child].Get());
    if (title && index-- == 0) return RCPtr<LComboMenu>(title);
  }
  return nullptr;
}

String LMainMenu::GetMenuName(int32_t index) const {
  const RCPtr<LControl> title = index >= 0 ? GetMenu(index + mSkinTitleCount) : nullptr;
  return title ? title->GetName() : String(u"");
}

int32_t LMainMenu::FindMenu(const String& name) const {
  for (int32_t index = GetMenuCount() - 1; index >= mSkinTitleCount; --index)
    if (GetMenu(index)->GetName() == name) return index - mSkinTitleCount;
  return -1;
}

void LMainMenu::PrepareTitle(LComboMenu& title) {
  title.SetFocusBoundary(true);
  if (const RCPtr<LPopupMenu> popup = title.GetPopupMenu()) popup->SetMenuItemUpdater(GetMenuItemUpdater());
}

SVRESULT LMainMenu::SetMenuItemUpdater(const RCPtr<LMenuItemUpdater>& updater) {
  if (mUpdater == updater) return 1;
  mUpdater = updater;
  return S_OK;
}

// --- Creation ---

SVRESULT LMainMenu::Initialize() {
  const SVRESULT result = LControl::Initialize();
  SetNotFocusable(true);
  for (int32_t index = static_cast<int32_t>(GetChildCount()) - 1; index >= 0; --index) {
    const RCPtr<LComboMenu> child(dynamic_cast<LComboMenu*>(GetChildren()[static_cast<uint32_t>(index)].Get()));
    if (!child) continue;
    if (child->GetName() == kTemplateName) {
      mTemplate = child->GetDescriptor();
      child->Detach();
      mTemplateFound = true;
      continue;
    }
    PrepareTitle(*child);
    ++mSkinTitleCount;
    if (!mTemplate) mTemplate = child->GetDescriptor();
  }
  BuildMenusFromStrings();
  return result;
}

// Titles from "MENU_LABEL.<n>" places and menus from "CONTEXT_MENU" entries; only when
// their counts agree is any menu made.
void LMainMenu::BuildMenusFromStrings() {
  const RCPtr<LStringTable> table = GetStringTable();
  if (!table) return;
  Array<StringPair> labels;
  table->GetEntriesWithPrefix(kLabelPrefix, labels);
  std::vector<String> texts(labels.GetCount());
  for (uint32_t index = 0; index < labels.GetCount(); ++index) {
    const int32_t place = LeadingDigits(labels[index].first.View().substr(std::u16string_view(kLabelPrefix).size()));
    if (place < 0) continue;
    if (static_cast<size_t>(place) >= texts.size()) texts.resize(static_cast<size_t>(place) + 1);
    texts[static_cast<size_t>(place)] = labels[index].second;
  }
  RCPtrArray<LMenuDescriptor> menus;
  BuildContextMenuDescriptors(menus);
  if (menus.GetCount() != texts.size()) return;
  int32_t failures = 0;
  for (uint32_t index = 0; index < menus.GetCount(); ++index)
    if (InsertMenu(static_cast<int32_t>(index) - failures, texts[index], texts[index], menus[index]) < 0) ++failures;
}

SVRESULT LMainMenu::AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  if (!child) {
    if (descriptor && descriptor->Name == kTemplateName) mTemplate = descriptor;
    return S_OK;
  }
  if (!descriptor) return S_OK;
  const SVRESULT result = LControl::AdoptChild(child, descriptor);
  if (!mTemplate && IsTitle(child.Get())) mTemplate = descriptor;
  return result;
}

SVRESULT LMainMenu::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  struct Saved {
    String name;
    String text;
    RCPtr<LMenuDescriptor> menu;
  };
  std::vector<Saved> saved;
  for (int32_t index = mSkinTitleCount; index < GetMenuCount(); ++index) {
    const RCPtr<LControl> title = GetMenu(index);
    LPopupMenu* const popup = GetTitlePopup(title.Get());
    saved.push_back({title->GetName(), title->GetText(), popup ? popup->GetMenuDescriptor() : nullptr});
  }
  mTemplate = nullptr;
  const SVRESULT result = LControl::ApplyDescriptor(descriptor);
  for (const Saved& menu : saved) {
    if (AddMenu(menu.name) < 0) continue;
    const RCPtr<LControl> title = GetMenu(GetMenuCount() - 1);
    if (LPopupMenu* const popup = GetTitlePopup(title.Get()); popup && menu.menu) popup->SetMenuDescriptor(menu.menu);
    title->SetText(menu.text);
  }
  return result;
}

// --- Adding menus ---

SVRESULT LMainMenu::AddMenu(const String& name) {
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  if (FindChild(name) || !mTemplate || !factory) return E_INVALIDARG;
  RCPtr<LLayoutDescriptor> layout;
  if (mTemplate->Layout) mTemplate->Layout->Clone(layout);
  if (!layout) layout = LLayoutDescriptor::Create();
  const int32_t count = GetMenuCount();
  if ((count > mSkinTitleCount || !mTemplateFound) && count > 0) {
    LPlacementSpec placement;
    LSizeSpec size;
    layout->GetPlacement(LLayoutDescriptor::kAxisX, placement, size);
    placement.anchor = 0;
    placement.reference = PositionReference::NamedControl;
    placement.name = GetMenu(count - 1)->GetName();
    placement.rel = 1.0f;
    placement.abs = 0;
    layout->SetPlacement(LLayoutDescriptor::kAxisX, placement, size);
  }
  RCPtr<LControl> created;
  factory->CreateControl(created, factory->CloneControlDescriptor(mTemplate, layout, name), RCPtr<LControl>(this));
  const RCPtr<LComboMenu> title(dynamic_cast<LComboMenu*>(created.Get()));
  if (!title) {
    // A template of another class makes no title; nothing is left behind.
    if (created) created->Detach();
    return E_FAIL;
  }
  PrepareTitle(*title);
  const RCPtr<LPopupMenu> popup = title->GetPopupMenu();
  if (popup && GetRootWindow()) popup->SetTarget(RCPtr<LNotificationQueue>(GetRootWindow()));
  return S_OK;
}

SVRESULT LMainMenu::InsertMenu(int32_t index, const String& name, const String& label,
                               const RCPtr<LMenuDescriptor>& menu) {
  if (index < 0 || index > GetMenuCount() - mSkinTitleCount) return E_INVALIDARG;
  return InsertMenuBefore(GetMenuName(index), name, label, menu);
}

SVRESULT LMainMenu::InsertMenuBefore(const String& before, const String& name, const String& label,
                                     const RCPtr<LMenuDescriptor>& menu) {
  int32_t position = GetMenuCount();
  if (!before.IsEmpty()) {
    const int32_t found = FindMenu(before);
    if (found < 0) return E_INVALIDARG;
    position = found + mSkinTitleCount;
  }
  if (FindChild(name)) return E_INVALIDARG;
  const SVRESULT added = AddMenu(name);
  if (added < 0) return added;
  ShiftMenusRight(position);
  const RCPtr<LControl> title = GetMenu(position);
  title->SetText(label);
  if (LPopupMenu* const popup = GetTitlePopup(title.Get()); popup && menu) popup->SetMenuDescriptor(menu);
  SetName(*title, name);
  return position - mSkinTitleCount;
}

// From the new last title down to the one after `position`, each title takes over
// its left neighbour's menu, text and name; the controls stay where they are.
void LMainMenu::ShiftMenusRight(int32_t position) {
  for (int32_t index = GetMenuCount() - 1; index > position; --index) {
    const RCPtr<LControl> title = GetMenu(index), left = GetMenu(index - 1);
    LPopupMenu* const popup = GetTitlePopup(title.Get());
    LPopupMenu* const leftPopup = GetTitlePopup(left.Get());
    if (popup && leftPopup && leftPopup->GetMenuDescriptor()) popup->SetMenuDescriptor(leftPopup->GetMenuDescriptor());
    title->SetText(left->GetText());
    const String name = left->GetName();
    SetName(*left, name + u"_");
    SetName(*title, name);
  }
}

// --- Window, focus and commands ---

void LMainMenu::TargetPopups() {
  LRootWindow* const window = GetRootWindow();
  if (!window) return;
  for (int32_t index = GetMenuCount() - 1; index >= 0; --index)
    if (LPopupMenu* const popup = GetTitlePopup(GetMenu(index).Get()))
      popup->SetTarget(RCPtr<LNotificationQueue>(window));
}

void LMainMenu::OnRootWindowChanged() {
  TargetPopups();
  LControl::OnRootWindowChanged();
}

void LMainMenu::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param || (param->previous & Condition::kContainsFocus) != 0 || (param->current & Condition::kContainsFocus) == 0)
    return;
  if (LRootWindow* const window = GetRootWindow()) mRememberedFocus = window->GetPreviousFocusControl();
}

LControl* LMainMenu::GetOwnerControl() {
  if (mRememberedFocus && mRememberedFocus->IsOwnerControl()) return mRememberedFocus.Get();
  return GetParent() ? GetParent()->GetOwnerControl() : nullptr;
}

SVRESULT LMainMenu::UpdateMenuItemState(const RCPtr<LMenuDescriptor>& menu, uint32_t index, const String& commandID,
                                        LMenuItemState& state) {
  if (!mUpdater) return 1;
  LControl* const owner = mUpdater->GetOwner();
  if (!owner) return E_FAIL;
  return owner->UpdateMenuItemState(menu, index, commandID, state);
}

}  // namespace SV
