// The POSIX console against real descriptors, each case in a child process
// so that the test program's own standard output is never touched.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "services/console.h"

namespace hostlix {
namespace {

std::string Contents(const char* path) {
  std::string bytes;
  const int file = open(path, O_RDONLY | O_CLOEXEC);
  char buffer[256];
  ssize_t n;
  while (file >= 0 && (n = read(file, buffer, sizeof buffer)) > 0) bytes.append(buffer, n);
  if (file >= 0) close(file);
  return bytes;
}

// Standard output as the command finds it at start-up: closed, or open on
// the file. After StartConsole the child opens the file (again), as the
// resolver opens a hosts file or a socket; where 1 was closed that
// descriptor takes number 1. Then one line is written.
TEST(ConsolePosix, OutputClosedAtStartUpStaysClosed) {
  struct Case {
    bool closed_at_start;
    std::string written;
  };
  for (const Case& c : {Case{true, ""}, Case{false, "127.0.0.1\r\n"}}) {
    char path[] = "/tmp/hostlix-console-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    const pid_t child = fork();
    if (child == 0) {
      if (c.closed_at_start) {
        close(1);
      } else {
        dup2(file, 1);
      }
      close(file);
      StartConsole();
      const int later = open(path, O_WRONLY | O_APPEND | O_CLOEXEC);
      if (c.closed_at_start && later != 1) _exit(2);  // the case did not happen
      WriteLine("127.0.0.1");
      _exit(0);
    }
    close(file);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "closed: " << c.closed_at_start;
    EXPECT_EQ(Contents(path), c.written) << "closed: " << c.closed_at_start;
    unlink(path);
  }
}

}  // namespace
}  // namespace hostlix
