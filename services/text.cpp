#include "services/text.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace hostlix {
namespace {

constexpr int64_t kMaxLength = INT32_MAX;

// Bytes of `text` that positions can reach.
std::string_view Reachable(std::string_view text) {
  return text.size() > static_cast<size_t>(kMaxLength) ? text.substr(0, kMaxLength) : text;
}

// Offset of the first `needle` in `hay`, or npos. Inlined std::search, not
// string_view::find, which would give the loader memchr and memcmp to bind.
size_t Find(std::string_view hay, std::string_view needle) {
  const auto hit = std::search(hay.begin(), hay.end(), needle.begin(), needle.end());
  return hit == hay.end() ? std::string_view::npos : static_cast<size_t>(hit - hay.begin());
}

// Calls visit(field) for every field of `text`, at most `limit` of them;
// returns how many fields there are in all (counting stops at `limit`).
template <typename Visit>
int64_t ForEachField(std::string_view text, std::string_view delimiter, int64_t limit,
                     Visit visit) {
  text = Reachable(text);
  int64_t count = 0;
  size_t from = 0;
  while (count < limit) {
    const size_t hit =
        delimiter.empty() ? std::string_view::npos : Find(text.substr(from), delimiter);
    ++count;
    if (hit == std::string_view::npos) {
      visit(text.substr(from));
      break;
    }
    visit(text.substr(from, hit));
    from += hit + delimiter.size();
  }
  return count;
}

}  // namespace

std::string_view TrimAnyLeft(std::string_view text, const ByteSet& set) {
  size_t first = 0;
  while (first < text.size() && set.Holds(text[first])) ++first;
  return text.substr(first);
}

std::string_view TrimAnyLeft(std::string_view text, std::string_view set) {
  return TrimAnyLeft(text, ByteSet(set));
}

std::string_view TrimAnyRight(std::string_view text, const ByteSet& set) {
  size_t end = text.size();
  while (end > 0 && set.Holds(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string_view TrimAnyRight(std::string_view text, std::string_view set) {
  return TrimAnyRight(text, ByteSet(set));
}

int32_t FindText(int32_t start, std::string_view text, std::string_view needle) {
  text = Reachable(text);
  if (start < 1) start = 1;
  if (text.empty() || static_cast<size_t>(start) > text.size()) return 0;
  if (needle.empty()) return start;
  const size_t hit = Find(text.substr(static_cast<size_t>(start) - 1), needle);
  return hit == std::string_view::npos ? 0 : static_cast<int32_t>(hit) + start;
}

int32_t FindAny(int32_t start, std::string_view text, const ByteSet& set) {
  text = Reachable(text);
  if (start < 1) start = 1;
  if (text.empty() || static_cast<size_t>(start) > text.size()) return 0;
  if (set.Empty()) return start;
  for (size_t i = static_cast<size_t>(start) - 1; i < text.size(); ++i) {
    if (set.Holds(text[i])) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

int32_t FindAny(int32_t start, std::string_view text, std::string_view set) {
  return FindAny(start, text, ByteSet(set));
}

std::string_view MidText(std::string_view text, int32_t start, int32_t length) {
  text = Reachable(text);
  if (start < 1) start = 1;
  const size_t from = static_cast<size_t>(start) - 1;
  if (from >= text.size()) return {};
  const size_t available = text.size() - from;
  const size_t count = length < 0 ? available : std::min(available, static_cast<size_t>(length));
  return text.substr(from, count);
}

std::string UpperText(std::string_view text) {
  // The code page 437 letters that have capitals, with them.
  constexpr std::pair<unsigned char, unsigned char> kCapitals[] = {
      {132, 142},  // a umlaut
      {148, 153},  // o umlaut
      {129, 154},  // u umlaut
      {130, 144},  // e acute
      {164, 165},  // n tilde
      {134, 143},  // a ring
      {135, 128},  // c cedilla
  };
  std::string upper(text);
  for (char& c : upper) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') {
      c = static_cast<char>(byte - 32);
      continue;
    }
    for (const auto& [small, capital] : kCapitals) {
      if (byte == small) c = static_cast<char>(capital);
    }
  }
  return upper;
}

std::string CharText(int code) {
  return std::string(1, static_cast<char>(static_cast<unsigned char>(code & 0xFF)));
}

std::string JoinText(std::string_view first, std::string_view second) {
  std::string joined;
  joined.reserve(first.size() + second.size());
  joined.append(first);
  joined.append(second);
  return joined;
}

bool SameText(std::string_view first, std::string_view second) { return first == second; }

int32_t TextLength(std::string_view text) { return static_cast<int32_t>(Reachable(text).size()); }

int32_t FieldCount(std::string_view text, std::string_view delimiter) {
  return static_cast<int32_t>(ForEachField(text, delimiter, kMaxLength, [](std::string_view) {}));
}

std::string_view FieldAt(std::string_view text, std::string_view delimiter, int32_t n) {
  if (n < 1) return {};
  std::string_view last;
  const int64_t count =
      ForEachField(text, delimiter, n, [&](std::string_view field) { last = field; });
  return count == n ? last : std::string_view();
}

void SplitFields(std::string_view text, std::string_view delimiter,
                 std::span<std::string_view> array) {
  size_t k = 0;
  ForEachField(text, delimiter, static_cast<int64_t>(array.size()),
               [&](std::string_view field) { array[k++] = field; });
  for (; k < array.size(); ++k) array[k] = {};
}

}  // namespace hostlix
