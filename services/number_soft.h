// The 80-bit extended format in software, for processors without an x87 unit.
//
// A SoftNumber holds the fields of the format: sign, 15-bit biased exponent
// and a 64-bit significand with an explicit integer bit, subnormals,
// infinities and NaNs included. Each operation gives the bits that an x87
// gives at extended precision, rounding to nearest with ties to even and
// every exception masked: products and quotients are rounded once (a
// subnormal result at its own precision), overflow is infinity, an invalid
// operation is the default NaN (negative, significand 0xC000000000000000) and
// a NaN operand comes back quiet. Conversion from 64-bit integers is exact.
// Comparisons are IEEE: -0 equals +0, and a NaN is unordered.

#ifndef HOSTLIX_SERVICES_NUMBER_SOFT_H_
#define HOSTLIX_SERVICES_NUMBER_SOFT_H_

#include <array>
#include <bit>
#include <concepts>
#include <cstdint>
#include <type_traits>

#include "services/number_parts.h"

namespace hostlix {

class SoftNumber {
 public:
  constexpr SoftNumber() = default;

  // Every integer type converts exactly, as to the x87's own format.
  template <std::integral I>
  constexpr SoftNumber(I value) {  // NOLINT(google-explicit-constructor)
    if constexpr (std::is_signed_v<I>) {
      const bool negative = value < 0;
      uint64_t magnitude = static_cast<uint64_t>(static_cast<int64_t>(value));
      if (negative) magnitude = 0 - magnitude;
      *this = FromMagnitude(negative, magnitude);
    } else {
      *this = FromMagnitude(false, static_cast<uint64_t>(value));
    }
  }

  // The value with these fields, bit for bit.
  [[nodiscard]] static constexpr SoftNumber FromParts(bool negative, uint16_t biased_exponent,
                                                      uint64_t significand) {
    SoftNumber n;
    n.sign_exponent_ = static_cast<uint16_t>((negative ? 0x8000 : 0) | (biased_exponent & 0x7FFF));
    n.significand_ = significand;
    return n;
  }

  [[nodiscard]] constexpr bool negative() const { return (sign_exponent_ & 0x8000) != 0; }
  [[nodiscard]] constexpr uint16_t biased_exponent() const { return sign_exponent_ & 0x7FFF; }
  [[nodiscard]] constexpr uint64_t significand() const { return significand_; }

  friend constexpr SoftNumber operator-(SoftNumber a) {
    a.sign_exponent_ ^= 0x8000;
    return a;
  }
  friend SoftNumber operator*(SoftNumber a, SoftNumber b);
  friend SoftNumber operator/(SoftNumber a, SoftNumber b);
  SoftNumber& operator*=(SoftNumber b) { return *this = *this * b; }
  SoftNumber& operator/=(SoftNumber b) { return *this = *this / b; }

  friend bool operator==(SoftNumber a, SoftNumber b);
  friend bool operator<(SoftNumber a, SoftNumber b);
  friend bool operator!=(SoftNumber a, SoftNumber b) { return !(a == b); }
  friend bool operator>(SoftNumber a, SoftNumber b) { return b < a; }
  friend bool operator<=(SoftNumber a, SoftNumber b) { return a < b || a == b; }
  friend bool operator>=(SoftNumber a, SoftNumber b) { return b < a || a == b; }

 private:
  static constexpr SoftNumber FromMagnitude(bool negative, uint64_t magnitude) {
    if (magnitude == 0) return FromParts(negative, 0, 0);
    const int shift = std::countl_zero(magnitude);
    return FromParts(negative, static_cast<uint16_t>(16383 + 63 - shift), magnitude << shift);
  }

  uint64_t significand_ = 0;
  uint16_t sign_exponent_ = 0;
};

template <>
[[nodiscard]] inline SoftNumber NumberFromParts<SoftNumber>(bool negative, uint16_t biased_exponent,
                                                            uint64_t significand) {
  return SoftNumber::FromParts(negative, biased_exponent, significand);
}

// Rounds to the nearest integer, ties to even; NaN and values outside the
// signed 64-bit range give -2^63, as the x87's integer store does.
[[nodiscard]] int64_t NumberToInteger(SoftNumber value);

// The ten bytes of the format in the x87's memory order.
[[nodiscard]] std::array<uint8_t, 10> NumberBytes(SoftNumber value);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_NUMBER_SOFT_H_
