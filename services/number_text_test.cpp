#include "services/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "services/number_parts.h"
#include "tests/number_hex.h"

namespace hostlix {
namespace {

// Same bits: tells -0 from 0, unlike ==.
::testing::AssertionResult Identical(Number actual, Number expected) {
  if (NumberBytes(actual) == NumberBytes(expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got " << Hex(NumberBytes(actual)) << ", want " << Hex(NumberBytes(expected));
}

// significand * 2^exponent, which must be exact in the format (normal or
// subnormal); the bits are put together by hand, so that no expectation rests
// on the platform's long double or its C library.
Number Scaled(uint64_t significand, int exponent, bool negative = false) {
  if (significand == 0) return NumberFromParts<Number>(negative, 0, 0);
  const int shift = std::countl_zero(significand);
  significand <<= shift;
  int biased = exponent + 63 - shift + 16383;
  if (biased <= 0) {
    const int down = 1 - biased;
    EXPECT_TRUE(down < 64 && (significand & ((uint64_t{1} << down) - 1)) == 0) << "not exact";
    significand >>= down;
    biased = 0;
  }
  return NumberFromParts<Number>(negative, static_cast<uint16_t>(biased), significand);
}

// Unsigned integers of any size, little-endian base 2^32: just enough for
// exact rationals.
struct Big {
  std::vector<uint32_t> words;

  explicit Big(uint64_t v = 0) {
    for (; v != 0; v >>= 32) words.push_back(static_cast<uint32_t>(v));
  }
  void Multiply(uint32_t factor) {
    uint64_t carry = 0;
    for (uint32_t& w : words) {
      carry += uint64_t{w} * factor;
      w = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) words.push_back(static_cast<uint32_t>(carry));
  }
  void Add(const Big& o) {
    words.resize(std::max(words.size(), o.words.size()) + 1, 0);
    uint64_t carry = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      carry += uint64_t{words[i]} + (i < o.words.size() ? o.words[i] : 0);
      words[i] = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    Trim();
  }
  void ShiftLeft(int bits) {
    words.insert(words.begin(), static_cast<size_t>(bits / 32), 0);
    if (bits % 32 == 0) return;
    words.push_back(0);
    for (size_t i = words.size() - 1; i > 0; --i) {
      words[i] = (words[i] << (bits % 32)) | (words[i - 1] >> (32 - bits % 32));
    }
    words[0] <<= bits % 32;
    Trim();
  }
  void Trim() {
    while (!words.empty() && words.back() == 0) words.pop_back();
  }
  int BitLength() const {
    return words.empty() ? 0 : static_cast<int>(words.size()) * 32 - std::countl_zero(words.back());
  }
  bool operator>=(const Big& o) const {
    if (words.size() != o.words.size()) return words.size() > o.words.size();
    for (size_t i = words.size(); i-- > 0;) {
      if (words[i] != o.words[i]) return words[i] > o.words[i];
    }
    return true;
  }
  void Subtract(const Big& o) {  // *this >= o
    int64_t borrow = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      int64_t v = int64_t{words[i]} - borrow - (i < o.words.size() ? int64_t{o.words[i]} : 0);
      borrow = v < 0;
      words[i] = static_cast<uint32_t>(v + (borrow << 32));
    }
    Trim();
  }
};

Big TenTo(int n) {
  Big b(1);
  for (int i = 0; i < n; ++i) b.Multiply(10);
  return b;
}

// The value nearest num / den (both nonzero, the quotient in the normal
// range), ties to even: one correct rounding. `inexact` tells whether it
// rounded at all.
Number Nearest(Big num, Big den, bool* inexact = nullptr) {
  int exponent = num.BitLength() - den.BitLength();
  if (exponent > 0) den.ShiftLeft(exponent);
  if (exponent < 0) num.ShiftLeft(-exponent);
  if (!(num >= den)) {
    num.ShiftLeft(1);
    --exponent;
  }
  uint64_t significand = 0;
  for (int i = 0; i < 64; ++i) {
    significand <<= 1;
    if (num >= den) {
      num.Subtract(den);
      significand |= 1;
    }
    num.ShiftLeft(1);
  }
  const bool half = num >= den;
  if (half) num.Subtract(den);
  const bool sticky = !num.words.empty();
  if (inexact != nullptr) *inexact = half || sticky;
  if (half && (sticky || (significand & 1))) {
    if (++significand == 0) {
      significand = uint64_t{1} << 63;
      ++exponent;
    }
  }
  return Scaled(significand, exponent - 63);
}

Number Ratio(uint64_t num, uint64_t den) { return Nearest(Big(num), Big(den)); }

const Number kTwo127 = Scaled(1, 127);
const Number kMinusZero = -Number(0);

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
      {"-", kMinusZero},
      {"-abc", kMinusZero},
      {"-0", kMinusZero},
      {"-000.000", kMinusZero},
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
      {"4294967296", uint64_t{4294967296}},
      {"999999999999999999", uint64_t{999999999999999999}},
      {"1234567890123456789", uint64_t{1234567890123456780}},
      {"18446744073709551615", uint64_t{18446744073709551600u}},  // 18 digits kept
      {"000000000000000000000000001", 1},
      {"1.5", Scaled(3, -1)},
      {".5", Scaled(1, -1)},
      {"5.", 5},
      {"12.50", Scaled(25, -1)},
      {"0.05", Ratio(5, 100)},
      {"00.05", Ratio(5, 100)},
      {"1.2.3", Ratio(12, 10)},
      {"-2.5", Scaled(5, -1, true)},
      {"1e3", 1000},
      {"1E+3", 1000},
      {"1d3", 1000},
      {"1D3", 1000},
      {"2.5e-1", Scaled(1, -2)},
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
      {"-1E-5000", kMinusZero},
      {"1e-4933", 0},
      {"0.1e4933", kTwo127},  // X = 4933
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Identical(TextToNumber(c.text), c.expected)) << "'" << c.text << "'";
  }
  // A 1 followed by 4,932 zeros has X = 4933 and saturates.
  EXPECT_TRUE(Identical(TextToNumber(std::string(1, '1').append(4932, '0')), kTwo127));
  // With 4,931 zeros it is 10^17 * 10^4914: another rounding than 1E4931's
  // 1 * 10^4931 (value from tests/number_model.py).
  EXPECT_TRUE(Identical(TextToNumber(std::string(1, '1').append(4931, '0')),
                        Scaled(0xAC23C22116CBF8A5ULL, 16317)));
  // A 32,767-digit text: 18 digits kept, the rest dropped, not rounded in:
  // 999999999999999999 / 10^18, rounded once.
  EXPECT_TRUE(Identical(TextToNumber("0." + std::string(32765, '9')),
                        Nearest(Big(999999999999999999), TenTo(18))));
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
      {"&177777&x", 65535},  // one "&", then anything
      {"&177777?", 65535},
      {"&0177777", 65535},
      {"&100000", -32768},
      {"&37777777777", -1},
      {"&37777777777&", -1},
      {"&37777777777&&", uint64_t{4294967295}},
      {"&37777777777?", uint64_t{4294967295}},
      {"&037777777777", uint64_t{4294967295}},
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
      {"&H8000000000000000", INT64_MIN},
      {"&HFFFFFFFFFFFFFFFF", -1},
      {"&H10000000000000000", 0},
      {"&HG", 0},
      {"&H1g", 1},  // a letter past "f" ends the digits
      {"&H7FFFFFFF", 2147483647},
      {"&H80000000", int64_t{-2147483648}},
      {"&H80000000&&", uint64_t{2147483648}},
      {"+&17", 0},
      {"-&17", kMinusZero},
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

// "1eN" multiplies 1 by 10^N built from the table of large powers, so for
// N = 8 * 2^j it is that table entry itself: the value nearest the exact
// power, from integer arithmetic alone.
TEST(TextToNumber, LargePowersAreNearestToExact) {
  for (int j = 0; j < 10; ++j) {
    const int n = 8 << j;
    EXPECT_TRUE(Identical(TextToNumber("1e" + std::to_string(n)), Nearest(TenTo(n), Big(1)))) << n;
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
    const Number expected = Scaled(row.significand, row.exponent, row.negative);
    EXPECT_TRUE(Identical(TextToNumber(row.text), expected)) << row.text;
  }
}

// Where the power of ten is exact (|k| <= 27) the one product or quotient is
// correctly rounded: it must be the exact value rounded once, bit for bit.
// Texts mix a point, leading zeros, extra digits and exponent forms.
TEST(TextToNumber, CorrectlyRoundedWhereThePowerIsExact) {
  std::mt19937_64 rng(2026);
  int rounded = 0;
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
    const bool negative = rng() % 2 != 0;
    if (negative) text = "-" + text;
    Big num(std::stoull(mantissa));
    Big den(1);
    for (int i = 0; i < k; ++i) num.Multiply(10);
    if (k < 0) den = TenTo(-k);
    bool inexact = false;
    Number expected = Nearest(num, den, &inexact);
    if (negative) expected = -expected;
    ASSERT_TRUE(Identical(TextToNumber(text), expected)) << text;
    rounded += inexact;
  }
  // Most of these need a rounding; texts that came out exact would not
  // test it.
  EXPECT_GT(rounded, 20000);
}

