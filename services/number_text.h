// Numeric text conversion: the value of the number written at the start of a
// text, in the 80-bit extended format.
//
// Conversion never fails. A text that does not begin with a number is 0, the
// caller never learns where the number ended, and the result is never an
// infinity or a NaN. Results are exact for the arithmetic of the numeric
// environment below; call SetNumericEnvironment once at start-up (the test
// programs do the same).
//
// Grammar, after skipping leading space, TAB and line feed (not CR):
//   decimal: [+|-] digits [. digits] [(E|e|D|d) [+|-] digits]
//   radix:   & [B|b|H|h|O|o|Q|q] digits [% | & | && | ? | ?? | ???]
// Anything after the number is ignored.

#ifndef HOSTLIX_SERVICES_NUMBER_TEXT_H_
#define HOSTLIX_SERVICES_NUMBER_TEXT_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "services/number_type.h"

namespace hostlix {

// Sign, 15-bit exponent and a 64-bit significand with an explicit integer
// bit: every integer below 2^64 in magnitude is exact. On x86 it is the x87's
// long double (services/number_x87.h); elsewhere the same format in software
// with the same results bit for bit (services/number_soft.h). Either offers
// construction from integers, *, /, unary minus and the six comparisons.
// (Number is defined in the generated header services/number_type.h.)

// On x86, sets the x87 unit to extended precision, round to nearest (ties to
// even), every exception masked. Overflow then gives infinity and invalid
// conversions give the integer indefinite, which the conversion relies on.
// The software format behaves so always, and there it does nothing.
void SetNumericEnvironment();

// Decimal form: at most 18 significant digits are kept (later ones are
// dropped, not rounded), scaled by one multiplication or division by a power
// of ten. A decimal exponent of 4933 or more gives 2^127; -4933 or less gives
// 0. A "-" negates every result, zero included.
// Radix form: an unsigned 64-bit accumulation (0 if it would reach 2^64),
// then read as a 16-, 32- or 64-bit signed value by its width and suffix:
//   TextToNumber("&177777") == -1,  TextToNumber("&0177777") == 65535,
//   TextToNumber("&177777&") == 65535,  TextToNumber("&37777777777&&") == 4294967295
// Texts of any length follow the same rules.
[[nodiscard]] Number TextToNumber(std::string_view text);

// Rounds to the nearest integer, ties to even. NaN and values outside the
// signed 64-bit range give -2^63, as the processor's own conversion does.
[[nodiscard]] int64_t NumberToInteger(Number value);

// The ten bytes of the 80-bit format in the x87's memory order: the 64-bit
// significand little-endian, then sign and exponent, little-endian. Results
// are compared through it, so that a test means the same on every platform.
//   NumberBytes(1) == {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}
[[nodiscard]] std::array<uint8_t, 10> NumberBytes(Number value);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_NUMBER_TEXT_H_
