// The software format where its rounding carries into the exponent, and its
// choice between two NaNs, against the x87's recorded results
// (tests/number_carry_table.h). Built wherever the software format is: as the
// Number of the build, or on x86 beside the x87, which
// services/number_soft_x87_test.cpp compares with it on random operands too.
#include "services/number_soft.h"

#include <gtest/gtest.h>

#include "tests/number_carry_table.h"
#include "tests/number_hex.h"

namespace hostlix {
namespace {

TEST(SoftNumber, CarriesAndNaNPairsGiveTheX87Bits) {
  for (const number_carry_table::Row& row : number_carry_table::kRows) {
    const SoftNumber a = FromHex<SoftNumber>(row.a);
    const SoftNumber b = FromHex<SoftNumber>(row.b);
    EXPECT_EQ(Hex(NumberBytes(number_carry_table::Apply(row.operation, a, b))), row.result)
        << row.a << ' ' << row.operation << ' ' << row.b;
  }
}

TEST(SoftNumber, IntegerRoundingCarries) {
  for (const number_carry_table::IntegerRow& row : number_carry_table::kIntegerRows) {
    EXPECT_EQ(NumberToInteger(FromHex<SoftNumber>(row.value)), row.integer) << row.value;
  }
}

}  // namespace
}  // namespace hostlix
