// Every fuzz target reads numbers as the command does: in the numeric
// environment that the process frame sets before anything runs.
#include "services/number_text.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  hostlix::SetNumericEnvironment();
  return 0;
}
