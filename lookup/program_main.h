// The whole run of the command: read the argument, take one of three roads,
// print that road's lines, return the exit status.

#ifndef HOSTLIX_LOOKUP_PROGRAM_MAIN_H_
#define HOSTLIX_LOOKUP_PROGRAM_MAIN_H_

#include "lookup/exit_code.h"

namespace hostlix {

// Runs the command once on CommandTail(): the usage screen (9), the
// address-literal road (0, 1 or 9) or the host-name road (0 or 1). Every run
// prints at least one line, through WriteLine only.
ExitCode ProgramMain();

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_PROGRAM_MAIN_H_
