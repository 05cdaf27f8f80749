// Bounded wide texts. Numbers are converted by the C library's narrow snprintf, which
// is exact and bounded on both glibc and MinGW's C99 stdio; everything else is copied
// character by character into the caller's buffer.
#include "text.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

// A bounded writer over the caller's buffer.
struct Sink {
  wchar_t* out;
  int32_t capacity;
  int32_t length;
  bool cut;
};

void put(Sink& sink, wchar_t c) {
  if (sink.length < sink.capacity - 1) sink.out[sink.length++] = c;
  else sink.cut = true;
}

void putPadding(Sink& sink, int count) {
  for (int i = 0; i < count; ++i) put(sink, L' ');
}

int narrowLength(const char* s, int limit) {
  int n = 0;
  while ((limit < 0 || n < limit) && s[n]) ++n;
  return n;
}

int wideLength(const wchar_t* s, int limit) {
  int n = 0;
  while ((limit < 0 || n < limit) && s[n]) ++n;
  return n;
}

// One conversion after the "%": its flags, width, precision and length.
struct Conversion {
  char flags[8];
  int width;      // -1 when absent
  int precision;  // -1 when absent
  int longs;      // number of 'l'
  bool sizeT;     // z, j or t
  bool longDouble;
  wchar_t conversion;
};

const wchar_t* readConversion(const wchar_t* f, va_list& args, Conversion& conv) {
  int nflags = 0;
  while (*f == L'-' || *f == L'+' || *f == L' ' || *f == L'#' || *f == L'0') {
    if (nflags < 7) conv.flags[nflags++] = static_cast<char>(*f);
    ++f;
  }
  conv.flags[nflags] = '\0';
  conv.width = -1;
  if (*f == L'*') {
    conv.width = va_arg(args, int);
    ++f;
  } else {
    while (*f >= L'0' && *f <= L'9') conv.width = (conv.width < 0 ? 0 : conv.width) * 10 + (*f++ - L'0');
  }
  conv.precision = -1;
  if (*f == L'.') {
    ++f;
    conv.precision = 0;
    if (*f == L'*') {
      conv.precision = va_arg(args, int);
      ++f;
    } else {
      while (*f >= L'0' && *f <= L'9') conv.precision = conv.precision * 10 + (*f++ - L'0');
    }
  }
  // Keep the numbers small enough for the narrow scratch below.
  if (conv.width > 400) conv.width = 400;
  if (conv.precision > 400) conv.precision = 400;
  conv.longs = 0;
  conv.sizeT = false;
  conv.longDouble = false;
  for (;; ++f) {
    if (*f == L'l') ++conv.longs;
    else if (*f == L'h') continue;
    else if (*f == L'z' || *f == L'j' || *f == L't') conv.sizeT = true;
    else if (*f == L'L') conv.longDouble = true;
    else break;
  }
  conv.conversion = *f;
  return *f ? f + 1 : f;
}

// Builds the narrow "%<flags><width>.<precision><length><conversion>" for snprintf.
void narrowConversion(const Conversion& conv, const char* length, char conversion, char* out, int capacity) {
  char width[16] = "", precision[16] = "";
  if (conv.width >= 0) std::snprintf(width, sizeof width, "%d", conv.width);
  if (conv.precision >= 0) std::snprintf(precision, sizeof precision, ".%d", conv.precision);
  std::snprintf(out, capacity, "%%%s%s%s%s%c", conv.flags, width, precision, length, conversion);
}

void putNarrow(Sink& sink, const char* s, int n) {
  for (int i = 0; i < n; ++i) put(sink, static_cast<wchar_t>(static_cast<unsigned char>(s[i])));
}

bool leftAligned(const Conversion& conv) {
  for (const char* p = conv.flags; *p; ++p)
    if (*p == '-') return true;
  return false;
}

// One number, converted by the C library's narrow snprintf with the same flags,
// width and precision, then widened into the sink.
template <typename T>
void putNumber(Sink& sink, const Conversion& conv, const char* length, char conversion, T value) {
  char narrow[48], number[512];
  narrowConversion(conv, length, conversion, narrow, sizeof narrow);
  int n = std::snprintf(number, sizeof number, narrow, value);
  putNarrow(sink, number, n < 0 ? 0 : narrowLength(number, -1));
}

