// End-to-end tests: the built command run as a user runs it, its standard
// output and standard error captured as bytes, its status checked.
//
// Resolver answers come from tests/e2e/hosts: the test program enters private
// mount, host-name and network namespaces and mounts its own hosts,
// resolv.conf, nsswitch.conf and host.conf over the system's. The only name
// server is 127.0.0.1 of a network that has nothing but loopback: the test
// program starts unbound there (tests/e2e_name_server.h) with the zones of
// tests/e2e/, so no query leaves the machine.
//
// Root makes the namespaces directly, also in a chroot or container whose /
// is not a mount point; any other user first enters a user namespace of its
// own in which it is root. Only where no namespace can be made at all are the
// cases skipped, each with the reason; with HOSTLIX_REQUIRE_ALL_TESTS set they
// fail instead. The same holds for the cases answered by DNS without unbound.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <net/if.h>
#include <netdb.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e_name_server.h"

namespace {

constexpr char kMachineName[] = "hostlix-e2e-box";

std::string world_problem;  // why the private namespace could not be made
std::string dns_problem;    // why the name server does not run

std::string Problem(const std::string& what) { return what + ": " + std::strerror(errno); }

// A skipped case fails instead when every case must run.
bool EveryCaseMustRun() { return std::getenv("HOSTLIX_REQUIRE_ALL_TESTS") != nullptr; }

bool WriteText(const char* path, const std::string& text) {
  const int file = open(path, O_WRONLY | O_CLOEXEC);
  if (file < 0) return false;
  const bool written = write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  return close(file) == 0 && written;
}

// Makes the namespaces `flags` inside a new user namespace in which this
// user is root: how a user without root makes the test's world. The mounts
// of a user namespace's own mount namespace never reach the system's.
std::string EnterAsRootOfAUserNamespace(int flags) {
  const std::string uid = std::to_string(geteuid());
  const std::string gid = std::to_string(getegid());
  if (unshare(CLONE_NEWUSER | flags) != 0) {
    return Problem("no namespace can be made: unshare(CLONE_NEWUSER) after " +
                   std::string("unshare(CLONE_NEWNS | CLONE_NEWUTS | CLONE_NEWNET) was refused"));
  }
  if (!WriteText("/proc/self/setgroups", "deny") ||
      !WriteText("/proc/self/uid_map", "0 " + uid + " 1") ||
      !WriteText("/proc/self/gid_map", "0 " + gid + " 1")) {
    return Problem("mapping this user to root of its user namespace");
  }
  return "";
}

// In a chroot, / is not a mount point and cannot be made private, so the
// test's mounts land in the mount that holds the chroot. That is safe only
// if that mount shares its mounts with no other namespace. A tmpfs mounted
// for a moment in a child's namespace tells: if it shows here, our mounts
// would show outside as well.
std::string CheckMountsStayHere() {
  char probe[] = "/tmp/hostlix-e2e-probe-XXXXXX";
  if (mkdtemp(probe) == nullptr) return Problem("making a probe folder in /tmp");
  struct stat before;
  struct stat during;
  int mounted[2];
  int done[2];
  if (stat(probe, &before) != 0 || pipe2(mounted, O_CLOEXEC) != 0 || pipe2(done, O_CLOEXEC) != 0) {
    return Problem("preparing the mount probe");
  }
  const pid_t child = fork();
  if (child == 0) {
    // Holds the mount until the parent closes its end of `done`.
    close(done[1]);
    char byte = unshare(CLONE_NEWNS) == 0 && mount("tmpfs", probe, "tmpfs", 0, nullptr) == 0;
    if (write(mounted[1], &byte, 1) != 1 || read(done[0], &byte, 1) < 0) byte = 0;
    umount2(probe, MNT_DETACH);
    _exit(0);
  }
  char byte = 0;
  const bool probed = read(mounted[0], &byte, 1) == 1 && byte == 1;
  const bool shared = stat(probe, &during) == 0 && during.st_dev != before.st_dev;
  for (const int fd : {mounted[0], mounted[1], done[0], done[1]}) close(fd);
  waitpid(child, nullptr, 0);
  rmdir(probe);
  if (!probed) return "/ is not a mount point, and a probe mount in a namespace of its own failed";
  if (shared) {
    return "/ is not a mount point, and the mount that holds it shares its mounts with other "
           "namespaces: the test's files would be mounted outside too";
  }
  return "";
}

// A chroot made for building may have no /etc/hosts or /etc/nsswitch.conf
// (mmdebstrap leaves /etc/hosts out). /etc then becomes an overlay whose
// changes go to a private tmpfs, and the missing files are made there: the
// system's /etc is never written. LeaveTestWorld removes the tmpfs's folder.
std::string etc_changes;

std::string OverlayEtc() {
  char folder[] = "/tmp/hostlix-e2e-etc-XXXXXX";
  if (mkdtemp(folder) == nullptr) return Problem("making a folder in /tmp");
  etc_changes = folder;
  const std::string upper = etc_changes + "/upper";
  const std::string work = etc_changes + "/work";
  const std::string options = "lowerdir=/etc,upperdir=" + upper + ",workdir=" + work;
  if (mount("tmpfs", folder, "tmpfs", 0, nullptr) != 0 || mkdir(upper.c_str(), 0755) != 0 ||
      mkdir(work.c_str(), 0755) != 0 ||
      mount("overlay", "/etc", "overlay", 0, options.c_str()) != 0) {
    return Problem("overlaying /etc, which lacks hosts or nsswitch.conf");
  }
  for (const char* name : {"/etc/hosts", "/etc/nsswitch.conf"}) {
    const int file = open(name, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (file < 0) return Problem(std::string("making ") + name + " in the overlay");
    close(file);
  }
  return "";
}

void LeaveTestWorld() {
  if (etc_changes.empty()) return;
  umount2("/etc", MNT_DETACH);
  umount2(etc_changes.c_str(), MNT_DETACH);
  rmdir(etc_changes.c_str());
}

// Enters the private namespaces and mounts the test's resolver files.
std::string EnterTestWorld() {
  constexpr int kNamespaces = CLONE_NEWNS | CLONE_NEWUTS | CLONE_NEWNET;
  bool own_user_namespace = false;
  if (unshare(kNamespaces) != 0) {
    if (errno != EPERM) return Problem("unshare(CLONE_NEWNS | CLONE_NEWUTS | CLONE_NEWNET)");
    const std::string problem = EnterAsRootOfAUserNamespace(kNamespaces);
    if (!problem.empty()) return problem;
    own_user_namespace = true;
  }
  // A network of our own with only the loopback interface: a query for a
  // name the hosts file lacks is refused at 127.0.0.1 and goes nowhere else.
  const int probe = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ifreq loopback{};
  std::strcpy(loopback.ifr_name, "lo");
  if (probe < 0 || ioctl(probe, SIOCGIFFLAGS, &loopback) != 0) return Problem("reading lo");
  loopback.ifr_flags |= IFF_UP;
  if (ioctl(probe, SIOCSIFFLAGS, &loopback) != 0) return Problem("bringing lo up");
  close(probe);
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    if (errno != EINVAL) return Problem("making / private");
    if (!own_user_namespace) {
      const std::string problem = CheckMountsStayHere();
      if (!problem.empty()) return problem;
    }
  }
  if (access("/etc/hosts", F_OK) != 0 || access("/etc/nsswitch.conf", F_OK) != 0) {
    const std::string problem = OverlayEtc();
    if (!problem.empty()) return problem;
  }
  struct File {
    const char* name;
    bool required;  // resolv.conf and host.conf may be missing: the C
                    // library's defaults are then loopback and "multi on"
  };
  for (const File& file : {File{"hosts", true}, File{"nsswitch.conf", true},
                           File{"resolv.conf", false}, File{"host.conf", false}}) {
    const std::string source = std::string(HOSTLIX_E2E_DATA) + "/" + file.name;
    const std::string target = std::string("/etc/") + file.name;
    if (access(target.c_str(), F_OK) != 0 && !file.required) continue;
    if (mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) != 0) {
      return Problem("bind-mounting " + source + " on " + target);
    }
  }
  // A name-service cache daemon would answer from the system's files.
  struct stat info;
  if (stat("/run/nscd", &info) == 0 && mount("tmpfs", "/run/nscd", "tmpfs", 0, nullptr) != 0) {
    return Problem("hiding /run/nscd");
  }
  if (sethostname(kMachineName, sizeof kMachineName - 1) != 0) {
    return Problem("sethostname");
  }
  return "";
}

