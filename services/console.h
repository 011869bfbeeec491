// Console output: the command's only way to write, one line at a time.
//
// Every line is its bytes exactly as stored (CR, LF and NUL included, no
// translation) followed by CR LF, written straight to standard output with
// no buffering: the line is in the file, pipe or terminal when WriteLine
// returns. Nothing is ever written to standard error.
//
// A failed write is dropped without a word; the caller never learns of it
// and the run goes on. A short or interrupted write is completed rather than
// dropped.

#ifndef HOSTLIX_SERVICES_CONSOLE_H_
#define HOSTLIX_SERVICES_CONSOLE_H_

#include <string_view>

namespace hostlix {

// Fixes the output handle for the whole run. Call once at start-up, before
// anything else can open files: if standard output is not open then, output
// stays off for good, so that a descriptor the resolver opens later in its
// place never receives a byte.
void StartConsole();

// Writes `text` in one request (none when it is empty), then CR LF in a
// second request, whether or not the first succeeded.
void WriteLine(std::string_view text);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_CONSOLE_H_
