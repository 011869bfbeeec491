// Console output on POSIX: file descriptor 1, written with write(2).
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include "services/console.h"

namespace hostlix {
namespace {

constexpr int kStandardOutput = 1;
bool output_open = false;

// Writes all of `size` bytes, resuming after a short or interrupted write;
// gives up silently on any other error.
void WriteAll(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(kStandardOutput, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (written == 0) return;
    data += written;
    size -= static_cast<size_t>(written);
  }
}

}  // namespace

void StartConsole() {
  // A reader that has gone away must not end the process: its writes fail
  // with EPIPE instead, which WriteAll drops.
  signal(SIGPIPE, SIG_IGN);
  output_open = fcntl(kStandardOutput, F_GETFD) != -1;
}

void WriteLine(std::string_view text) {
  if (!output_open) return;
  if (!text.empty()) WriteAll(text.data(), text.size());
  WriteAll("\r\n", 2);
}

}  // namespace hostlix