// Every byte of a file; empty if it cannot be read.
std::string ReadFile(const char* path) {
  std::string bytes;
  const int file = open(path, O_RDONLY | O_CLOEXEC);
  char buffer[65536];
  ssize_t n;
  while (file >= 0 && (n = read(file, buffer, sizeof buffer)) > 0) {
    bytes.append(buffer, static_cast<size_t>(n));
  }
  if (file >= 0) close(file);
  return bytes;
}

enum class Output { kPipe, kClosed, kDevFull, kReaderGone, kFile };

struct Result {
  std::string out;
  std::string err;
  int status = -1;     // exit status, or -1 when it did not exit
  int signal = 0;      // the signal that ended it, if one did
  double seconds = 0;  // from start to end of the run
};

// HOSTLIX_E2E_BINARY names another build of the command to test, and
// HOSTLIX_E2E_RUNNER a command, words split at blanks, to run it with: Wine
// for HOSTLIX.EXE, or valgrind.
const char* Binary() {
  const char* binary = std::getenv("HOSTLIX_E2E_BINARY");
  return binary != nullptr ? binary : HOSTLIX_BINARY;
}

std::vector<std::string> Runner() {
  std::vector<std::string> words;
  const char* runner = std::getenv("HOSTLIX_E2E_RUNNER");
  std::string word;
  for (const char* p = runner != nullptr ? runner : "";; ++p) {
    if (*p == ' ' || *p == '\0') {
      if (!word.empty()) words.push_back(word);
      word.clear();
      if (*p == '\0') break;
    } else {
      word.push_back(*p);
    }
  }
  return words;
}

