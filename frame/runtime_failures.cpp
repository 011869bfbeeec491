// What the command does when the C++ runtime cannot go on: running out of
// memory, any failure the standard library would report by throwing, or one
// of its assertions (built with _GLIBCXX_ASSERTIONS, as some distributions
// build) failing, ends the process at once with status 255 and writes
// nothing more.
//
// The command is built without exceptions, so the library's headers report
// failures through the std::__throw_* helpers of <bits/functexcept.h> and
// operator new. Every one is defined here: the command is linked as a C
// program, without the C++ library, so a helper missing here fails the link
// as an undefined reference (the handbook's "The C++ runtime's failure
// helpers"). frame/cxx_library_parts.cpp has the rest of what the library
// would give.
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
// A failed _GLIBCXX_ASSERTIONS check: the library would print it on standard
// error and abort.
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
  RuntimeFailure();
}
}  // namespace std
