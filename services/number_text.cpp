#include "services/number_text.h"

#include <cstddef>
#include <cstring>

namespace hostlix {
namespace {

// 10^(8 * 2^j) for j = 0..9, each the extended value nearest the exact power.
// Written as 64-bit significands and binary exponents so that no decimal
// conversion by the compiler is involved; the unit tests re-derive them from
// exact integer arithmetic.
constexpr Number kTenToEightTimesTwoTo[10] = {
    1e8L,
    1e16L,
    0x9DC5ADA82B70B59EP+43L,     // 10^32
    0xC2781F49FFCFA6D5P+149L,    // 10^64
    0x93BA47C980E98CE0P+362L,    // 10^128
    0xAA7EEBFB9DF9DE8EP+787L,    // 10^256
    0xE319A0AEA60E91C7P+1637L,   // 10^512
    0xC976758681750C17P+3338L,   // 10^1024
    0x9E8B3B5DC53D5DE5P+6740L,   // 10^2048
    0xC46052028A20979BP+13543L,  // 10^4096
};

constexpr Number kSmallPowers[8] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L};

// Beyond this decimal exponent the value saturates (to 2^127) or vanishes.
constexpr int64_t kExponentLimit = 4933;
constexpr int64_t kExponentSaturation = 9999;
constexpr int64_t kKeptDigits = 18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 10^n for n >= 1, one rounding per product. Beyond the range it is infinity.
Number PowerOfTen(int64_t n) {
  Number f = 1;
  if (n > 4096) {
    f = kTenToEightTimesTwoTo[9];
    n -= 4096;
  }
  Number q = kSmallPowers[n % 8];
  const int64_t octets = n / 8;
  for (int j = 0; j < 10; ++j) {
    if ((octets >> j) & 1) q = q * kTenToEightTimesTwoTo[j];
  }
  return f * q;
}

Number DecimalForm(std::string_view text, size_t i) {
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

  Number value = 0;
  if (d > 0) {
    const int64_t p = before_point > 0 ? before_point : -zeros_after_point;
    const int64_t x = p + e;
    if (x >= kExponentLimit) {
      value = 0x1p127L;
    } else if (x > -kExponentLimit) {
      const int64_t k = x - (d < kKeptDigits ? d : kKeptDigits);
      value = static_cast<Number>(m);
      if (k > 0) value = value * PowerOfTen(k);
      if (k < 0) value = value / PowerOfTen(-k);
    }
  }
  return negative ? -value : value;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 99;
}

// `i` is just past the "&".
Number RadixForm(std::string_view text, size_t i) {
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
  if (questions > 0) return v < kTwo63 ? static_cast<Number>(v) : 0;
  if (leading_zero) return static_cast<Number>(static_cast<int64_t>(v));
  if (v < kTwo16 && (v & 0x8000) != 0 && ampersands == 0) {
    return static_cast<Number>(static_cast<int64_t>(v) - static_cast<int64_t>(kTwo16));
  }
  if (v >= kTwo16 && v < kTwo32 && (v & 0x80000000) != 0 && ampersands < 2) {
    return static_cast<Number>(static_cast<int64_t>(v) - static_cast<int64_t>(kTwo32));
  }
  return static_cast<Number>(static_cast<int64_t>(v));
}

}  // namespace

void SetNumericEnvironment() {
  // Exceptions masked (bits 0-5), extended precision (bits 8-9 = 11),
  // round to nearest (bits 10-11 = 00).
  const unsigned short control = 0x037F;
  __asm__ volatile("fldcw %0" : : "m"(control));
}

Number TextToNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
  if (i == text.size()) return 0;
  if (text[i] == '&') return RadixForm(text, i + 1);
  return DecimalForm(text, i);
}

int64_t NumberToInteger(Number value) {
  if (!(value >= -0x1p63L && value < 0x1p63L)) return INT64_MIN;
  // The x87 store rounds by the control word: to nearest, ties to even.
  int64_t integer;
  __asm__("fistpll %0" : "=m"(integer) : "t"(value) : "st");
  return integer;
}

std::array<uint8_t, 10> NumberBytes(Number value) {
  std::array<uint8_t, 10> bytes;
  std::memcpy(bytes.data(), &value, bytes.size());
  return bytes;
}

}  // namespace hostlix