// The Windows build, run through Wine.
bool UnderWine() {
  const std::string binary = Binary();
  return binary.size() >= 4 && (binary.compare(binary.size() - 4, 4, ".EXE") == 0 ||
                                binary.compare(binary.size() - 4, 4, ".exe") == 0);
}

// Runs the command with `args` and standard output as `output`, its address
// space limited to `address_space` bytes when that is not 0.
Result RunCommand(const std::vector<std::string>& args, Output output = Output::kPipe,
                  rlim_t address_space = 0) {
  const char* binary = Binary();
  const std::vector<std::string> runner = Runner();
  std::vector<char*> argv;
  for (const std::string& word : runner) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(const_cast<char*>(binary));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  char file_name[] = "/tmp/hostlix-e2e-XXXXXX";
  int file = -1;
  if (output == Output::kFile) file = mkstemp(file_name);
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) std::abort();
  if (output == Output::kReaderGone) close(out[0]);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGPIPE, SIG_DFL);  // whatever the command does, it does itself
    const rlimit limit{address_space, address_space};
    if (address_space != 0 && setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
    const int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    dup2(err[1], 2);
    switch (output) {
      case Output::kPipe:
      case Output::kReaderGone:
        dup2(out[1], 1);
        break;
      case Output::kClosed:
        close(1);
        break;
      case Output::kDevFull:
        dup2(open("/dev/full", O_WRONLY), 1);
        break;
      case Output::kFile:
        dup2(file, 1);
        break;
    }
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  if (file >= 0) close(file);

  Result result;
  // A stream that has ended keeps its slot with fd -1, which poll skips.
  pollfd fds[2] = {{err[0], POLLIN, 0}, {-1, POLLIN, 0}};
  if (output != Output::kReaderGone) fds[1].fd = out[0];
  size_t open_streams = fds[1].fd < 0 ? 1 : 2;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (open_streams > 0 && std::chrono::steady_clock::now() < deadline) {
    if (poll(fds, 2, 1000) < 0 && errno != EINTR) break;
    for (pollfd& fd : fds) {
      if (fd.fd < 0 || fd.revents == 0) continue;
      char buffer[65536];
      const ssize_t n = read(fd.fd, buffer, sizeof buffer);
      if (n > 0) {
        (fd.fd == out[0] ? result.out : result.err).append(buffer, static_cast<size_t>(n));
      } else {
        close(fd.fd);
        fd.fd = -1;
        --open_streams;
      }
    }
  }
  if (open_streams > 0) kill(child, SIGKILL);  // a hang: the status shows it
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  int status = 0;
  waitpid(child, &status, 0);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  if (output == Output::kReaderGone) close(out[0]);
  if (output == Output::kFile) {
    result.out = ReadFile(file_name);
    unlink(file_name);
  }
  return result;
}

