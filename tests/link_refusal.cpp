// Built like the command, with something the command must not link: with
// NEEDS_CXX_LIBRARY a std::chrono clock, which libstdc++ defines out of line;
// without it nothing, and the build adds another shared library by hand.
// Either link must fail and say why (CMakeLists.txt, link_refusal_*).
#include <chrono>

int main() {
#ifdef NEEDS_CXX_LIBRARY
  return std::chrono::steady_clock::now().time_since_epoch().count() > 0 ? 0 : 1;
#else
  return 0;
#endif
}
