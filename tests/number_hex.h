// The ten bytes of a Number (NumberBytes) as text for test messages and
// tables: sign and exponent, a colon, then the significand, in hexadecimal;
// and back.
//   Hex(NumberBytes(1)) == "3FFF:8000000000000000"

#ifndef HOSTLIX_TESTS_NUMBER_HEX_H_
#define HOSTLIX_TESTS_NUMBER_HEX_H_

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "services/number_parts.h"

namespace hostlix {

inline std::string Hex(const std::array<uint8_t, 10>& bytes) {
  std::string text;
  for (int i = 9; i >= 0; --i) {
    text += "0123456789ABCDEF"[bytes[static_cast<size_t>(i)] >> 4];
    text += "0123456789ABCDEF"[bytes[static_cast<size_t>(i)] & 15];
    if (i == 8) text += ':';
  }
  return text;
}

// The value that Hex(NumberBytes(value)) prints as `hex`.
template <typename N>
N FromHex(std::string_view hex) {
  uint16_t top = 0;
  uint64_t significand = 0;
  std::from_chars(hex.data(), hex.data() + 4, top, 16);
  std::from_chars(hex.data() + 5, hex.data() + hex.size(), significand, 16);
  return NumberFromParts<N>((top & 0x8000) != 0, top & 0x7FFF, significand);
}

}  // namespace hostlix

#endif  // HOSTLIX_TESTS_NUMBER_HEX_H_