// The 24 usage lines exactly as a terminal receives them, CR LF and all.
std::string UsageScreen() {
  static const std::string screen = ReadFile(HOSTLIX_E2E_USAGE);
  return screen;
}

const std::string kInvalid = "ERROR: Invalid IP Address. Please check format.\r\n";
const std::string kNoName = "ERROR: Could not resolve IP Address to hostname.\r\n";
const std::string kNoAddress = "ERROR: Could not resolve hostname to IP Address.\r\n";

class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    if (world_problem.empty()) return;
    if (EveryCaseMustRun()) FAIL() << "no private namespace: " << world_problem;
    GTEST_SKIP() << "no private namespace: " << world_problem;
  }
};

// The command writes nothing to standard error. Under Wine, Wine's own
// messages may stand there, but none of the command's lines.
void ExpectNothingOfOursOnStandardError(const Result& r, const std::string& context) {
  if (!UnderWine()) {
    EXPECT_EQ(r.err, "") << context;
    return;
  }
  for (const char* ours : {"ERROR: ", "HOSTLIX", "\r\n"}) {
    EXPECT_EQ(r.err.find(ours), std::string::npos) << context << ": " << r.err;
  }
}

struct Case {
  std::vector<std::string> args;
  std::string out;
  int status;
};

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& arg : c.args) shown.append("[").append(arg, 0, 40).append("]");
    const Result r = RunCommand(c.args);
    EXPECT_EQ(r.out, c.out) << shown;
    EXPECT_EQ(r.status, c.status) << shown;
    ExpectNothingOfOursOnStandardError(r, shown);
    EXPECT_EQ(r.signal, 0) << shown;
  }
}

// The bytes each road writes, through the system's resolver; which texts
// take which road and how fields are read is the unit tests' business.
TEST_F(EndToEnd, HostNameRoad) {
  Check({
      {{"localhost"}, "127.0.0.1\r\n", 0},
      {{"LOCALHOST"}, "127.0.0.1\r\n", 0},
      {{"multi.test"}, "10.9.9.9\r\n", 0},  // the first of two, unsorted
      {{"\\\\server1\\share1\\rest_of_UNCPath\\file1.exe"}, "10.1.2.3\r\n", 0},
      {{"http://www.example.com/index.html"}, "93.184.216.34\r\n", 0},
      {{"\"Mixed.Case.Test.\""}, "192.0.2.7\r\n", 0},
      {{"..\\\\mixed-alias\\.."}, "192.0.2.7\r\n", 0},
      {{"zero.test"}, kNoAddress, 1},  // its first address is 0.0.0.0
      {{"nowhere.test"}, kNoAddress, 1},
      {{"localhost:80"}, kNoAddress, 1},
      // Blanks after the host go before the host is cut, inside quotes too.
      {{"localhost "}, "127.0.0.1\r\n", 0},
      {{"localhost  "}, "127.0.0.1\r\n", 0},
      {{"\"localhost \""}, "127.0.0.1\r\n", 0},
      {{"\"localhost  \""}, "127.0.0.1\r\n", 0},
      // Digits with a hyphen or an underscore make a host name, never a
      // malformed dotted quad.
      {{"1-2-3"}, "192.0.2.45\r\n", 0},
      {{"9_9"}, "192.0.2.46\r\n", 0},
      {{"10-20"}, kNoAddress, 1},
      {{"0-day"}, kNoAddress, 1},
  });
}

