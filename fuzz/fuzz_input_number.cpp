// The input fields' number syntax on arbitrary UTF-16 text, against a reference
// reading: the C library's own wcstod (glibc) over the text with the Unicode digit runs
// mapped to ASCII digits first.
#include <cmath>
#include <cwchar>

#include "fuzz_support.h"
#include "input_number.h"

namespace {

const uint32_t kRuns[] = {0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0C66, 0x0CE6,
                          0x0D66, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10};

double referenceReading(const wchar_t* text) {
  wchar_t mapped[128];
  size_t n = 0;
  for (; text[n]; ++n) {
    wchar_t c = text[n];
    for (uint32_t first : kRuns)
      if (static_cast<uint32_t>(c) >= first && static_cast<uint32_t>(c) < first + 10) c = L'0' + (c - first);
    // Only the C locale's blanks may lead; any other character stays what it is.
    mapped[n] = c;
  }
  mapped[n] = L'\0';
  return std::wcstod(mapped, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A field holds at most 127 characters.
  size_t count = size / 2 > 127 ? 127 : size / 2;
  wchar_t text[128];
  for (size_t i = 0; i < count; ++i) {
    wchar_t c = static_cast<wchar_t>(data[2 * i] | data[2 * i + 1] << 8);
    text[i] = c ? c : L' ';
  }
  text[count] = L'\0';
  double ours = parseInputNumber(text);
  double reference = referenceReading(text);
  if (std::isnan(reference)) {
    require(std::isnan(ours), "NaN where wcstod reads NaN");
  } else {
    require(ours == reference && std::signbit(ours) == std::signbit(reference), "same value as wcstod");
  }
  return 0;
}
