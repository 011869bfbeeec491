// Building a Number from the fields of the 80-bit format, for the
// implementation of each architecture (services/number_x87.h,
// services/number_soft.h), so that constants are written once as bits.

#ifndef HOSTLIX_SERVICES_NUMBER_PARTS_H_
#define HOSTLIX_SERVICES_NUMBER_PARTS_H_

#include <cstdint>

namespace hostlix {

// The value whose sign, 15-bit biased exponent and 64-bit significand
// (integer bit explicit) are these, bit for bit.
template <typename N>
[[nodiscard]] N NumberFromParts(bool negative, uint16_t biased_exponent, uint64_t significand);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_NUMBER_PARTS_H_
