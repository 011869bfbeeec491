// TextToNumber's algorithm, written once over the number type N: the
// Number of the build (services/number_text.cpp) and, in the tests on x86,
// both the x87's long double and the software format, so that the two can
// be compared bit for bit. N needs construction from 64-bit integers, *, /,
// unary minus and NumberFromParts (services/number_parts.h).

#ifndef HOSTLIX_SERVICES_NUMBER_TEXT_ALGORITHM_H_
#define HOSTLIX_SERVICES_NUMBER_TEXT_ALGORITHM_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "services/number_parts.h"

namespace hostlix {
namespace number_text_algorithm {

// 10^(8 * 2^j) for j = 0..9, each the extended value nearest the exact power,
// as significand and binary exponent of the significand's top bit: no decimal
// conversion by the compiler is involved. The unit tests re-derive them from
// exact integer arithmetic.
struct PowerBits {
  uint64_t significand;
  int exponent;
};
constexpr PowerBits kTenToEightTimesTwoTo[10] = {
    {0xBEBC200000000000, 26},     // 10^8
    {0x8E1BC9BF04000000, 53},     // 10^16
    {0x9DC5ADA82B70B59E, 106},    // 10^32
    {0xC2781F49FFCFA6D5, 212},    // 10^64
    {0x93BA47C980E98CE0, 425},    // 10^128
    {0xAA7EEBFB9DF9DE8E, 850},    // 10^256
    {0xE319A0AEA60E91C7, 1700},   // 10^512
    {0xC976758681750C17, 3401},   // 10^1024
    {0x9E8B3B5DC53D5DE5, 6803},   // 10^2048
    {0xC46052028A20979B, 13606},  // 10^4096
};

template <typename N>
N FromBits(PowerBits bits) {
  return NumberFromParts<N>(false, static_cast<uint16_t>(16383 + bits.exponent), bits.significand);
}

constexpr uint64_t kSmallPowers[8] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

// Beyond this decimal exponent the value saturates (to 2^127) or vanishes.
constexpr int64_t kExponentLimit = 4933;
constexpr int64_t kExponentSaturation = 9999;
constexpr int64_t kKeptDigits = 18;

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 10^n for n >= 1, one rounding per product. Beyond the range it is infinity.
template <typename N>
N PowerOfTen(int64_t n) {
  N f = 1;
  if (n > 4096) {
    f = FromBits<N>(kTenToEightTimesTwoTo[9]);
    n -= 4096;
  }
  N q = kSmallPowers[n % 8];
  const int64_t octets = n / 8;
  for (int j = 0; j < 10; ++j) {
    if ((octets >> j) & 1) q = q * FromBits<N>(kTenToEightTimesTwoTo[j]);
  }
  return f * q;
}

template <typename N>
N DecimalForm(std::string_view text, size_t i) {
  const size_t n = text.size();
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  uint64_t m = 0;                 // first kKeptDigits significant digits
  int64_t d = 0;                  // all significant digits
  int64_t before_point = 0;       // significant digits before the point
  int64_t zeros_after_point = 0;  // zeros between the point and the first one
  bool point = false;
  for (; i < n; ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    if (d == 0 && c == '0') {
      if (point) ++zeros_after_point;
      continue;
    }
    if (d < kKeptDigits) m = m * 10 + static_cast<uint64_t>(c - '0');
    ++d;
    if (!point) ++before_point;
  }

  int64_t e = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    ++i;
    bool exponent_negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    for (; i < n && IsDigit(text[i]); ++i) {
      e = e * 10 + (text[i] - '0');
      if (e > kExponentSaturation) e = kExponentSaturation;
    }
    if (exponent_negative) e = -e;
  }

  N value = 0;
  if (d > 0) {
    const int64_t p = before_point > 0 ? before_point : -zeros_after_point;
    const int64_t x = p + e;
    if (x >= kExponentLimit) {
      value = NumberFromParts<N>(false, 16383 + 127, uint64_t{1} << 63);
    } else if (x > -kExponentLimit) {
      const int64_t k = x - (d < kKeptDigits ? d : kKeptDigits);
      value = m;
      if (k > 0) value = value * PowerOfTen<N>(k);
      if (k < 0) value = value / PowerOfTen<N>(-k);
    }
  }
  return negative ? -value : value;
}

inline int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 99;
}

// `i` is just past the "&".
template <typename N>
N RadixForm(std::string_view text, size_t i) {
  const size_t n = text.size();
  uint64_t radix = 8;
  if (i < n) {
    switch (text[i]) {
      case 'B':
      case 'b':
        radix = 2;
        ++i;
        break;
      case 'H':
      case 'h':
        radix = 16;
        ++i;
        break;
      case 'O':
      case 'o':
      case 'Q':
      case 'q':
        ++i;
        break;
      default:
        break;
    }
  }

  const bool leading_zero = i < n && text[i] == '0';
  uint64_t v = 0;
  size_t digits = 0;
  for (; i < n; ++i, ++digits) {
    const auto digit = static_cast<uint64_t>(DigitValue(text[i]));
    if (digit >= radix) break;
    if (v > (UINT64_MAX - digit) / radix) return 0;  // would reach 2^64
    v = v * radix + digit;
  }
  if (digits == 0) return 0;

  int ampersands = 0;
  int questions = 0;
  if (i < n && text[i] == '&') {
    ampersands = (i + 1 < n && text[i + 1] == '&') ? 2 : 1;
  } else if (i < n && text[i] == '?') {
    questions = 1;
  }

  constexpr uint64_t kTwo16 = uint64_t{1} << 16;
  constexpr uint64_t kTwo32 = uint64_t{1} << 32;
  constexpr uint64_t kTwo63 = uint64_t{1} << 63;
  if (questions > 0) return v < kTwo63 ? N(v) : 0;
  if (leading_zero) return N(static_cast<int64_t>(v));
  if (v < kTwo16 && (v & 0x8000) != 0 && ampersands == 0) {
    return N(static_cast<int64_t>(v) - static_cast<int64_t>(kTwo16));
  }
  if (v >= kTwo16 && v < kTwo32 && (v & 0x80000000) != 0 && ampersands < 2) {
    return N(static_cast<int64_t>(v) - static_cast<int64_t>(kTwo32));
  }
  return N(static_cast<int64_t>(v));
}

}  // namespace number_text_algorithm

template <typename N>
N TextToNumberIn(std::string_view text) {
  using namespace number_text_algorithm;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
  if (i == text.size()) return 0;
  if (text[i] == '&') return RadixForm<N>(text, i + 1);
  return DecimalForm<N>(text, i);
}

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_NUMBER_TEXT_ALGORITHM_H_
