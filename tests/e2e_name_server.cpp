#include "tests/e2e_name_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace e2e {
namespace {

pid_t server = -1;
std::string run_folder;  // configuration, large.zone, query log
size_t log_read = 0;     // bytes of the query log already handed out

std::string ReadAll(const std::string& path) {
  std::string bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The large RRsets: addresses counting down from 10.255.255.255, so that
// zone order and sorted order differ.
std::string LargeZone() {
  std::string zone =
      "$TTL 60\n"
      "large.test. IN SOA ns.test. admin.test. 1 3600 600 86400 60\n"
      "large.test. IN NS ns.test.\n";
  for (const LargeName& large : LargeNames()) {
    for (int i = 0; i < large.records; ++i) {
      const unsigned value = 0xFFFFFFu - static_cast<unsigned>(i);
      char line[128];
      std::snprintf(line, sizeof line, "%s. IN A 10.%u.%u.%u\n", large.name, value >> 16,
                    (value >> 8) & 255, value & 255);
      zone += line;
    }
  }
  return zone;
}

// True when 127.0.0.1:53 answers a query for ns.test within `wait` with its
// address from dns.zone: the server runs and serves the zones, where a
// SERVFAIL while it still loads them would be an answer too.
bool Answers(std::chrono::milliseconds wait) {
  static const unsigned char query[] = {0x12, 0x34, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                                        0x00, 0x00, 0x00, 2,    'n',  's',  4,    't',  'e',
                                        's',  't',  0,    0x00, 0x01, 0x00, 0x01};
  const int probe = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(53);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool answered = false;
  if (sendto(probe, query, sizeof query, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) ==
      static_cast<ssize_t>(sizeof query)) {
    pollfd ready = {probe, POLLIN, 0};
    unsigned char reply[512];
    // The same ID, rcode NOERROR, one answer or more.
    answered = poll(&ready, 1, static_cast<int>(wait.count())) == 1 &&
               recv(probe, reply, sizeof reply, 0) >= 12 && reply[0] == 0x12 && reply[1] == 0x34 &&
               (reply[3] & 0x0F) == 0 && (reply[6] != 0 || reply[7] != 0);
  }
  close(probe);
  return answered;
}

}  // namespace

const std::vector<LargeName>& LargeNames() {
  // 338 addresses make glibc's host entry for fits4k exactly 4,096 bytes
  // (name 20, addresses 1,352, address and alias pointers 2,712 and 8 with
  // alignment); one more and it no longer fits the first buffer.
  static const std::vector<LargeName> names = {{"fits4k.large.test", 338},
                                               {"above4k.large.test", 339},
                                               {"many.large.test", 300},
                                               {"huge.large.test", 4000}};
  return names;
}

std::string StartNameServer(const std::string& data_folder) {
  const char* program = nullptr;
  for (const char* candidate : {"/usr/sbin/unbound", "/usr/local/sbin/unbound"}) {
    if (access(candidate, X_OK) == 0) program = candidate;
  }
  if (program == nullptr) return "unbound is not installed (Debian package unbound)";
  char folder[] = "/tmp/hostlix-dns-XXXXXX";
  if (mkdtemp(folder) == nullptr) return std::string("mkdtemp: ") + std::strerror(errno);
  run_folder = folder;
  const std::string config = run_folder + "/unbound.conf";
  const std::string text = Replace(
      Replace(ReadAll(data_folder + "/unbound.conf"), "@DATA@", data_folder), "@RUN@", run_folder);
  if (text.empty() || !WriteAll(config, text) ||
      !WriteAll(run_folder + "/large.zone", LargeZone())) {
    return "cannot write the server's files in " + run_folder;
  }
  const std::string errors = run_folder + "/unbound.err";
  server = fork();
  if (server == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the tests
    const int null = open("/dev/null", O_RDONLY);
    const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(null, 0);
    dup2(err, 1);
    dup2(err, 2);
    // An empty environment: what a builder varies or preloads for the
    // command under test (faketime's clock, a locale, a time zone) is not
    // the fixture's.
    char* const no_environment[] = {nullptr};
    execle(program, program, "-d", "-c", config.c_str(), static_cast<char*>(nullptr),
           no_environment);
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Answers(std::chrono::milliseconds(200))) {
      NewQueries();  // the probes are not the command's
      return "";
    }
    int status;
    if (waitpid(server, &status, WNOHANG) == server) {
      server = -1;
      return "unbound ended at start-up: " + ReadAll(errors);
    }
  }
  const std::string problem =
      "unbound did not answer from its zones within 60 s: " + ReadAll(errors);
  StopNameServer();
  return problem;
}

void StopNameServer() {
  if (server > 0) {
    kill(server, SIGTERM);
    int status;
    waitpid(server, &status, 0);
    server = -1;
  }
  if (!run_folder.empty()) {
    for (const char* name : {"unbound.conf", "large.zone", "query.log", "unbound.err"}) {
      unlink((run_folder + "/" + name).c_str());
    }
    rmdir(run_folder.c_str());
    run_folder.clear();
  }
}

std::vector<std::string> NewQueries() {
  // unbound writes each line when the query arrives, before it answers.
  const std::string log = ReadAll(run_folder + "/query.log");
  std::vector<std::string> queries;
  constexpr char kMark[] = "info: 127.0.0.1 ";
  for (size_t at = log.find(kMark, log_read); at != std::string::npos;
       at = log.find(kMark, log_read)) {
    const size_t start = at + sizeof kMark - 1;
    const size_t class_at = log.find(" IN", start);
    if (class_at == std::string::npos) break;  // a line still being written
    queries.push_back(log.substr(start, class_at - start));
    log_read = class_at;
  }
  return queries;
}

}  // namespace e2e
