#pragma once
#include <cstdint>

namespace SV {

// A 16-byte globally unique identifier as the device-control library takes it in
// its lists of device classes.
struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};

  bool operator==(const Guid& other) const = default;
};

static_assert(sizeof(Guid) == 16);

}  // namespace SV
