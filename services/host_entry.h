// Reading a resolver's host entry (the C library's or Windows Sockets'
// `hostent`, which share their layout and field names), for the platform
// resolver bridges.

#ifndef HOSTLIX_SERVICES_HOST_ENTRY_H_
#define HOSTLIX_SERVICES_HOST_ENTRY_H_

#include <cstdint>
#include <cstring>

#include "services/resolver.h"

namespace hostlix {

// The four bytes at 1-based `position` of the entry's address list, or 0
// when the entry is not IPv4, has no list, or lists fewer addresses.
template <typename HostEntry>
[[nodiscard]] IPv4Address AddressAt(const HostEntry& entry, int ipv4_family, int32_t position) {
  if (entry.h_addrtype != ipv4_family || entry.h_length != 4 || entry.h_addr_list == nullptr) {
    return 0;
  }
  for (int32_t count = 1; count <= position && entry.h_addr_list[count - 1] != nullptr; ++count) {
    if (count == position) {
      IPv4Address address;
      std::memcpy(&address, entry.h_addr_list[count - 1], sizeof address);
      return address;
    }
  }
  return 0;
}

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_HOST_ENTRY_H_
