// A deterministic console and resolver for the fuzz targets, linked in place
// of the platform layer: lines are recorded, and lookups are answered from a
// hash of the question, so every road (found, not found, address 0) is taken
// without a network or a hosts file.
#include "fuzz/fuzz_platform.h"

#include <cstring>

#include "services/console.h"
#include "services/resolver.h"

namespace hostlix {
namespace fuzz {

std::vector<std::string>& Lines() {
  static std::vector<std::string> lines;
  return lines;
}

uint32_t Hash(std::string_view text) {
  uint32_t h = 2166136261u;
  for (unsigned char c : text) h = (h ^ c) * 16777619u;
  return h;
}

}  // namespace fuzz

void StartConsole() {}

void WriteLine(std::string_view text) { fuzz::Lines().emplace_back(text); }

IPv4Address HostAddressOf(std::string_view name, int32_t position) {
  const uint32_t h = fuzz::Hash(name);
  if (position != 1 || h % 4 == 0) return 0;  // unknown
  if (h % 4 == 1) return h & 0xFF000000u;     // low bytes zero: "0.0.0.x"
  return h;
}

std::string HostNameOf(IPv4Address address) {
  if (address == 0) return fuzz::kOwnName;
  if (address % 3 == 0) return std::string();  // no reverse entry
  static const char kHex[] = "0123456789abcdef";
  std::string name = "host-";
  for (int shift = 28; shift >= 0; shift -= 4) name.push_back(kHex[(address >> shift) & 15]);
  return name + ".fuzz";
}

}  // namespace hostlix
