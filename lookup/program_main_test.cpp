#include "lookup/program_main.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/classify.h"
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
    fake::Platform& p = fake::Get();
    p.hosts["server1"] = {Address(10, 1, 2, 3)};
    p.hosts["multi"] = {Address(10, 9, 9, 9), Address(10, 0, 0, 1)};
    p.hosts["zero"] = {Address(0, 0, 0, 0), Address(10, 0, 0, 2)};
    p.hosts["gap"] = {Address(10, 0, 0, 5)};
    p.hosts["www.example.com"] = {Address(93, 184, 216, 34)};
    p.names[Address(192, 168, 0, 101)] = "FileServer.Example";
    p.names[Address(1, 0, 2, 3)] = "one-zero-two-three";
    p.names[Address(1, 2, 3, 0)] = "one-two-three-zero";
    p.names[Address(10, 1, 0, 1)] = "ten-one-zero-one";
    p.names[Address(1, 2, 3, 255)] = "one-two-three-255";
    p.names[Address(1, 2, 3, 7)] = "one-two-three-seven";
    p.names[Address(255, 255, 255, 255)] = "broadcast";
  }

  ExitCode Run(const std::string& tail) {
    line_ = "hostlix " + tail;  // SetCommandLine keeps a view of it
    SetCommandLine(line_);
    return ProgramMain();
  }

  std::string line_;
};

TEST_F(ProgramMainTest, Roads) {
  struct Case {
    std::string tail;
    ExitCode status;
    std::string line;
  };
  const std::string invalid = "ERROR: Invalid IP Address. Please check format.";
  const std::string no_name = "ERROR: Could not resolve IP Address to hostname.";
  const std::string no_address = "ERROR: Could not resolve hostname to IP Address.";
  const Case cases[] = {
      {"\\\\server1\\share1\\rest_of_UNCPath\\file1.exe", kExitFound, "10.1.2.3"},
      {"http://www.example.com/index.html", kExitFound, "93.184.216.34"},
      {"multi", kExitFound, "10.9.9.9"},
      {"gap", kExitFound, "10.0.0.5"},
      {"zero", kExitNotFound, no_address},  // first address 0.0.0.0
      {"nowhere", kExitNotFound, no_address},
      {"\\\\192.168.0.101\\ipc$", kExitFound, "FileServer.Example"},
      {"192.168.0.102", kExitNotFound, no_name},
      {"1..2.3", kExitFound, "one-zero-two-three"},
      {"\\\\1.2.3.\\share", kExitFound, "one-two-three-zero"},
      {"010.001.000.001", kExitFound, "ten-one-zero-one"},
      {"1.2.3.&377", kExitFound, "one-two-three-255"},
      {"1.2.3.&177777", kExitFound, "one-two-three-255"},
      {"1.2.3.+7", kExitFound, "one-two-three-seven"},
      {"1.2.3.$7", kExitFound, "one-two-three-zero"},
      {"255.255.255.255", kExitFound, "broadcast"},
      {"0.0.0.0", kExitFound, "fake-box"},
      {"1.2.3.&400", kExitOtherError, invalid},
      {"256.1.1.1", kExitOtherError, invalid},
      {"1.2.3.999", kExitOtherError, invalid},
      {"1.2.3", kExitOtherError, invalid},
      {"1.2.3.4.5", kExitOtherError, invalid},
      {"123", kExitOtherError, invalid},
  };
  for (const Case& c : cases) {
    SetUp();
    EXPECT_EQ(Run(c.tail), c.status) << c.tail;
    EXPECT_EQ(fake::Get().lines, std::vector<std::string>{c.line}) << c.tail;
  }
}

TEST_F(ProgramMainTest, AddressLiteralAsksForTheAddressInMemoryOrder) {
  Run("192.168.0.1");
  ASSERT_EQ(fake::Get().addresses_asked.size(), 1u);
  EXPECT_EQ(fake::Get().addresses_asked[0], Address(192, 168, 0, 1));
  EXPECT_TRUE(fake::Get().names_asked.empty());
}

TEST_F(ProgramMainTest, MalformedQuadsNeverReachTheResolver) {
  for (const char* tail : {"1.2.3", "256.0.0.1", "1.2.3.4.5",
                           "1.2.3.1"
                           "0000000000000000000000"}) {
    SetUp();
    EXPECT_EQ(Run(tail), kExitOtherError) << tail;
    EXPECT_TRUE(fake::Get().addresses_asked.empty()) << tail;
  }
}

TEST_F(ProgramMainTest, HostNameGoesToTheResolverAsCut) {
  Run("\"http://Mixed.Case:8080/x/y\"");
  EXPECT_EQ(fake::Get().names_asked, std::vector<std::string>{"Mixed.Case:8080"});
}

TEST_F(ProgramMainTest, EveryUsageRoadPrintsTheSameScreen) {
  const auto usage = UsageLines();
  const std::vector<std::string> screen(usage.begin(), usage.end());
  ASSERT_EQ(screen.size(), 24u);
  for (const char* tail : {"", "   ", "/?", "/help", "-h", "?", "a b", "a,b", "a\tb", "http://",
                           "http://.host", "\"\"", "...", "\\\\\\"}) {
    SetUp();
    EXPECT_EQ(Run(tail), kExitOtherError) << tail;
    EXPECT_EQ(fake::Get().lines, screen) << tail;
    EXPECT_TRUE(fake::Get().names_asked.empty() && fake::Get().addresses_asked.empty());
  }
}

}  // namespace
}  // namespace hostlix
