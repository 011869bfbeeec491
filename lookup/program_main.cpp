#include "lookup/program_main.h"

#include "lookup/address_literal.h"
#include "lookup/classify.h"
#include "lookup/host_name.h"
#include "lookup/usage.h"
#include "services/command_tail.h"

namespace hostlix {

ExitCode ProgramMain() {
  const Argument argument = ClassifyArgument(CommandTail());
  switch (argument.road) {
    case Road::kAddressLiteral:
      return RunAddressLiteral(argument.text);
    case Road::kHostName:
      return RunHostName(argument.text);
    case Road::kUsage:
      break;
  }
  ShowUsage();
  return kExitOtherError;
}

}  // namespace hostlix
