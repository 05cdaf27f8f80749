// Reading a number from text exactly as the C library's strtod does in the "C"
// locale, but with the same correctly rounded result on every C runtime.
#pragma once

#include <cstdint>

// Reads the longest unsigned number at text: decimal digits with an optional "." and
// exponent ("e" or "E", optional sign, digits), or "0x"/"0X" with hexadecimal digits,
// an optional "." and an optional binary exponent ("p" or "P", optional sign, decimal
// digits). Returns the characters read, 0 when no number begins there. Too large a
// magnitude gives infinity.
int32_t readNumberPrefix(const char* text, double* value);
