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
  // The three examples are accepted forms of the argument.
  const std::string prefix = "HOSTLIX ";
  for (size_t i : {15u, 16u, 17u}) ASSERT_EQ(lines[i].substr(0, 8), prefix) << i;
  EXPECT_EQ(ClassifyArgument(lines[15].substr(8)).text, "192.168.0.101");
  EXPECT_EQ(ClassifyArgument(lines[15].substr(8)).road, Road::kAddressLiteral);
  EXPECT_EQ(ClassifyArgument(lines[16].substr(8)).text, "server1");
  const std::string_view url = lines[17].substr(8);
  EXPECT_EQ(url.rfind("http://", 0), 0u);
  const Argument host = ClassifyArgument(url);
  EXPECT_EQ(host.road, Road::kHostName);
  EXPECT_EQ(url,
            "http://" + std::string(host.text) + std::string(url.substr(7 + host.text.size())));
  EXPECT_NE(host.text.find("example."), std::string::npos);  // a reserved domain
}

}  // namespace
}  // namespace hostlix
