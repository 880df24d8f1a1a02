#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptors.h"

#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/PackedParamElement.h"

namespace SV {

namespace {

constexpr uint32_t kWidth = 2;

// The expansion of one run appended to `descriptors`.
void AppendRun(const ParamRange& run, std::vector<ParamDescriptor>& descriptors) {
  for (int64_t i = 0; i < run.count; ++i)
    descriptors.emplace_back(static_cast<int32_t>(run.firstParamID + i));
}

}  // namespace

ParamDescriptors::ParamDescriptors(const ParamRange& run) {
  if (run.count <= 0 || run.count > kMaxExpandedCount) {
    SetArray(static_cast<const Variant*>(nullptr), 0);
    return;
  }
  std::vector<ParamDescriptor> descriptors;
  AppendRun(run, descriptors);
  SetFromArray(descriptors.data(), static_cast<uint32_t>(descriptors.size()));
}

SVRESULT ParamDescriptors::GetAt(uint32_t index, int32_t& paramID, Variant& subKey) const {
  paramID = -1;
  subKey.Empty();
  Variant members[kWidth];
  const SVRESULT result = PackedParamElement::Read(*this, index, kWidth, members);
  if (result < 0) return result;
  paramID = members[0].GetInt32();
  subKey.Assign(members[1]);
  return S_OK;
}

SVRESULT ParamDescriptors::SetFromRanges(const ParamRanges& ranges) {
  std::vector<ParamRange> runs(ranges.GetCount());
  int64_t total = 0;
  for (uint32_t i = 0; i < runs.size(); ++i) {
    const SVRESULT result = ranges.GetAt(i, runs[i]);
    if (result < 0) return result;
    if (runs[i].count > 0) total += runs[i].count;
    if (total > kMaxExpandedCount) return E_INVALIDARG;
  }
  std::vector<ParamDescriptor> descriptors;
  for (const ParamRange& run : runs) AppendRun(run, descriptors);
  if (descriptors.empty()) {
    SetArray(static_cast<const Variant*>(nullptr), 0);
    return S_OK;
  }
  return SetFromArray(descriptors.data(), static_cast<uint32_t>(descriptors.size()));
}

SVRESULT ParamDescriptors::SetFromArray(const ParamDescriptor* descriptors, uint32_t count) {
  if (!descriptors || count == 0) return ParamListResult::NotAList;
  std::vector<Variant> elements(count);
  for (uint32_t i = 0; i < count; ++i) {
    const Variant members[kWidth] = {PackedParamElement::MakeID(descriptors[i].paramID), descriptors[i].subKey};
    if (!PackedParamElement::Build(members, kWidth, elements[i])) return E_FAIL;
  }
  return PackedParamElement::Pack(elements, *this) ? S_OK : E_FAIL;
}

}  // namespace SV
