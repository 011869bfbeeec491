#include "services/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace hostlix {
namespace {

// Same value and same sign: tells -0 from 0, unlike ==.
::testing::AssertionResult Identical(Number actual, Number expected) {
  if (actual == expected && std::signbit(actual) == std::signbit(expected)) {
    return ::testing::AssertionSuccess();
  }
  char a[64], e[64];
  std::snprintf(a, sizeof a, "%La", actual);
  std::snprintf(e, sizeof e, "%La", expected);
  return ::testing::AssertionFailure() << "got " << a << ", want " << e;
}

constexpr Number kTwo127 = 0x1p127L;

TEST(TextToNumber, DecimalForm) {
  struct Case {
    std::string text;
    Number expected;
  };
  const Case cases[] = {
      {"", 0},
      {"   ", 0},
      {"\t\n ", 0},
      {"abc", 0},
      {"+", 0},
      {"++5", 0},
      {"-", -0.0L},
      {"-abc", -0.0L},
      {"-0", -0.0L},
      {"-000.000", -0.0L},
      {"255", 255},
      {"0255", 255},
      {"+255", 255},
      {"\n255", 255},
      {"\t255", 255},
      {" 255", 255},
      {"\r255", 0},
      {"\v255", 0},
      {"25x", 25},
      {"2+5", 2},
      {"1,000", 1},
      {"1 e3", 1},
      {"$5", 0},
      {"-7", -7},
      {"256", 256},
      {"4294967296", 4294967296.0L},
      {"999999999999999999", 999999999999999999.0L},
      {"1234567890123456789", 1234567890123456780.0L},
      {"18446744073709551615", 18446744073709551600.0L},  // 18 digits kept
      {"000000000000000000000000001", 1},
      {"1.5", 1.5L},
      {".5", 0.5L},
      {"5.", 5},
      {"12.50", 12.5L},
      {"0.05", 0.05L},
      {"00.05", 0.05L},
      {"1.2.3", 1.2L},
      {"-2.5", -2.5L},
      {"1e3", 1000},
      {"1E+3", 1000},
      {"1d3", 1000},
      {"1D3", 1000},
      {"2.5e-1", 0.25L},
      {"1e", 1},
      {"1e+", 1},
      {"1e-", 1},
      {"1ex", 1},
      {"e5", 0},
      {".e5", 0},
      {"0e5", 0},
      {"1e0003", 1000},
      {"1E4932", kTwo127},
      {"1E9999", kTwo127},
      {"1E65540", kTwo127},
      {"1E99999999999999999999999", kTwo127},
      {"-1E5000", -kTwo127},
      {"1E-5000", 0},
      {"-1E-5000", -0.0L},
      {"1e-4933", 0},
      {"0.1e4933", kTwo127},  // X = 4933
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Identical(TextToNumber(c.text), c.expected)) << "'" << c.text << "'";
  }
  // A 1 followed by 4,932 zeros has X = 4933 and saturates.
  EXPECT_TRUE(Identical(TextToNumber("1" + std::string(4932, '0')), kTwo127));
  // With 4,931 zeros it is 10^17 * 10^4914: another rounding than 1E4931's
  // 1 * 10^4931 (value from tests/number_model.py).
  EXPECT_TRUE(Identical(TextToNumber("1" + std::string(4931, '0')),
                        std::ldexp(static_cast<Number>(0xAC23C22116CBF8A5ULL), 16317)));
  // A 32,767-digit text: 18 digits kept, the rest only move the exponent.
  EXPECT_TRUE(Identical(TextToNumber("0." + std::string(32765, '9')),
                        TextToNumber("0.999999999999999999")));
}

