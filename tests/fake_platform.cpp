#include "tests/fake_platform.h"

#include <cstring>

#include "services/console.h"

namespace hostlix {
namespace fake {

Platform& Get() {
  static Platform platform;
  return platform;
}

void Reset() { Get() = Platform(); }

IPv4Address Address(unsigned char b0, unsigned char b1, unsigned char b2, unsigned char b3) {
  const unsigned char bytes[4] = {b0, b1, b2, b3};
  IPv4Address address;
  std::memcpy(&address, bytes, sizeof address);
  return address;
}

}  // namespace fake

void StartConsole() {}

void WriteLine(std::string_view text) { fake::Get().lines.emplace_back(text); }

IPv4Address HostAddressOf(std::string_view name, int32_t position) {
  fake::Platform& p = fake::Get();
  p.names_asked.emplace_back(name);
  const auto found = p.hosts.find(std::string(name));
  if (found == p.hosts.end() || position < 1 ||
      static_cast<size_t>(position) > found->second.size()) {
    return 0;
  }
  return found->second[static_cast<size_t>(position) - 1];
}

std::string HostNameOf(IPv4Address address) {
  fake::Platform& p = fake::Get();
  p.addresses_asked.push_back(address);
  if (address == 0) return p.own_name;
  const auto found = p.names.find(address);
  return found == p.names.end() ? std::string() : found->second;
}

}  // namespace hostlix
