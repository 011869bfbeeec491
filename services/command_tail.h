// Command tail: everything on the command line after the program's own name,
// exactly as typed. No splitting into arguments, no quote removal, no
// trimming at the end.

#ifndef HOSTLIX_SERVICES_COMMAND_TAIL_H_
#define HOSTLIX_SERVICES_COMMAND_TAIL_H_

#include <cstddef>
#include <span>
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
[[nodiscard]] std::string_view SkipProgramName(std::string_view line);

// Forms one command line from an argument vector, for platforms that give no
// other: the program's name in double quotes (any quote inside it dropped, so
// a blank or quote in its path never reaches the tail), then each argument
// after one blank. Arguments are not quoted, so the tail is the arguments
// joined by blanks, without leading blanks. argv[0] may be null.
//   {"/x y/hostlix", "a b", "c"} -> "\"/x y/hostlix\" a b c"
// Writes the line into `line` and returns its length; one byte after the
// line, where `line` has room for it, may be overwritten too.
// When the line is longer than `line`, the bytes of `line` are unspecified
// and the length tells how much room a second call needs, so that the
// caller can keep an ordinary line on the stack.
[[nodiscard]] size_t FormCommandLine(int argc, const char* const* argv, std::span<char> line);

// Keeps the process's command line for CommandTail: a view, so the caller
// keeps `line` alive for the rest of the run. The process frame calls it
// once, before the command runs.
void SetCommandLine(std::string_view line);

// The text after the program's name on the command line kept by
// SetCommandLine (empty before it): a view into that line. Every call
// returns an equal text.
[[nodiscard]] std::string_view CommandTail();

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_COMMAND_TAIL_H_
