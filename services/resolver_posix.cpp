// Resolver bridge on POSIX: glibc's reentrant IPv4 queries, which answer in
// the resolver's own order (getaddrinfo would sort the addresses). Nothing
// needs starting or releasing.
#include <netdb.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "services/host_entry.h"
#include "services/resolver.h"

namespace hostlix {
namespace {

// Room for the answer: 4 KiB on the stack, then, since glibc asks the server
// again after every ERANGE, at once enough for any entry one DNS message can
// give (about 1.26 MiB: at worst a 253-character alias per 13-byte record),
// then doubling, which only a hosts file can need. Where the address space
// cannot spare that much, it doubles from 4 KiB.
constexpr size_t kFirstBuffer = 4096;
constexpr size_t kLastBuffer = size_t{1} << 24;
constexpr size_t kLargestMessage = 65535;
constexpr size_t kSmallestRecord = 13;
constexpr size_t kLargestAliasEntry = 253 + 1 + sizeof(char*);
constexpr size_t kDnsAnswerBound =
    (kLargestMessage / kSmallestRecord + 1) * kLargestAliasEntry + 4 * sizeof(char*) + 16;
static_assert(kDnsAnswerBound > kFirstBuffer && kDnsAnswerBound < kLastBuffer);
// Names up to this length (with their NUL) are passed from the stack.
constexpr size_t kNameOnStack = 1024;

// Runs query(entry, buffer, size, result, h_errno) until it has room, and
// returns what extract() makes of a found entry while its buffer is still
// alive; a default value when nothing was found.
template <typename Query, typename Extract>
auto Ask(Query query, Extract extract) -> decltype(extract(std::declval<const hostent&>())) {
  char stack_buffer[kFirstBuffer];
  std::unique_ptr<char[]> heap_buffer;
  char* buffer = stack_buffer;
  size_t size = kFirstBuffer;
  for (;;) {
    hostent entry{};
    hostent* result = nullptr;
    int resolver_error = 0;
    const int status = query(&entry, buffer, size, &result, &resolver_error);
    // glibc answers ERANGE as the status; errno is looked at only after a
    // failure, for resolvers that report it there instead.
    const bool needs_room =
        status == ERANGE || (status != 0 && resolver_error == NETDB_INTERNAL && errno == ERANGE);
    if (needs_room && size < kLastBuffer) {
      heap_buffer.reset();
      if (size == kFirstBuffer) heap_buffer.reset(new (std::nothrow) char[kDnsAnswerBound]);
      if (heap_buffer != nullptr) {
        size = kDnsAnswerBound;
      } else {
        size = std::min(size * 2, kLastBuffer);
        heap_buffer = std::make_unique<char[]>(size);
      }
      buffer = heap_buffer.get();
      continue;
    }
    if (status == 0 && result != nullptr) return extract(*result);
    return {};
  }
}

// A copy of the C string `c_name`. A name that fits the string's inline
// storage takes one memccpy, which finds its end as it copies, and no heap;
// a longer one is copied whole.
std::string CopyName(const char* c_name) {
  std::string name;
  name.resize(name.capacity());
  const auto* const end = static_cast<const char*>(memccpy(name.data(), c_name, '\0', name.size()));
  if (end == nullptr) {
    name.assign(c_name);
  } else {
    name.resize(static_cast<size_t>(end - name.data()) - 1);
  }
  return name;
}

}  // namespace

IPv4Address HostAddressOf(std::string_view name, int32_t position) {
  // The name as a C string: on the stack for any name DNS can carry.
  char stack_name[kNameOnStack];
  std::unique_ptr<char[]> heap_name;
  char* c_name = stack_name;
  if (name.size() >= sizeof stack_name) {
    heap_name = std::make_unique<char[]>(name.size() + 1);
    c_name = heap_name.get();
  }
  // memccpy stops at a NUL inside the name, which would make the resolver
  // see a different name: such a name has no address.
  if (memccpy(c_name, name.data(), '\0', name.size()) != nullptr) return 0;
  c_name[name.size()] = '\0';
  return Ask(
      [&](hostent* entry, char* buffer, size_t size, hostent** result, int* error) {
        return gethostbyname_r(c_name, entry, buffer, size, result, error);
      },
      [&](const hostent& entry) { return AddressAt(entry, AF_INET, position); });
}

std::string HostNameOf(IPv4Address address) {
  if (address == 0) {
    char buffer[256];
    if (gethostname(buffer, sizeof buffer) != 0) return {};
    return std::string(buffer, strnlen(buffer, sizeof buffer));
  }
  // Every result is made in place, so that no copy of the name is moved.
  return Ask(
      [&](hostent* entry, char* buffer, size_t size, hostent** result, int* error) {
        return gethostbyaddr_r(&address, sizeof address, AF_INET, entry, buffer, size, result,
                               error);
      },
      [](const hostent& entry) {
        return entry.h_name != nullptr ? CopyName(entry.h_name) : std::string();
      });
}

}  // namespace hostlix