TEST_F(EndToEnd, AddressLiteralRoad) {
  Check({
      {{"192.0.2.7"}, "Mixed.Case.Test\r\n", 0},  // official name, case kept
      {{"127.0.0.1"}, "localhost\r\n", 0},
      {{"\\\\192.168.0.101\\ipc$"}, "FileServer.Example\r\n", 0},
      {{"1..2.3"}, "one-zero-two-three\r\n", 0},
      {{"0.0.0.0"}, std::string(kMachineName) + "\r\n", 0},
      {{"192.0.2.99"}, kNoName, 1},
      {{"1.2.3"}, kInvalid, 9},
  });
}

// The screen's bytes, and the ways a platform's command line reaches it.
TEST_F(EndToEnd, UsageScreen) {
  const std::string screen = UsageScreen();
  Check({{{}, screen, 9},
         {{""}, screen, 9},
         {{"/?"}, screen, 9},
         {{"localhost", "extra"}, screen, 9}});
}

TEST_F(EndToEnd, OutputToAFileIsExactlyTheLines) {
  const Result usage = RunCommand({}, Output::kFile);
  EXPECT_EQ(usage.out, UsageScreen());
  EXPECT_EQ(usage.status, 9);
  const Result found = RunCommand({"localhost"}, Output::kFile);
  EXPECT_EQ(found.out, "127.0.0.1\r\n");
  EXPECT_EQ(found.status, 0);
}

// Output that cannot be written changes nothing but the output: the status
// is the road's, there is no signal and nothing on standard error.
TEST_F(EndToEnd, UnwritableOutputKeepsTheStatus) {
  for (const Output output : {Output::kClosed, Output::kDevFull, Output::kReaderGone}) {
    const struct {
      std::vector<std::string> args;
      int status;
    } cases[] = {
        {{"localhost"}, 0}, {{"nowhere.test"}, 1}, {{"192.0.2.7"}, 0}, {{"1.2.3"}, 9}, {{}, 9}};
    for (const auto& c : cases) {
      const Result r = RunCommand(c.args, output);
      EXPECT_EQ(r.status, c.status) << static_cast<int>(output);
      EXPECT_EQ(r.signal, 0) << static_cast<int>(output);
      ExpectNothingOfOursOnStandardError(r, std::to_string(static_cast<int>(output)));
    }
  }
}

// The longest single argument Linux passes (128 KiB less its NUL); Windows
// takes a whole command line of at most 32,767 characters.
TEST_F(EndToEnd, HugeArguments) {
  const size_t kLongest = UnderWine() ? 32000 : 128 * 1024 - 1;
  std::string dotted;
  while (dotted.size() + 2 <= kLongest) dotted += "1.";
  Check({
      {{std::string(kLongest, 'a')}, kNoAddress, 1},
      {{std::string(kLongest, '7')}, kInvalid, 9},
      {{dotted}, kInvalid, 9},
      {{std::string(kLongest, ' ')}, UsageScreen(), 9},
      {{std::string(kLongest, '\\')}, UsageScreen(), 9},
      {{"1.2.3." + std::string(kLongest - 6, '0')}, "one-two-three-zero\r\n", 0},
  });
}

// Linux passes arguments, Windows the line as typed (Wine forms it from the
// arguments, quoting those with blanks or quotes and escaping inner quotes
// with a backslash). The line is what the command reads, so an argument with
// a quote inside gives different tails.
TEST_F(EndToEnd, CommandLinesOfEachPlatform) {
  if (UnderWine()) {
    Check({
        {{"localhost\"x"}, "127.0.0.1\r\n", 0},   // "localhost\"x" is cut at the "\"
        {{"\"localhost\""}, "127.0.0.1\r\n", 0},  // "\"localhost\"" loses \ and "
        {{"a b"}, UsageScreen(), 9},              // "a b": one text with a blank
    });
  } else {
    Check({
        {{"localhost\"x"}, kNoAddress, 1},  // the name is localhost"x
        {{"\"localhost\""}, "127.0.0.1\r\n", 0},
        {{"a b"}, UsageScreen(), 9},
    });
  }
}

