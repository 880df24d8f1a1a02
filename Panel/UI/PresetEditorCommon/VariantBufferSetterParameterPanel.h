#pragma once
#include <array>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

// Shows one preset parameter in one widget of its skin ("parameterControl": a numeric
// field or a switch; "comboBox": the MIDI channel list) and converts between the
// widget's value and the parameter's one-byte value: the stored byte is the widget's
// value plus the display offset. Values the engine announces arrive through SetValue;
// the user's edits go to the main control (the top-level control), which drops the
// echo of a value being shown. A missing widget is no error: its path does nothing.
// UI thread only.
class LVariantBufferSetterParameterPanel : public LPanel {
public:
  using Handlers = LNotificationHandler<LVariantBufferSetterParameterPanel>;
  static constexpr const char16_t* kWidgetName = u"parameterControl";
  static constexpr const char16_t* kComboBoxName = u"comboBox";
  static constexpr const char16_t* kTextBoxName = u"textBox";

  LVariantBufferSetterParameterPanel(const RCPtr<LControl>& parent, const String& name);
  ~LVariantBufferSetterParameterPanel() override;

  // Binds the widgets' change notifications, gives "parameterControl" the range 0 to
  // 127 and limits its "textBox" to 3 characters. A failed binding raises
  // SV::Exception<SV::FailedResultException>; the panel base's result otherwise.
  SVRESULT Initialize() override;

  // The parameter this panel shows and edits (ParamID -1 until set).
  virtual void SetParameter(const ParamDescriptor& descriptor);
  // Shows the engine's value: 0 when a value of the expected size (one byte, or two in
  // two-byte mode) was shown, clamped to the widget's range; E_FAIL, nothing changed,
  // for any other size.
  virtual SVRESULT SetValue(const Variant& value);
  virtual void SetDisplayOffset(double offset);
  // value / 128 and value % 128 (C++ division: the sign of the value).
  virtual void EncodeTwoBytes(std::array<int8_t, 2>& bytes, int16_t value) const;
  // first * 128 + second, the bytes read as signed.
  virtual int32_t DecodeTwoBytes(int8_t first, int8_t second) const;

  // The widget edit path and the combo-box edit path. 1.
  int32_t OnValueChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnSelectionChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  // The panel's own table, then the panel base's.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

  const ParamDescriptor& GetParameter() const { return mParameter; }
  double GetDisplayOffset() const { return mDisplayOffset; }
  // Values travel as two 7-bit bytes instead of one byte. Off unless a caller sets it.
  void SetTwoByteMode(bool twoBytes) { mTwoByteMode = twoBytes; }
  bool IsTwoByteMode() const { return mTwoByteMode; }

private:
  void BindComboBox();
  void BindWidget();
  // Builds the buffer of the stored byte(s) for a widget value and hands it on.
  void SendWidgetValue(double widgetValue);
  void SendBytes(const int8_t* bytes, uint32_t count);
  void ShowNumber(double number);

  RCPtr<Handlers> mHandlers;
  double mDisplayOffset = 0;
  ParamDescriptor mParameter{-1};
  bool mTwoByteMode = false;
};

}  // namespace SV
