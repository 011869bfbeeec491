// The text primitives on arbitrary texts and wild positions, lengths and
// field numbers: every result within its documented bounds, searches, pieces
// and fields equal to the obvious ones, and the three field operations in
// agreement.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "services/text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool InSet(char c, const std::string& set) { return set.find(c) != std::string::npos; }

// The fields of `text` found by walking it byte by byte: at each position
// where the delimiter starts, the field ends and the walk goes on after the
// delimiter. An empty delimiter never matches.
std::vector<std::string_view> PlainFields(std::string_view text, std::string_view delimiter) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  size_t at = 0;
  while (!delimiter.empty() && at + delimiter.size() <= text.size()) {
    if (text.substr(at, delimiter.size()) == delimiter) {
      fields.push_back(text.substr(start, at - start));
      at += delimiter.size();
      start = at;
    } else {
      ++at;
    }
  }
  fields.push_back(text.substr(start));
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hostlix;
  FuzzInput in(data, size);
  const int32_t start = in.TakeInt32();
  const int32_t length = in.TakeInt32();
  const int32_t n = in.TakeInt32();
  const std::string set = in.TakeText(8);
  const std::string text = in.TakeRest();
  const size_t from = static_cast<size_t>(std::max(start, 1)) - 1;

  const std::string_view left = TrimAnyLeft(text, set);
  Require(text.size() >= left.size() &&
          text.compare(text.size() - left.size(), left.size(), left) == 0);
  Require(left.empty() || !InSet(left.front(), set));
  Require(std::all_of(text.begin(), text.end() - static_cast<ptrdiff_t>(left.size()),
                      [&](char c) { return InSet(c, set); }));
  const std::string_view right = TrimAnyRight(text, set);
  Require(text.compare(0, right.size(), right) == 0);
  Require(right.empty() || !InSet(right.back(), set));

  // The set doubles as a needle for FindText.
  const int32_t found = FindText(start, text, set);
  int32_t expected = 0;
  if (!text.empty() && from < text.size()) {
    const size_t hit = text.find(set, from);
    expected = hit == std::string::npos ? 0 : static_cast<int32_t>(hit) + 1;
  }
  Require(found == expected);
  const int32_t any = FindAny(start, text, set);
  expected = 0;
  if (!text.empty() && from < text.size()) {
    if (set.empty()) {
      expected = static_cast<int32_t>(from) + 1;
    } else {
      const size_t hit = text.find_first_of(set, from);
      expected = hit == std::string::npos ? 0 : static_cast<int32_t>(hit) + 1;
    }
  }
  Require(any == expected);

  // std::string::substr clamps the length to what is left by itself.
  const std::string_view mid = MidText(text, start, length);
  Require(mid == text.substr(std::min(from, text.size()),
                             length < 0 ? std::string::npos : static_cast<size_t>(length)));

  Require(UpperText(text).size() == text.size());
  Require(CharText(n).size() == 1);
  Require(JoinText(text, set) == text + set);

  // The fields as the plain walk finds them: their number, every one of them
  // through SplitFields in one pass, and the elements past the last empty.
  const std::vector<std::string_view> plain = PlainFields(text, set);
  const int32_t count = FieldCount(text, set);
  Require(count == static_cast<int32_t>(plain.size()));
  std::vector<std::string_view> fields(plain.size() + 2, "stale");
  SplitFields(text, set, fields);
  Require(std::equal(plain.begin(), plain.end(), fields.begin()));
  Require(fields[plain.size()].empty() && fields[plain.size() + 1].empty());
  // FieldAt agrees on the first fields, the last one, field n and past the end.
  for (int32_t k = 1; k <= count && k <= 4; ++k) {
    Require(FieldAt(text, set, k) == fields[static_cast<size_t>(k) - 1]);
  }
  Require(FieldAt(text, set, count) == fields[static_cast<size_t>(count) - 1]);
  const std::string_view field_n = FieldAt(text, set, n);
  Require(n >= 1 && n <= count ? field_n == fields[static_cast<size_t>(n) - 1] : field_n.empty());
  Require(FieldAt(text, set, count + 1).empty());
  // A smaller array gets the first fields only, the last element its own
  // field and not the rest of the text.
  std::array<std::string_view, 3> small;
  SplitFields(text, set, small);
  for (size_t k = 0; k < small.size(); ++k) {
    Require(small[k] == (k < plain.size() ? plain[k] : std::string_view()));
  }
  return 0;
}
