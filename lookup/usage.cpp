#include "lookup/usage.h"

#include "services/console.h"
#include "lookup/version.h"
#include "services/text.h"

namespace hostlix {
namespace {

// The credit field of the banner starts after this many columns, less the
// length of the version text.
constexpr int32_t kBannerColumn = 35;

}  // namespace

std::vector<std::string> UsageLines() {
  const std::string banner =
      JoinText(JoinText("HOSTLIX v", kVersion),
               JoinText(std::string(static_cast<size_t>(kBannerColumn - TextLength(kVersion)), ' '),
                        "Created by: the HOSTLIX project"));
  return {
      "",
      banner,
      "",
      "Resolves a hostname or IP address to its counterpart.",
      "",
      "Usage:",
      "",
      "HOSTLIX {Hostname | IP_Address}",
      "",
      "If given a hostname it will attempt to resolve the IP address.",
      "If given an IP address it will attempt to resolve the hostname.",
      "",
      "HOSTLIX does its best to extract the correct hostname or IP address.",
      "Thus the following examples are also considered acceptable syntax:",
      "",
      "HOSTLIX \\\\192.168.0.101\\ipc$",
      "HOSTLIX \\\\server1\\share1\\rest_of_UNCPath\\file1.exe",
      "HOSTLIX http://www.example.com/index.html",
      "",
      "Returns error code 0 if successful in resolving hostname or IP address.",
      "Returns error code 1 if unsuccessful in resolving hostname or IP address.",
      "Returns error code 9 for all other errors (including showing this help).",
      "",
      "Please send comments and bug reports by e-mail to hostlix@example.org",
  };
}

void ShowUsage() {
  for (const std::string& line : UsageLines()) WriteLine(line);
}

}  // namespace hostlix
