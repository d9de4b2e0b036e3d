// The small text forms every part of the program writes numbers and values
// in: the number-to-text form with its sign position, upper-case
// hexadecimal, and blanks trimmed off a list text.
#pragma once

#include <string>

namespace quarnel {

// A number as every label, list item and message shows it: decimal with one
// leading sign position, a blank for zero and positive values (15 -> " 15").
std::string signedDecimal(long long value);

// `value` in upper-case hexadecimal, zero-padded to `digits` digits (at
// most 8); more digits are written when the value needs them.
std::string hexDigits(unsigned value, int digits);

// The low 16 bits of `value` as four upper-case hexadecimal digits ("2030").
std::string hex4(unsigned value);

// `text` without the blanks at either end (" 15" -> "15").
std::string trimmed(const std::string& text);

}  // namespace quarnel
