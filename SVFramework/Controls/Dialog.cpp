#include "SVFramework/Controls/Dialog.h"

#include <iterator>

#include "SVFramework/Application/FrameworkApp.h"

namespace SV {

namespace {

struct StandardButton {
  const char16_t* name;
  int32_t result;
  bool takesFocusFirst;
};

constexpr StandardButton kStandardButtons[] = {
    {u"buttonOK", LDialog::kOK, true},          {u"buttonClose", LDialog::kOK, true},
    {u"buttonCancel", LDialog::kCancel, false}, {u"buttonAbort", LDialog::kAbort, false},
    {u"buttonRetry", LDialog::kRetry, false},   {u"buttonIgnore", LDialog::kIgnore, false},
    {u"buttonYes", LDialog::kYes, false},       {u"buttonNo", LDialog::kNo, false},
};

const StandardButton* FindStandardButton(const String& name) {
  for (const StandardButton& button : kStandardButtons)
    if (name == String(button.name)) return &button;
  return nullptr;
}

}  // namespace

LDialog::LDialog(const RCPtr<LControl>& parent, const String& name) : LScrollView(parent, name) {}

LDialog::~LDialog() = default;

SVRESULT LDialog::Initialize() {
  const SVRESULT result = LScrollView::Initialize();
  mDialogHandlers = Handlers::Create(this);
  for (auto button = std::rbegin(kStandardButtons); button != std::rend(kStandardButtons); ++button) {
    const RCPtr<LControl> child = FindChild(button->name);
    if (child) mDialogHandlers->AddHandler(&LDialog::OnButtonClick, child, u"NID_LEFT_CLICK");
  }
  return result;
}

int32_t LDialog::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mDialogHandlers) {
    const int32_t handled = mDialogHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LScrollView::Receive(source, notification);
}

int32_t LDialog::OnButtonClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  auto* control = dynamic_cast<LControl*>(source.Get());
  const StandardButton* button = control ? FindStandardButton(control->GetName()) : nullptr;
  if (!button) return 1;
  const RCPtr<LDialog> self(this);
  if (button->takesFocusFirst && control->SetFocus(true) < 0) return 1;
  Close(button->result);
  return 1;
}

SVRESULT LDialog::Close(int32_t result) {
  const RCPtr<LDialog> self(this);
  mResult = result;
  const RCPtr<LCancelArgs> closing(new LCancelArgs);
  Distribute(LNotification::Obtain(u"NID_DIALOG_CLOSING", closing));
  if (closing->cancel) return S_FALSE;
  LRootWindow* rootWindow = GetRootWindow();
  // A dialog in no window is not closing: it does not say that it closed.
  if (!rootWindow || rootWindow->RequestClose(result) < 0) return E_FAIL;
  Distribute(LNotification::Obtain(u"NID_DIALOG_CLOSED", nullptr));
  OnClosed();
  return S_OK;
}

int32_t LDialog::DoModal() {
  const RCPtr<LDialog> self(this);
  LFrameworkApp* application = GetFrameworkApp();
  if (!application) return E_FAIL;
  return application->DoModal(self, true);
}

}  // namespace SV
