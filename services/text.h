// Text primitives: the small set of byte-string operations the front end is
// written in.
//
// A text is any sequence of bytes (NUL included); nothing here knows about
// character sets, locales or case folding, except UpperText. Positions are
// 1-based; a position result of 0 means "not found". Arguments are never
// changed. A result that is a piece of an argument (TrimAnyLeft, TrimAnyRight,
// MidText, FieldAt, SplitFields) is a view into that argument and lives as
// long as it; results with new bytes (UpperText, CharText, JoinText) are
// strings owned by the caller.
//
// Out-of-range positions and lengths give 0 or the empty text, never an
// error. Texts are assumed shorter than 2^31 bytes: positions and lengths
// are int32_t, and bytes past position 2147483647 are never reached.
//
// Every operation is linear in the size of its arguments, with one
// exception: searches are the standard library's, linear in the text for
// short needles such as the command's ("://", ".") but slower for long
// periodic ones. Only UpperText, CharText and JoinText allocate, and only for
// a result too long for the string's own inline storage.

#ifndef HOSTLIX_SERVICES_TEXT_H_
#define HOSTLIX_SERVICES_TEXT_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hostlix {

// The bytes of a character-set text, as a membership table of 256 bits.
// TrimAnyLeft, TrimAnyRight and FindAny take either the text or the table;
// a fixed set can be made into a table once, by the compiler:
//   constexpr ByteSet kSeparators("\\/");
// The set of the empty text has no members and counts as empty.
class ByteSet {
 public:
  constexpr explicit ByteSet(std::string_view members) {
    for (const char c : members) {
      const auto byte = static_cast<unsigned char>(c);
      bits_[byte >> 6] |= uint64_t{1} << (byte & 63);
    }
  }

  [[nodiscard]] constexpr bool Holds(char c) const {
    const auto byte = static_cast<unsigned char>(c);
    return ((bits_[byte >> 6] >> (byte & 63)) & 1) != 0;
  }

  [[nodiscard]] constexpr bool Empty() const {
    return (bits_[0] | bits_[1] | bits_[2] | bits_[3]) == 0;
  }

 private:
  uint64_t bits_[4] = {0, 0, 0, 0};
};

// Returns `text` without its longest prefix made only of bytes found in
// `set`. An empty set leaves the text unchanged.
//   TrimAnyLeft("..\\a.b", ".\\") == "a.b"
[[nodiscard]] std::string_view TrimAnyLeft(std::string_view text, std::string_view set);
[[nodiscard]] std::string_view TrimAnyLeft(std::string_view text, const ByteSet& set);

// Mirror of TrimAnyLeft: removes the longest suffix made of bytes in `set`.
//   TrimAnyRight("a.b..", ".") == "a.b"
[[nodiscard]] std::string_view TrimAnyRight(std::string_view text, std::string_view set);
[[nodiscard]] std::string_view TrimAnyRight(std::string_view text, const ByteSet& set);

// Position of the first occurrence of `needle` at or after `start`, or 0.
// An empty text, or a start past its end, gives 0 before anything else; an
// empty needle is then found at `start`. A start below 1 counts as 1.
//   FindText(1, "a://b://c", "://") == 2
[[nodiscard]] int32_t FindText(int32_t start, std::string_view text, std::string_view needle);

// Position of the first byte at or after `start` that belongs to `set`, or 0.
// Same rules as FindText for an empty text, a start past the end, an empty
// set (found at `start`) and a start below 1.
//   FindAny(1, "a/b\\c", "\\/") == 2
[[nodiscard]] int32_t FindAny(int32_t start, std::string_view text, std::string_view set);
[[nodiscard]] int32_t FindAny(int32_t start, std::string_view text, const ByteSet& set);

// Up to `length` bytes of `text` from position `start`. A negative length
// means "to the end"; a start past the end gives the empty text. A start
// below 1 counts as 1.
//   MidText("abc", 2, -5) == "bc"
[[nodiscard]] std::string_view MidText(std::string_view text, int32_t start, int32_t length);

// Maps a-z to A-Z and seven code page 437 letters to their capitals
// (132->142, 148->153, 129->154, 130->144, 164->165, 134->143, 135->128).
// Every other byte, 228 included, is unchanged.
[[nodiscard]] std::string UpperText(std::string_view text);

// A one-byte text holding `code`. Codes outside 0..255 keep their low eight
// bits, so CharText(-1) is the byte 255 and CharText(256) the byte 0.
[[nodiscard]] std::string CharText(int code);

// `first` followed by `second`.
[[nodiscard]] std::string JoinText(std::string_view first, std::string_view second);

// True when both texts hold the same bytes; case-sensitive.
[[nodiscard]] bool SameText(std::string_view first, std::string_view second);

// Number of bytes in `text` (capped at 2147483647).
[[nodiscard]] int32_t TextLength(std::string_view text);

// Fields are the pieces between non-overlapping occurrences of `delimiter`,
// found left to right. Empty fields count; the empty text is one empty
// field. An empty delimiter never occurs, so the whole text is one field.
//   FieldCount("1..2.3", ".") == 4,  FieldCount("a...b", "..") == 2

// Number of fields: occurrences of the delimiter plus one.
[[nodiscard]] int32_t FieldCount(std::string_view text, std::string_view delimiter);

// Field `n` (1-based); the empty text when n is below 1 or past the last.
//   FieldAt("1..2.3", ".", 3) == "2"
[[nodiscard]] std::string_view FieldAt(std::string_view text, std::string_view delimiter,
                                       int32_t n);

// Puts field k into array[k - 1] for every element of `array`; elements past
// the last field get the empty text, fields past the last element are
// dropped (the last element gets only its own field).
void SplitFields(std::string_view text, std::string_view delimiter,
                 std::span<std::string_view> array);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_TEXT_H_
