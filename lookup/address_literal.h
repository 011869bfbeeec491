// Address-literal road: validate a dotted quad, pack it, ask the resolver for
// the host's name and print it or an error line.

#ifndef HOSTLIX_LOOKUP_ADDRESS_LITERAL_H_
#define HOSTLIX_LOOKUP_ADDRESS_LITERAL_H_

#include <array>
#include <string_view>

#include "lookup/exit_code.h"
#include "services/number_text.h"
#include "services/resolver.h"

namespace hostlix {

// Prints the host name for the dotted quad `s` (0), "ERROR: Could not
// resolve IP Address to hostname." (1), or, unless `s` has exactly four
// "."-separated fields each below 256, "ERROR: Invalid IP Address. Please
// check format." (9). Fields are read by TextToNumber: empty is 0, "010" is
// 10, "&377" is 255, "+7" is 7; there is no lower bound.
ExitCode RunAddressLiteral(std::string_view s);

// Packs the values of the four fields into an address: value k, rounded to
// an integer, gives its low eight bits to byte k in memory order (the value
// -1 of "&177777" packs as 255).
[[nodiscard]] IPv4Address PackDottedQuad(const std::array<Number, 4>& values);

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_ADDRESS_LITERAL_H_
