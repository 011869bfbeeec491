// Resolver bridge on Windows: Windows Sockets from WSOCK32.DLL, started and
// released around every query, answers copied out before the release.
#include <winsock2.h>

#include <cstring>

#include "services/resolver.h"

namespace hostlix {
namespace {

constexpr WORD kVersion20 = 0x0002;  // major 2 in the low byte, minor 0

// Starts the socket library; true when it granted major version 2.
bool StartSockets() {
  WSADATA data;
  if (WSAStartup(kVersion20, &data) != 0) return false;
  if (LOBYTE(data.wVersion) != 2) {
    WSACleanup();
    return false;
  }
  return true;
}

}  // namespace

IPv4Address HostAddressOf(std::string_view name, int32_t position) {
  if (name.find('\0') != std::string_view::npos) return 0;
  if (!StartSockets()) return 0;
  const std::string c_name(name);
  IPv4Address address = 0;
  const hostent* entry = gethostbyname(c_name.c_str());
  if (entry != nullptr && entry->h_addr_list != nullptr && entry->h_addrtype == AF_INET &&
      entry->h_length == 4 && position >= 1) {
    for (int32_t count = 1; entry->h_addr_list[count - 1] != nullptr; ++count) {
      if (count == position) {
        std::memcpy(&address, entry->h_addr_list[count - 1], sizeof address);
        break;
      }
    }
  }
  WSACleanup();
  return address;
}

std::string HostNameOf(IPv4Address address) {
  if (!StartSockets()) return std::string();
  std::string name;
  if (address == 0) {
    char buffer[256];
    if (gethostname(buffer, sizeof buffer) == 0) name.assign(buffer, strnlen(buffer, sizeof buffer));
  } else {
    const hostent* entry =
        gethostbyaddr(reinterpret_cast<const char*>(&address), sizeof address, AF_INET);
    if (entry != nullptr && entry->h_name != nullptr) name = entry->h_name;
  }
  WSACleanup();
  return name;
}

}  // namespace hostlix
