// Address-literal road: validate a dotted quad, pack it, ask the resolver for
// the host's name and print it or an error line.

#ifndef HOSTLIX_LOOKUP_ADDRESS_LITERAL_H_
#define HOSTLIX_LOOKUP_ADDRESS_LITERAL_H_

#include <string_view>

#include "lookup/exit_code.h"
#include "services/resolver.h"

namespace hostlix {

// Prints the host name for the dotted quad `s` (0), "ERROR: Could not
// resolve IP Address to hostname." (1), or, unless `s` has exactly four
// "."-separated fields each below 256, "ERROR: Invalid IP Address. Please
// check format." (9). Fields are read by TextToNumber: empty is 0, "010" is
// 10, "&377" is 255, "+7" is 7; there is no lower bound.
ExitCode RunAddressLiteral(std::string_view s);

// Packs the "."-separated fields of `text` into an address: field k goes,
// rounded to an integer, as its low eight bits into byte k - 1 in memory
// order ("1.2.3.&177777" packs as 1.2.3.255). Fields past the fourth are
// ignored.
[[nodiscard]] IPv4Address PackDottedQuad(std::string_view text);

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_ADDRESS_LITERAL_H_
