// The POSIX resolver bridge's own logic against scripted answers: the retries
// for room, the copies of the name on their way in and out, this machine's
// host name. The test program is linked with --wrap for gethostbyname_r,
// gethostbyaddr_r and gethostname; each wrap below answers from the running
// test's script, or passes the call on to the C library when there is none.
#include <errno.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "services/resolver.h"

namespace hostlix {
namespace {

// One answer of the resolver: what the call returns, what it leaves in
// *h_errnop and in errno, and whether it fills in the entry.
struct Reply {
  int status;
  int resolver_error;
  int error_number;
  bool found;
};
constexpr Reply kFound{0, 0, 0, true};
constexpr Reply kNotFound{0, HOST_NOT_FOUND, 0, false};
// No room in the buffer, said as the status or through NETDB_INTERNAL + errno.
constexpr Reply kRangeAsStatus{ERANGE, 0, 0, false};
constexpr Reply kRangeInErrno{-1, NETDB_INTERNAL, ERANGE, false};

// The entry that a found reply gives: its address and official name.
constexpr unsigned char kEntryBytes[4] = {192, 0, 2, 7};
const IPv4Address kEntryAddress = [] {
  IPv4Address address;
  std::memcpy(&address, kEntryBytes, sizeof address);
  return address;
}();

// A lookup that runs away is cut off after this many calls.
constexpr size_t kRunaway = 64;

struct Script {
  std::vector<Reply> replies;  // one per call; the last one repeats
  const char* official_name = "host.example";
  // What the calls received.
  std::vector<std::string> names;          // gethostbyname_r
  std::vector<std::string> address_bytes;  // gethostbyaddr_r
  std::vector<size_t> buffer_sizes;        // both
  // gethostname: the bytes it leaves in the buffer (all of the buffer when
  // `fill_host_name`), its result, and the length it was given.
  std::string host_name = std::string("scripted-host\0", 14);
  bool fill_host_name = false;
  int host_name_status = 0;
  size_t host_name_length = 0;
  int host_name_calls = 0;
};
Script* script = nullptr;

// The script of one case, in force while it lives.
class Scripted {
 public:
  explicit Scripted(std::vector<Reply> replies) {
    script_.replies = std::move(replies);
    script = &script_;
  }
  Scripted(const Scripted&) = delete;
  Scripted& operator=(const Scripted&) = delete;
  ~Scripted() { script = nullptr; }
  Script* operator->() { return &script_; }

 private:
  Script script_;
};

// Answers a query as a resolver does: writes over all of the caller's
// buffer first (so that a buffer smaller than its stated size shows under
// AddressSanitizer), then builds a found entry inside it.
int Answer(hostent* entry, char* buffer, size_t size, hostent** result, int* resolver_error) {
  Script& s = *script;
  s.buffer_sizes.push_back(size);
  *result = nullptr;
  if (s.buffer_sizes.size() > kRunaway) {
    *resolver_error = HOST_NOT_FOUND;
    return 0;
  }
  const Reply reply = s.replies[std::min(s.buffer_sizes.size(), s.replies.size()) - 1];
  std::memset(buffer, 0xA5, size);
  *resolver_error = reply.resolver_error;
  errno = reply.error_number;
  if (!reply.found) return reply.status;

  void* aligned = buffer;
  size_t room = size;
  const size_t name_size = s.official_name ? std::strlen(s.official_name) + 1 : 0;
  if (std::align(alignof(char*), 2 * sizeof(char*), aligned, room) == nullptr ||
      room < 2 * sizeof(char*) + sizeof kEntryBytes + name_size) {
    ADD_FAILURE() << "a buffer of " << size << " bytes is too small for the entry";
    return ERANGE;
  }
  char** list = static_cast<char**>(aligned);
  char* address = reinterpret_cast<char*>(list + 2);
  std::memcpy(address, kEntryBytes, sizeof kEntryBytes);
  list[0] = address;
  list[1] = nullptr;
  *entry = hostent{};
  entry->h_addrtype = AF_INET;
  entry->h_length = sizeof kEntryBytes;
  entry->h_addr_list = list;
  entry->h_aliases = list + 1;
  if (s.official_name != nullptr) {
    entry->h_name = address + sizeof kEntryBytes;
    std::memcpy(entry->h_name, s.official_name, name_size);
  }
  *result = entry;
  return reply.status;
}

// Answers gethostname from the script.
int AnswerHostName(char* buffer, size_t length) {
  Script& s = *script;
  ++s.host_name_calls;
  s.host_name_length = length;
  if (s.fill_host_name) {
    std::memset(buffer, 'n', length);
  } else {
    std::memcpy(buffer, s.host_name.data(), std::min(length, s.host_name.size()));
  }
  if (s.host_name_status != 0) errno = ENAMETOOLONG;
  return s.host_name_status;
}

}  // namespace
}  // namespace hostlix

