#include "services/number_soft.h"

#include <bit>

namespace hostlix {
namespace {

constexpr int kBias = 16383;
constexpr uint16_t kMaxExponent = 0x7FFF;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
constexpr uint64_t kQuietBit = uint64_t{1} << 62;

bool IsNaN(SoftNumber a) {
  return a.biased_exponent() == kMaxExponent && (a.significand() << 1) != 0;
}
bool IsInfinity(SoftNumber a) {
  return a.biased_exponent() == kMaxExponent && (a.significand() << 1) == 0;
}
bool IsZero(SoftNumber a) { return a.biased_exponent() == 0 && a.significand() == 0; }

SoftNumber DefaultNaN() {
  return SoftNumber::FromParts(true, kMaxExponent, kIntegerBit | kQuietBit);
}
SoftNumber Infinity(bool negative) {
  return SoftNumber::FromParts(negative, kMaxExponent, kIntegerBit);
}
SoftNumber Zero(bool negative) { return SoftNumber::FromParts(negative, 0, 0); }

// A NaN operand comes back quiet. Of two, a quiet one wins over a
// signalling one; else the larger significand; on equal significands the
// positive one.
SoftNumber PropagateNaN(SoftNumber a, SoftNumber b) {
  const auto quiet = [](SoftNumber n) {
    return SoftNumber::FromParts(n.negative(), kMaxExponent, n.significand() | kQuietBit);
  };
  if (!IsNaN(b)) return quiet(a);
  if (!IsNaN(a)) return quiet(b);
  const bool a_quiet = (a.significand() & kQuietBit) != 0;
  const bool b_quiet = (b.significand() & kQuietBit) != 0;
  if (a_quiet != b_quiet) return quiet(a_quiet ? a : b);
  if (a.significand() != b.significand()) return quiet(a.significand() > b.significand() ? a : b);
  return quiet(a.negative() ? b : a);
}

// A finite nonzero value as significand * 2^(exponent - 63) with the
// significand's top bit set.
struct Unpacked {
  uint64_t significand;
  int32_t exponent;
};

Unpacked Unpack(SoftNumber a) {
  uint64_t significand = a.significand();
  int32_t exponent = a.biased_exponent() == 0 ? 1 - kBias : a.biased_exponent() - kBias;
  const int shift = std::countl_zero(significand);
  significand <<= shift;
  exponent -= shift;
  return {significand, exponent};
}

// The value (high + low / 2^64 + sticky * tiny) * 2^(exponent - 63), high's
// top bit set, rounded once to the format: to nearest, ties to even, at the
// precision of the result's own exponent (fewer bits for a subnormal).
SoftNumber Round(bool negative, uint64_t high, uint64_t low, bool sticky, int32_t exponent) {
  int32_t biased = exponent + kBias;
  if (biased >= kMaxExponent) return Infinity(negative);
  if (biased <= 0) {
    // Shift right until the exponent is that of the subnormals.
    int32_t shift = 1 - biased;
    if (shift >= 128) {
      sticky = sticky || high != 0 || low != 0;
      high = 0;
      low = 0;
    } else {
      if (shift >= 64) {
        sticky = sticky || low != 0;
        low = high;
        high = 0;
        shift -= 64;
      }
      if (shift > 0) {
        sticky = sticky || (low << (64 - shift)) != 0;
        low = (low >> shift) | (high << (64 - shift));
        high >>= shift;
      }
    }
    biased = 0;
  }
  const bool half = (low & kIntegerBit) != 0;
  const bool rest = sticky || (low << 1) != 0;
  if (half && (rest || (high & 1) != 0)) {
    ++high;
    if (high == 0) {  // carried out of the top: 2^64 is 2^63 one exponent up
      high = kIntegerBit;
      if (++biased >= kMaxExponent) return Infinity(negative);
    }
  }
  // A subnormal that rounded up to the integer bit is the smallest normal.
  if (biased == 0 && (high & kIntegerBit) != 0) biased = 1;
  return SoftNumber::FromParts(negative, static_cast<uint16_t>(biased), high);
}

// The 128-bit product of two 64-bit integers, from 32-bit halves.
void MultiplyWide(uint64_t a, uint64_t b, uint64_t& high, uint64_t& low) {
  const uint64_t a_lo = a & 0xFFFFFFFF, a_hi = a >> 32;
  const uint64_t b_lo = b & 0xFFFFFFFF, b_hi = b >> 32;
  const uint64_t lo_lo = a_lo * b_lo;
  const uint64_t hi_lo = a_hi * b_lo;
  const uint64_t lo_hi = a_lo * b_hi;
  const uint64_t hi_hi = a_hi * b_hi;
  const uint64_t middle = (lo_lo >> 32) + (hi_lo & 0xFFFFFFFF) + (lo_hi & 0xFFFFFFFF);
  low = (middle << 32) | (lo_lo & 0xFFFFFFFF);
  high = hi_hi + (hi_lo >> 32) + (lo_hi >> 32) + (middle >> 32);
}

}  // namespace

SoftNumber operator*(SoftNumber a, SoftNumber b) {
  if (IsNaN(a) || IsNaN(b)) return PropagateNaN(a, b);
  const bool negative = a.negative() != b.negative();
  if (IsInfinity(a) || IsInfinity(b)) {
    if (IsZero(a) || IsZero(b)) return DefaultNaN();
    return Infinity(negative);
  }
  if (IsZero(a) || IsZero(b)) return Zero(negative);
  const Unpacked x = Unpack(a);
  const Unpacked y = Unpack(b);
  uint64_t high, low;
  MultiplyWide(x.significand, y.significand, high, low);
  int32_t exponent = x.exponent + y.exponent + 1;
  if ((high & kIntegerBit) == 0) {  // product in [1, 2): one bit less
    high = (high << 1) | (low >> 63);
    low <<= 1;
    --exponent;
  }
  return Round(negative, high, low, false, exponent);
}

SoftNumber operator/(SoftNumber a, SoftNumber b) {
  if (IsNaN(a) || IsNaN(b)) return PropagateNaN(a, b);
  const bool negative = a.negative() != b.negative();
  if (IsInfinity(a)) return IsInfinity(b) ? DefaultNaN() : Infinity(negative);
  if (IsInfinity(b)) return Zero(negative);
  if (IsZero(b)) return IsZero(a) ? DefaultNaN() : Infinity(negative);
  if (IsZero(a)) return Zero(negative);
  const Unpacked x = Unpack(a);
  const Unpacked y = Unpack(b);
  // Restoring division, one quotient bit at a time: 66 bits, the first of
  // weight 2^(x.exponent - y.exponent), then the remainder as sticky bit.
  uint64_t remainder = x.significand;
  bool carry = false;  // the remainder's 65th bit
  uint64_t quotient = 0;
  uint64_t extra = 0;  // quotient bits 65 and 66
  for (int i = 0; i < 66; ++i) {
    uint64_t bit = 0;
    if (carry || remainder >= y.significand) {
      remainder -= y.significand;
      bit = 1;
    }
    if (i < 64) {
      quotient = (quotient << 1) | bit;
    } else {
      extra = (extra << 1) | bit;
    }
    carry = (remainder & kIntegerBit) != 0;
    remainder <<= 1;
  }
  const bool sticky = remainder != 0 || carry;
  int32_t exponent = x.exponent - y.exponent;
  uint64_t low = extra << 62;
  if ((quotient & kIntegerBit) == 0) {  // quotient below 1
    quotient = (quotient << 1) | (extra >> 1);
    low = (extra & 1) << 63;
    --exponent;
  }
  return Round(negative, quotient, low, sticky, exponent);
}

bool operator==(SoftNumber a, SoftNumber b) {
  if (IsNaN(a) || IsNaN(b)) return false;
  if (IsZero(a) && IsZero(b)) return true;
  return NumberBytes(a) == NumberBytes(b);
}

bool operator<(SoftNumber a, SoftNumber b) {
  if (IsNaN(a) || IsNaN(b)) return false;
  if (IsZero(a) && IsZero(b)) return false;
  // Magnitudes order as (exponent, significand) for canonical values.
  const auto magnitude_less = [](SoftNumber x, SoftNumber y) {
    if (x.biased_exponent() != y.biased_exponent()) {
      return x.biased_exponent() < y.biased_exponent();
    }
    return x.significand() < y.significand();
  };
  if (a.negative() != b.negative()) return a.negative();
  return a.negative() ? magnitude_less(b, a) : magnitude_less(a, b);
}

int64_t NumberToInteger(SoftNumber value) {
  if (IsNaN(value) || IsInfinity(value)) return INT64_MIN;
  if (IsZero(value)) return 0;
  const Unpacked x = Unpack(value);
  if (x.exponent > 63) return INT64_MIN;
  // value = significand * 2^(exponent - 63): keep the integer part, round on
  // the fraction.
  uint64_t integer = 0;
  bool half = false;
  bool rest = false;
  if (x.exponent >= 0) {
    const int fraction_bits = 63 - x.exponent;
    integer = fraction_bits == 0 ? x.significand : x.significand >> fraction_bits;
    if (fraction_bits > 0) {
      const uint64_t fraction = x.significand << (64 - fraction_bits);
      half = (fraction & kIntegerBit) != 0;
      rest = (fraction << 1) != 0;
    }
  } else {
    half = x.exponent == -1;
    rest = x.exponent < -1 || (x.significand << 1) != 0;
  }
  if (half && (rest || (integer & 1) != 0)) ++integer;  // at most 2^63, no wrap
  if (value.negative()) {
    if (integer > kIntegerBit) return INT64_MIN;
    return static_cast<int64_t>(0 - integer);
  }
  if (integer >= kIntegerBit) return INT64_MIN;
  return static_cast<int64_t>(integer);
}

std::array<uint8_t, 10> NumberBytes(SoftNumber value) {
  std::array<uint8_t, 10> bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(value.significand() >> (8 * i));
  const uint16_t top =
      static_cast<uint16_t>((value.negative() ? 0x8000 : 0) | value.biased_exponent());
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
  return bytes;
}

}  // namespace hostlix
