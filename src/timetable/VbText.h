// The string rules the week filter relies on, with Visual Basic's semantics:
// 1-based positions in UTF-16 code units, Mid, Val and CInt.
#pragma once

#include "core/Failure.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanto::timetable {

// 1-based position of the first occurrence of needle in text, 0 when absent.
int instr(std::u16string_view text, std::u16string_view needle);
// At most length code units starting at 1-based start; empty beyond the end.
std::u16string_view mid(std::u16string_view text, int start, int length);
// Leading number of text: blanks, tabs and line feeds ignored, optional sign, digits,
// optional decimal point and digits; stops at anything else; 0 when no digit is read.
double val(std::u16string_view text);
// Rounds half to even into 16 bits; fails with overflow (error 6) outside the range.
core::Result<std::int16_t> cint(double value);

} // namespace orvanto::timetable
