#include "services/command_tail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hostlix {
namespace {

TEST(SkipProgramName, Table) {
  struct Case {
    std::string line;
    std::string tail;
  };
  const Case cases[] = {
      {"", ""},
      {"hostlix", ""},
      {"hostlix   ", ""},
      {"hostlix   host1  ", "host1  "},
      {"\"C:\\Program Files\\hostlix.exe\" host1", "host1"},
      {"\"C:\\Program Files\\hostlix.exe\"host1", "host1"},
      {"\"C:\\p.exe\"   \"a b\"", "\"a b\""},
      {"hostlix\thost1", "\thost1"},
      {"\"hostlix\"\thost1", "\thost1"},
      {"hostlix \t x", "\t x"},
      {"hostlix host1 host2", "host1 host2"},
      {"   hostlix host1", "hostlix host1"},
      {"\"never closed host1", ""},
      {"\"\"", ""},
      {"\"\" x", "x"},
      {"ho\"st x", "x"},          // a later quote is a name byte
      {"h\xe4st\xff x", "x"},     // bytes 128..255 are name bytes
      {"hostlix\x01x", "\x01x"},  // control byte starts the tail
      {std::string("hostlix\0x", 9), std::string("\0x", 2)},
      {"p \\\\server\\share ", "\\\\server\\share "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SkipProgramName(c.line), c.tail) << "line: " << c.line;
  }
}

TEST(FormCommandLine, TailIsTheArgumentsJoinedByBlanks) {
  struct Case {
    std::vector<const char*> argv;
    std::string line;
    std::string tail;
  };
  const Case cases[] = {
      {{"hostlix"}, "\"hostlix\"", ""},
      {{"/opt/my tools/hostlix", "host1"}, "\"/opt/my tools/hostlix\" host1", "host1"},
      {{"/x\"y/hostlix", "h"}, "\"/xy/hostlix\" h", "h"},  // a quote in the path
      {{"/x\"\"y/hostlix"}, "\"/xy/hostlix\"", ""},        // quotes, nothing after them
      {{"/x\"\"\"y/host\"lix", "h"}, "\"/xy/hostlix\" h", "h"},
      {{"hostlix", "a b", "c"}, "\"hostlix\" a b c", "a b c"},
      {{"hostlix", "\"host.\""}, "\"hostlix\" \"host.\"", "\"host.\""},
      {{"hostlix", "  x  "}, "\"hostlix\"   x  ", "x  "},
      {{"hostlix", "", "x"}, "\"hostlix\"  x", "x"},
      {{"hostlix", "\tx"}, "\"hostlix\" \tx", "\tx"},
      {{"hostlix", "a", nullptr, "b"}, "\"hostlix\" a", "a"},  // argc past a null
      {{nullptr}, "\"\"", ""},
      {{}, "\"\"", ""},
  };
  for (const Case& c : cases) {
    const int argc = static_cast<int>(c.argv.size());
    // Too little room, by one byte or by all: the length needed.
    std::string line(c.line.size() - 1, '?');
    EXPECT_EQ(FormCommandLine(argc, c.argv.data(), line), c.line.size());
    EXPECT_EQ(FormCommandLine(argc, c.argv.data(), {}), c.line.size());
    // Exactly the room needed, and more.
    line.assign(c.line.size(), '?');
    ASSERT_EQ(FormCommandLine(argc, c.argv.data(), line), c.line.size());
    EXPECT_EQ(line, c.line);
    line.assign(c.line.size() + 3, '?');
    ASSERT_EQ(FormCommandLine(argc, c.argv.data(), line), c.line.size());
    EXPECT_EQ(line.substr(0, c.line.size()), c.line);
    EXPECT_EQ(line.substr(c.line.size() + 1), "??");  // at most a NUL after the line
    line.resize(c.line.size());
    SetCommandLine(line);
    EXPECT_EQ(CommandTail(), c.tail) << line;
    // A view into the line the caller keeps, not a copy.
    EXPECT_EQ(CommandTail().data(), line.data() + line.size() - c.tail.size()) << line;
  }
}

}  // namespace
}  // namespace hostlix
