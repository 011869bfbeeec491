#include "services/mask_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace hostlix {
namespace {

constexpr char kDottedQuad[] = "#_.#_.#_.#";

TEST(FormatByMask, Table) {
  struct Case {
    std::string mask;
    std::vector<Number> values;
    std::string expected;
  };
  const Case cases[] = {
      {kDottedQuad, {192, 168, 0, 1}, "192.168.0.1"},
      {kDottedQuad, {0, 0, 0, 0}, "0.0.0.0"},
      {kDottedQuad, {10, 0, 0, 255}, "10.0.0.255"},
      {kDottedQuad, {255, 255, 255, 255}, "255.255.255.255"},
      {kDottedQuad, {10, 0, 0, 5}, "10.0.0.5"},
      {kDottedQuad, {1, 2, 3}, "1.2.3."},
      {kDottedQuad, {1, 2, 3, 4, 5}, "1.2.3.45."},
      {kDottedQuad, {1, 2, 3, 4, 5, 6, 7, 8, 9}, "1.2.3.45.6.7.89."},
      {kDottedQuad, {}, ""},
      {"###", {7}, "  7"},
      {"###", {1234}, "1234"},
      {"#", {0}, "0"},
      {"<##>", {5, 60, 700}, "< 5><60><700>"},  // literal text wraps too
      {"a_#b#c", {1, 2}, "a#b1ca#b2c"},         // "_#" is a literal "#"
      {"__#", {3}, "_3"},
      {"_", {3}, ""},  // no field: literal text once
      {"ab_", {1, 2}, "ab"},
      {"x_#y", {1}, "x#y"},
      {"#.#", {1, 2}, "1.2"},  // "." is literal here
      {"# ", {-5}, "-5 "},
      {"###", {-5}, " -5"},
      {"#", {Number(5) / Number(2)}, "2"},  // ties to even
      {"#", {Number(7) / Number(2)}, "4"},
      {"#", {Number(2) / Number(5)}, "0"},
      {"#", {-Number(0)}, "0"},
      {"#", {Number(uint64_t{18446744073709551615u})}, "18446744073709551615"},
      {"#", {Number(uint64_t{1} << 32) * Number(uint64_t{1} << 32)}, "18446744073709551616"},
      {"#",
       {Number(uint64_t{1} << 63) * Number(uint64_t{1} << 63) * Number(2)},
       "170141183460469231731687303715884105728"},
      {"#", {Number(1) / Number(0)}, "inf"},
      {"#", {Number(0) / Number(0)}, "nan"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatByMask(c.mask, c.values), c.expected) << c.mask;
  }
}

TEST(FormatByMask, DottedQuadHoldsOnlyDigitsAndPeriods) {
  for (int a = 0; a < 256; a += 15) {
    for (int b = 0; b < 256; b += 51) {
      const std::vector<Number> values = {Number(a), Number(b), Number(255 - a), Number(b / 3)};
      const std::string text = FormatByMask(kDottedQuad, values);
      const std::string expected = std::to_string(a) + "." + std::to_string(b) + "." +
                                   std::to_string(255 - a) + "." + std::to_string(b / 3);
      EXPECT_EQ(text, expected);
    }
  }
}

}  // namespace
}  // namespace hostlix
