#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"

#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/PackedParamElement.h"

namespace SV {

namespace {
constexpr uint32_t kMembersPerRange = 2;
}

SVRESULT ParamRanges::Set(const ParamRange* runs, uint32_t count) {
  if (!runs || count == 0) return ParamListResult::NotAList;
  std::vector<Variant> elements(count);
  for (uint32_t i = 0; i < count; ++i) {
    const Variant members[kMembersPerRange] = {PackedParamElement::MakeID(runs[i].firstParamID),
                                               PackedParamElement::MakeID(runs[i].count)};
    if (!PackedParamElement::Build(members, kMembersPerRange, elements[i])) return E_FAIL;
  }
  return PackedParamElement::Pack(elements, *this) ? S_OK : E_FAIL;
}

SVRESULT ParamRanges::GetAt(uint32_t index, ParamRange& run) const {
  Variant members[kMembersPerRange];
  const SVRESULT result = PackedParamElement::Read(*this, index, kMembersPerRange, members);
  if (result == ParamListResult::NotAList) run = ParamRange{-1, 0};
  if (result < 0) return result;
  run = ParamRange{members[0].GetInt32(), members[1].GetInt32()};
  return S_OK;
}

}  // namespace SV
