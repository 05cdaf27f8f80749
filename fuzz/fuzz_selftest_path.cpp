// The self-test's command-line path on arbitrary command lines: at most 519
// characters, terminated, nothing written past the buffer.
#include "fuzz_support.h"
#include "selftest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t count = size / 2;
  wchar_t* line = static_cast<wchar_t*>(std::malloc((count + 1) * sizeof(wchar_t)));
  for (size_t i = 0; i < count; ++i) line[i] = static_cast<wchar_t>(data[2 * i] | data[2 * i + 1] << 8);
  line[count] = L'\0';
  GuardedText path(kSelfTestPathCapacity);
  if (findSelfTestPath(line, path.text, path.capacity)) {
    require(path.intact(), "path terminated within its buffer");
    size_t n = 0;
    while (path.text[n]) ++n;
    require(n >= 1 && n <= 519, "path of 1 to 519 characters");
  }
  std::free(line);
  return 0;
}
