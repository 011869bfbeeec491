// Process frame on POSIX: prepare the runtime services, run the command once,
// exit with its status.
#include "lookup/program_main.h"
#include "services/command_tail.h"
#include "services/console.h"
#include "services/number_text.h"

int main(int argc, char** argv) {
  // Before anything can open a file, so that a closed standard output is
  // seen as closed.
  hostlix::StartConsole();
  hostlix::SetNumericEnvironment();
  hostlix::SetCommandLine(hostlix::FormCommandLine(argc, argv));
  return hostlix::ProgramMain();
}
