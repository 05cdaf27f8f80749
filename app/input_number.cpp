#include "input_number.h"

#include <cstdint>
#include <limits>

#include "number.h"

namespace {

// First code point of each run of ten decimal digits that the field accepts.
const uint32_t kDigitRuns[] = {
    0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0C66,
    0x0CE6, 0x0D66, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10,
};

// The ASCII digit for a digit of any run, or 0 when c is no digit.
char asciiDigit(wchar_t c) {
  uint32_t code = static_cast<uint32_t>(c);
  for (uint32_t first : kDigitRuns)
    if (code >= first && code < first + 10) return static_cast<char>('0' + (code - first));
  return 0;
}

bool isSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

wchar_t lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// Whether text begins with word (lower case), ignoring case.
bool startsWithWord(const wchar_t* text, const char* word) {
  for (; *word; ++word, ++text)
    if (lower(*text) != *word) return false;
  return true;
}

}  // namespace

double parseInputNumber(const wchar_t* text) {
  if (!text) return 0.0;
  while (isSpace(*text)) ++text;
  bool negative = *text == L'-';
  if (*text == L'-' || *text == L'+') ++text;

  double value;
  if (startsWithWord(text, "inf")) {
    value = std::numeric_limits<double>::infinity();
  } else if (startsWithWord(text, "nan")) {
    value = std::numeric_limits<double>::quiet_NaN();
  } else {
    // Copy the characters a number can be made of, as ASCII, and read the longest
    // number among them. A field holds at most 127 characters; longer texts are read
    // as far as the copy goes.
    char ascii[512];
    int n = 0;
    for (; n < static_cast<int>(sizeof ascii) - 1 && text[n]; ++n) {
      wchar_t c = text[n];
      char digit = asciiDigit(c);
      bool other = (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F') || c == L'.' || c == L'x' ||
                   c == L'X' || c == L'p' || c == L'P' || c == L'+' || c == L'-';
      if (!digit && !other) break;
      ascii[n] = digit ? digit : static_cast<char>(c);
    }
    ascii[n] = '\0';
    if (readNumberPrefix(ascii, &value) == 0) return 0.0;  // no number: no sign either
  }
  return negative ? -value : value;
}
