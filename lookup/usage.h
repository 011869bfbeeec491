// The usage screen: the command's only help, 24 lines.

#ifndef HOSTLIX_LOOKUP_USAGE_H_
#define HOSTLIX_LOOKUP_USAGE_H_

#include <string>
#include <vector>

namespace hostlix {

// The 24 lines, without line ends. Line 2 is the banner: "HOSTLIX v1.03",
// blanks up to column 44, then the credit from column 45.
std::vector<std::string> UsageLines();

// Prints the usage lines, one WriteLine each. The caller ends with status 9.
void ShowUsage();

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_USAGE_H_
