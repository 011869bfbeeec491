#include "services/number_text.h"

namespace hostlix {

// The software format always rounds to nearest at 64 bits with every
// exception masked: there is no processor state to set.
void SetNumericEnvironment() {}

}  // namespace hostlix
