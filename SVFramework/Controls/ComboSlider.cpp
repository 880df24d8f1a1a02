#include "SVFramework/Controls/ComboSlider.h"

#include <algorithm>
#include <cstdio>

namespace SV {
namespace {

constexpr int32_t kLookClosed = 0;
constexpr int32_t kLookClosedHover = 2;

String FormatValue(double value, int32_t decimals) {
  char format[16] = "%0.0f";
  if (decimals != 0) std::snprintf(format, sizeof format, "%%0.%df", decimals);
  char text[400];
  std::snprintf(text, sizeof text, format, value);
  return String(text);
}

}  // namespace

LComboSlider::LComboSlider(const RCPtr<LControl>& parent, const String& name) : LDropDownControl(parent, name) {}

LComboSlider::~LComboSlider() = default;

RCPtr<LSlider> LComboSlider::GetSlider() const {
  if (!mDropDownPanel) return {};
  return RCPtr<LSlider>(dynamic_cast<LSlider*>(mDropDownPanel->FindChild(u"slider").Get()));
}

double LComboSlider::SetNormalizedValue(double value) {
  const RCPtr<LControl> self(this);
  if (const RCPtr<LSlider> slider = GetSlider()) slider->SetNormalizedValue(value);
  return LDropDownControl::SetNormalizedValue(value);
}

void LComboSlider::OnValueChanged() {
  const RCPtr<LControl> self(this);
  if (const RCPtr<LSlider> slider = GetSlider()) slider->SetNormalizedValue(GetNormalizedValue());
  SetText(FormatValue(NormalizedToValue(GetNormalizedValue()), mDecimals));
}

int32_t LComboSlider::OnSliderValueChange(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  if (const RCPtr<LSlider> slider = GetSlider()) LDropDownControl::SetNormalizedValue(slider->GetNormalizedValue());
  return 1;
}

bool LComboSlider::IsDropDownOpen() {
  if (!mDropDownPanel || !mDropDownPanel->IsVisible(false)) return false;
  const RectT<double>& rect = mDropDownPanel->GetRect();
  return rect.width > 0 && rect.height > 0;
}

SVRESULT LComboSlider::ShowDropDown(bool show) {
  if (!mDropDownPanel) return E_FAIL;
  const RCPtr<LControl> self(this);
  if (show) PlaceDropDownPanel();
  mDropDownPanel->SetVisible(show);
  UpdateLook();
  return S_OK;
}

// The skin's horizontal position, moved left just enough to keep the panel inside the
// top-level control (never past its left edge). The position stays in this control's
// coordinates also when the panel fits, so a combo away from the top-level control's
// origin opens its panel where the skin puts it.
void LComboSlider::PlaceDropDownPanel() {
  const RCPtr<LControl> top = GetTopLevelControl();
  const RCPtr<LControlDescriptor>& descriptor = mDropDownPanel->GetDescriptor();
  LPlacementSpec skinPlacement, placement;
  LSizeSpec skinSize, size;
  if (!top || !mDropDownPanel->GetLayout() ||
      mDropDownPanel->GetLayout()->GetPlacement(LLayoutDescriptor::kAxisX, placement, size) < 0)
    return;
  double skinX = placement.abs;
  if (descriptor && descriptor->Layout &&
      descriptor->Layout->GetPlacement(LLayoutDescriptor::kAxisX, skinPlacement, skinSize) >= 0)
    skinX = skinPlacement.abs;
  PointT<int32_t> point{static_cast<int32_t>(skinX), 0};
  top->MapPointFromControl(this, point);
  const double topWidth = top->GetRect().width, panelWidth = mDropDownPanel->GetRect().width;
  double x = skinX;
  if (topWidth < point.x + panelWidth) {
    point.x = static_cast<int32_t>(std::max(0.0, topWidth - panelWidth));
    MapPointFromControl(top.Get(), point);
    x = point.x;
  }
  if (x == placement.abs) return;
  placement.abs = x;
  mDropDownPanel->SetPlacement(LLayoutDescriptor::kAxisX, placement, size);
}

void LComboSlider::UpdateLook() {
  int32_t look = kLookClosed;
  if (!IsEnabled(true)) {
    look = kLookDisabled;
  } else if (IsDropDownOpen()) {
    look = IsHovered() ? kLookOpenHover : kLookOpen;
  } else {
    look = (IsHovered() ? kLookClosedHover : kLookClosed) + (HasFocus() || ContainsFocus() ? 1 : 0);
  }
  SetExclusiveLook(look);
}

void LComboSlider::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  const RCPtr<LControl> self(this);
  LDropDownControl::OnConditionsChanged(param);
  UpdateLook();
}

SVRESULT LComboSlider::Initialize() {
  if (LDropDownControl::Initialize() < 0) return E_FAIL;
  mDropDownPanel = RCPtr<LPanel>(dynamic_cast<LPanel*>(FindChild(u"dropDownPanel").Get()));
  if (!mDropDownPanel) return S_OK;
  mDropDownPanel->SetVisible(false);
  if (!mHandler) mHandler = ComboSliderHandlers::Create(this);
  if (const RCPtr<LSlider> slider = GetSlider())
    mHandler->AddHandler(&LComboSlider::OnSliderValueChange, RCPtr<LNotificationDistributor>(slider.Get()),
                         u"NID_VALUE_CHANGE");
  return S_OK;
}

int32_t LComboSlider::Receive(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mHandler) {
    const RCPtr<ComboSliderHandlers> handler = mHandler;
    if (const int32_t handled = handler->Dispatch(source, notification)) return handled;
  }
  return LDropDownControl::Receive(source, notification);
}

SVRESULT LComboSlider::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandler) mHandler->RemoveHandler(source.Get(), idText);
  return LDropDownControl::UnsubscribeVirtual(source, idText);
}

SVRESULT LComboSlider::ReleaseInternalReferences() {
  mDropDownPanel.Reset();
  return LDropDownControl::ReleaseInternalReferences();
}

}  // namespace SV
