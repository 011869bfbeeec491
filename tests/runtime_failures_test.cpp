// Built like the command (no exceptions, no RTTI, linked as a C program with
// frame/runtime_failures.cpp) and with the library's assertions on, calling
// the standard-library facilities that would throw or assert: that it links
// at all is the first check. Then each
// failure runs in a child process, which must end with status 255 and
// nothing else; the same calls with good arguments must work.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr int kRuntimeFailure = 255;

struct Case {
  const char* name;
  int (*run)(int good);  // good != 0: arguments that work
  int on_failure = kRuntimeFailure;
};

int Stoi(int good) { return std::stoi(good ? "42" : "not a number") == 42 ? 0 : 1; }
int StoiRange(int good) { return std::stoi(good ? "7" : "99999999999999999999") == 7 ? 0 : 1; }
int VectorAt(int good) {
  const std::vector<int> v = {1, 2, 3};
  return v.at(good ? 2 : 3) == 3 ? 0 : 1;
}
int Substr(int good) {
  const std::string s = "host";
  return s.substr(good ? 4 : 5).empty() ? 0 : 1;
}
// operator[] past the end, which only _GLIBCXX_ASSERTIONS checks.
int VectorIndex(int good) {
  const std::vector<int> v = {1, 2, 3};
  volatile size_t index = good ? 2 : 3;
  return v[index] == 3 ? 0 : 1;
}
int Function(int good) {
  std::function<int()> f;
  if (good) f = [] { return 0; };
  return f();
}
// Every block is stored here before it is looked at or freed: a volatile
// store makes the pointer escape, so no optimiser may drop the new/delete[]
// pair, and a null result is seen while the block is still live.
char* volatile allocated;

int Allocation(int good) {
  // new[] of a computed, absurd size: the allocator fails, not the compiler.
  volatile size_t count = good ? 16 : ~size_t{0} / 4;
  allocated = new char[count];
  delete[] allocated;
  return 0;
}
int Reserve(int good) {
  std::string s;
  s.reserve(good ? 100 : s.max_size() + 1);
  return 0;
}

// The nothrow forms report a failed allocation with a null pointer instead:
// status 1 when the pointer is null, so that "failure" reads 1, not 255.
int NothrowAllocation(int good) {
  volatile size_t count = good ? 16 : ~size_t{0} / 4;
  allocated = new (std::nothrow) char[count];
  const bool failed = allocated == nullptr;
  delete[] allocated;
  return failed ? 1 : 0;
}

const Case kCases[] = {
    {"std::stoi on a non-number", Stoi},
    {"std::stoi out of range", StoiRange},
    {"vector::at past the end", VectorAt},
    {"vector::operator[] past the end", VectorIndex},
    {"string::substr past the end", Substr},
    {"empty std::function", Function},
    {"failed allocation", Allocation},
    {"string::reserve too large", Reserve},
    {"new (std::nothrow) too large", NothrowAllocation, 1},
};

// Exit status of run(good) in a child, or -1 if it did not exit.
int StatusOf(const Case& c, int good) {
  const pid_t child = fork();
  if (child == 0) _exit(c.run(good));
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace

int main() {
  int passed = 0;
  int failed = 0;
  for (const Case& c : kCases) {
    const int bad = StatusOf(c, 0);
    const int good = StatusOf(c, 1);
    const bool ok = bad == c.on_failure && good == 0;
    std::printf("%s %s: status %d on failure (want %d), %d on success (want 0)\n",
                ok ? "ok  " : "FAIL", c.name, bad, c.on_failure, good);
    (ok ? passed : failed)++;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
