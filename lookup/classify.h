// Argument normalisation and classification: reduces what the user typed or
// pasted to the bare host part and picks the road. Never asks the resolver.

#ifndef HOSTLIX_LOOKUP_CLASSIFY_H_
#define HOSTLIX_LOOKUP_CLASSIFY_H_

#include <string_view>

namespace hostlix {

enum class Road { kUsage, kAddressLiteral, kHostName };

struct Argument {
  Road road;
  std::string_view text;  // the bare host part, a view into the tail; empty on the usage road
};

// Strips leading and trailing blanks, backslashes, periods and double quotes;
// drops everything up to the first "://"; cuts at the first slash or
// backslash. Then: empty, or holding a blank, comma or TAB, or not starting
// with an ASCII letter or digit -> usage; holding a letter, "-" or "_" ->
// host name; otherwise address literal.
//   "\\\\server1\\share1\\file.exe" -> host name "server1"
//   "http://192.168.0.1/"         -> address literal "192.168.0.1"
//   "http://.host"                -> usage (the period after "://" stays)
[[nodiscard]] Argument ClassifyArgument(std::string_view tail);

}  // namespace hostlix

#endif  // HOSTLIX_LOOKUP_CLASSIFY_H_
