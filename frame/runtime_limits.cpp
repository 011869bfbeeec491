// What the command does when the C++ runtime cannot go on. The command is
// built without exceptions (-fno-exceptions) and links libstdc++ statically,
// so it carries no exception runtime: running out of memory, or any other
// failure the standard library would report by throwing, ends the process
// at once with status 255, the status of a runtime that cannot work, and
// writes nothing more.
//
// How it works: with exceptions off, the library's headers report their
// failures by calling the std::__throw_* helpers declared in
// <bits/functexcept.h>; operator new reports a failed allocation through
// __throw_bad_alloc. The definitions below replace every one of those
// helpers and operator new. Because a static link takes an archive member
// only for a symbol nothing else defines, the library's own member holding
// the helpers (functexcept.o, which throws, and so would bring the unwinder,
// the emergency pool and their start-up cost) is never taken.
//
// The helpers must all be here: if one is missing and some use of the
// library needs it (std::stoi needs __throw_invalid_argument, vector::at
// __throw_out_of_range_fmt), the linker takes functexcept.o for it, finds
// a second definition of every helper defined here, and the link fails with
// "multiple definition of std::__throw_...". So when a new libstdc++
// declares a new helper in <bits/functexcept.h>, add it here;
// tests/runtime_limits_test.cpp links the facilities that need them and
// checks that each failure ends with status 255.
//
// Not covered: the helpers that live in members of their own beside other
// code (system_error, ios_failure, future_error, regex_error), since
// defining them would clash with those members; the command uses none of
// <system_error>, iostreams, <future> or <regex>. std::optional, std::variant
// and std::any report misuse by calling abort() in a build without
// exceptions.
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
// The nothrow forms give a null pointer, as they promise, rather than end.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace std {
void __throw_bad_exception() { RuntimeFailure(); }
void __throw_bad_alloc() { RuntimeFailure(); }
void __throw_bad_array_new_length() { RuntimeFailure(); }
void __throw_bad_cast() { RuntimeFailure(); }
void __throw_bad_typeid() { RuntimeFailure(); }
void __throw_logic_error(const char*) { RuntimeFailure(); }
void __throw_domain_error(const char*) { RuntimeFailure(); }
void __throw_invalid_argument(const char*) { RuntimeFailure(); }
void __throw_length_error(const char*) { RuntimeFailure(); }
void __throw_out_of_range(const char*) { RuntimeFailure(); }
void __throw_out_of_range_fmt(const char*, ...) { RuntimeFailure(); }
void __throw_runtime_error(const char*) { RuntimeFailure(); }
void __throw_range_error(const char*) { RuntimeFailure(); }
void __throw_overflow_error(const char*) { RuntimeFailure(); }
void __throw_underflow_error(const char*) { RuntimeFailure(); }
void __throw_bad_function_call() { RuntimeFailure(); }
}  // namespace std
