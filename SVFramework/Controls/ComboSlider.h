#pragma once
#include <cstdint>

#include "SVFramework/Controls/DropDownControl.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Controls/Slider.h"

namespace SV {

// A value field that drops down a panel holding a slider. The panel is the skin child
// "dropDownPanel" and the slider that panel's child "slider". The combo and its slider
// share one normalised value: moving the slider changes the combo's value and text,
// setting the combo's value moves the slider (a value set during a slider drag waits
// for the drag's end, as the slider's rule says). Each keeps its own range; the text
// is the combo's value in its own range with `decimals` digits after the point. A
// change echoed back to where it came from is the value it already has, so it stops
// there and the combo sends one "NID_VALUE_CHANGE" per change. The panel opens at the
// horizontal position its skin gives, shifted left when it would pass the top-level
// control's right edge; its vertical position (below or above) is the skin's.
// Looks: 0 normal, 1 focused, 2 hover, 3 hover and focused, 4 open, 5 open with hover,
// 6 disabled. The skin must give the panel with its slider. UI thread only.
class LComboSlider : public LDropDownControl {
 public:
  using ComboSliderHandlers = LNotificationHandler<LComboSlider>;

  LComboSlider(const RCPtr<LControl>& parent, const String& name);
  ~LComboSlider() override;

  // The slider's value first, then the combo's own; answers the combo's value.
  double SetNormalizedValue(double value) override;
  // Hands the value to the slider and shows it as text.
  void OnValueChanged() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  SVRESULT Initialize() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // The panel is there, visible and of positive size.
  bool IsDropDownOpen() override;
  // Places and shows, or hides, the panel; E_FAIL without one.
  SVRESULT ShowDropDown(bool show) override;

  int32_t OnSliderValueChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  // The panel's slider, looked up each time; null when the skin gives none.
  RCPtr<LSlider> GetSlider() const;
  const RCPtr<LPanel>& GetDropDownPanel() const { return mDropDownPanel; }
  int32_t GetDecimals() const { return mDecimals; }

 private:
  void PlaceDropDownPanel();
  void UpdateLook();

  RCPtr<ComboSliderHandlers> mHandler;
  RCPtr<LPanel> mDropDownPanel;
  int32_t mDecimals = 0;
};

}  // namespace SV
