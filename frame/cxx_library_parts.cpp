// The few things that the command's code takes from the C++ library beside
// the failure helpers (frame/runtime_failures.cpp), defined here because the
// command is linked as a C program, without libstdc++.
#include <memory>
#include <new>

namespace std {

// The tag that `new (std::nothrow)` names.
const nothrow_t nothrow{};

}  // namespace std

// libstdc++ declares std::allocator<char> as instantiated in the library, so
// an unoptimised build (-O0: a Debug build, DEB_BUILD_OPTIONS=noopt, a
// coverage build) calls its constructors and destructor there instead of
// inlining them. They are made here instead.
template class std::allocator<char>;
