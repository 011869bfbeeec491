#include "lookup/program_main.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/usage.h"
#include "services/command_tail.h"
#include "tests/fake_platform.h"

namespace hostlix {
namespace {

using fake::Address;

class ProgramMainTest : public testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    fake::Get().hosts["server1"] = {Address(10, 1, 2, 3)};
    fake::Get().names[Address(192, 168, 0, 101)] = "FileServer.Example";
  }

  ExitCode Run(const std::string& tail) {
    line_ = "hostlix " + tail;  // SetCommandLine keeps a view of it
    SetCommandLine(line_);
    return ProgramMain();
  }

  std::string line_;
};

// One case per road: what the road prints, what it returns, and that it asks
// the resolver once, with the host part the classifier cut out.
TEST_F(ProgramMainTest, EachRoad) {
  EXPECT_EQ(Run("\\\\server1\\share1\\file1.exe"), kExitFound);
  EXPECT_EQ(fake::Get().lines, std::vector<std::string>{"10.1.2.3"});
  EXPECT_EQ(fake::Get().names_asked, std::vector<std::string>{"server1"});
  EXPECT_TRUE(fake::Get().addresses_asked.empty());

  SetUp();
  EXPECT_EQ(Run("\\\\192.168.0.101\\ipc$"), kExitFound);
  EXPECT_EQ(fake::Get().lines, std::vector<std::string>{"FileServer.Example"});
  EXPECT_EQ(fake::Get().addresses_asked, std::vector<IPv4Address>{Address(192, 168, 0, 101)});
  EXPECT_TRUE(fake::Get().names_asked.empty());

  SetUp();
  const auto usage = UsageLines();
  EXPECT_EQ(Run(""), kExitOtherError);
  EXPECT_EQ(fake::Get().lines, std::vector<std::string>(usage.begin(), usage.end()));
}

TEST_F(ProgramMainTest, MalformedInputNeverReachesTheResolver) {
  for (const char* tail : {"", "/?", "a b", "1.2.3", "256.0.0.1", "1.2.3.4.5"}) {
    SetUp();
    EXPECT_EQ(Run(tail), kExitOtherError) << tail;
    EXPECT_TRUE(fake::Get().addresses_asked.empty()) << tail;
    EXPECT_TRUE(fake::Get().names_asked.empty()) << tail;
  }
}

}  // namespace
}  // namespace hostlix
