#include "lookup/host_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fake_platform.h"

namespace hostlix {
namespace {

using fake::Address;

// The first address the resolver lists, in dotted decimal, and the
// not-found line when there is none or it is 0.0.0.0.
TEST(RunHostName, FirstAddress) {
  const std::string no_address = "ERROR: Could not resolve hostname to IP Address.";
  struct Case {
    std::vector<IPv4Address> addresses;
    ExitCode status;
    std::string line;
  };
  const Case cases[] = {
      {{Address(10, 9, 9, 9), Address(10, 0, 0, 1)}, kExitFound, "10.9.9.9"},
      {{Address(10, 0, 0, 5)}, kExitFound, "10.0.0.5"},  // zeros as single digits
      {{Address(255, 255, 255, 255)}, kExitFound, "255.255.255.255"},
      {{Address(1, 0, 0, 0)}, kExitFound, "1.0.0.0"},
      {{Address(0, 0, 0, 1)}, kExitFound, "0.0.0.1"},
      {{Address(0, 0, 0, 0), Address(10, 0, 0, 2)}, kExitNotFound, no_address},
      {{}, kExitNotFound, no_address},
  };
  for (const Case& c : cases) {
    fake::Reset();
    if (!c.addresses.empty()) fake::Get().hosts["Some.Host"] = c.addresses;
    EXPECT_EQ(RunHostName("Some.Host"), c.status) << c.line;
    EXPECT_EQ(fake::Get().lines, std::vector<std::string>{c.line});
    EXPECT_EQ(fake::Get().names_asked, std::vector<std::string>{"Some.Host"});  // as given
  }
}

}  // namespace
}  // namespace hostlix