// Roads through the hosts file that the cases above do not reach.
TEST_F(EndToEnd, LargeHostsEntryAndEmptyScheme) {
  Check({
      // An entry of 300 aliases: larger than the resolver's first buffer.
      {{"aliases.test"}, "10.7.7.7\r\n", 0},
      {{"alias-300"}, "10.7.7.7\r\n", 0},
      {{"10.7.7.7"}, "aliases.test\r\n", 0},
      // "://" at the very start is still the first "://": the empty scheme
      // goes with it and the host is localhost.
      {{"://localhost"}, "127.0.0.1\r\n", 0},
      {{"://localhost/x"}, "127.0.0.1\r\n", 0},
  });
}

// A lookup that reads past a hosts line longer than the resolver's first
// buffer needs a larger one. Where memory is tight the command answers all
// the same, as other tools on the system do: the limit here leaves the
// command room for a few small buffers, not for the one that holds any DNS
// answer at once. (The wrappers that start the command through valgrind,
// Wine or qemu leave this case out: the limit would bind them.)
TEST_F(EndToEnd, UnderAnAddressSpaceLimit) {
  constexpr rlim_t kStep = 64 * 1024;
  constexpr rlim_t kRoom = 10 * kStep;  // less than the largest buffer
  // The least limit, to a step, under which the command starts at all:
  // the usage screen asks nothing of the resolver.
  rlim_t enough = 256 * kStep;
  ASSERT_EQ(RunCommand({}, Output::kPipe, enough).status, 9);
  rlim_t too_little = 0;
  while (enough - too_little > kStep) {
    const rlim_t middle = (too_little + enough) / 2 / kStep * kStep;
    (RunCommand({}, Output::kPipe, middle).status == 9 ? enough : too_little) = middle;
  }
  for (const Case& c : std::vector<Case>{
           {{"after-wide.test"}, "10.6.6.6\r\n", 0},
           {{"wide.test"}, "10.8.8.8\r\n", 0},
           {{"wide-alias-400"}, "10.8.8.8\r\n", 0},
           {{"localhost"}, "127.0.0.1\r\n", 0},
           {{"10.8.8.8"}, "wide.test\r\n", 0},
       }) {
    const Result r = RunCommand(c.args, Output::kPipe, enough + kRoom);
    EXPECT_EQ(r.out, c.out) << c.args[0] << " under " << enough + kRoom;
    EXPECT_EQ(r.status, c.status) << c.args[0];
  }
}

// The cases answered by DNS. Each runs with tests/e2e/dns-hosts (localhost
// and this box's own name only) over /etc/hosts, so every other name goes to
// the name server on 127.0.0.1.

// A file of tests/e2e/ mounted over one in /etc for as long as it lives.
class Overlay {
 public:
  Overlay(const char* name, const char* target) : target_(target) {
    const std::string source = std::string(HOSTLIX_E2E_DATA) + "/" + name;
    mounted_ = mount(source.c_str(), target, nullptr, MS_BIND, nullptr) == 0;
    if (!mounted_) problem_ = Problem("bind-mounting " + source + " on " + target);
  }
  ~Overlay() {
    if (mounted_) umount2(target_, MNT_DETACH);
  }
  Overlay(const Overlay&) = delete;
  Overlay& operator=(const Overlay&) = delete;
  const std::string& problem() const { return problem_; }

 private:
  const char* target_;
  bool mounted_;
  std::string problem_;
};

class Dns : public testing::Test {
 protected:
  void SetUp() override {
    const std::string& problem = world_problem.empty() ? dns_problem : world_problem;
    if (problem.empty()) {
      hosts_ = std::make_unique<Overlay>("dns-hosts", "/etc/hosts");
      ASSERT_EQ(hosts_->problem(), "");
      e2e::NewQueries();
      return;
    }
    if (EveryCaseMustRun()) FAIL() << "no name server: " << problem;
    GTEST_SKIP() << "no name server: " << problem;
  }
  std::unique_ptr<Overlay> hosts_;
};

