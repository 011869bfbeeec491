#include "lookup/classify.h"

#include <gtest/gtest.h>

namespace hostlix {
namespace {

TEST(ClassifyArgument, Table) {
  struct Case {
    std::string tail;
    Road road;
    std::string text;
  };
  const Road U = Road::kUsage, A = Road::kAddressLiteral, H = Road::kHostName;
  const Case cases[] = {
      {"", U, ""},
      {"   ", U, ""},
      {"\"\"..\\\\ .", U, ""},
      {"\\\\192.168.0.101\\ipc$", A, "192.168.0.101"},
      {"\\\\server1\\share1\\rest_of_UNCPath\\file1.exe", H, "server1"},
      {"http://www.example.com/index.html", H, "www.example.com"},
      {"ftp://host/x", H, "host"},
      {"http://192.168.0.1/", A, "192.168.0.1"},
      {"http://", U, ""},
      {"http://.host", U, ""},
      {"a://b://c", H, "b:"},  // only the first "://" counts
      {"\"host.\"", H, "host"},
      {"host...\\\\", H, "host"},
      {".host", H, "host"},
      {"/?", U, ""},
      {"/help", U, ""},
      {"-h", U, ""},
      {"?", U, ""},
      {"a b", U, ""},
      {"a,b", U, ""},
      {"a\tb", U, ""},
      {"\thost", U, ""},  // a TAB is no end-strip character
      {"1a.2.3.4", H, "1a.2.3.4"},
      {"123", A, "123"},
      {"host:80", H, "host:80"},
      {"localhost", H, "localhost"},
      {"LocalHost", H, "LocalHost"},
      {"my-host", H, "my-host"},
      {"9_9", H, "9_9"},
      {"10-20", H, "10-20"},  // digits with a hyphen: a name, not a quad
      {"0-day", H, "0-day"},
      {"localhost  ", H, "localhost"},
      {"\"localhost \"", H, "localhost"},
      {"\\\\1.2.3.\\share", A, "1.2.3."},
      {"1.2.3.&377", A, "1.2.3.&377"},
      {"1.2.3.+7", A, "1.2.3.+7"},
      {"http://host.\"/x", H, "host.\""},  // no second strip after the cut
      {"\xe4host", U, ""},                 // not an ASCII letter or digit
      {"h\xe4st", H, "h\xe4st"},
      {"\"\\\\srv\\c$\" extra", H, "srv"},  // the cut drops the second word
      {"\"\\\\srv\\c$\"", H, "srv"},
  };
  for (const Case& c : cases) {
    const Argument argument = ClassifyArgument(c.tail);
    EXPECT_EQ(argument.road, c.road) << "tail: " << c.tail;
    EXPECT_EQ(argument.text, c.text) << "tail: " << c.tail;
  }
}

}  // namespace
}  // namespace hostlix