// Beyond |k| = 27 the power carries a few roundings: still within a few
// units in the last place of the correctly rounded value.
TEST(TextToNumber, CloseToCorrectlyRoundedAcrossTheRange) {
  std::mt19937_64 rng(7);
  std::vector<Big> powers(4901);  // 10^n, made as needed
  powers[0] = Big(1);
  auto power = [&](int n) -> const Big& {
    for (int i = 1; i <= n; ++i) {
      if (powers[i].words.empty()) {
        powers[i] = powers[i - 1];
        powers[i].Multiply(10);
      }
    }
    return powers[n];
  };
  for (int round = 0; round < 2000; ++round) {
    std::string mantissa(1, static_cast<char>('1' + rng() % 9));
    for (int i = 0; i < 17; ++i) mantissa += static_cast<char>('0' + rng() % 10);
    const int k = static_cast<int>(rng() % 9800) - 4900;  // normal results only
    const std::string text = mantissa + "e" + std::to_string(k);
    Big num(std::stoull(mantissa));
    Big den(1);
    if (k >= 0) {
      const uint64_t m = std::stoull(mantissa);
      Big high = power(k);
      high.Multiply(static_cast<uint32_t>(m >> 32));
      high.ShiftLeft(32);
      num = power(k);
      num.Multiply(static_cast<uint32_t>(m));
      num.Add(high);
    } else {
      den = power(-k);
    }
    const NumberParts ours = PartsOf(NumberBytes(TextToNumber(text)));
    const NumberParts exact = PartsOf(NumberBytes(Nearest(num, den)));
    const int e_ours = ours.biased_exponent, e_exact = exact.biased_exponent;
    const uint64_t s_ours = ours.significand, s_exact = exact.significand;
    ASSERT_NE(e_ours, 0x7FFF) << text;
    // Units in the last place apart, counted at the smaller exponent.
    uint64_t apart = ~uint64_t{0};
    if (e_ours == e_exact) apart = s_ours > s_exact ? s_ours - s_exact : s_exact - s_ours;
    if (e_ours == e_exact + 1) apart = (s_ours - (uint64_t{1} << 63)) * 2 + (0 - s_exact);
    if (e_exact == e_ours + 1) apart = (s_exact - (uint64_t{1} << 63)) * 2 + (0 - s_ours);
    ASSERT_LE(apart, 8u) << text << ": " << Hex(NumberBytes(TextToNumber(text)));
  }
}

