#include "services/host_entry.h"

#include <gtest/gtest.h>

namespace hostlix {
namespace {

// The shape of a resolver's host entry, with addresses of our own.
struct Entry {
  int h_addrtype;
  int h_length;
  char** h_addr_list;
};

constexpr int kIPv4 = 2;

TEST(AddressAt, WalksTheListInItsOrder) {
  char first[4] = {10, 9, 9, 9};
  char second[4] = {10, 0, 0, 1};
  char* list[] = {first, second, nullptr};
  const Entry entry{kIPv4, 4, list};
  const unsigned char want_first[4] = {10, 9, 9, 9};
  const unsigned char want_second[4] = {10, 0, 0, 1};
  IPv4Address a, b;
  std::memcpy(&a, want_first, 4);
  std::memcpy(&b, want_second, 4);
  EXPECT_EQ(AddressAt(entry, kIPv4, 1), a);
  EXPECT_EQ(AddressAt(entry, kIPv4, 2), b);
  EXPECT_EQ(AddressAt(entry, kIPv4, 3), 0u);  // past the end
  EXPECT_EQ(AddressAt(entry, kIPv4, 0), 0u);  // below 1
  EXPECT_EQ(AddressAt(entry, kIPv4, -5), 0u);
  EXPECT_EQ(AddressAt(entry, kIPv4, 2147483647), 0u);
  EXPECT_EQ(AddressAt(Entry{10, 16, list}, kIPv4, 1), 0u);       // not IPv4
  EXPECT_EQ(AddressAt(Entry{kIPv4, 4, nullptr}, kIPv4, 1), 0u);  // no list
  char* empty[] = {nullptr};
  EXPECT_EQ(AddressAt(Entry{kIPv4, 4, empty}, kIPv4, 1), 0u);
}

}  // namespace
}  // namespace hostlix