TEST(TextToNumber, RadixForm) {
  struct Case {
    std::string text;
    Number expected;
  };
  const Case cases[] = {
      {"&377", 255},
      {"&400", 256},
      {"&", 0},
      {"&8", 0},
      {"&H", 0},
      {"&X1", 0},
      {"&-1", 0},
      {"& 1", 0},
      {"&18", 1},
      {"&17%", 15},
      {"&17&", 15},
      {"&17?", 15},
      {"&177777", -1},
      {"&177777%", -1},
      {"&177777&", 65535},
      {"&177777&&", 65535},
      {"&177777?", 65535},
      {"&0177777", 65535},
      {"&100000", -32768},
      {"&37777777777", -1},
      {"&37777777777&", -1},
      {"&37777777777&&", 4294967295.0L},
      {"&37777777777?", 4294967295.0L},
      {"&037777777777", 4294967295.0L},
      {"&1777777777777777777777", -1},
      {"&1777777777777777777777?", 0},
      {"&1777777777777777777777???", 0},
      {"&0777777777777777777777", 0x7fffffffffffffffLL},
      {"&2000000000000000000000", 0},
      {"&20000000000000000000000", 0},
      {"&HFF", 255},
      {"&hff", 255},
      {"&HfF", 255},
      {"&B101", 5},
      {"&b102", 2},
      {"&O17", 15},
      {"&o17", 15},
      {"&Q17", 15},
      {"&q17", 15},
      {"&HFFFF", -1},
      {"&H0FFFF", 65535},
      {"&H8000", -32768},
      {"&H10000", 65536},
      {"&H8000000000000000", -0x1p63L},
      {"&HFFFFFFFFFFFFFFFF", -1},
      {"&H10000000000000000", 0},
      {"&HG", 0},
      {"&H7FFFFFFF", 2147483647},
      {"&H80000000", -2147483648.0L},
      {"&H80000000&&", 2147483648.0L},
      {"+&17", 0},
      {"-&17", -0.0L},
      {"\t&17", 15},
      {"\n&17", 15},
      {"\r&17", 0},
      {"&17 junk", 15},
      {"&0", 0},
      {"&0&", 0},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Identical(TextToNumber(c.text), c.expected)) << "'" << c.text << "'";
  }
}