void formatInto(Sink& sink, const wchar_t* f, va_list& args) {
  while (*f) {
    if (*f != L'%') {
      put(sink, *f++);
      continue;
    }
    ++f;
    Conversion conv;
    f = readConversion(f, args, conv);
    int width = conv.width < 0 ? 0 : conv.width;
    switch (conv.conversion) {
      case L'%':
        put(sink, L'%');
        break;
      case L'd':
      case L'i': {
        long long v = conv.sizeT ? static_cast<long long>(va_arg(args, long long))
                      : conv.longs >= 2 ? va_arg(args, long long)
                      : conv.longs == 1 ? va_arg(args, long)
                                        : va_arg(args, int);
        putNumber(sink, conv, "ll", 'd', v);
        break;
      }
      case L'u':
      case L'x':
      case L'X':
      case L'o': {
        unsigned long long v = conv.sizeT ? static_cast<unsigned long long>(va_arg(args, unsigned long long))
                               : conv.longs >= 2 ? va_arg(args, unsigned long long)
                               : conv.longs == 1 ? va_arg(args, unsigned long)
                                                 : va_arg(args, unsigned);
        putNumber(sink, conv, "ll", static_cast<char>(conv.conversion), v);
        break;
      }
      case L'f':
      case L'F':
      case L'e':
      case L'E':
      case L'g':
      case L'G':
      case L'a':
      case L'A': {
        double v = conv.longDouble ? static_cast<double>(va_arg(args, long double)) : va_arg(args, double);
        putNumber(sink, conv, "", static_cast<char>(conv.conversion), v);
        break;
      }
      case L'c': {
        wchar_t c = conv.longs ? static_cast<wchar_t>(va_arg(args, unsigned int))  // wint_t after promotion
                               : static_cast<wchar_t>(static_cast<unsigned char>(va_arg(args, int)));
        if (!leftAligned(conv)) putPadding(sink, width - 1);
        put(sink, c);
        if (leftAligned(conv)) putPadding(sink, width - 1);
        break;
      }
      case L's': {
        if (conv.longs) {
          const wchar_t* s = va_arg(args, const wchar_t*);
          if (!s) s = L"";
          int n = wideLength(s, conv.precision);
          if (!leftAligned(conv)) putPadding(sink, width - n);
          for (int i = 0; i < n; ++i) put(sink, s[i]);
          if (leftAligned(conv)) putPadding(sink, width - n);
        } else {
          const char* s = va_arg(args, const char*);
          if (!s) s = "";
          int n = narrowLength(s, conv.precision);
          if (!leftAligned(conv)) putPadding(sink, width - n);
          putNarrow(sink, s, n);
          if (leftAligned(conv)) putPadding(sink, width - n);
        }
        break;
      }
      case L'\0':
        return;
      default:
        // Unknown conversions (and %n, which would write through an argument) are
        // shown as written rather than interpreted.
        put(sink, L'%');
        put(sink, conv.conversion);
        break;
    }
  }
}

}  // namespace

int32_t textLength(const wchar_t* text) { return text ? wideLength(text, -1) : 0; }

int32_t formatTextV(wchar_t* out, int32_t capacity, const wchar_t* format, va_list args) {
  if (!out || capacity < 1) return -1;
  Sink sink{out, capacity, 0, false};
  va_list copy;
  va_copy(copy, args);
  if (format) formatInto(sink, format, copy);
  va_end(copy);
  out[sink.length] = L'\0';
  return sink.cut ? -1 : sink.length;
}

int32_t formatText(wchar_t* out, int32_t capacity, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  int32_t n = formatTextV(out, capacity, format, args);
  va_end(args);
  return n;
}

void copyText(wchar_t* out, int32_t capacity, const wchar_t* text) {
  if (!out || capacity < 1) return;
  out[0] = L'\0';
  appendText(out, capacity, text);
}

void appendText(wchar_t* buffer, int32_t capacity, const wchar_t* piece) {
  if (!buffer || capacity < 1 || !piece) return;
  int32_t length = wideLength(buffer, capacity);  // an unterminated buffer counts as full
  while (length < capacity - 1 && *piece) buffer[length++] = *piece++;
  if (length < capacity) buffer[length] = L'\0';
}

void appendFormattedV(wchar_t* buffer, int32_t capacity, const wchar_t* format, va_list args) {
  wchar_t piece[512];
  formatTextV(piece, 512, format, args);
  appendText(buffer, capacity, piece);
}

void appendFormatted(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  appendFormattedV(buffer, capacity, format, args);
  va_end(args);
}

void appendLine(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  appendFormattedV(buffer, capacity, format, args);
  va_end(args);
  appendText(buffer, capacity, L"\r\n");
}

int32_t encodeUtf8(const wchar_t* text, char* out, int32_t capacity) {
  int32_t n = 0;
  for (const wchar_t* p = text; p && *p; ++p) {
    uint32_t c = static_cast<uint32_t>(*p);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(p[1]) - 0xDC00);
      ++p;
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = 0xFFFD;
    }
    unsigned char bytes[4];
    int count;
    if (c < 0x80) {
      bytes[0] = static_cast<unsigned char>(c);
      count = 1;
    } else if (c < 0x800) {
      bytes[0] = static_cast<unsigned char>(0xC0 | c >> 6);
      bytes[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
      count = 2;
    } else if (c < 0x10000) {
      bytes[0] = static_cast<unsigned char>(0xE0 | c >> 12);
      bytes[1] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
      bytes[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
      count = 3;
    } else {
      bytes[0] = static_cast<unsigned char>(0xF0 | c >> 18);
      bytes[1] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
      bytes[2] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
      bytes[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
      count = 4;
    }
    if (n + count > capacity) return -1;
    std::memcpy(out + n, bytes, count);
    n += count;
  }
  return n;
}
