// Command tail: everything on the command line after the program's own name,
// exactly as typed. No splitting into arguments, no quote removal, no
// trimming at the end.

#ifndef HOSTLIX_SERVICES_COMMAND_TAIL_H_
#define HOSTLIX_SERVICES_COMMAND_TAIL_H_

#include <string_view>

namespace hostlix {

// Returns the part of a whole command line (program name first) that follows
// the program's name. Only the space skips; a TAB never does.
//   - `"C:\x y\p.exe" host`  -> `host`   (quoted name, then blanks skipped;
//     an unclosed quote makes the whole line the name: empty tail)
//   - `   p host`            -> `p host` (a leading blank means an empty name)
//   - `p   host  `          -> `host  `  (the name ends at the first byte
//     of code 32 or less; blanks after it are skipped, trailing ones kept)
//   - "p\thost"              -> "\thost" (a control byte starts the tail)
// The result is a view into `line`.
std::string_view SkipProgramName(std::string_view line);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_COMMAND_TAIL_H_
