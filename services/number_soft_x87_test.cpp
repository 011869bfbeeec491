// The software format against the x87 unit, bit for bit: on x86 both are
// built, and every operation the command uses must give the same ten bytes
// on random operands weighted toward the edges of the format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "services/number_soft.h"
#include "services/number_text_algorithm.h"
#include "services/number_x87.h"
#include "tests/number_carry_table.h"
#include "tests/number_hex.h"

namespace hostlix {
namespace {

struct Pair {
  long double hard;
  SoftNumber soft;
};

Pair FromParts(bool negative, uint16_t exponent, uint64_t significand) {
  return {NumberFromParts<long double>(negative, exponent, significand),
          SoftNumber::FromParts(negative, exponent, significand)};
}

// Canonical values of every class, most of them where rounding is hard:
// short significands (ties), exponents near the ends of the range
// (overflow, subnormal results), near 1, 256 and 2^63, and the specials.
class Operands {
 public:
  explicit Operands(uint64_t seed) : rng_(seed) {}

  Pair Next() {
    const bool negative = rng_() % 4 == 0;
    const uint64_t kind = rng_() % 16;
    if (kind == 0) {  // zero, infinity, NaN (quiet or signalling)
      switch (rng_() % 4) {
        case 0:
          return FromParts(negative, 0, 0);
        case 1:
          return FromParts(negative, 0x7FFF, uint64_t{1} << 63);
        case 2:
          return FromParts(negative, 0x7FFF, (uint64_t{3} << 62) | (Bits() >> 2));
        default:
          return FromParts(negative, 0x7FFF, (uint64_t{1} << 63) | (Bits() >> 2) | 1);
      }
    }
    if (kind == 1) return FromParts(negative, 0, Bits() >> (1 + rng_() % 63));  // subnormal
    uint64_t significand = Bits() | (uint64_t{1} << 63);
    if (kind < 8) significand &= ~uint64_t{0} << (rng_() % 64);  // short: ties
    if (kind == 8) significand = ~uint64_t{0} << (rng_() % 2 ? rng_() % 4 : rng_() % 64);
    uint16_t exponent;
    switch (rng_() % 5) {
      case 0:
        exponent = static_cast<uint16_t>(1 + rng_() % 0x7FFE);
        break;
      case 1:
        exponent = static_cast<uint16_t>(1 + rng_() % 80);
        break;
      case 2:
        exponent = static_cast<uint16_t>(0x7FFE - rng_() % 80);
        break;
      default:  // from 1/4 to 2^66: 256 and 2^63 among them
        exponent = static_cast<uint16_t>(16383 - 2 + rng_() % 68);
        break;
    }
    return FromParts(negative, exponent, significand);
  }

  uint64_t Bits() { return rng_(); }