extern "C" {
int __real_gethostbyname_r(const char* name, hostent* entry, char* buffer, size_t size,
                           hostent** result, int* resolver_error);
int __real_gethostbyaddr_r(const void* address, socklen_t length, int type, hostent* entry,
                           char* buffer, size_t size, hostent** result, int* resolver_error);
int __real_gethostname(char* buffer, size_t length);
int __real___gethostname_chk(char* buffer, size_t length, size_t buffer_size);

int __wrap_gethostbyname_r(const char* name, hostent* entry, char* buffer, size_t size,
                           hostent** result, int* resolver_error) {
  if (hostlix::script == nullptr) {
    return __real_gethostbyname_r(name, entry, buffer, size, result, resolver_error);
  }
  hostlix::script->names.emplace_back(name);
  return hostlix::Answer(entry, buffer, size, result, resolver_error);
}

int __wrap_gethostbyaddr_r(const void* address, socklen_t length, int type, hostent* entry,
                           char* buffer, size_t size, hostent** result, int* resolver_error) {
  if (hostlix::script == nullptr) {
    return __real_gethostbyaddr_r(address, length, type, entry, buffer, size, result,
                                  resolver_error);
  }
  // The bytes as asked for, with a mark when not asked as IPv4.
  std::string bytes(static_cast<const char*>(address), length);
  if (type != AF_INET) bytes += " (not AF_INET)";
  hostlix::script->address_bytes.push_back(bytes);
  return hostlix::Answer(entry, buffer, size, result, resolver_error);
}

int __wrap_gethostname(char* buffer, size_t length) {
  if (hostlix::script == nullptr) return __real_gethostname(buffer, length);
  return hostlix::AnswerHostName(buffer, length);
}

// What _FORTIFY_SOURCE makes of gethostname where it cannot see the buffer's
// size at compile time (as under AddressSanitizer).
int __wrap___gethostname_chk(char* buffer, size_t length, size_t buffer_size) {
  if (hostlix::script == nullptr) return __real___gethostname_chk(buffer, length, buffer_size);
  EXPECT_LE(length, buffer_size) << "gethostname is told of more room than its buffer has";
  return hostlix::AnswerHostName(buffer, std::min(length, buffer_size));
}
}

// The nothrow array new of the whole test program, as the library's, except
// that a test can have the next request refused.
namespace hostlix {
namespace {
bool refuse_next_nothrow_array = false;
int refused_nothrow_arrays = 0;
}  // namespace
}  // namespace hostlix

