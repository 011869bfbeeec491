#include "services/mask_format.h"

#include <array>
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "services/number_parts.h"

namespace hostlix {
namespace {

// Appends literal text from `pos` up to the next field or the end of the
// mask; returns the position where it stopped.
size_t AppendLiteral(std::string_view mask, size_t pos, std::string& out) {
  while (pos < mask.size() && mask[pos] != '#') {
    if (mask[pos] == '_') {
      ++pos;
      if (pos == mask.size()) break;  // a lone "_" at the end writes nothing
    }
    out.push_back(mask[pos]);
    ++pos;
  }
  return pos;
}

// True when the mask holds a "#" that is not escaped.
bool HasField(std::string_view mask) {
  for (size_t pos = 0; pos < mask.size(); ++pos) {
    if (mask[pos] == '_') {
      ++pos;
    } else if (mask[pos] == '#') {
      return true;
    }
  }
  return false;
}

// Appends the decimal digits of `magnitude`.
void AppendDigits(uint64_t magnitude, std::string& out) {
  char buffer[20];
  char* const end = buffer + sizeof buffer;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  // Byte by byte: a few digits, no call into the C library.
  for (; p != end; ++p) out.push_back(*p);
}

// Appends the exact decimal digits of significand * 2^shift, a whole number
// of up to 4,933 digits, through base-10^9 limbs (least significant first).
void AppendWideDigits(uint64_t significand, int shift, std::string& out) {
  constexpr uint64_t kLimb = 1000000000;
  std::vector<uint64_t> limbs;
  for (; significand != 0; significand /= kLimb) limbs.push_back(significand % kLimb);
  while (shift > 0) {
    const int step = shift < 29 ? shift : 29;  // a limb times 2^29 stays below 2^64
    uint64_t carry = 0;
    for (uint64_t& limb : limbs) {
      const uint64_t wide = (limb << step) + carry;
      limb = wide % kLimb;
      carry = wide / kLimb;
    }
    for (; carry != 0; carry /= kLimb) limbs.push_back(carry % kLimb);
    shift -= step;
  }
  AppendDigits(limbs.back(), out);
  for (size_t k = limbs.size() - 1; k-- > 0;) {
    char group[10];  // nine digits with their leading zeros
    std::snprintf(group, sizeof group, "%09" PRIu64, limbs[k]);
    out.append(group, 9);
  }
}

// Appends `value` rounded to an integer, "-" first when negative; "inf",
// "-inf" or "nan" for the values that are not numbers.
void AppendNumber(Number value, std::string& out) {
  // The integer conversion answers -2^63 for what it cannot convert: NaN,
  // the infinities and magnitudes from 2^63 on (and -2^63 itself).
  const int64_t whole = NumberToInteger(value);
  if (whole != INT64_MIN) {
    if (whole < 0) out.push_back('-');
    AppendDigits(whole < 0 ? 0 - static_cast<uint64_t>(whole) : static_cast<uint64_t>(whole), out);
    return;
  }
  // From 2^63 on every value of the format is a whole number: read it from
  // its bits.
  const NumberParts parts = PartsOf(NumberBytes(value));
  if (parts.biased_exponent == 0x7FFF) {
    const bool infinite = parts.significand == (uint64_t{1} << 63);
    out.append(!infinite ? "nan" : parts.negative ? "-inf" : "inf");
    return;
  }
  if (parts.negative) out.push_back('-');
  AppendWideDigits(parts.significand, parts.biased_exponent - 16383 - 63, out);
}

}  // namespace

std::string FormatByMask(std::string_view mask, std::span<const Number> values) {
  std::string out;
  if (values.empty()) return out;
  if (!HasField(mask)) {
    AppendLiteral(mask, 0, out);
    return out;
  }
  size_t pos = 0;
  for (const Number value : values) {
    pos = AppendLiteral(mask, pos, out);
    size_t width = 0;
    while (pos < mask.size() && mask[pos] == '#') {
      ++width;
      ++pos;
    }
    const size_t start = out.size();
    AppendNumber(value, out);
    const size_t digits = out.size() - start;
    if (digits < width) out.insert(start, width - digits, ' ');
    pos = AppendLiteral(mask, pos, out);
    if (pos == mask.size()) pos = 0;
  }
  return out;
}

}  // namespace hostlix
