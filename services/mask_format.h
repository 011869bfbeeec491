// Mask formatting: numbers rendered through a template.
//
// Mask characters:
//   "#"        one digit position; a run of "#" is one number field.
//   "_" + c    the character c itself, whatever it is; "_" writes nothing.
//   anything else, "." included, stands for itself.
// Each value in turn takes the literal text before the next field, the
// field, and the literal text after it up to the following field or the end
// of the mask, where the mask starts over. So the result stops after the
// literal text that follows the last value's field:
//   FormatByMask("#_.#_.#_.#", {1, 2, 3})          == "1.2.3."
//   FormatByMask("#_.#_.#_.#", {1, 2, 3, 4, 5})    == "1.2.3.45."
// A field of n positions right-aligns the digits with spaces; a value with
// more digits widens the field, with no mark of it: 7 in "###" is "  7",
// 255 in "#" is "255".
//
// Values are rounded to the nearest integer (ties to even); a negative one
// is written with a "-" that takes a position of the field. Infinities and
// NaNs are written "inf" and "nan". No values give the empty text. A mask
// with no field gives its literal text once; a lone "_" at the end of the
// mask writes nothing.

#ifndef HOSTLIX_SERVICES_MASK_FORMAT_H_
#define HOSTLIX_SERVICES_MASK_FORMAT_H_

#include <span>
#include <string>
#include <string_view>

#include "services/number_text.h"

namespace hostlix {

// A result of up to 15 bytes, such as any dotted quad, is made without a
// heap allocation.
[[nodiscard]] std::string FormatByMask(std::string_view mask, std::span<const Number> values);

}  // namespace hostlix

#endif  // HOSTLIX_SERVICES_MASK_FORMAT_H_
