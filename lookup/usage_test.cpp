#include "lookup/usage.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lookup/classify.h"
#include "lookup/version.h"

namespace hostlix {
namespace {

TEST(UsageLines, Layout) {
  const auto lines = UsageLines();
  ASSERT_EQ(lines.size(), 24u);
  for (size_t i : {0u, 2u, 4u, 6u, 8u, 11u, 14u, 18u, 22u}) EXPECT_EQ(lines[i], "") << i;
  const std::string banner = "HOSTLIX v" + std::string(kVersion);
  EXPECT_EQ(lines[1].substr(0, 44), banner + std::string(44 - banner.size(), ' '));
  EXPECT_EQ(lines[1].substr(44, 12), "Created by: ");
  EXPECT_GT(lines[1].size(), 56u);
  EXPECT_TRUE(lines[23].ends_with(" " + std::string(kContact)));
}

// Each example of the screen is an accepted form of the argument: the host
// part cut out of it, on the road for a dotted quad or for a host name.
TEST(UsageLines, ExamplesTakeTheirRoad) {
  struct Example {
    size_t line;
    Road road;
    std::string host;
  };
  const Example examples[] = {
      {15, Road::kAddressLiteral, "192.168.0.101"},
      {16, Road::kHostName, "server1"},
      {17, Road::kHostName, "www.example.com"},
  };
  const auto lines = UsageLines();
  const std::string_view command = "HOSTLIX ";
  for (const Example& e : examples) {
    const std::string_view line = lines[e.line];
    ASSERT_TRUE(line.starts_with(command)) << e.line << ": " << line;
    const Argument argument = ClassifyArgument(line.substr(command.size()));
    EXPECT_EQ(argument.road, e.road) << line;
    EXPECT_EQ(argument.text, e.host) << line;
  }
}

}  // namespace
}  // namespace hostlix
