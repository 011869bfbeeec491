// Process frame on Windows: COM around the run, the console prepared, the
// command line taken from the system, the command run once, ExitProcess with
// its status.
#include <objbase.h>
#include <windows.h>

#include "lookup/program_main.h"
#include "services/command_tail.h"
#include "services/console.h"
#include "services/number_text.h"

int main() {
  CoInitialize(nullptr);
  hostlix::StartConsole();
  hostlix::SetNumericEnvironment();
  // The system keeps the command line for the life of the process.
  hostlix::SetCommandLine(GetCommandLineA());
  const UINT status = static_cast<UINT>(hostlix::ProgramMain());
  CoUninitialize();
  ExitProcess(status);
}
