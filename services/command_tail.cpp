#include "services/command_tail.h"

#include <cstddef>

namespace hostlix {
namespace {

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

}  // namespace hostlix
