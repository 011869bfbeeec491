// The 80-bit extended format as the x87 unit provides it: long double, with
// the unit set to extended precision, round to nearest and every exception
// masked by SetNumericEnvironment (services/number_text.h). The processor's
// own arithmetic is the reference for the software one of
// services/number_soft.h.

#ifndef HOSTLIX_SERVICES_NUMBER_X87_H_
#define HOSTLIX_SERVICES_NUMBER_X87_H_

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

#include "services/number_parts.h"

namespace hostlix {

static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384,
              "long double must be the x87 80-bit extended format");

template <>
[[nodiscard]] inline long double NumberFromParts<long double>(bool negative,
                                                              uint16_t biased_exponent,
                                                              uint64_t significand) {
  const auto top = static_cast<uint16_t>((negative ? 0x8000 : 0) | (biased_exponent & 0x7FFF));
  uint8_t bytes[10];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(significand >> (8 * i));
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
  long double value = 0;
  std::memcpy(&value, bytes, sizeof bytes);
  return value;
}

// Rounds by the control word (to nearest, ties to even); NaN and values
// outside the signed 64-bit range give -2^63, the integer indefinite.
[[nodiscard]] int64_t NumberToInteger(long double value);

// The ten bytes of the format as the x87 stores them.
[[nodiscard]] std::array<uint8_t, 10> NumberBytes(long double value);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_NUMBER_X87_H_
