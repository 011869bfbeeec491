// The whole front end on an arbitrary argument text, with the deterministic
// fake platform of tests/fake_platform.h answering every question from a
// hash: every run must end with 0, 1 or 9, print the
// 24 usage lines or exactly one line, and print only what its road can.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lookup/classify.h"
#include "lookup/program_main.h"
#include "lookup/usage.h"
#include "services/command_tail.h"
#include "tests/fake_platform.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool OnlyOf(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

constexpr std::string_view kInvalid = "ERROR: Invalid IP Address. Please check format.";
constexpr std::string_view kNoName = "ERROR: Could not resolve IP Address to hostname.";
constexpr std::string_view kNoAddress = "ERROR: Could not resolve hostname to IP Address.";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hostlix;
  const std::string argument(reinterpret_cast<const char*>(data), size);
  fake::Reset();
  fake::Get().answer_from_hash = true;
  const std::vector<std::string>& lines = fake::Get().lines;
  const std::string command_line = "hostlix " + argument;
  SetCommandLine(command_line);
  const ExitCode status = ProgramMain();
  const Road road = ClassifyArgument(CommandTail()).road;

  switch (road) {
    case Road::kUsage: {
      Require(status == kExitOtherError);
      const auto usage = UsageLines();
      Require(std::equal(lines.begin(), lines.end(), usage.begin(), usage.end()));
      break;
    }
    case Road::kHostName: {
      Require(lines.size() == 1);
      const std::string& line = lines[0];
      if (status == kExitFound) {
        Require(line.size() >= 7 && line.size() <= 15 && OnlyOf(line, "0123456789."));
        Require(line != "0.0.0.0");
      } else {
        Require(status == kExitNotFound && line == kNoAddress);
      }
      break;
    }
    case Road::kAddressLiteral: {
      Require(lines.size() == 1);
      const std::string& line = lines[0];
      if (status == kExitFound) {
        Require(line == fake::Get().own_name ||
                (line.rfind("host-", 0) == 0 && OnlyOf(line, "host-0123456789abcdef.fuz")));
      } else if (status == kExitNotFound) {
        Require(line == kNoName);
      } else {
        Require(status == kExitOtherError && line == kInvalid);
      }
      break;
    }
  }
  return 0;
}
