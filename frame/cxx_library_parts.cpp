// The few things that the command's code takes from the C++ library beside
// the failure helpers (frame/runtime_failures.cpp), defined here because the
// command is linked as a C program, without libstdc++.
#include <memory>
#include <new>
#include <string>

namespace std {

// The tag that `new (std::nothrow)` names.
const nothrow_t nothrow{};

}  // namespace std

// libstdc++ declares std::allocator<char> and std::string as instantiated in
// the library, so the compiler calls the library's copy of every member it
// does not inline: at -O0 (a Debug build, DEB_BUILD_OPTIONS=noopt, a
// coverage build) nearly all of them, at any level those the library keeps
// out of line (GCC 16's _M_replace_cold). Every member is made here instead,
// whatever the library's version keeps out of line.
template class std::allocator<char>;
template class std::basic_string<char>;
