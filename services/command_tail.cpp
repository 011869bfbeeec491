#include "services/command_tail.h"

#include <string.h>  // memccpy, from POSIX

#include <algorithm>
#include <cstring>

namespace hostlix {
namespace {

// The tail of the command line, fixed at start-up. A view is constant-
// initialised: no constructor runs before main and no destructor after it.
std::string_view command_tail;

size_t SkipBlanks(std::string_view line, size_t pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
  return pos;
}

}  // namespace

std::string_view SkipProgramName(std::string_view line) {
  if (line.empty()) return line;
  size_t pos = 0;
  if (line[0] == '"') {
    const auto close = std::find(line.begin() + 1, line.end(), '"');
    if (close == line.end()) return line.substr(line.size());
    pos = SkipBlanks(line, static_cast<size_t>(close - line.begin()) + 1);
  } else if (line[0] == ' ') {
    pos = SkipBlanks(line, 0);
  } else {
    pos = 1;
    while (pos < line.size() && static_cast<unsigned char>(line[pos]) > ' ') ++pos;
    if (pos < line.size() && line[pos] == ' ') pos = SkipBlanks(line, pos);
  }
  return line.substr(pos);
}

size_t FormCommandLine(int argc, const char* const* argv, std::span<char> line) {
  const char* const name = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  int count = 1;
  while (count < argc && argv[count] != nullptr) ++count;

  // One pass; the arguments, and a name without quotes, with memccpy, which
  // copies a C string and finds its end at once. `out` becomes null as soon
  // as something does not fit.
  char* out = line.data();
  char* const end = line.data() + line.size();
  const auto put = [&](char c) {
    out = out != nullptr && out < end ? (*out = c, out + 1) : nullptr;
  };
  const auto copy = [&](const char* text) {
    if (out == nullptr) return;
    const auto room = static_cast<size_t>(end - out);
    auto* const stop = static_cast<char*>(memccpy(out, text, '\0', room));
    // Without a NUL in `room` bytes, the text fits only if it ends right there.
    out = stop != nullptr ? stop - 1 : text[room] == '\0' ? end : nullptr;
  };
  // A name with quotes goes byte by byte, its quotes left out: copied whole
  // and then closed up, it would need room for the quotes too and leave
  // stale bytes after a short line. Any other name is copied whole.
  // (The search is a loop of its own: a first call of another C library
  // function would cost more than the copy.)
  const char* quote = name;
  while (*quote != '\0' && *quote != '"') ++quote;
  put('"');
  if (*quote == '\0') {
    copy(name);
  } else {
    for (const char* c = name; *c != '\0'; ++c) {
      if (*c != '"') put(*c);
    }
  }
  put('"');
  for (int i = 1; i < count; ++i) {
    put(' ');
    copy(argv[i]);
  }
  if (out != nullptr) return static_cast<size_t>(out - line.data());

  // Too long for `line`: the room a second call needs.
  size_t size =
      std::strlen(name) + 2 - static_cast<size_t>(std::count(name, name + std::strlen(name), '"'));
  for (int i = 1; i < count; ++i) size += 1 + std::strlen(argv[i]);
  return size;
}

void SetCommandLine(std::string_view line) { command_tail = SkipProgramName(line); }

std::string_view CommandTail() { return command_tail; }

}  // namespace hostlix
