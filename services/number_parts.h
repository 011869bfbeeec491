// The fields of the 80-bit format: building a Number from them, for the
// implementation of each architecture (services/number_x87.h,
// services/number_soft.h), so that constants are written once as bits; and
// reading them back from the ten bytes of NumberBytes.

#ifndef HOSTLIX_SERVICES_NUMBER_PARTS_H_
#define HOSTLIX_SERVICES_NUMBER_PARTS_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace hostlix {

// The value whose sign, 15-bit biased exponent and 64-bit significand
// (integer bit explicit) are these, bit for bit.
template <typename N>
[[nodiscard]] N NumberFromParts(bool negative, uint16_t biased_exponent, uint64_t significand);

struct NumberParts {
  bool negative;
  uint16_t biased_exponent;  // 0x7FFF: an infinity or a NaN
  uint64_t significand;      // the integer bit is bit 63
};

// The fields of the ten bytes that NumberBytes gives (the x87's memory
// order: significand little-endian, then sign and exponent).
[[nodiscard]] constexpr NumberParts PartsOf(const std::array<uint8_t, 10>& bytes) {
  uint64_t significand = 0;
  for (int k = 7; k >= 0; --k) significand = (significand << 8) | bytes[static_cast<size_t>(k)];
  const auto top = static_cast<uint16_t>(bytes[8] | (bytes[9] << 8));
  return {(top & 0x8000) != 0, static_cast<uint16_t>(top & 0x7FFF), significand};
}

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_NUMBER_PARTS_H_
