#include "lookup/address_literal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fake_platform.h"

namespace hostlix {
namespace {

using fake::Address;

// Field syntax: which of the texts the classifier sends here pass the field
// test, and the address each asks the resolver about, in memory order.
TEST(RunAddressLiteral, Fields) {
  const std::string found = "found";
  const std::string invalid = "ERROR: Invalid IP Address. Please check format.";
  const std::string no_name = "ERROR: Could not resolve IP Address to hostname.";
  const IPv4Address unnamed = Address(192, 168, 0, 2);
  struct Case {
    std::string text;
    ExitCode status;
    std::vector<IPv4Address> asked;  // empty: the resolver is never asked
    std::string line;
  };
  const Case cases[] = {
      {"192.168.0.1", kExitFound, {Address(192, 168, 0, 1)}, found},
      {"1..2.3", kExitFound, {Address(1, 0, 2, 3)}, found},  // an empty field is 0
      {"1.2.3.", kExitFound, {Address(1, 2, 3, 0)}, found},
      {"010.001.000.001", kExitFound, {Address(10, 1, 0, 1)}, found},  // decimal
      {"1.2.3.&377", kExitFound, {Address(1, 2, 3, 255)}, found},
      {"1.2.3.&177777", kExitFound, {Address(1, 2, 3, 255)}, found},  // -1: no lower bound
      // 2^63 + 1 read as signed, -2^63 + 1: exact in 80 bits (a double rounds
      // it to -2^63, which would pack 0).
      {"1.2.3.&1000000000000000000001", kExitFound, {Address(1, 2, 3, 1)}, found},
      {"1.2.3.+7", kExitFound, {Address(1, 2, 3, 7)}, found},
      {"1.2.3.$7", kExitFound, {Address(1, 2, 3, 0)}, found},  // no number: 0
      {"1.2.3." + std::string(40, '0'), kExitFound, {Address(1, 2, 3, 0)}, found},
      {"255.255.255.255", kExitFound, {Address(255, 255, 255, 255)}, found},
      {"0.0.0.0", kExitFound, {0}, "fake-box"},  // the box's own name
      {"192.168.0.2", kExitNotFound, {unnamed}, no_name},
      {"1.2.3.&400", kExitOtherError, {}, invalid},
      {"256.1.1.1", kExitOtherError, {}, invalid},
      {"1.2.3.999", kExitOtherError, {}, invalid},
      {"1.2.3.1" + std::string(22, '0'), kExitOtherError, {}, invalid},
      {"1.2.3", kExitOtherError, {}, invalid},
      {"1.2.3.4.5", kExitOtherError, {}, invalid},
      {"123", kExitOtherError, {}, invalid},
  };
  for (const Case& c : cases) {
    fake::Reset();
    for (const IPv4Address address : c.asked) {
      if (address != unnamed) fake::Get().names[address] = found;
    }
    EXPECT_EQ(RunAddressLiteral(c.text), c.status) << c.text;
    EXPECT_EQ(fake::Get().addresses_asked, c.asked) << c.text;
    EXPECT_EQ(fake::Get().lines, std::vector<std::string>{c.line}) << c.text;
  }
}

}  // namespace
}  // namespace hostlix
