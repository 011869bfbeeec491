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

// The values of the four "."-separated fields of `text`.
std::array<Number, 4> FieldValues(std::string_view text) {
  std::array<std::string_view, 4> fields;
  SplitFields(text, ".", fields);
  std::array<Number, 4> values{};
  for (size_t i = 0; i < fields.size(); ++i) values[i] = TextToNumber(fields[i]);
  return values;
}

}  // namespace

IPv4Address PackDottedQuad(const std::array<Number, 4>& values) {
  unsigned char bytes[4];
  for (size_t i = 0; i < values.size(); ++i) {
    const int64_t value = NumberToInteger(values[i]);
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
  const std::array<Number, 4> values = FieldValues(s);
  for (const Number& value : values) {
    if (value >= 256) {
      WriteLine(kInvalidAddress);
      return kExitOtherError;
    }
  }
  const std::string name = HostNameOf(PackDottedQuad(values));
  if (SameText(name, "")) {
    WriteLine(kNoHostName);
    return kExitNotFound;
  }
  WriteLine(name);
  return kExitFound;
}

}  // namespace hostlix
