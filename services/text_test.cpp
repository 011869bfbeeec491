#include "services/text.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace hostlix {
namespace {

const std::string kEndStrip = " \\.\"";

TEST(Trim, Table) {
  struct Case {
    std::string text, set, left, right;
  };
  const Case cases[] = {
      {"\\\\192.168.0.101\\ipc$", kEndStrip, "192.168.0.101\\ipc$", "\\\\192.168.0.101\\ipc$"},
      {"\"host.\"", kEndStrip, "host.\"", "\"host"},
      {"..\\.\\..", kEndStrip, "", ""},
      {"  a b  ", "", "  a b  ", "  a b  "},
      {"", kEndStrip, "", ""},
      {"a.b", ".", "a.b", "a.b"},
      {std::string("\0\0a\0", 4), std::string("\0", 1), std::string("a\0", 2),
       std::string("\0\0a", 3)},
      {"\xff\xfex\xff", "\xff\xfe", "x\xff", "\xff\xfex"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrimAnyLeft(c.text, c.set), c.left) << c.text;
    EXPECT_EQ(TrimAnyRight(c.text, c.set), c.right) << c.text;
  }
  EXPECT_EQ(TrimAnyRight(TrimAnyLeft("\\\\192.168.0.101\\ipc$", kEndStrip), kEndStrip),
            "192.168.0.101\\ipc$");
}

TEST(FindText, Table) {
  struct Case {
    int32_t start;
    std::string text, needle;
    int32_t expected;
  };
  const Case cases[] = {
      {1, "ftp://host/x", "://", 4},
      {1, "a://b://c", "://", 2},
      {3, "a://b://c", "://", 6},
      {1, "", "://", 0},
      {1, "", "", 0},       // empty text before the empty-needle rule
      {1, ":/", "://", 0},  // text shorter than the needle
      {2, "abc", "", 2},
      {4, "abc", "", 0},  // start past the end before the empty needle
      {2147483647, "abc", "c", 0},
      {0, "abc", "a", 1},  // a start below 1 counts as 1
      {-7, "abc", "c", 3},
      {1, "aaaaab", "aab", 4},
      {1, "abcabcabd", "abcabd", 4},
      {1, "AbC", "abc", 0},  // case-sensitive
      {1, std::string("x\0y", 3), std::string("\0y", 2), 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindText(c.start, c.text, c.needle), c.expected)
        << c.start << " '" << c.text << "' '" << c.needle << "'";
  }
}

// The first position from `start` on, within the text, where the needle's
// bytes stand: every position tried in turn.
int32_t NaiveFind(int32_t start, const std::string& text, const std::string& needle) {
  for (size_t at = static_cast<size_t>(start); at <= text.size(); ++at) {
    if (text.compare(at - 1, needle.size(), needle) == 0) return static_cast<int32_t>(at);
  }
  return 0;
}

// The search against the obvious quadratic one, on texts over tiny alphabets
// where periodic needles and near misses are common.
TEST(FindText, AgreesWithNaiveSearch) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 20000; ++round) {
    const int alphabet = 1 + static_cast<int>(rng() % 3);
    auto make = [&](size_t max) {
      std::string s(rng() % (max + 1), 'a');
      for (char& c : s) c = static_cast<char>('a' + rng() % alphabet);
      return s;
    };
    const std::string text = make(40);
    const std::string needle = make(8);
    const int32_t start = 1 + static_cast<int32_t>(rng() % 42);
    ASSERT_EQ(FindText(start, text, needle), NaiveFind(start, text, needle))
        << start << " '" << text << "' '" << needle << "'";
  }
}

TEST(FindText, TheCommandsNeedlesInTheLongestArgument) {
  // The needles the command searches for, found past a megabyte of near
  // misses, in a text longer than any command line.
  const std::string text = std::string(1 << 20, ':') + "//" + std::string(1 << 20, '.');
  EXPECT_EQ(FindText(1, text, "://"), 1 << 20);
  EXPECT_EQ(FieldCount(text, "."), (1 << 20) + 1);
  EXPECT_EQ(FindText(1, std::string(1 << 20, ':'), "://"), 0);
}

TEST(FindAny, Table) {
  struct Case {
    int32_t start;
    std::string text, set;
    int32_t expected;
  };
  const Case cases[] = {
      {1, "server1\\share1", "\\/", 8},
      {1, "a/b\\c", "\\/", 2},
      {1, "a/b\\c", "/\\", 2},
      {3, "a/b\\c", "\\/", 4},
      {1, "host", "\\/", 0},
      {1, "", "\\/", 0},
      {1, "", "", 0},
      {2, "abc", "", 2},
      {4, "abc", "", 0},
      {2147483647, "abc", "abc", 0},
      {-1, "abc", "a", 1},
      {1, "a b", " ,\t", 2},
      {1, "a\tb", " ,\t", 2},
      {1, "\x80\xff", "\xff", 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindAny(c.start, c.text, c.set), c.expected)
        << c.start << " '" << c.text << "' '" << c.set << "'";
  }
}

TEST(MidText, Table) {
  struct Case {
    std::string text;
    int32_t start, length;
    std::string expected;
  };
  const Case cases[] = {
      {"abc", 1, -1, "abc"},
      {"abc", 1, 0, ""},
      {"abc", 2, 2147483647, "bc"},
      {"abc", 2, -5, "bc"},
      {"abc", 3, 5, "c"},
      {"abc", 4, 1, ""},
      {"", 1, -1, ""},
      {"", 1, 5, ""},
      {"abc", 2147483647, 2147483647, ""},
      {"abc", 2147483647, -1, ""},
      {"abc", 1, INT32_MIN, "abc"},
      {"abc", 0, 2, "ab"},
      {"abc", -100, 1, "a"},
      {std::string("a\0c", 3), 2, 1, std::string("\0", 1)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MidText(c.text, c.start, c.length), c.expected)
        << "'" << c.text << "' " << c.start << " " << c.length;
  }
}