TEST(NumberToInteger, RoundsToNearestEvenAndSaturatesToIndefinite) {
  struct Case {
    Number value;
    int64_t expected;
  };
  const Case cases[] = {
      {0, 0},
      {kMinusZero, 0},
      {255, 255},
      {-1, -1},
      {Scaled(1, -1), 0},
      {Scaled(3, -1), 2},
      {Scaled(5, -1), 2},
      {Scaled(5, -1, true), -2},
      {Scaled((uint64_t{5} << 61) + 1, -62), 3},
      {INT64_MAX, INT64_MAX},
      {INT64_MIN, INT64_MIN},
      {Scaled((uint64_t{1} << 63) + 1, 0, true), INT64_MIN},  // -2^63 - 1
      {Scaled((uint64_t{1} << 63) - 1, 0), INT64_MAX},
      {Scaled((uint64_t{1} << 63) - 1, -1), int64_t{1} << 62},  // 2^62 - 1/2, tie to even
      {Scaled(~uint64_t{0}, -1), INT64_MIN},                    // 2^63 - 1/2 rounds to 2^63,
      {Scaled(1, 63), INT64_MIN},
      {kTwo127, INT64_MIN},
      {-kTwo127, INT64_MIN},
      {Number(0) / Number(0), INT64_MIN},
      {Number(1) / Number(0), INT64_MIN},
      {Scaled(1, -16445), 0},  // the smallest subnormal,
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberToInteger(c.value), c.expected) << Hex(NumberBytes(c.value));
  }
}

}  // namespace
}  // namespace hostlix
