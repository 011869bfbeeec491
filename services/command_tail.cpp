#include "services/command_tail.h"

#include <cstddef>
#include <cstring>
#include <utility>

namespace hostlix {
namespace {

// The command line and where its tail starts, fixed at start-up.
std::string command_line;
size_t tail_start = 0;

size_t SkipBlanks(std::string_view line, size_t pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
  return pos;
}

}  // namespace

std::string_view SkipProgramName(std::string_view line) {
  if (line.empty()) return line;
  size_t pos = 0;
  if (line[0] == '"') {
    const size_t close = line.find('"', 1);
    if (close == std::string_view::npos) return line.substr(line.size());
    pos = SkipBlanks(line, close + 1);
  } else if (line[0] == ' ') {
    pos = SkipBlanks(line, 0);
  } else {
    pos = 1;
    while (pos < line.size() && static_cast<unsigned char>(line[pos]) > ' ') ++pos;
    if (pos < line.size() && line[pos] == ' ') pos = SkipBlanks(line, pos);
  }
  return line.substr(pos);
}

std::string FormCommandLine(int argc, const char* const* argv) {
  const std::string_view name = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  int count = 1;
  size_t size = name.size() + 2;
  for (; count < argc && argv[count] != nullptr; ++count) size += 1 + std::strlen(argv[count]);

  std::string line;
  line.reserve(size);
  line.push_back('"');
  for (size_t from = 0; from < name.size();) {
    size_t quote = name.find('"', from);
    if (quote == std::string_view::npos) quote = name.size();
    line.append(name.substr(from, quote - from));
    from = quote + 1;
  }
  line.push_back('"');
  for (int i = 1; i < count; ++i) {
    line.push_back(' ');
    line.append(argv[i]);
  }
  return line;
}

void SetCommandLine(std::string line) {
  command_line = std::move(line);
  tail_start = command_line.size() - SkipProgramName(command_line).size();
}

std::string CommandTail() { return command_line.substr(tail_start); }

}  // namespace hostlix
