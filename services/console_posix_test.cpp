// The POSIX console against real descriptors, each such case in a child
// process so that the test program's own standard output is never touched;
// and against scripted outcomes of write(2): the test program is linked with
// --wrap=write, and the wrap below answers writes to standard output from the
// running test's script, or passes every call on when there is none.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "services/console.h"

namespace hostlix {
namespace {

// One outcome of a write: up to `accepted` bytes taken, or, when that is
// negative, a failure with `error`.
struct Outcome {
  ssize_t accepted;
  int error;
};
constexpr Outcome Accept(ssize_t bytes) { return {bytes, 0}; }
constexpr Outcome Fail(int error) { return {-1, error}; }

struct WriteScript {
  std::vector<Outcome> outcomes;  // one per call; beyond them every write is whole
  std::vector<std::string> requests;
  std::string arrived;
};
WriteScript* write_script = nullptr;

}  // namespace
}  // namespace hostlix

extern "C" {
ssize_t __real_write(int descriptor, const void* data, size_t size);

ssize_t __wrap_write(int descriptor, const void* data, size_t size) {
  hostlix::WriteScript* const s = hostlix::write_script;
  if (s == nullptr || descriptor != 1) return __real_write(descriptor, data, size);
  const std::string request(static_cast<const char*>(data), size);
  s->requests.push_back(request);
  // A line that is never done would hang the test: end it instead.
  if (s->requests.size() > 64) {
    std::fputs("WriteLine does not stop writing\n", stderr);
    std::abort();
  }
  const size_t call = s->requests.size() - 1;
  const hostlix::Outcome outcome =
      call < s->outcomes.size() ? s->outcomes[call] : hostlix::Accept(static_cast<ssize_t>(size));
  if (outcome.accepted < 0) {
    errno = outcome.error;
    return -1;
  }
  const size_t taken = std::min(size, static_cast<size_t>(outcome.accepted));
  s->arrived.append(request, 0, taken);
  return static_cast<ssize_t>(taken);
}
}

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

// A line against each kind of write outcome: what was asked of write(2), in
// order, and the bytes that arrived. An interrupted or short write is
// resumed; nothing written or any other error drops the rest of that piece,
// and the terminator is still asked for.
TEST(ConsolePosix, ResumesOnlyInterruptedAndShortWrites) {
  ASSERT_NE(fcntl(1, F_GETFD), -1) << "these cases need the test's standard output open";
  StartConsole();
  struct Case {
    const char* what;
    std::string text;
    std::vector<Outcome> outcomes;
    std::vector<std::string> requests;
    std::string arrived;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {"whole", "abc", {}, {"abc", "\r\n"}, "abc\r\n"},
      {"empty", "", {}, {"\r\n"}, "\r\n"},
      {"bytes as stored", "a\0\r\nb"s, {}, {"a\0\r\nb"s, "\r\n"}, "a\0\r\nb\r\n"s},
      {"interrupted", "abc", {Fail(EINTR), Fail(EINTR)}, {"abc", "abc", "abc", "\r\n"}, "abc\r\n"},
      {"short", "abcdef", {Accept(2), Accept(3)}, {"abcdef", "cdef", "f", "\r\n"}, "abcdef\r\n"},
      {"short terminator", "abc", {Accept(3), Accept(1)}, {"abc", "\r\n", "\n"}, "abc\r\n"},
      {"nothing written", "abc", {Accept(0)}, {"abc", "\r\n"}, "\r\n"},
      {"nothing written after short",
       "abc",
       {Accept(1), Accept(0)},
       {"abc", "bc", "\r\n"},
       "a\r\n"},
      {"reader gone", "abc", {Fail(EPIPE)}, {"abc", "\r\n"}, "\r\n"},
      {"terminator failed", "abc", {Accept(3), Fail(EIO)}, {"abc", "\r\n"}, "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteScript s{c.outcomes, {}, {}};
    write_script = &s;
    WriteLine(c.text);
    write_script = nullptr;
    EXPECT_EQ(s.requests, c.requests);
    EXPECT_EQ(s.arrived, c.arrived);
  }
}

}  // namespace
}  // namespace hostlix
