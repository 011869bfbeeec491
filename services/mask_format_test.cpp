#include "services/mask_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace hostlix {
namespace {

constexpr char kDottedQuad[] = "#_.#_.#_.#";

// Values made with exact operations only, the same on every platform.
Number Ratio(int64_t a, int64_t b) { return Number(a) / Number(b); }
Number TwoTo(int n) {
  Number value = 1;
  for (int k = 0; k < n; ++k) value = value * Number(2);
  return value;
}
const Number kInfinity = TwoTo(16384);

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
      {kDottedQuad, {9, 10, 99, 100}, "9.10.99.100"},
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
      {"#", {Ratio(5, 2)}, "2"},  // ties to even
      {"#", {Ratio(7, 2)}, "4"},
      {"#", {Ratio(-5, 2)}, "-2"},
      {"#", {Ratio(2, 5)}, "0"},
      {"#", {-Number(0)}, "0"},
      {"#", {Number(INT64_MIN)}, "-9223372036854775808"},
      {"#", {-Number(INT64_MIN)}, "9223372036854775808"},
      {"#", {Number(UINT64_MAX)}, "18446744073709551615"},
      {"#", {TwoTo(64)}, "18446744073709551616"},
      {"#", {TwoTo(127)}, "170141183460469231731687303715884105728"},
      {"#", {-TwoTo(127)}, "-170141183460469231731687303715884105728"},
      {"#", {Number(999999999) * TwoTo(70)}, "1180591619536819682706588696576"},
      {"#", {kInfinity}, "inf"},
      {"#", {-kInfinity}, "-inf"},
      {"#", {kInfinity / kInfinity}, "nan"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatByMask(c.mask, c.values), c.expected) << c.mask;
  }
}

}  // namespace
}  // namespace hostlix
