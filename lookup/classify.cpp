#include "lookup/classify.h"

#include "services/text.h"

namespace hostlix {

Argument ClassifyArgument(std::string_view tail) {
  const std::string end_strip = JoinText(" \\.", CharText(34));
  const std::string blanks = JoinText(" ,", CharText(9));
  constexpr std::string_view path_separators = "\\/";
  constexpr std::string_view first_characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  constexpr std::string_view name_markers = "-_ABCDEFGHIJKLMNOPQRSTUVWXYZ";

  std::string s = TrimAnyRight(TrimAnyLeft(tail, end_strip), end_strip);
  const int32_t scheme = FindText(1, s, "://");
  if (scheme > 0) s = MidText(s, scheme + 3, 2147483647);
  // With no separator the length is -1: the whole rest.
  s = MidText(s, 1, FindAny(1, s, path_separators) - 1);

  if (TextLength(s) == 0 || FindAny(1, s, blanks) > 0 ||
      FindAny(1, first_characters, UpperText(MidText(s, 1, 1))) == 0) {
    return {Road::kUsage, std::string()};
  }
  if (FindAny(1, UpperText(s), name_markers) > 0) return {Road::kHostName, s};
  return {Road::kAddressLiteral, s};
}

}  // namespace hostlix
