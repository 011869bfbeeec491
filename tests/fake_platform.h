// Stand-ins for the console and the resolver, linked into the unit tests and
// the fuzz targets in place of the platform layer: lines are recorded,
// lookups answered from a table, and every query and its answer remembered.
// With `answer_from_hash` set, as the fuzz targets set it, a question the
// table lacks is answered from a hash of the question, so that every road
// (found, not found, address 0) is taken without a network or a hosts file.

#ifndef HOSTLIX_TESTS_FAKE_PLATFORM_H_
#define HOSTLIX_TESTS_FAKE_PLATFORM_H_

#include <map>
#include <string>
#include <vector>

#include "services/resolver.h"

namespace hostlix::fake {

struct Platform {
  std::vector<std::string> lines;                         // every WriteLine
  std::map<std::string, std::vector<IPv4Address>> hosts;  // forward answers
  std::map<IPv4Address, std::string> names;               // reverse answers
  std::string own_name = "fake-box";                      // for address 0
  std::vector<std::string> names_asked;                   // HostAddressOf calls
  std::vector<IPv4Address> addresses_given;               // and their answers
  std::vector<IPv4Address> addresses_asked;               // HostNameOf calls
  std::vector<std::string> names_given;                   // and their answers
  bool answer_from_hash = false;
};

// The one fake platform of the test program; Reset() empties it.
Platform& Get();
void Reset();

// An address from its four bytes in memory order.
IPv4Address Address(unsigned char b0, unsigned char b1, unsigned char b2, unsigned char b3);

}  // namespace hostlix::fake

#endif  // HOSTLIX_TESTS_FAKE_PLATFORM_H_
