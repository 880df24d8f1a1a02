#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"

#include <cmath>

#include "Panel/UI/DriverCommon/MainControl.h"
#include "SVFramework/Controls/ComboBox.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/ObjectBase/Exception.h"

namespace SV {
namespace {

constexpr double kWidgetMinimum = 0;
constexpr double kWidgetMaximum = 127;
constexpr int32_t kMaxDigits = 3;

// The low 8 bits of the nearest integer, as the stored byte. A widget's value comes back
// from its normalised position a hair off (60 in 0 to 88 reads 59.99999...), so it is
// rounded, not truncated, or an edit would store the value below the one shown.
int8_t StoredByte(double number) {
  const double nearest = std::round(number);
  // Out of the 64-bit range (or NaN) there is no meaningful byte: keep 0.
  if (!(std::fabs(nearest) < 9.2e18)) return 0;
  return static_cast<int8_t>(static_cast<uint8_t>(static_cast<int64_t>(nearest) & 0xFF));
}

// The low 16 bits of the nearest integer, for the two-byte form (rounded as above).
int16_t StoredWord(double number) {
  const double nearest = std::round(number);
  if (!(std::fabs(nearest) < 9.2e18)) return 0;
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(nearest) & 0xFFFF));
}

}  // namespace

LVariantBufferSetterParameterPanel::LVariantBufferSetterParameterPanel(const RCPtr<LControl>& parent,
                                                                       const String& name)
    : LPanel(parent, name) {}

LVariantBufferSetterParameterPanel::~LVariantBufferSetterParameterPanel() { mHandlers.Reset(); }

SVRESULT LVariantBufferSetterParameterPanel::Initialize() {
  const SVRESULT initialized = LPanel::Initialize();
  if (initialized < 0) return initialized;
  mHandlers = Handlers::Create(this);
  if (!mHandlers) return E_FAIL;
  BindComboBox();
  BindWidget();
  return initialized;
}

void LVariantBufferSetterParameterPanel::BindComboBox() {
  const RCPtr<LComboBox> comboBox(dynamic_cast<LComboBox*>(FindChild(kComboBoxName).Get()));
  if (!comboBox) return;
  SV_RAISE_ON_FAILURE(mHandlers->AddHandler(&LVariantBufferSetterParameterPanel::OnSelectionChange,
                                            RCPtr<LNotificationDistributor>(comboBox), u"NID_SELECTION_CHANGE"),
                      "LVariantBufferSetterParameterPanel::Initialize");
}

void LVariantBufferSetterParameterPanel::BindWidget() {
  const RCPtr<LControl> widget = FindChild(kWidgetName);
  if (!widget) return;
  SV_RAISE_ON_FAILURE(mHandlers->AddHandler(&LVariantBufferSetterParameterPanel::OnValueChange,
                                            RCPtr<LNotificationDistributor>(widget), u"NID_VALUE_CHANGE"),
                      "LVariantBufferSetterParameterPanel::Initialize");
  widget->SetValueRange(kWidgetMinimum, kWidgetMaximum, kTaperLinear);
  if (const RCPtr<LTextBox> textBox{dynamic_cast<LTextBox*>(widget->FindChild(kTextBoxName).Get())})
    textBox->SetMaxLength(kMaxDigits);
}

void LVariantBufferSetterParameterPanel::SetParameter(const ParamDescriptor& descriptor) { mParameter = descriptor; }

void LVariantBufferSetterParameterPanel::SetDisplayOffset(double offset) { mDisplayOffset = offset; }

void LVariantBufferSetterParameterPanel::EncodeTwoBytes(std::array<int8_t, 2>& bytes, int16_t value) const {
  bytes[0] = static_cast<int8_t>(value / 128);
  bytes[1] = static_cast<int8_t>(value % 128);
}

int32_t LVariantBufferSetterParameterPanel::DecodeTwoBytes(int8_t first, int8_t second) const {
  return first * 128 + second;
}

SVRESULT LVariantBufferSetterParameterPanel::SetValue(const Variant& value) {
  uint32_t size = 0;
  const auto* bytes = static_cast<const int8_t*>(value.GetData(size));
  if (!bytes) return E_FAIL;
  if (!mTwoByteMode && size == 1) {
    ShowNumber(bytes[0] - mDisplayOffset);
    if (const RCPtr<LComboBox> comboBox{dynamic_cast<LComboBox*>(FindChild(kComboBoxName).Get())})
      comboBox->SetSelectedIndex(bytes[0] - StoredByte(mDisplayOffset));
    return S_OK;
  }
  if (mTwoByteMode && size == 2) {
    const int32_t number = DecodeTwoBytes(bytes[0], bytes[1]);
    ShowNumber(number);
    if (const RCPtr<LComboBox> comboBox{dynamic_cast<LComboBox*>(FindChild(kComboBoxName).Get())})
      comboBox->SetSelectedIndex(number);
    return S_OK;
  }
  return E_FAIL;
}

void LVariantBufferSetterParameterPanel::ShowNumber(double number) {
  const RCPtr<LControl> widget = FindChild(kWidgetName);
  if (widget) widget->SetNormalizedValue(widget->ValueToNormalized(number));
}

int32_t LVariantBufferSetterParameterPanel::OnValueChange(const RCPtr<LNotificationDistributor>&,
                                                          const RCPtr<LNotification>&) {
  const RCPtr<LControl> widget = FindChild(kWidgetName);
  if (widget) SendWidgetValue(widget->NormalizedToValue(widget->GetNormalizedValue()));
  return 1;
}

int32_t LVariantBufferSetterParameterPanel::OnSelectionChange(const RCPtr<LNotificationDistributor>&,
                                                              const RCPtr<LNotification>&) {
  const RCPtr<LComboBox> comboBox{dynamic_cast<LComboBox*>(FindChild(kComboBoxName).Get())};
  if (!comboBox) return 1;
  const int8_t stored = StoredByte(comboBox->GetSelectedIndex() + mDisplayOffset);
  SendBytes(&stored, 1);
  return 1;
}

void LVariantBufferSetterParameterPanel::SendWidgetValue(double widgetValue) {
  if (!mTwoByteMode) {
    const int8_t stored = StoredByte(mDisplayOffset + widgetValue);
    SendBytes(&stored, 1);
    return;
  }
  std::array<int8_t, 2> bytes{};
  EncodeTwoBytes(bytes, StoredWord(widgetValue));
  SendBytes(bytes.data(), 2);
}

void LVariantBufferSetterParameterPanel::SendBytes(const int8_t* bytes, uint32_t count) {
  const RCPtr<LMainControl> mainControl{dynamic_cast<LMainControl*>(GetTopLevelControl().Get())};
  if (!mainControl) return;
  Variant value;
  value.SetBuffer(bytes, count);
  mainControl->SetParamValue(mParameter, value);
}

int32_t LVariantBufferSetterParameterPanel::Receive(const RCPtr<LNotificationDistributor>& source,
                                                    const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mHandlers) {
    const int32_t handled = mHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LPanel::Receive(source, notification);
}

}  // namespace SV
