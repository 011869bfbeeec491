#include "lookup/host_name.h"

#include <cstring>
#include <string>

#include "services/console.h"
#include "services/mask_format.h"
#include "services/resolver.h"
#include "services/text.h"

namespace hostlix {

ExitCode RunHostName(std::string_view s) {
  const IPv4Address address = HostAddressOf(s, 1);
  unsigned char bytes[4];
  std::memcpy(bytes, &address, sizeof bytes);
  Number values[4];
  for (int k = 0; k < 4; ++k) values[k] = bytes[k];
  const std::string dotted = FormatByMask("#_.#_.#_.#", values);
  if (SameText(dotted, "0.0.0.0")) {
    WriteLine("ERROR: Could not resolve hostname to IP Address.");
    return kExitNotFound;
  }
  WriteLine(dotted);
  return kExitFound;
}

}  // namespace hostlix
