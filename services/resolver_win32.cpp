// Resolver bridge on Windows: Windows Sockets from WSOCK32.DLL, started and
// released around every query, answers copied out before the release.
#include <winsock2.h>

#include <cstring>

#include "services/host_entry.h"
#include "services/resolver.h"

namespace hostlix {
namespace {

constexpr WORD kVersion20 = 0x0002;  // major 2 in the low byte, minor 0

// Starts the socket library; true when it granted major version 2. Every
// call, successful or not, is followed by exactly one WSACleanup.
bool StartSockets() {
  WSADATA data;
  return WSAStartup(kVersion20, &data) == 0 && LOBYTE(data.wVersion) == 2;
}

}  // namespace

IPv4Address HostAddressOf(std::string_view name, int32_t position) {
  if (name.find('\0') != std::string_view::npos) return 0;
  const std::string c_name(name);
  IPv4Address address = 0;
  const hostent* entry = StartSockets() ? gethostbyname(c_name.c_str()) : nullptr;
  if (entry != nullptr) address = AddressAt(*entry, AF_INET, position);
  WSACleanup();
  return address;
}

std::string HostNameOf(IPv4Address address) {
  std::string name;
  if (!StartSockets()) {
    // Nothing to ask.
  } else if (address == 0) {
    char buffer[256];
    if (gethostname(buffer, sizeof buffer) == 0)
      name.assign(buffer, strnlen(buffer, sizeof buffer));
  } else {
    const hostent* entry =
        gethostbyaddr(reinterpret_cast<const char*>(&address), sizeof address, AF_INET);
    if (entry != nullptr && entry->h_name != nullptr) name = entry->h_name;
  }
  WSACleanup();
  return name;
}

}  // namespace hostlix