// The first IPv4 address that the system's resolver lists for `name`, read
// by this program in the same world as the command, as a line; empty when
// it finds none.
std::string FirstAddressLine(const std::string& name) {
  const hostent* entry = gethostbyname(name.c_str());
  if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == nullptr) {
    return "";
  }
  char text[INET_ADDRSTRLEN];
  return std::string(inet_ntop(AF_INET, entry->h_addr_list[0], text, sizeof text)) + "\r\n";
}

// The resolver's time-out in tests/e2e/resolv.conf. A run that the server
// answers ends well within it however slow the builder, and one that sat out
// a time-out does not.
constexpr double kTimeOut = 30;

const std::string kOnlyDns = "192.0.2.10\r\n";
const std::string kLabel63(63, 'x');
const std::string kName253 = std::string(63, 'a') + "." + std::string(63, 'b') + "." +
                             std::string(63, 'c') + "." + std::string(56, 'd') + ".test";

struct DnsCase {
  std::vector<std::string> args;
  std::string out;
  int status;
  double waits = 0;  // a resolver time-out the run sits out, in seconds
};

void CheckDns(const std::vector<DnsCase>& cases) {
  for (const DnsCase& c : cases) {
    std::string shown;
    for (const std::string& arg : c.args) shown.append("[").append(arg, 0, 40).append("]");
    ASSERT_NE(c.out, "") << shown << ": the resolver gave this program no address";
    const Result r = RunCommand(c.args);
    EXPECT_EQ(r.out, c.out) << shown;
    EXPECT_EQ(r.status, c.status) << shown;
    ExpectNothingOfOursOnStandardError(r, shown);
    EXPECT_EQ(r.signal, 0) << shown;
    EXPECT_GE(r.seconds, c.waits) << shown;
    EXPECT_LT(r.seconds, c.waits + kTimeOut / 2) << shown;
  }
}

TEST_F(Dns, ForwardLookups) {
  const std::string several = FirstAddressLine("several.test");
  CheckDns({
      {{"only-dns.test"}, kOnlyDns, 0},
      {{"ONLY-Dns.TEST"}, kOnlyDns, 0},
      {{"several.test"}, several, 0},  // the first in the resolver's order
      {{"alias.test"}, kOnlyDns, 0},
      {{"chain1.test"}, several, 0},      // three CNAMEs to several.test
      {{"missing.test"}, kNoAddress, 1},  // NXDOMAIN
      {{"six.test"}, kNoAddress, 1},      // AAAA only
      {{"refused.test"}, kNoAddress, 1},
      {{"www.servfail.test"}, kNoAddress, 1},
      // Truncated over UDP and asked again over TCP; larger than 4 KiB.
      {{"many.large.test"}, FirstAddressLine("many.large.test"), 0},
      {{"above4k.large.test"}, FirstAddressLine("above4k.large.test"), 0},
      {{"huge.large.test"}, FirstAddressLine("huge.large.test"), 0},
      {{kName253}, "192.0.2.53\r\n", 0},
      {{kLabel63 + ".test"}, "192.0.2.63\r\n", 0},
      {{"e." + kName253}, kNoAddress, 1},      // 255 characters
      {{kLabel63 + "y.test"}, kNoAddress, 1},  // a label of 64
      {{"\\\\only-dns.test\\share\\file.txt"}, kOnlyDns, 0},
      {{"http://only-dns.test/index.html"}, kOnlyDns, 0},
  });
}

TEST_F(Dns, ReverseLookups) {
  CheckDns({
      {{"192.0.2.33"}, "MixedName.Case.TEST\r\n", 0},  // case kept, no final dot
      {{"\\\\192.0.2.33\\ipc$"}, "MixedName.Case.TEST\r\n", 0},
      {{"192.0.2.10"}, "only-dns.test\r\n", 0},
      {{"192.0.2.99"}, kNoName, 1},  // no PTR
  });
}

