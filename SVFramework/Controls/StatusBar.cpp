#include "SVFramework/Controls/StatusBar.h"

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Controls/Label.h"
#include "SVFramework/Utilities/StringPayload.h"
#include "SVFramework/notification/Notification.h"

namespace SV {
namespace {

constexpr const char16_t* kSetStatusText = u"NID_SET_STATUS_TEXT";
constexpr int32_t kLatestOnly = 1;

}  // namespace

LStatusBar::LStatusBar(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LStatusBar::~LStatusBar() { UnregisterStatusBar(this); }

SVRESULT LStatusBar::Initialize() {
  const SVRESULT result = LControl::Initialize();
  const RCPtr<LNotificationDistributor> self(static_cast<LControl*>(this));
  mBarHandlers = BarHandlers::Create(this);
  mBarHandlers->AddHandler(&LStatusBar::OnSetStatusText, self, kSetStatusText, kLatestOnly);
  LNotificationQueue::SetTarget(self);
  AcquireIdle();
  mLabel = RCPtr<LLabel>(dynamic_cast<LLabel*>(FindChild(u"label1").Get()));
  mDefaultText = mLabel ? mLabel->GetString(u"LABEL") : String();
  RegisterStatusBar(this);
  return result;
}

SVRESULT LStatusBar::ApplyCreateParams() {
  const SVRESULT result = LControl::ApplyCreateParams();
  SetNotFocusable(true);
  return result;
}

void LStatusBar::OnIdle() { LNotificationQueue::Process(false); }

SVRESULT LStatusBar::SetTextNow(const String& text) {
  const RCPtr<LControl> self(this);
  LNotificationQueue::Process(false);
  if (mLabel) mLabel->SetText(text);
  if (LRootWindow* rootWindow = GetRootWindow()) rootWindow->RedrawAll();
  return S_OK;
}

SVRESULT LStatusBar::PostText(const String& text) {
  return LNotificationQueue::Post(LNotification::Obtain(kSetStatusText, RCPtr<LRefCountedObject>(MakeStringPayload(text).Get())));
}

String LStatusBar::GetShownText() const { return mLabel ? mLabel->GetText() : String(); }

int32_t LStatusBar::OnSetStatusText(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  const auto* text = notification ? dynamic_cast<const LStringPayload*>(notification->GetPayload().Get()) : nullptr;
  if (text && mLabel) mLabel->SetText(static_cast<const String&>(*text));
  return 1;
}

SVRESULT LStatusBar::ReleaseInternalReferences() {
  UnregisterStatusBar(this);
  LNotificationQueue::Detach();
  return LControl::ReleaseInternalReferences();
}

int32_t LStatusBar::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (IsCreated() && mBarHandlers) {
    const int32_t handled = mBarHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

SVRESULT LStatusBar::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mBarHandlers) mBarHandlers->RemoveHandler(source.Get(), idText);
  return LControl::UnsubscribeVirtual(source, idText);
}

}  // namespace SV
