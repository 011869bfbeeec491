// FormCommandLine on an argument vector decoded from the input, called as the
// process frame calls it (a small room first, then exactly the length asked
// for): the line equal to a plain join, its length right in both calls, no
// byte written past the room given, and the tail of the line equal to the
// arguments joined by blanks. SkipProgramName on the raw input agrees with a
// model of the skipping rule.
//
// Input: a shape byte (low two bits: 1 gives a null argv[0], 2 no argv[0] at
// all), a byte that scales the first room from 0 to 4096 (the frame's stack
// line), then one record per argument, the program's name first: a length
// byte L, a repeat byte R and L bytes that, repeated 1 + R * R / 8 times, make
// the argument; so a short input can make an argument of thousands of bytes.
// NUL bytes are dropped, as a C string cannot hold one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "services/command_tail.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr size_t kFrameRoom = 4096;
constexpr size_t kMaxArguments = 64;
constexpr size_t kMaxLine = 1 << 16;
constexpr size_t kGuard = 16;

struct Vector {
  bool has_name = true;    // argc > 0
  bool null_name = false;  // argv[0] == nullptr
  size_t first_room = 0;
  std::vector<std::string> strings;  // argv[0] (when it is a text), then the arguments
};

Vector Decode(std::string_view in) {
  Vector v;
  size_t at = 0;
  const auto next = [&]() -> unsigned { return at < in.size() ? uint8_t(in[at++]) : 0u; };
  const unsigned shape = next() & 3;
  v.has_name = shape != 2;
  v.null_name = shape == 1;
  v.first_room = next() * kFrameRoom / 255;
  size_t total = 0;
  while (at < in.size() && v.strings.size() < kMaxArguments && total < kMaxLine) {
    const size_t length = next();
    const unsigned repeat = next();
    std::string fragment(in.substr(at, length));
    at += fragment.size();
    fragment.erase(std::remove(fragment.begin(), fragment.end(), '\0'), fragment.end());
    std::string text;
    for (unsigned i = 0; i < 1 + repeat * repeat / 8 && text.size() < kMaxLine; ++i) {
      text += fragment;
    }
    total += text.size();
    v.strings.push_back(std::move(text));
  }
  return v;
}

// A byte that the line does not hold, for the guard after the room.
char GuardByte(std::string_view line) {
  bool seen[256] = {};
  for (const char c : line) seen[uint8_t(c)] = true;
  for (int b = 0xA5; b < 0xA5 + 255; ++b) {
    if (!seen[b & 0xFF] && (b & 0xFF) != 0) return char(b & 0xFF);
  }
  return char(0xA5);
}

// One call with `room` bytes of room, followed by guard bytes: the length is
// `expected`'s, the line is written when it fits, and nothing past the room
// (nor past the one byte after a line that fits) changes. Returns the line
// when it fitted.
std::string CallWithRoom(int argc, const char* const* argv, size_t room,
                         std::string_view expected) {
  const char guard = GuardByte(expected);
  std::vector<char> buffer(room + kGuard, guard);
  const size_t size = hostlix::FormCommandLine(argc, argv, std::span<char>(buffer.data(), room));
  Require(size == expected.size());
  const size_t untouched_from = size < room ? size + 1 : room;
  for (size_t i = untouched_from; i < buffer.size(); ++i) Require(buffer[i] == guard);
  if (size > room) return std::string();
  const std::string line(buffer.data(), size);
  Require(line == expected);
  return line;
}

// The program's name is everything after a plain name's first byte up to a
// control byte or blank; a quoted one runs to the next quote; a leading
// blank is an empty name. Blanks after the name are skipped, a control byte
// is not.
std::string_view ModelTail(std::string_view line) {
  if (line.empty()) return line;
  std::string_view rest;
  if (line[0] == '"') {
    const size_t close = line.find('"', 1);
    if (close == std::string_view::npos) return line.substr(line.size());
    rest = line.substr(close + 1);
  } else if (line[0] == ' ') {
    rest = line;
  } else {
    size_t end = 1;
    while (end < line.size() && uint8_t(line[end]) >= 33) ++end;
    rest = line.substr(end);
    if (rest.empty() || rest[0] != ' ') return rest;
  }
  return rest.substr(std::min(rest.find_first_not_of(' '), rest.size()));
}

void CheckTail(std::string_view line, std::string_view got, std::string_view expected) {
  Require(got == expected);
  Require(got.data() + got.size() == line.data() + line.size());  // a view into the line's end
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckTail(input, hostlix::SkipProgramName(input), ModelTail(input));

  const Vector v = Decode(input);
  std::vector<const char*> argv;
  size_t first_argument = 0;
  if (v.has_name) {
    if (v.null_name) {
      argv.push_back(nullptr);
    } else if (!v.strings.empty()) {
      argv.push_back(v.strings[0].c_str());
      first_argument = 1;
    } else {
      argv.push_back("");
    }
    for (size_t i = first_argument; i < v.strings.size(); ++i) argv.push_back(v.strings[i].c_str());
  }
  const int argc = static_cast<int>(argv.size());
  argv.push_back(nullptr);  // argv[argc], as the system passes it

  std::string name = v.has_name && !v.null_name ? argv[0] : "";
  name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
  std::string expected = "\"" + name + "\"";
  std::string arguments;
  for (int i = 1; i < argc; ++i) {
    expected += ' ';
    expected += argv[i];
    if (i > 1) arguments += ' ';
    arguments += argv[i];
  }
  const std::string_view expected_tail = std::string_view(arguments).substr(
      std::min(arguments.find_first_not_of(' '), arguments.size()));

  (void)CallWithRoom(argc, argv.data(), v.first_room, expected);
  const std::string line = CallWithRoom(argc, argv.data(), expected.size(), expected);
  CheckTail(line, hostlix::SkipProgramName(line), expected_tail);
  return 0;
}
