// Operands on which a rounding carries out of the significand into the
// exponent (the smallest normal from a subnormal, infinity from the largest
// exponent included), with neighbours that just do not carry, and pairs of
// NaNs, where the result is the choice of one payload. Values are written as
// Hex(NumberBytes(x)) prints them: sign and biased exponent, significand.
//
// The results are the x87's: recorded once by a separate program on an
// x86-64 x87 unit with the control word 0x037F (extended precision, round to
// nearest, exceptions masked), each product and quotient computed with its
// operands in both orders on the register stack, to the same bits, and the
// integers by fistp. The x86 tests compare the unit with them on every run.
//
// A quotient of two 64-bit significands never lies within half a unit of a
// power of two without being one, so a quotient carries only where it is
// rounded to fewer bits, in the subnormals.

#ifndef HOSTLIX_TESTS_NUMBER_CARRY_TABLE_H_
#define HOSTLIX_TESTS_NUMBER_CARRY_TABLE_H_

#include <cstdint>

namespace hostlix {
namespace number_carry_table {

struct Row {
  char operation;  // '*' or '/'
  const char* a;
  const char* b;
  const char* result;
};

constexpr Row kRows[] = {
    // (1 + 2^-63)(2 - 2^-62) = 2 - 2^-125; a tie, the largest significand
    // being odd; a negative product; a neighbour that rounds up to the
    // largest significand only; a subnormal operand.
    {'*', "3FFF:8000000000000001", "3FFF:FFFFFFFFFFFFFFFE", "4000:8000000000000000"},
    {'*', "3FFF:F800000000000000", "3FFF:8421084210842108", "4000:8000000000000000"},
    {'*', "C000:8000000000000004", "3FFF:FFFFFFFFFFFFFFF8", "C001:8000000000000000"},
    {'*', "3FFF:8000000000000001", "3FFF:FFFFFFFFFFFFFFFD", "3FFF:FFFFFFFFFFFFFFFF"},
    {'*', "0000:4000000000000001", "7FFE:FFFFFFFFFFFFFFFC", "4000:8000000000000000"},
    // The same at the largest exponent: infinity, or the largest finite value.
    {'*', "7FFE:8000000000000001", "3FFF:FFFFFFFFFFFFFFFE", "7FFF:8000000000000000"},
    {'*', "DFFF:F800000000000000", "5FFE:8421084210842108", "FFFF:8000000000000000"},
    {'*', "7FFE:8000000000000001", "3FFF:FFFFFFFFFFFFFFFD", "7FFE:FFFFFFFFFFFFFFFF"},
    // Into the subnormals, rounded at 63 bits: up to the smallest normal
    // (a tie, or a sticky rest), or a tie down to even.
    {'*', "3FFF:FFFFFFFFFFFFFFFF", "0000:4000000000000000", "0001:8000000000000000"},
    {'*', "3FFF:8000000000000001", "8000:7FFFFFFFFFFFFFFF", "8001:8000000000000000"},
    {'*', "3FFF:FFFFFFFFFFFFFFFD", "0000:4000000000000000", "0000:7FFFFFFFFFFFFFFE"},
    {'/', "3FFF:FFFFFFFFFFFFFFFF", "7FFE:8000000000000000", "0001:8000000000000000"},
    {'/', "BFFF:FFFFFFFFFFFFFFFF", "7FFE:8000000000000000", "8001:8000000000000000"},
    {'/', "3FFF:FFFFFFFFFFFFFFFD", "7FFE:8000000000000000", "0000:7FFFFFFFFFFFFFFE"},
    // Deeper, at fewer bits, up across a power of two: (2 - 2^-63) * 2^-16441;
    // (2 - 3 * 2^-63 + ...) * 2^-16385, with a remainder, at 61 bits (and not
    // at 62, one exponent up); (1 + 2^-64 - ...) * 2^-16446, just over half
    // the smallest subnormal, up to it.
    {'*', "3FFF:FFFFFFFFFFFFFFFF", "0000:0000000000000010", "0000:0000000000000020"},
    {'/', "3FFD:FFFFFFFFFFFFFFFF", "7FFE:8000000000000001", "0000:2000000000000000"},
    {'/', "3FFE:FFFFFFFFFFFFFFFF", "7FFE:8000000000000001", "0000:3FFFFFFFFFFFFFFF"},
    {'*', "0001:8000000000000001", "3FBE:FFFFFFFFFFFFFFFF", "0000:0000000000000001"},
    // A quotient of exactly 2^16384, and one just below it.
    {'/', "7FFE:FFFFFFFFFFFFFFFF", "3FFE:FFFFFFFFFFFFFFFF", "7FFF:8000000000000000"},
    {'/', "7FFE:FFFFFFFFFFFFFFFE", "3FFE:FFFFFFFFFFFFFFFF", "7FFE:FFFFFFFFFFFFFFFF"},
    // One NaN, signalling, made quiet: beside a number, zero or infinity.
    {'*', "3FFF:8000000000000000", "7FFF:8000000000000001", "7FFF:C000000000000001"},
    {'/', "0000:0000000000000000", "FFFF:8000000000000005", "FFFF:C000000000000005"},
    {'*', "7FFF:8000000000000000", "7FFF:A000000000000000", "7FFF:E000000000000000"},
    // Two NaNs: the quiet one over a signalling one that would be larger
    // once quiet, or equal and of the other sign; else the larger
    // significand, whatever the signs; of equal significands the positive.
    {'*', "7FFF:C000000000000001", "7FFF:BFFFFFFFFFFFFFFF", "7FFF:C000000000000001"},
    {'/', "7FFF:BFFFFFFFFFFFFFFF", "7FFF:C000000000000001", "7FFF:C000000000000001"},
    {'*', "7FFF:8000000000000007", "FFFF:C000000000000007", "FFFF:C000000000000007"},
    {'*', "7FFF:C000000000000001", "FFFF:E000000000000000", "FFFF:E000000000000000"},
    {'/', "FFFF:E000000000000000", "7FFF:C000000000000001", "FFFF:E000000000000000"},
    {'*', "7FFF:8000000000000002", "FFFF:8000000000000001", "7FFF:C000000000000002"},
    {'/', "FFFF:8000000000000001", "7FFF:8000000000000002", "7FFF:C000000000000002"},
    {'*', "FFFF:C000000000000000", "7FFF:C000000000000000", "7FFF:C000000000000000"},
    {'/', "7FFF:C000000000000000", "FFFF:C000000000000000", "7FFF:C000000000000000"},
    {'/', "FFFF:8000000000000003", "7FFF:8000000000000003", "7FFF:C000000000000003"},
    {'*', "7FFF:8000000000000003", "FFFF:8000000000000003", "7FFF:C000000000000003"},
};

// Rounding to an integer that carries into a new bit: 2^63 - 1/2, out of
// range, and its negative, -2^63 in range; 2^32 - 2^-32; 1 - 2^-64; -255.5.
struct IntegerRow {
  const char* value;
  int64_t integer;
};

constexpr IntegerRow kIntegerRows[] = {
    {"403D:FFFFFFFFFFFFFFFF", INT64_MIN},  {"C03D:FFFFFFFFFFFFFFFF", INT64_MIN},
    {"401E:FFFFFFFFFFFFFFFF", 4294967296}, {"3FFE:FFFFFFFFFFFFFFFF", 1},
    {"C006:FF80000000000000", -256},
};

template <typename N>
N Apply(char operation, N a, N b) {
  return operation == '*' ? a * b : a / b;
}

}  // namespace number_carry_table
}  // namespace hostlix

#endif  // HOSTLIX_TESTS_NUMBER_CARRY_TABLE_H_
