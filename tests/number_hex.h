// The ten bytes of a Number (NumberBytes) as text for test messages: sign
// and exponent, a colon, then the significand, in hexadecimal.
//   Hex(NumberBytes(1)) == "3FFF:8000000000000000"

#ifndef HOSTLIX_TESTS_NUMBER_HEX_H_
#define HOSTLIX_TESTS_NUMBER_HEX_H_

#include <array>
#include <cstdint>
#include <string>

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

}  // namespace hostlix

#endif  // HOSTLIX_TESTS_NUMBER_HEX_H_
