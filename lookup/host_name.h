// Host-name road: ask the resolver for the host's first IPv4 address and
// print it in dotted decimal, or an error line.

#ifndef HOSTLIX_LOOKUP_HOST_NAME_H_
#define HOSTLIX_LOOKUP_HOST_NAME_H_

#include <string_view>

#include "lookup/exit_code.h"

namespace hostlix {

// Prints the first address the resolver lists for `s`, such as "10.0.0.5"
// (0), or "ERROR: Could not resolve hostname to IP Address." (1) when there
// is none or it is 0.0.0.0.
ExitCode RunHostName(std::string_view s);

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_HOST_NAME_H_
