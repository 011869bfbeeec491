#include "services/mask_format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

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

// Decimal digits of `magnitude`, most significant first.
std::string DigitsOfInteger(uint64_t magnitude) {
  char buffer[24];
  char* end = buffer + sizeof buffer;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  return std::string(p, end);
}

// Decimal digits of `value` rounded to an integer, "-" first when negative.
// Read through the format's bits, so that it is the same for the x87's and
// the software Number.
std::string DigitsOf(Number value) {
  const auto bytes = NumberBytes(value);
  uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[i];
  const bool sign = (bytes[9] & 0x80) != 0;
  const int exponent = ((bytes[9] & 0x7F) << 8) | bytes[8];
  if (exponent == 0x7FFF) {
    if ((significand << 1) != 0) return "nan";
    return sign ? "-inf" : "inf";
  }
  // Below 2^63 in magnitude: the processor's rounding, ties to even.
  if (exponent < 16383 + 63) {
    const int64_t rounded = NumberToInteger(value);
    if (rounded >= 0) return DigitsOfInteger(static_cast<uint64_t>(rounded));
    return "-" + DigitsOfInteger(0 - static_cast<uint64_t>(rounded));
  }
  // From 2^63 on every value is the whole number significand * 2^shift:
  // decimal digits (least significant first) doubled shift times.
  std::string reversed = DigitsOfInteger(significand);
  std::reverse(reversed.begin(), reversed.end());
  for (int shift = exponent - 16383 - 63; shift > 0; --shift) {
    int carry = 0;
    for (char& digit : reversed) {
      const int doubled = (digit - '0') * 2 + carry;
      digit = static_cast<char>('0' + doubled % 10);
      carry = doubled / 10;
    }
    if (carry != 0) reversed.push_back('1');
  }
  if (sign) reversed.push_back('-');
  return std::string(reversed.rbegin(), reversed.rend());
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
    const std::string digits = DigitsOf(value);
    if (digits.size() < width) out.append(width - digits.size(), ' ');
    out.append(digits);
    pos = AppendLiteral(mask, pos, out);
    if (pos == mask.size()) pos = 0;
  }
  return out;
}

}  // namespace hostlix
