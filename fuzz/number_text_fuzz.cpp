// TextToNumber on arbitrary bytes: never a crash, never an infinity or a NaN,
// and a plain integer of up to 18 significant digits comes back exact.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "services/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const hostlix::Number value = hostlix::TextToNumber(text);
  if (std::isinf(value) || std::isnan(value)) std::abort();
  (void)hostlix::NumberToInteger(value);

  // An integer with neither point nor exponent: blanks, a sign, digits, then
  // anything but a point or an exponent letter.
  size_t i = 0;
  while (i < size && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t first_digit = i;
  int64_t exact = 0;
  int significant = 0;
  for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (significant > 0 || text[i] != '0') {
      if (++significant > 18) return 0;
      exact = exact * 10 + (text[i] - '0');
    }
  }
  if (i == first_digit) return 0;
  if (i < size && std::string_view(".EeDd").find(text[i]) != std::string_view::npos) return 0;
  const hostlix::Number expected =
      negative ? -static_cast<hostlix::Number>(exact) : static_cast<hostlix::Number>(exact);
  if (value != expected) std::abort();
  return 0;
}
