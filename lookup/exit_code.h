// The status a run of the command ends with, for scripts to test.

#ifndef HOSTLIX_LOOKUP_EXIT_CODE_H_
#define HOSTLIX_LOOKUP_EXIT_CODE_H_

#include <cstdint>

namespace hostlix {

enum ExitCode : int32_t {
  kExitFound = 0,       // the counterpart was found and printed
  kExitNotFound = 1,    // well-formed, but the resolver had no counterpart
  kExitOtherError = 9,  // usage screen shown, or a malformed dotted quad
};

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_EXIT_CODE_H_