void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  if (hostlix::refuse_next_nothrow_array) {
    hostlix::refuse_next_nothrow_array = false;
    ++hostlix::refused_nothrow_arrays;
    return nullptr;
  }
  try {
    return ::operator new[](size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

namespace hostlix {
namespace {

// Both lookups run the same query loop; each case runs through both.
enum class Lookup { kAddressOfName, kNameOfAddress };
constexpr Lookup kLookups[] = {Lookup::kAddressOfName, Lookup::kNameOfAddress};

const char* Named(Lookup lookup) {
  return lookup == Lookup::kAddressOfName ? "HostAddressOf" : "HostNameOf";
}

// The lookup's answer as bytes (the address's four, or the name), empty for
// the failure sentinels; and that of the scripted entry.
std::string Look(Lookup lookup) {
  if (lookup == Lookup::kNameOfAddress) return HostNameOf(kEntryAddress);
  const IPv4Address address = HostAddressOf("host.example", 1);
  return address == 0 ? std::string() : std::string(reinterpret_cast<const char*>(&address), 4);
}
std::string EntryOf(Lookup lookup) {
  return lookup == Lookup::kNameOfAddress
             ? std::string("host.example")
             : std::string(reinterpret_cast<const char*>(kEntryBytes), sizeof kEntryBytes);
}

bool Growing(const std::vector<size_t>& sizes) {
  return std::adjacent_find(sizes.begin(), sizes.end(), std::greater_equal<>()) == sizes.end();
}

// Every answer that says there was no room is asked again with a bigger
// buffer; every other one is final.
TEST(ResolverPosix, AsksAgainWithMoreRoomOnlyWhenTold) {
  struct Case {
    const char* what;
    std::vector<Reply> replies;
    bool found;
    size_t calls;
  };
  const Case cases[] = {
      {"found at once", {kFound}, true, 1},
      {"not found", {kNotFound}, false, 1},
      {"no room as the status", {kRangeAsStatus, kFound}, true, 2},
      {"no room through errno", {kRangeInErrno, kFound}, true, 2},
      {"no room twice, then not found", {kRangeInErrno, kRangeAsStatus, kNotFound}, false, 3},
      {"another internal error", {{-1, NETDB_INTERNAL, ENOENT, false}}, false, 1},
      {"try again, errno left at ERANGE", {{EAGAIN, TRY_AGAIN, ERANGE, false}}, false, 1},
      {"found, ERANGE left behind", {{0, NETDB_INTERNAL, ERANGE, true}}, true, 1},
      {"failed, yet an entry filled in", {{EAGAIN, TRY_AGAIN, 0, true}}, false, 1},
  };
  for (const Lookup lookup : kLookups) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(Named(lookup)) + ": " + c.what);
      Scripted s(c.replies);
      EXPECT_EQ(Look(lookup), c.found ? EntryOf(lookup) : "");
      EXPECT_EQ(s->buffer_sizes.size(), c.calls);
      EXPECT_TRUE(Growing(s->buffer_sizes));
    }
  }
}

// A resolver that never has room is given up on once the buffer has reached
// its cap of 16 MiB.
TEST(ResolverPosix, GivesUpAtTheLargestBuffer) {
  for (const Lookup lookup : kLookups) {
    for (const Reply& no_room : {kRangeAsStatus, kRangeInErrno}) {
      SCOPED_TRACE(std::string(Named(lookup)) +
                   (no_room.status == ERANGE ? ": status" : ": errno"));
      Scripted s({no_room});
      EXPECT_EQ(Look(lookup), "");
      ASSERT_LT(s->buffer_sizes.size(), kRunaway);
      EXPECT_TRUE(Growing(s->buffer_sizes));
      EXPECT_EQ(s->buffer_sizes.back(), size_t{1} << 24);
    }
  }
}

// Without the large buffer, the retries double from the first buffer's size.
TEST(ResolverPosix, DoublesWhenTheLargeBufferIsRefused) {
  for (const Lookup lookup : kLookups) {
    SCOPED_TRACE(Named(lookup));
    Scripted s({kRangeAsStatus, kRangeInErrno, kFound});
    refused_nothrow_arrays = 0;
    refuse_next_nothrow_array = true;
    EXPECT_EQ(Look(lookup), EntryOf(lookup));
    refuse_next_nothrow_array = false;
    EXPECT_EQ(refused_nothrow_arrays, 1);
    ASSERT_EQ(s->buffer_sizes.size(), 3u);
    EXPECT_EQ(s->buffer_sizes[1], 2 * s->buffer_sizes[0]);
    EXPECT_EQ(s->buffer_sizes[2], 2 * s->buffer_sizes[1]);
  }
}

// The name reaches the resolver whole, however long; one with a NUL in it
// has no address and is never asked.
TEST(ResolverPosix, PassesTheNameWholeOrNotAtAll) {
  struct Case {
    std::string name;
    bool asked;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {"host.example", true},
      {std::string(1023, 'a'), true},  // the longest with its NUL on the stack
      {std::string(1024, 'b'), true},
      {std::string(70000, 'c'), true},
      {"host\0evil.example"s, false},
      {"host\0"s, false},
      {"\0"s, false},
      {std::string(1024, 'd').append(1, '\0'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name.size() << " bytes, asked: " << c.asked);
    Scripted s({kFound});
    EXPECT_EQ(HostAddressOf(c.name, 1), c.asked ? kEntryAddress : 0);
    EXPECT_EQ(s->names, c.asked ? std::vector<std::string>{c.name} : std::vector<std::string>{});
  }
}

// The official name is copied whole, either side of std::string's inline
// storage; a null one is no name. The address goes out as its four bytes.
TEST(ResolverPosix, CopiesTheOfficialName) {
  const size_t inline_size = std::string().capacity();
  std::vector<std::string> names = {"", "h", std::string(300, 'x')};
  for (const size_t size : {inline_size - 1, inline_size, inline_size + 1}) {
    names.push_back(std::string(size, 'i'));
  }
  for (const std::string& name : names) {
    SCOPED_TRACE(testing::Message() << name.size() << " bytes");
    Scripted s({kFound});
    s->official_name = name.c_str();
    EXPECT_EQ(HostNameOf(kEntryAddress), name);
    EXPECT_EQ(s->address_bytes,
              std::vector<std::string>{std::string(reinterpret_cast<const char*>(kEntryBytes), 4)});
  }
  Scripted s({kFound});
  s->official_name = nullptr;
  EXPECT_EQ(HostNameOf(kEntryAddress), "");
}

// The address 0 is this machine's name, read with gethostname alone.
TEST(ResolverPosix, OwnHostName) {
  struct Case {
    const char* what;
    int status;
    bool fill;
  };
  for (const Case& c : {Case{"read", 0, false}, Case{"failed", -1, false},
                        Case{"the buffer full, no NUL", 0, true}}) {
    SCOPED_TRACE(c.what);
    Scripted s({kFound});
    s->host_name_status = c.status;
    s->fill_host_name = c.fill;
    const std::string name = HostNameOf(0);
    EXPECT_EQ(s->host_name_calls, 1);
    EXPECT_TRUE(s->address_bytes.empty());
    if (c.status != 0) {
      EXPECT_EQ(name, "");
    } else if (c.fill) {
      EXPECT_GE(s->host_name_length, 256u);  // room for 255 bytes and a NUL
      EXPECT_EQ(name, std::string(s->host_name_length, 'n'));
    } else {
      EXPECT_EQ(name, "scripted-host");
    }
  }
}

}  // namespace
}  // namespace hostlix