// Exact value nearest to 10^n in the extended format, from integer arithmetic
// alone: 10^n as base-2^32 digits, its top 64 bits, round to nearest even.
Number NearestPowerOfTen(int n) {
  std::vector<uint32_t> digits = {1};  // little-endian base 2^32
  for (int i = 0; i < n; ++i) {
    uint64_t carry = 0;
    for (uint32_t& d : digits) {
      const uint64_t v = uint64_t{d} * 10 + carry;
      d = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    if (carry != 0) digits.push_back(static_cast<uint32_t>(carry));
  }
  auto bit = [&](int64_t i) { return (digits[static_cast<size_t>(i / 32)] >> (i % 32)) & 1; };
  const int64_t top = static_cast<int64_t>(digits.size()) * 32 - 1 -
                      __builtin_clz(digits.back());  // index of the highest set bit
  const int64_t low = top - 63;
  if (low <= 0) return static_cast<Number>(std::pow(10.0L, n));  // exact anyway
  uint64_t sig = 0;
  for (int64_t i = top; i >= low; --i) sig = (sig << 1) | bit(i);
  const bool half = bit(low - 1) != 0;
  bool sticky = false;
  for (int64_t i = 0; i < low - 1 && !sticky; ++i) sticky = bit(i) != 0;
  int64_t exponent = low;
  if (half && (sticky || (sig & 1))) {
    if (++sig == 0) {
      sig = uint64_t{1} << 63;
      ++exponent;
    }
  }
  return std::ldexp(static_cast<Number>(sig), static_cast<int>(exponent));
}

// "1eN" multiplies 1 by 10^N built from the table of large powers, so for
// N = 8 * 2^j it is that table entry itself.
TEST(TextToNumber, LargePowersAreNearestToExact) {
  for (int j = 0; j < 10; ++j) {
    const int n = 8 << j;
    const Number nearest = NearestPowerOfTen(n);
    EXPECT_TRUE(Identical(TextToNumber("1e" + std::to_string(n)), nearest)) << n;
    EXPECT_TRUE(Identical(strtold(("1e" + std::to_string(n)).c_str(), nullptr), nearest)) << n;
  }
}

// Rows from tests/number_model.py: exact rational arithmetic with one
// rounding to 64 bits per product, subnormals included.
TEST(TextToNumber, AgreesWithExactModel) {
  struct Row {
    const char* text;
    bool negative;
    uint64_t significand;
    int exponent;
  };
  const Row rows[] = {
      {"1E4931", false, 0xAC23C22116CBF8A4ULL, 16317},
      {"1e-4931", false, 0xBE5B66ECBCE0B7B1ULL, -16444},
      {"123456789012345678e-4950", false, 0x0000000000000000ULL, 0},
      {"-9.87654321e-4000", true, 0xC0E391C89EB97E31ULL, -13348},
      {"3.14159265358979323846e100", false, 0xE5CFAE1F975C21C8ULL, 270},
      {"271828182845904523e4900", false, 0xA4A2DCAF3905E79EULL, 16272},
      {"1e-4932", false, 0x98491F23CA4D5FC0ULL, -16447},
      {"1e28", false, 0x813F3978F8940984ULL, 30},
      {"7e-28", false, 0xDDD6BF3432A0B0CCULL, -154},
      {"123456789e300", false, 0xAFCEECF68D409613ULL, 960},
      {"999999999999999999e-300", false, 0x94B3A202EB1C3F2FULL, -1000},
      {"5e-4930", false, 0x94B76868F38F8F82ULL, -16438},
      {"123e-4934", false, 0x0000000000000000ULL, 0},
      {"1234567e-4937", false, 0x0000000000000000ULL, 0},
      {"0.000123456789012345678901e-4920", false, 0x0000000000000000ULL, 0},
      {"1e4096", false, 0xC46052028A20979BULL, 13543},
      {"1e4097", false, 0xF57866832CA8BD82ULL, 13546},
      {"12345678901234567890123e-40", false, 0xB630A7FCCCBFD71BULL, -123},
  };
  for (const Row& row : rows) {
    Number expected = std::ldexp(static_cast<Number>(row.significand), row.exponent);
    if (row.negative) expected = -expected;
    EXPECT_TRUE(Identical(TextToNumber(row.text), expected)) << row.text;
  }
}

// Where the power of ten is exact (|k| <= 27) the one product or quotient is
// correctly rounded, and so is glibc's strtold: the two must agree bit for
// bit. Texts mix a point, leading zeros, extra digits and exponent forms.
TEST(TextToNumber, AgreesWithStrtoldWhereBothAreExact) {
  std::mt19937_64 rng(2026);
  int checked = 0;
  for (int round = 0; round < 40000; ++round) {
    const int digits = 1 + static_cast<int>(rng() % 18);
    std::string mantissa(1, static_cast<char>('1' + rng() % 9));
    for (int i = 1; i < digits; ++i) mantissa += static_cast<char>('0' + rng() % 10);
    const int k = static_cast<int>(rng() % 55) - 27;  // value = mantissa * 10^k
    std::string text;
    switch (rng() % 3) {
      case 0:  // integer mantissa, exponent
        text = mantissa + "e" + std::to_string(k);
        break;
      case 1: {  // point inside or before the digits, exponent adjusts
        const int point = static_cast<int>(rng() % (digits + 1));
        text = mantissa.substr(0, point) + "." + mantissa.substr(point) + "E" +
               std::to_string(k + digits - point);
        break;
      }
      default: {  // leading zeros after a point, no exponent when possible
        if (k > -digits - 20 && k < -digits) {
          text = "0." + std::string(static_cast<size_t>(-k - digits), '0') + mantissa;
        } else {
          text = "00" + mantissa + "d" + std::to_string(k);
        }
        break;
      }
    }
    if (rng() % 2) text = "-" + text;
    std::string reference = text;  // strtold knows no "d" exponent
    for (char& c : reference) c = c == 'd' ? 'e' : c;
    ASSERT_TRUE(Identical(TextToNumber(text), strtold(reference.c_str(), nullptr))) << text;
    ++checked;
  }
  EXPECT_EQ(checked, 40000);
}

// Beyond |k| = 27 the power carries a few roundings: still within a few
// units in the last place of the correctly rounded value.
TEST(TextToNumber, CloseToStrtoldAcrossTheRange) {
  std::mt19937_64 rng(7);
  for (int round = 0; round < 20000; ++round) {
    std::string mantissa(1, static_cast<char>('1' + rng() % 9));
    for (int i = 0; i < 17; ++i) mantissa += static_cast<char>('0' + rng() % 10);
    const int k = static_cast<int>(rng() % 9800) - 4900;  // normal results only
    const std::string text = mantissa + "e" + std::to_string(k);
    const Number ours = TextToNumber(text);
    const Number exact = strtold(text.c_str(), nullptr);
    ASSERT_TRUE(std::isfinite(ours)) << text;
    const Number ulp = std::ldexp(1.0L, std::ilogb(exact) - 63);
    ASSERT_LE(std::fabs(ours - exact), 8 * ulp) << text;
  }
}

TEST(NumberToInteger, RoundsToNearestEvenAndSaturatesToIndefinite) {
  struct Case {
    Number value;
    int64_t expected;
  };
  const Case cases[] = {
      {0, 0},
      {-0.0L, 0},
      {255, 255},
      {-1, -1},
      {0.5L, 0},
      {1.5L, 2},
      {2.5L, 2},
      {-2.5L, -2},
      {2.500001L, 3},
      {0x1p63L - 1, INT64_MAX},
      {-0x1p63L, INT64_MIN},
      {0x1p63L, INT64_MIN},
      {0x1p127L, INT64_MIN},
      {-0x1p127L, INT64_MIN},
      {NAN, INT64_MIN},
      {INFINITY, INT64_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberToInteger(c.value), c.expected) << static_cast<double>(c.value);
  }
}

}  // namespace
}  // namespace hostlix