TEST(UpperText, MapsAsciiAndCodePage437Letters) {
  EXPECT_EQ(UpperText("a-b_c9"), "A-B_C9");
  EXPECT_EQ(UpperText(""), "");
  EXPECT_EQ(UpperText("`az{@AZ["), "`AZ{@AZ[");
  EXPECT_EQ(UpperText("abcdefghijklmnopqrstuvwxyz"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  // The seven code page 437 letters with capitals, among their neighbours.
  EXPECT_EQ(UpperText("\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                      "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F"
                      "\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7"),
            "\x80\x9A\x90\x83\x8E\x85\x8F\x80\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
            "\x90\x91\x92\x93\x99\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F"
            "\xA0\xA1\xA2\xA3\xA5\xA5\xA6\xA7");
  // Every other byte stays: controls, ASCII but a-z, the rest of the upper half.
  std::string others;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte < 'a' || (byte > 'z' && byte < 0x80) || byte >= 0xA8)
      others.push_back(static_cast<char>(byte));
  }
  EXPECT_EQ(UpperText(others), others);
}

TEST(CharJoinSameLength, Table) {
  EXPECT_EQ(CharText(9), "\t");
  EXPECT_EQ(CharText(34), "\"");
  EXPECT_EQ(CharText(0), std::string(1, '\0'));
  EXPECT_EQ(CharText(255), "\xff");
  EXPECT_EQ(CharText(-1), "\xff");
  EXPECT_EQ(CharText(256), std::string(1, '\0'));
  EXPECT_EQ(JoinText(" \\.", CharText(34)), kEndStrip);
  EXPECT_EQ(JoinText("", ""), "");
  EXPECT_EQ(JoinText("a", ""), "a");
  EXPECT_TRUE(SameText("", ""));
  EXPECT_TRUE(SameText(std::string("a\0\xff", 3), std::string("a\0\xff", 3)));
  EXPECT_FALSE(SameText(std::string("a\0\xff", 3), std::string("a\0\xfe", 3)));
  EXPECT_FALSE(SameText("a", "A"));
  EXPECT_FALSE(SameText("a ", "a"));
  EXPECT_FALSE(SameText(std::string("a\0", 2), "a"));
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("1.25"), 4);
  EXPECT_EQ(TextLength(std::string("\0\0", 2)), 2);
}

TEST(Fields, CountAndAt) {
  struct Case {
    std::string text, delimiter;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"192.168.0.1", ".", {"192", "168", "0", "1"}},
      {"1..2.3", ".", {"1", "", "2", "3"}},
      {"1.2.3", ".", {"1", "2", "3"}},
      {"1.2.3.4.5", ".", {"1", "2", "3", "4", "5"}},
      {"1.2.3.4.", ".", {"1", "2", "3", "4", ""}},
      {"123", ".", {"123"}},
      {"", ".", {""}},
      {".", ".", {"", ""}},
      {"a...b", "..", {"a", ".b"}},
      {"a....b", "..", {"a", "", "b"}},
      {"abc", "", {"abc"}},  // an empty delimiter never cuts
  };
  for (const Case& c : cases) {
    const auto count = static_cast<int32_t>(c.fields.size());
    EXPECT_EQ(FieldCount(c.text, c.delimiter), count) << c.text;
    for (int32_t n = 1; n <= count; ++n) {
      EXPECT_EQ(FieldAt(c.text, c.delimiter, n), c.fields[static_cast<size_t>(n - 1)])
          << c.text << " field " << n;
    }
    EXPECT_EQ(FieldAt(c.text, c.delimiter, count + 1), "") << c.text;
    EXPECT_EQ(FieldAt(c.text, c.delimiter, 2147483647), "") << c.text;
    EXPECT_EQ(FieldAt(c.text, c.delimiter, 0), "") << c.text;
    EXPECT_EQ(FieldAt(c.text, c.delimiter, -3), "") << c.text;
  }
}

TEST(Fields, SplitIntoArray) {
  struct Case {
    std::string text;
    std::array<std::string, 4> expected;
  };
  const Case cases[] = {
      {"10.0.0.5", {"10", "0", "0", "5"}},
      {"1.2", {"1", "2", "", ""}},
      {"1.2.3.4.5", {"1", "2", "3", "4"}},
      {"", {"", "", "", ""}},
  };
  for (const Case& c : cases) {
    std::array<std::string_view, 4> array = {"old", "old", "old", "old"};
    SplitFields(c.text, ".", array);
    for (size_t k = 0; k < array.size(); ++k) EXPECT_EQ(array[k], c.expected[k]) << c.text;
  }
  std::array<std::string_view, 2> small = {"x", "y"};
  SplitFields("a.b.c", "", small);
  EXPECT_EQ(small[0], "a.b.c");
  EXPECT_EQ(small[1], "");
  // A span of no elements gets nothing: the array behind it keeps its values.
  std::array<std::string_view, 2> guard = {"keep", "keep"};
  SplitFields("a.b", ".", std::span<std::string_view>(guard).first(0));
  EXPECT_EQ(guard[0], "keep");
  EXPECT_EQ(guard[1], "keep");
}

}  // namespace
}  // namespace hostlix
