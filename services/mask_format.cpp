#include "services/mask_format.h"

#include <cmath>
#include <cstddef>
#include <cstdio>

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

// Decimal digits of `value` rounded to an integer, "-" first when negative.
std::string DigitsOf(Number value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // From 2^63 on every extended value is a whole number already.
  const bool small = value > -0x1p63L && value < 0x1p63L;
  const Number rounded = small ? static_cast<Number>(NumberToInteger(value)) : value;
  const bool negative = rounded < 0;
  const Number magnitude = negative ? -rounded : rounded;
  std::string digits;
  if (magnitude < 0x1p64L) {
    auto whole = static_cast<unsigned long long>(magnitude);
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    do {
      *--p = static_cast<char>('0' + whole % 10);
      whole /= 10;
    } while (whole != 0);
    digits.assign(p, end);
  } else {
    // Beyond 64 bits: let the C library write the exact decimal expansion.
    const int length = std::snprintf(nullptr, 0, "%.0Lf", magnitude);
    digits.resize(static_cast<size_t>(length) + 1);
    std::snprintf(digits.data(), digits.size(), "%.0Lf", magnitude);
    digits.pop_back();
  }
  if (negative) digits.insert(digits.begin(), '-');
  return digits;
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
