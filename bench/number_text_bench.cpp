// Times TextToNumber and the field operations on the longest texts they are
// meant for (32,767 bytes). Prints microseconds per call; the budget for
// TextToNumber is one millisecond.
#include <chrono>
#include <cstdio>
#include <string>

#include "services/number_text.h"
#include "services/text.h"

namespace {

template <typename F>
double MicrosecondsPerCall(F f) {
  constexpr int kCalls = 200;
  const auto begin = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) f();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - begin;
  return spent.count() / kCalls;
}

}  // namespace

int main() {
  hostlix::SetNumericEnvironment();
  const std::string digits(32767, '7');
  const std::string fraction = "0." + std::string(32765, '3');
  const std::string dots(32767, '.');
  volatile uint8_t sink = 0;
  volatile int count = 0;
  std::printf("TextToNumber, 32767 digits:      %8.2f us\n", MicrosecondsPerCall([&] {
                sink = hostlix::NumberBytes(hostlix::TextToNumber(digits))[9];
              }));
  std::printf("TextToNumber, 0. + 32765 digits: %8.2f us\n", MicrosecondsPerCall([&] {
                sink = hostlix::NumberBytes(hostlix::TextToNumber(fraction))[9];
              }));
  std::printf("FieldCount, 32767 delimiters:    %8.2f us\n",
              MicrosecondsPerCall([&] { count = hostlix::FieldCount(dots, "."); }));
  std::printf("FieldAt, last of 32768 fields:   %8.2f us\n",
              MicrosecondsPerCall([&] { count = int(hostlix::FieldAt(dots, ".", 32768).size()); }));
  (void)sink;
  (void)count;
  return 0;
}