TEST_F(Dns, ServersThatDoNotAnswer) {
  {
    // The server drops these queries: the resolver's own time-out (1 s
    // here) ends the wait. With attempts:1 each resolver call sends one
    // query: one query logged, so the command asked once.
    const Overlay silent("resolv-silent.conf", "/etc/resolv.conf");
    ASSERT_EQ(silent.problem(), "");
    e2e::NewQueries();
    CheckDns({{{"silent.test"}, kNoAddress, 1, 0.9}});
    EXPECT_EQ(e2e::NewQueries(), std::vector<std::string>{"silent.test. A"});
  }
  // Nothing listens at the one name server: refused at once.
  const Overlay nobody("resolv-nobody.conf", "/etc/resolv.conf");
  ASSERT_EQ(nobody.problem(), "");
  CheckDns({
      {{"only-dns.test"}, kNoAddress, 1},
      {{"192.0.2.33"}, kNoName, 1},
  });
}

// The DNS messages each run sends, as the server logged them. The command
// controls which names are asked, and how often it calls the resolver: once
// per lookup, twice when the answer outgrows the first buffer (the second
// buffer holds any DNS answer). How many messages a call costs is the C
// library's affair (UDP then TCP for a truncated answer, a retry for each
// call), and under Wine that of ws2_32, which grows a buffer of its own: that
// is bounded here, not pinned, so a new C library or Wine cannot fail the
// test while a command that retried more would.
TEST_F(Dns, OneQueryPerLookup) {
  constexpr size_t kMessagesPerCall = 4;     // today at most 2
  constexpr size_t kMessagesUnderWine = 32;  // today at most 14, for one large answer
  const struct {
    std::vector<std::string> args;
    const char* query;  // nullptr: no message at all
    size_t calls;       // resolver calls the command may make
    bool large;         // an answer beyond the first buffer of ws2_32
  } cases[] = {
      {{"only-dns.test"}, "only-dns.test. A", 1, false},
      {{"ONLY-Dns.TEST"}, "ONLY-Dns.TEST. A", 1, false},
      {{"192.0.2.33"}, "33.2.0.192.in-addr.arpa. PTR", 1, false},
      {{"0.0.0.0"}, nullptr, 0, false},  // this box's own name, no reverse query
      {{}, nullptr, 0, false},           // the usage screen
      {{"1.2.3"}, nullptr, 0, false},
      {{"fits4k.large.test"}, "fits4k.large.test. A", 1, true},
      // Too large for the first buffer on the stack; the second holds any
      // DNS answer (doubling from 4 KiB would take four more calls).
      {{"above4k.large.test"}, "above4k.large.test. A", 2, true},
      {{"huge.large.test"}, "huge.large.test. A", 2, true},
  };
  for (const auto& c : cases) {
    const std::string shown = c.args.empty() ? "" : c.args[0];
    e2e::NewQueries();
    const Result r = RunCommand(c.args);
    const std::vector<std::string> queries = e2e::NewQueries();
    EXPECT_NE(r.status, -1) << shown;
    if (c.query == nullptr) {
      EXPECT_EQ(queries, std::vector<std::string>()) << shown;
      continue;
    }
    EXPECT_FALSE(queries.empty()) << shown;
    EXPECT_EQ(queries, std::vector<std::string>(queries.size(), c.query)) << shown;
    const size_t bound = UnderWine() && c.large ? kMessagesUnderWine : c.calls * kMessagesPerCall;
    EXPECT_LE(queries.size(), bound) << shown;
  }
}

}  // namespace

// Runs a helper command with its standard streams on /dev/null; true when it
// exits with 0.
bool RunQuietly(std::vector<const char*> argv) {
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; ++fd) dup2(null, fd);
    execvp(argv[0], const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  world_problem = EnterTestWorld();
  if (world_problem.empty()) dns_problem = e2e::StartNameServer(HOSTLIX_E2E_DATA);
  // Under Wine, one wineserver for the whole run, started here with its
  // streams on /dev/null: one that a test run started would hold that run's
  // output pipes open for as long as it lingers.
  // Wine's own background processes are started here too, by a first quiet
  // run, for the same reason.
  const bool wineserver = UnderWine() && world_problem.empty() && RunQuietly({"wineserver", "-p"});
  if (wineserver) RunQuietly({"wine", "wineboot"});
  const int status = RUN_ALL_TESTS();
  if (wineserver) RunQuietly({"wineserver", "-k"});
  e2e::StopNameServer();
  LeaveTestWorld();
  return status;
}
