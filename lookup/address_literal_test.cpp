#include "lookup/address_literal.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fake_platform.h"

namespace hostlix {
namespace {

using fake::Address;

TEST(PackDottedQuad, Table) {
  struct Case {
    std::string text;
    IPv4Address expected;
  };
  const Case cases[] = {
      {"192.168.0.1", Address(192, 168, 0, 1)},
      {"1..2.3", Address(1, 0, 2, 3)},
      {"1.2.3.", Address(1, 2, 3, 0)},
      {"010.001.000.001", Address(10, 1, 0, 1)},
      {"1.2.3.&177777", Address(1, 2, 3, 255)},
      {"1.2.3.&H8000000000000000", Address(1, 2, 3, 0)},
      {"-1.-2.+3.$4", Address(255, 254, 3, 0)},
      {"0.0.0.0", 0},
      {"255.255.255.255", Address(255, 255, 255, 255)},
  };
  for (const Case& c : cases) EXPECT_EQ(PackDottedQuad(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace hostlix
