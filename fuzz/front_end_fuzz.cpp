// The whole front end on an arbitrary argument text, with the deterministic
// fake platform of tests/fake_platform.h answering every question from a
// hash: every run must end with 0, 1 or 9, print the 24 usage lines or
// exactly one line, and print only what its road can. A plain model here
// cuts the host from the argument and picks the road; the resolver must be
// asked about that host (for a dotted quad, the address its fields name),
// and the line printed must be the resolver's answer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/classify.h"
#include "lookup/program_main.h"
#include "lookup/usage.h"
#include "services/command_tail.h"
#include "tests/fake_platform.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The host part of the argument: the ends stripped of blanks, backslashes,
// periods and quotes, everything up to the first "://" dropped, then cut at
// the first slash or backslash.
std::string_view HostCut(std::string_view argument) {
  constexpr std::string_view kEnds = " \\.\"";
  const size_t first = argument.find_first_not_of(kEnds);
  if (first == std::string_view::npos) return {};
  std::string_view s = argument.substr(first, argument.find_last_not_of(kEnds) + 1 - first);
  if (const size_t scheme = s.find("://"); scheme != std::string_view::npos) {
    s = s.substr(scheme + 3);
  }
  return s.substr(0, s.find_first_of("\\/"));
}

// The road for the host part: usage unless it is non-empty, holds no blank,
// comma or TAB and starts with an ASCII letter or digit; then the host-name
// road if it holds a letter, "-" or "_".
hostlix::Road RoadOf(std::string_view host) {
  const auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (host.empty() || host.find_first_of(" ,\t") != std::string_view::npos ||
      !(alpha(host[0]) || digit(host[0]))) {
    return hostlix::Road::kUsage;
  }
  const bool name = std::any_of(host.begin(), host.end(),
                                [&](char c) { return alpha(c) || c == '-' || c == '_'; });
  return name ? hostlix::Road::kHostName : hostlix::Road::kAddressLiteral;
}

// The value of one field of a dotted quad, for the bytes that can reach that
// road (no letters, "-", "_", blanks, commas or TABs): line feeds, then "+"
// and decimal digits, or "&", octal digits and a type suffix; anything after
// the number is ignored. Empty when the value is 256 or more.
std::optional<int64_t> FieldValue(std::string_view f) {
  size_t i = 0;
  while (i < f.size() && f[i] == '\n') ++i;
  const auto digit = [&](char low, char high) {
    return i < f.size() && f[i] >= low && f[i] <= high;
  };
  if (i < f.size() && f[i] == '&') {
    ++i;
    const size_t first = i;
    uint64_t v = 0;
    for (; digit('0', '7'); ++i) {
      if (v >> 61 != 0) return 0;  // the next digit would reach 2^64
      v = v * 8 + uint64_t(f[i] - '0');
    }
    if (i == first) return 0;
    const std::string_view suffix = f.substr(i, 2);
    int64_t value = static_cast<int64_t>(v);
    if (suffix.substr(0, 1) == "?") {
      value = v >> 63 == 0 ? value : 0;
    } else if (f[first] == '0') {
      // A leading zero keeps the value as it is.
    } else if (v < 0x10000 && (v & 0x8000) != 0 && suffix.substr(0, 1) != "&") {
      value = static_cast<int64_t>(v) - 0x10000;
    } else if (v >= 0x10000 && v < 0x100000000 && (v & 0x80000000) != 0 && suffix != "&&") {
      value = static_cast<int64_t>(v) - 0x100000000;
    }
    if (value >= 256) return std::nullopt;
    return value;
  }
  if (i < f.size() && f[i] == '+') ++i;
  int64_t value = 0;
  for (; digit('0', '9'); ++i) {
    value = value * 10 + (f[i] - '0');
    if (value >= 256) return std::nullopt;
  }
  return value;
}

// The address a dotted quad names, each field's low eight bits in its byte;
// empty unless the text has four fields each below 256.
std::optional<hostlix::IPv4Address> QuadAddress(std::string_view s) {
  unsigned char bytes[4];
  for (int k = 0; k < 4; ++k) {
    const size_t dot = s.find('.');
    if ((dot == std::string_view::npos) != (k == 3)) return std::nullopt;
    const std::optional<int64_t> value = FieldValue(s.substr(0, dot));
    if (!value) return std::nullopt;
    bytes[k] = static_cast<unsigned char>(static_cast<uint64_t>(*value) & 0xFF);
    s = k == 3 ? std::string_view() : s.substr(dot + 1);
  }
  return hostlix::fake::Address(bytes[0], bytes[1], bytes[2], bytes[3]);
}

// An address in dotted decimal, its bytes in memory order.
std::string Dotted(hostlix::IPv4Address address) {
  unsigned char bytes[4];
  std::memcpy(bytes, &address, sizeof bytes);
  std::string text = std::to_string(bytes[0]);
  for (int k = 1; k < 4; ++k) text.append(".").append(std::to_string(bytes[k]));
  return text;
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
  const fake::Platform& p = fake::Get();
  const std::vector<std::string>& lines = p.lines;
  const std::string command_line = "hostlix " + argument;
  SetCommandLine(command_line);
  const ExitCode status = ProgramMain();
  const Road road = ClassifyArgument(CommandTail()).road;
  Require(road == RoadOf(HostCut(argument)));

  switch (road) {
    case Road::kUsage: {
      Require(status == kExitOtherError);
      const auto usage = UsageLines();
      Require(std::equal(lines.begin(), lines.end(), usage.begin(), usage.end()));
      Require(p.names_asked.empty() && p.addresses_asked.empty());
      break;
    }
    case Road::kHostName: {
      Require(lines.size() == 1);
      Require(ClassifyArgument(CommandTail()).text == HostCut(argument));
      Require(p.names_asked.size() == 1 && p.names_asked[0] == HostCut(argument));
      Require(p.addresses_asked.empty() && p.addresses_given.size() == 1);
      const IPv4Address answer = p.addresses_given[0];
      if (answer != 0) {
        Require(status == kExitFound && lines[0] == Dotted(answer));
      } else {
        Require(status == kExitNotFound && lines[0] == kNoAddress);
      }
      break;
    }
    case Road::kAddressLiteral: {
      Require(lines.size() == 1);
      Require(ClassifyArgument(CommandTail()).text == HostCut(argument));
      Require(p.names_asked.empty());
      const std::optional<IPv4Address> address = QuadAddress(HostCut(argument));
      if (!address) {
        Require(status == kExitOtherError && lines[0] == kInvalid && p.addresses_asked.empty());
        break;
      }
      Require(p.addresses_asked.size() == 1 && p.addresses_asked[0] == *address);
      const std::string& name = p.names_given[0];
      if (!name.empty()) {
        Require(status == kExitFound && lines[0] == name);
      } else {
        Require(status == kExitNotFound && lines[0] == kNoName);
      }
      break;
    }
  }
  return 0;
}
