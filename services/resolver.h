// Host resolver bridge: the command's two lookups through the platform's
// IPv4 resolver (hosts file, name servers, whatever the platform consults).
//
// Each call is self-contained: start the socket library where the platform
// needs it, make one query, copy the answer out, release the library. No
// cache, no time-out of our own: a query blocks until the resolver answers.
// Failure is a sentinel, never an error or output: the address 0, the empty
// text.

#ifndef HOSTLIX_SERVICES_RESOLVER_H_
#define HOSTLIX_SERVICES_RESOLVER_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace hostlix {

// An IPv4 address as the resolver stores it: the four bytes in memory order
// are the dotted-quad fields in written order (network byte order). Never
// byte-swapped anywhere in the command.
using IPv4Address = uint32_t;

// The address at 1-based `position` in the resolver's list for `name`, in the
// resolver's own order (not sorted). The name goes to the resolver unchanged.
// 0 when the name is unknown, the list is shorter than `position`, position
// is below 1, or the name holds a NUL byte (which would make the resolver see
// a different name).
[[nodiscard]] IPv4Address HostAddressOf(std::string_view name, int32_t position);

// The official name the resolver gives for `address`, copied whole with no
// case change; for the address 0, this machine's own host name, without any
// reverse query. The empty text when there is none.
[[nodiscard]] std::string HostNameOf(IPv4Address address);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_RESOLVER_H_