 private:
  std::mt19937_64 rng_;
};

constexpr int kPairs = 1000000;

uint16_t ExponentOf(const Pair& p) { return PartsOf(NumberBytes(p.hard)).biased_exponent; }

TEST(SoftNumberAgainstX87, ProductsAndQuotients) {
  Operands operands(1);
  for (int i = 0; i < kPairs; ++i) {
    const Pair a = operands.Next();
    Pair b = operands.Next();
    Pair c = b;
    const int e = ExponentOf(a);
    if (i % 4 == 0 && e > 0 && e < 0x7FFF) {
      // Powers of two that move a into the subnormals or just above them,
      // where a result can round up to the smallest normal.
      const int shift = static_cast<int>(operands.Bits() % 68);
      b = FromParts(false, static_cast<uint16_t>(std::max(1, 16383 - e + 1 - shift + 2)),
                    uint64_t{1} << 63);
      c = FromParts(true, static_cast<uint16_t>(std::min(0x7FFE, 16383 + e - 1 + shift - 2)),
                    uint64_t{1} << 63);
    }
    ASSERT_EQ(Hex(NumberBytes(a.soft * b.soft)), Hex(NumberBytes(a.hard * b.hard)))
        << Hex(NumberBytes(a.hard)) << " * " << Hex(NumberBytes(b.hard));
    ASSERT_EQ(Hex(NumberBytes(a.soft / c.soft)), Hex(NumberBytes(a.hard / c.hard)))
        << Hex(NumberBytes(a.hard)) << " / " << Hex(NumberBytes(c.hard));
  }
}

TEST(SoftNumberAgainstX87, ComparisonsNegationAndRounding) {
  Operands operands(2);
  for (int i = 0; i < kPairs; ++i) {
    const Pair a = operands.Next();
    // Half the time an equal or neighbouring value, so that == and <= meet
    // ties; the rest independent.
    Pair b = operands.Next();
    if (i % 2 == 0) {
      const NumberParts parts = PartsOf(NumberBytes(a.hard));
      const uint64_t neighbour = parts.significand + operands.Bits() % 3 - 1;
      // Only where the neighbour is still a canonical encoding.
      const bool integer_bit = (neighbour >> 63) != 0;
      const uint16_t exponent = parts.biased_exponent;
      if (exponent != 0x7FFF && integer_bit == (exponent != 0)) {
        b = FromParts(parts.negative || i % 8 == 0, exponent, neighbour);
      }
    }
    const std::string where = Hex(NumberBytes(a.hard)) + " vs " + Hex(NumberBytes(b.hard));
    ASSERT_EQ(a.soft == b.soft, a.hard == b.hard) << where;
    ASSERT_EQ(a.soft != b.soft, a.hard != b.hard) << where;
    ASSERT_EQ(a.soft < b.soft, a.hard < b.hard) << where;
    ASSERT_EQ(a.soft <= b.soft, a.hard <= b.hard) << where;
    ASSERT_EQ(a.soft > b.soft, a.hard > b.hard) << where;
    ASSERT_EQ(a.soft >= b.soft, a.hard >= b.hard) << where;
    ASSERT_EQ(a.soft >= 256, a.hard >= 256) << where;
    ASSERT_EQ(Hex(NumberBytes(-a.soft)), Hex(NumberBytes(-a.hard))) << where;
    ASSERT_EQ(NumberToInteger(a.soft), NumberToInteger(a.hard)) << where;
  }
}

TEST(SoftNumberAgainstX87, IntegersConvertExactly) {
  std::mt19937_64 rng(3);
  for (int i = 0; i < kPairs; ++i) {
    const uint64_t bits = rng() >> (rng() % 64);
    const auto as_signed = static_cast<int64_t>(i % 2 ? bits : 0 - bits);
    ASSERT_EQ(Hex(NumberBytes(SoftNumber(bits))), Hex(NumberBytes(static_cast<long double>(bits))));
    ASSERT_EQ(Hex(NumberBytes(SoftNumber(as_signed))),
              Hex(NumberBytes(static_cast<long double>(as_signed))));
  }
}

// Read back from memory, so that the compiler cannot fold an operation on
// constants by rules of its own (its choice of NaN is not the x87's).
long double Opaque(long double value) {
  volatile long double stored = value;
  return stored;
}

// The carries and NaN pairs whose recorded results services/number_soft_test.cpp
// checks on every build: the unit gives them still, and the software format
// the unit's bits.
TEST(SoftNumberAgainstX87, CarriesAndNaNPairs) {
  for (const number_carry_table::Row& row : number_carry_table::kRows) {
    const std::string where = std::string(row.a) + ' ' + row.operation + ' ' + row.b;
    const long double hard = number_carry_table::Apply(
        row.operation, Opaque(FromHex<long double>(row.a)), Opaque(FromHex<long double>(row.b)));
    const SoftNumber soft = number_carry_table::Apply(row.operation, FromHex<SoftNumber>(row.a),
                                                      FromHex<SoftNumber>(row.b));
    EXPECT_EQ(Hex(NumberBytes(hard)), row.result) << where;
    EXPECT_EQ(Hex(NumberBytes(soft)), Hex(NumberBytes(hard))) << where;
  }
  for (const number_carry_table::IntegerRow& row : number_carry_table::kIntegerRows) {
    const int64_t hard = NumberToInteger(Opaque(FromHex<long double>(row.value)));
    EXPECT_EQ(hard, row.integer) << row.value;
    EXPECT_EQ(NumberToInteger(FromHex<SoftNumber>(row.value)), hard) << row.value;
  }
}

// Texts of every form, exponents weighted to the ends of the range where
// the powers of ten overflow or the quotient is subnormal.
std::string RandomText(std::mt19937_64& rng) {
  static constexpr const char* kPrefixes[] = {"", "", "", "-", "+", " ", "\n-", "&", "&H", "&o"};
  std::string text = kPrefixes[rng() % 10];
  const int digits = static_cast<int>(rng() % 26);
  const int point = static_cast<int>(rng() % 30);
  const bool hexadecimal = !text.empty() && text.back() == 'H';
  const char* alphabet = hexadecimal ? "0123456789ABCDEFabcdef" : "0123456789";
  const size_t letters = hexadecimal ? 22 : 10;
  for (int i = 0; i < digits; ++i) {
    if (i == point && text.find('&') == std::string::npos) text += '.';
    text += (rng() % 5 == 0) ? '0' : alphabet[rng() % letters];
  }
  if (text.find('&') != std::string::npos) {
    static constexpr const char* kSuffixes[] = {"", "%", "&", "&&", "?", "??"};
    return text + kSuffixes[rng() % 6];
  }
  if (rng() % 4 != 0) {
    static constexpr int kCentres[] = {0, 4932, -4932, 4915, -4915, 27, -27};
    int exponent = kCentres[rng() % 7] + static_cast<int>(rng() % 61) - 30;
    // Subnormal results need the decimal exponent of the whole number at
    // -4931 or -4932: allow for the digits before the point.
    if (rng() % 3 == 0) exponent = -4932 - std::min(point, digits) + static_cast<int>(rng() % 2);
    text += "EedD"[rng() % 4] + std::to_string(exponent);
  }
  return text;
}

TEST(SoftNumberAgainstX87, TextToNumber) {
  std::mt19937_64 rng(4);
  int saturated = 0, subnormal = 0;
  for (int i = 0; i < 100000; ++i) {
    const std::string text = RandomText(rng);
    const auto hard = NumberBytes(TextToNumberIn<long double>(text));
    ASSERT_EQ(Hex(NumberBytes(TextToNumberIn<SoftNumber>(text))), Hex(hard)) << text;
    const int exponent = PartsOf(hard).biased_exponent;
    saturated += exponent == 16383 + 127;
    subnormal += exponent == 0 && hard[7] != 0;
  }
  // The texts reach both ends of the range, not only the comfortable middle.
  // (A subnormal result needs a one-digit mantissa: with more digits the
  // power of ten overflows and the quotient is 0.)
  EXPECT_GT(saturated, 1000);
  EXPECT_GT(subnormal, 50);
}

}  // namespace
}  // namespace hostlix
