#include "tests/fake_platform.h"

#include <cstdint>
#include <cstring>
#include <string_view>

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

namespace {

uint32_t Hash(std::string_view text) {
  uint32_t h = 2166136261u;
  for (unsigned char c : text) h = (h ^ c) * 16777619u;
  return h;
}

// Names like "host-0a1b2c3d.fuzz"; a third of the addresses have none.
std::string NameFromHash(IPv4Address address) {
  if (address % 3 == 0) return std::string();
  static const char kHex[] = "0123456789abcdef";
  std::string name = "host-";
  for (int shift = 28; shift >= 0; shift -= 4) name.push_back(kHex[(address >> shift) & 15]);
  return name + ".fuzz";
}

// A quarter of the names unknown, a quarter "0.0.0.x", only a first address.
IPv4Address AddressFromHash(std::string_view name, int32_t position) {
  const uint32_t h = Hash(name);
  if (position != 1 || h % 4 == 0) return 0;
  return h % 4 == 1 ? h & 0xFF000000u : h;
}

}  // namespace
}  // namespace fake

void StartConsole() {}

void WriteLine(std::string_view text) { fake::Get().lines.emplace_back(text); }

IPv4Address HostAddressOf(std::string_view name, int32_t position) {
  fake::Platform& p = fake::Get();
  p.names_asked.emplace_back(name);
  const auto found = p.hosts.find(std::string(name));
  IPv4Address address = 0;
  if (found == p.hosts.end()) {
    if (p.answer_from_hash) address = fake::AddressFromHash(name, position);
  } else if (position >= 1 && static_cast<size_t>(position) <= found->second.size()) {
    address = found->second[static_cast<size_t>(position) - 1];
  }
  p.addresses_given.push_back(address);
  return address;
}

std::string HostNameOf(IPv4Address address) {
  fake::Platform& p = fake::Get();
  p.addresses_asked.push_back(address);
  const auto found = p.names.find(address);
  std::string name;
  if (address == 0) {
    name = p.own_name;
  } else if (found != p.names.end()) {
    name = found->second;
  } else if (p.answer_from_hash) {
    name = fake::NameFromHash(address);
  }
  p.names_given.push_back(name);
  return name;
}

}  // namespace hostlix
