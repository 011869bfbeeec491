// Process frame on POSIX: prepare the runtime services, run the command once,
// exit with its status.
#include <memory>

#include "lookup/program_main.h"
#include "services/command_tail.h"
#include "services/console.h"
#include "services/number_text.h"

namespace {

// Command lines up to this size are formed on the stack.
constexpr size_t kLineOnStack = 4096;

}  // namespace

int main(int argc, char** argv) {
  // Before anything can open a file, so that a closed standard output is
  // seen as closed.
  hostlix::StartConsole();
  hostlix::SetNumericEnvironment();
  char stack_line[kLineOnStack];
  std::unique_ptr<char[]> heap_line;
  std::span<char> line(stack_line);
  const size_t size = hostlix::FormCommandLine(argc, argv, line);
  if (size > line.size()) {
    heap_line = std::make_unique<char[]>(size);
    line = std::span<char>(heap_line.get(), size);
    (void)hostlix::FormCommandLine(argc, argv, line);
  }
  hostlix::SetCommandLine(std::string_view(line.data(), size));
  return hostlix::ProgramMain();
}
