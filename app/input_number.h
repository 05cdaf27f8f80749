// The number syntax of the input fields: what the C library's wcstod reads in the "C"
// locale, with the decimal digit runs of Unicode (full-width ０ to ９ among them) read
// as digits, and the same result on every C runtime.
#pragma once

// Skips leading white space, then reads an optional sign and the longest decimal or
// hexadecimal number, "inf", "infinity" or "nan" (any case). Anything after it is
// ignored; a text without a number reads 0. Too large a number gives an infinity.
double parseInputNumber(const wchar_t* text);
