#include "services/host_entry.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>

namespace hostlix {
namespace {

// The shape of a resolver's host entry, with addresses of our own.
struct Entry {
  int h_addrtype;
  int h_length;
  char** h_addr_list;
};

constexpr int kIPv4 = 2;

using Bytes = std::array<unsigned char, 4>;

// The four bytes of an address as they lie in memory.
Bytes BytesOf(IPv4Address address) { return std::bit_cast<Bytes>(address); }

TEST(AddressAt, WalksTheListInItsOrder) {
  // Four different bytes each, some above 127, which a char holds as negative.
  char first[4] = {10, 20, 30, static_cast<char>(200)};
  char second[4] = {static_cast<char>(192), 0, 2, 1};
  char* list[] = {first, second, nullptr};
  const Entry entry{kIPv4, 4, list};
  struct Case {
    int32_t position;
    Bytes bytes;
  };
  const Bytes none = {0, 0, 0, 0};
  const Case cases[] = {
      {1, {10, 20, 30, 200}},  // in memory order, no byte swapped or widened
      {2, {192, 0, 2, 1}},     // the list's order
      {3, none},               // past the end
      {0, none},               // below 1
      {-5, none},
      {2147483647, none},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BytesOf(AddressAt(entry, kIPv4, c.position)), c.bytes) << c.position;
  }
  EXPECT_EQ(AddressAt(Entry{10, 16, list}, kIPv4, 1), 0u);       // not IPv4
  EXPECT_EQ(AddressAt(Entry{kIPv4, 16, list}, kIPv4, 1), 0u);    // IPv4, not 4 bytes
  EXPECT_EQ(AddressAt(Entry{kIPv4, 4, nullptr}, kIPv4, 1), 0u);  // no list
  char* empty[] = {nullptr};
  EXPECT_EQ(AddressAt(Entry{kIPv4, 4, empty}, kIPv4, 1), 0u);
}

}  // namespace
}  // namespace hostlix
