#include "lookup/address_literal.h"

#include <array>
#include <cstring>

#include "services/console.h"
#include "services/number_text.h"
#include "services/text.h"

namespace hostlix {
namespace {

constexpr char kInvalidAddress[] = "ERROR: Invalid IP Address. Please check format.";
constexpr char kNoHostName[] = "ERROR: Could not resolve IP Address to hostname.";

}  // namespace

IPv4Address PackDottedQuad(std::string_view text) {
  // The fields in one pass. A field the text lacks stays empty, reads as 0
  // and leaves its byte 0, as if it had been skipped.
  std::array<std::string_view, 4> fields;
  SplitFields(text, ".", fields);
  unsigned char bytes[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < fields.size(); ++i) {
    const int64_t value = NumberToInteger(TextToNumber(fields[i]));
    bytes[i] = static_cast<unsigned char>(static_cast<uint64_t>(value) & 0xFF);
  }
  IPv4Address address = 0;
  std::memcpy(&address, bytes, sizeof address);
  return address;
}

ExitCode RunAddressLiteral(std::string_view s) {
  if (FieldCount(s, ".") != 4) {
    WriteLine(kInvalidAddress);
    return kExitOtherError;
  }
  std::array<std::string_view, 4> fields;
  SplitFields(s, ".", fields);
  for (const std::string_view field : fields) {
    if (TextToNumber(field) >= 256) {
      WriteLine(kInvalidAddress);
      return kExitOtherError;
    }
  }
  const std::string name = HostNameOf(PackDottedQuad(s));
  if (SameText(name, "")) {
    WriteLine(kNoHostName);
    return kExitNotFound;
  }
  WriteLine(name);
  return kExitFound;
}

}  // namespace hostlix
