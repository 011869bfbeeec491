// The usage screen: the command's only help, 24 lines.

#ifndef HOSTLIX_LOOKUP_USAGE_H_
#define HOSTLIX_LOOKUP_USAGE_H_

#include <array>
#include <cstddef>
#include <string_view>

namespace hostlix {

// The 24 lines, without line ends: static text, made when the command is
// compiled. Line 2 is the banner: "HOSTLIX v" and the version, blanks up to
// column 44, then the credit from column 45.
inline constexpr size_t kUsageLineCount = 24;
[[nodiscard]] std::array<std::string_view, kUsageLineCount> UsageLines();

// Prints the usage lines, one WriteLine each. The caller ends with status 9.
void ShowUsage();

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_USAGE_H_
