#include "lookup/usage.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "lookup/version.h"
#include "services/console.h"

namespace hostlix {
namespace {

// The credit field of the banner starts after this many columns, less the
// length of the version text.
constexpr size_t kBannerColumn = 35;
constexpr std::string_view kBannerStart = "HOSTLIX v";
constexpr std::string_view kVersionText = kVersion;
constexpr std::string_view kCredit = "Created by: the HOSTLIX project";
static_assert(kVersionText.size() < kBannerColumn, "the version must leave the banner a blank");

// "HOSTLIX v" and the version, the blanks, the credit: built by the compiler.
constexpr auto kBanner = [] {
  std::array<char, kBannerStart.size() + kBannerColumn + kCredit.size()> banner{};
  char* out = std::copy(kBannerStart.begin(), kBannerStart.end(), banner.begin());
  out = std::copy(kVersionText.begin(), kVersionText.end(), out);
  out = std::fill_n(out, kBannerColumn - kVersionText.size(), ' ');
  std::copy(kCredit.begin(), kCredit.end(), out);
  return banner;
}();

// The contact line, with the address the build was given.
constexpr std::string_view kInvitation = "Please send comments and bug reports by e-mail to ";
constexpr std::string_view kContactText = kContact;
constexpr auto kContactLine = [] {
  std::array<char, kInvitation.size() + kContactText.size()> line{};
  std::copy(kContactText.begin(), kContactText.end(),
            std::copy(kInvitation.begin(), kInvitation.end(), line.begin()));
  return line;
}();

// The 24 lines as written; used only by the compiler, to make kScreen.
constexpr std::string_view kLines[] = {
    "",
    std::string_view(kBanner.data(), kBanner.size()),
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
    std::string_view(kContactLine.data(), kContactLine.size()),
};
static_assert(std::size(kLines) == kUsageLineCount);

constexpr size_t kScreenBytes = [] {
  size_t bytes = 0;
  for (const std::string_view line : kLines) bytes += line.size();
  return bytes;
}();

// The lines one after another and their offsets: no pointers to relocate.
struct Screen {
  std::array<char, kScreenBytes> text;
  std::array<uint16_t, kUsageLineCount + 1> starts;
};
static_assert(kScreenBytes <= UINT16_MAX);

constexpr Screen kScreen = [] {
  Screen screen{};
  size_t at = 0;
  for (size_t k = 0; k < kUsageLineCount; ++k) {
    screen.starts[k] = static_cast<uint16_t>(at);
    for (const char c : kLines[k]) screen.text[at++] = c;
  }
  screen.starts[kUsageLineCount] = static_cast<uint16_t>(at);
  return screen;
}();

std::string_view LineOf(size_t k) {
  return {kScreen.text.data() + kScreen.starts[k],
          static_cast<size_t>(kScreen.starts[k + 1] - kScreen.starts[k])};
}

}  // namespace

std::array<std::string_view, kUsageLineCount> UsageLines() {
  std::array<std::string_view, kUsageLineCount> lines;
  for (size_t k = 0; k < kUsageLineCount; ++k) lines[k] = LineOf(k);
  return lines;
}

void ShowUsage() {
  for (size_t k = 0; k < kUsageLineCount; ++k) WriteLine(LineOf(k));
}

}  // namespace hostlix
