#include <algorithm>
#include <cmath>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ValueParam.h"
#include "SVFramework/notification/Notification.h"

// The normalised value of LControl over its linear or logarithmic range.
namespace SV {
namespace {

constexpr int32_t kLinear = 0;
constexpr int32_t kLogarithmic = 1;

}  // namespace

double LControl::SetNormalizedValue(double value) {
  // NaN (from a create parameter or a caller) would be stored and announced as is.
  const double position = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
  if (position == mNormalizedValue) return mNormalizedValue;
  const RCPtr<LControl> self(this);
  mNormalizedValue = position;
  OnValueChanged();
  const RCPtr<LRefCountedObject> payload(MakeValueParam(position, NormalizedToValue(position)).Get());
  Distribute(LNotification::Obtain(u"NID_VALUE_CHANGE", payload));
  return mNormalizedValue;
}

SVRESULT LControl::SetValueRange(double minimum, double maximum, int32_t taper) {
  const bool accepted = taper == kLinear || (taper == kLogarithmic && minimum > 0 && maximum > 0);
  if (!accepted) return E_INVALIDARG;
  mValueTaper = taper;
  mValueMin = minimum;
  mValueMax = maximum;
  return S_OK;
}

double LControl::NormalizedToValue(double position) const {
  if (mValueTaper == kLogarithmic) return mValueMin * std::pow(mValueMax / mValueMin, position);
  return (mValueMax - mValueMin) * position + mValueMin;
}

double LControl::ValueToNormalized(double value) const {
  const double clamped = std::max(std::min(value, std::max(mValueMin, mValueMax)), std::min(mValueMin, mValueMax));
  if (mValueMin == mValueMax) return 0;
  if (mValueTaper != kLogarithmic) return (clamped - mValueMin) / (mValueMax - mValueMin);
  return std::log(clamped / mValueMin) / std::log(mValueMax / mValueMin);
}

}  // namespace SV
