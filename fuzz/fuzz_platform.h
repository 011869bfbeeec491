// The fuzz targets' stand-in platform: see fuzz_platform.cpp.

#ifndef HOSTLIX_FUZZ_FUZZ_PLATFORM_H_
#define HOSTLIX_FUZZ_FUZZ_PLATFORM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hostlix::fuzz {

// This machine's name, as the fake gives it for the address 0.
inline constexpr char kOwnName[] = "fuzz-box";

// Every line written since the last clear.
std::vector<std::string>& Lines();

uint32_t Hash(std::string_view text);

}  // namespace hostlix::fuzz

#endif  // HOSTLIX_FUZZ_FUZZ_PLATFORM_H_
