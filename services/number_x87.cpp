#include "services/number_x87.h"

#include "services/number_text.h"

namespace hostlix {

void SetNumericEnvironment() {
  // Exceptions masked (bits 0-5), extended precision (bits 8-9 = 11),
  // round to nearest (bits 10-11 = 00).
  const unsigned short control = 0x037F;
  __asm__ volatile("fldcw %0" : : "m"(control));
}

int64_t NumberToInteger(long double value) {
  if (!(value >= -0x1p63L && value < 0x1p63L)) return INT64_MIN;
  // The x87 store rounds by the control word: to nearest, ties to even.
  int64_t integer;
  __asm__("fistpll %0" : "=m"(integer) : "t"(value) : "st");
  return integer;
}

std::array<uint8_t, 10> NumberBytes(long double value) {
  std::array<uint8_t, 10> bytes;
  std::memcpy(bytes.data(), &value, bytes.size());
  return bytes;
}

}  // namespace hostlix
