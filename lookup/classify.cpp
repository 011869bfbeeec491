#include "lookup/classify.h"

#include "services/text.h"

namespace hostlix {
namespace {

constexpr ByteSet kEndStrip(" \\.\"");
constexpr ByteSet kBlanks(" ,\t");
constexpr ByteSet kPathSeparators("\\/");
constexpr ByteSet kFirstCharacters(
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
constexpr ByteSet kNameMarkers("-_ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

}  // namespace

Argument ClassifyArgument(std::string_view tail) {
  std::string_view s = TrimAnyRight(TrimAnyLeft(tail, kEndStrip), kEndStrip);
  const int32_t scheme = FindText(1, s, "://");
  if (scheme > 0) s = MidText(s, scheme + 3, 2147483647);
  // With no separator the length is -1: the whole rest.
  s = MidText(s, 1, FindAny(1, s, kPathSeparators) - 1);

  if (TextLength(s) == 0 || FindAny(1, s, kBlanks) > 0 ||
      FindAny(1, MidText(s, 1, 1), kFirstCharacters) == 0) {
    return {Road::kUsage, {}};
  }
  if (FindAny(1, s, kNameMarkers) > 0) return {Road::kHostName, s};
  return {Road::kAddressLiteral, s};
}

}  // namespace hostlix
