// Bounded wide texts. Every buffer has a fixed capacity in characters, terminator
// included; a text that does not fit is cut silently and always terminated. The
// formatting is the project's own so that cuts, %g exponents and %f rounding are the
// same with every C runtime.
#pragma once

#include <cstdarg>
#include <cstdint>

// Length of a text; a null text is empty.
int32_t textLength(const wchar_t* text);

// Formats into out (printf conversions: %d %i %u %x %X %lld ..., %f %e %g %a, %c %lc,
// %s (narrow) and %ls (wide), %%; flags, width and precision). Returns the characters
// written, or -1 when the text was cut. Null strings format as the empty text.
int32_t formatText(wchar_t* out, int32_t capacity, const wchar_t* format, ...);
int32_t formatTextV(wchar_t* out, int32_t capacity, const wchar_t* format, va_list args);

// Copies text into out, cut to capacity - 1 characters.
void copyText(wchar_t* out, int32_t capacity, const wchar_t* text);

// Appends piece while room remains: nothing when the buffer is full, else at most
// capacity - length - 1 characters.
void appendText(wchar_t* buffer, int32_t capacity, const wchar_t* piece);

// Formats a piece (at most 511 characters) and appends it by bounded append.
void appendFormatted(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...);
void appendFormattedV(wchar_t* buffer, int32_t capacity, const wchar_t* format, va_list args);

// Formats one line (at most 511 characters) and appends it and then CR LF, each by
// bounded append: near the end of the buffer only the CR, or nothing, may fit.
void appendLine(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...);

// Encodes text as UTF-8 without terminator into out. Returns the byte count, or -1 when
// it does not fit. Unpaired surrogates become U+FFFD.
int32_t encodeUtf8(const wchar_t* text, char* out, int32_t capacity);
