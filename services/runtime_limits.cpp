// What the command does when the C++ runtime cannot go on: it is built
// without exceptions, so running out of memory, or a length the standard
// library cannot hold, ends the process at once with status 255, the status
// of a runtime that cannot work, and writes nothing more.
//
// Linking these definitions keeps the library's exception machinery (its
// throw helpers, emergency pool and unwinder) out of the executable, which
// saves its start-up cost on every run.
#include <unistd.h>

#include <cstdlib>
#include <new>

namespace {

constexpr int kRuntimeFailure = 255;

[[noreturn]] void RuntimeFailure() { _exit(kRuntimeFailure); }

}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) RuntimeFailure();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// The standard library's own helpers for its failures, which would throw.
namespace std {
void __throw_bad_alloc() { RuntimeFailure(); }
void __throw_bad_array_new_length() { RuntimeFailure(); }
void __throw_length_error(const char*) { RuntimeFailure(); }
void __throw_logic_error(const char*) { RuntimeFailure(); }
void __throw_out_of_range(const char*) { RuntimeFailure(); }
void __throw_out_of_range_fmt(const char*, ...) { RuntimeFailure(); }
}  // namespace std
