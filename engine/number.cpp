// Number reading shared by the expression language and the window's input fields.
// Decimal numbers go to strtod, which is correctly rounded in glibc and in MinGW-w64's
// runtime; hexadecimal ones are read here, since C runtimes disagree on them.
#include "number.h"

#include <cmath>
#include <cstdlib>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the decimal exponent "e[+-]digits" at p, or 0 when there is none
// (an exponent marker without digits ends the number in front of it).
int exponentLength(const char* p, char lower, char upper) {
  if (*p != lower && *p != upper) return 0;
  int n = 1;
  if (p[n] == '+' || p[n] == '-') ++n;
  if (!isDigit(p[n])) return 0;
  while (isDigit(p[n])) ++n;
  return n;
}

// Reads an exponent part at p, if there is one, and adds its value to *exponent (a
// huge exponent is held at 100000, far beyond any double). Returns its length.
int readExponent(const char* p, char lower, char upper, int* exponent) {
  int n = exponentLength(p, lower, upper);
  if (n == 0) return 0;
  const char* q = p + 1;
  bool negative = *q == '-';
  if (*q == '+' || *q == '-') ++q;
  int e = 0;
  for (; isDigit(*q); ++q)
    if (e < 100000) e = e * 10 + (*q - '0');
  *exponent += negative ? -e : e;
  return n;
}

// Hexadecimal float "0x" hexdigits ["." hexdigits] ["p" [+-] digits], correctly
// rounded to nearest-even, subnormals included. Read here rather than by strtod,
// because C runtimes disagree on hex floats. Returns the characters read (0 when no
// hex digit follows "0x", in which case only the "0" is a number).
int readHexNumber(const char* text, double* value) {
  const char* p = text + 2;
  uint64_t mantissa = 0;
  int exponent = 0;  // value = mantissa * 2^exponent, before the "p" part
  bool sticky = false, anyDigit = false, seenPoint = false;
  for (;; ++p) {
    if (*p == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    int d = hexDigit(*p);
    if (d < 0) break;
    anyDigit = true;
    if (mantissa >> 60 == 0) {
      mantissa = mantissa << 4 | static_cast<uint64_t>(d);
      if (seenPoint) exponent -= 4;
    } else {
      sticky = sticky || d != 0;
      if (!seenPoint) exponent += 4;
    }
  }
  if (!anyDigit) return 0;
  p += readExponent(p, 'p', 'P', &exponent);
  if (mantissa == 0) {
    *value = 0.0;
    return static_cast<int>(p - text);
  }
  // Normalise so that bit 63 is the leading bit, then keep 53 bits (fewer for a
  // subnormal result) and round the rest to nearest, ties to even.
  while (!(mantissa >> 63)) {
    mantissa <<= 1;
    --exponent;
  }
  int leadingBit = exponent + 63;  // binary exponent of the leading bit
  if (leadingBit > 1023) {
    *value = HUGE_VAL;
  } else if (leadingBit < -1075) {
    *value = 0.0;  // below half the smallest subnormal
  } else {
    int drop = 11;
    if (leadingBit < -1022) drop += -1022 - leadingBit;  // 64 at most
    uint64_t kept = drop == 64 ? 0 : mantissa >> drop;
    uint64_t rest = drop == 64 ? mantissa : mantissa & ((uint64_t(1) << drop) - 1);
    uint64_t half = uint64_t(1) << (drop - 1);
    if (rest > half || (rest == half && (sticky || (kept & 1)))) ++kept;
    *value = std::ldexp(static_cast<double>(kept), exponent + drop);  // exact
  }
  return static_cast<int>(p - text);
}

// Reads the decimal number at text: digits ["." digits] [exponent], with at least one
// digit before the exponent. Returns its length, 0 when there is none (a lone ".").
// Numbers of at most 19 significant digits whose value is m x 10^e with m below 2^53 and
// |e| at most 22 are converted by one exact multiplication or division, which IEEE
// arithmetic rounds correctly; all others go to strtod.
int readDecimal(const char* text, double* value) {
  static const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  // Whole numbers of up to 15 digits, the common case, are exact as they stand.
  const char* p = text;
  uint64_t mantissa = 0;
  while (isDigit(*p) && p - text < 15) mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - '0');
  if (p > text && !isDigit(*p) && *p != '.' && *p != 'e' && *p != 'E') {
    *value = static_cast<double>(mantissa);
    return static_cast<int>(p - text);
  }
  p = text;
  mantissa = 0;
  int digits = 0;     // significant digits taken into the mantissa
  int exponent = 0;   // decimal exponent of the mantissa's last digit
  bool anyDigit = false, exact = true;
  auto take = [&](char c, bool fraction) {
    anyDigit = true;
    if (mantissa == 0 && c == '0') {
      if (fraction) --exponent;
      return;
    }
    if (digits < 19) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      ++digits;
      if (fraction) --exponent;
    } else {
      exact = false;  // more digits than the fast path holds
    }
  };
  for (; isDigit(*p); ++p) take(*p, false);
  if (*p == '.') {
    for (++p; isDigit(*p); ++p) take(*p, true);
  }
  if (!anyDigit) return 0;
  int n = readExponent(p, 'e', 'E', &exponent);
  int length = static_cast<int>(p - text) + n;
  if (mantissa == 0 && exact) {
    *value = 0.0;
  } else if (exact && mantissa <= (uint64_t(1) << 53) && exponent >= -22 && exponent <= 22) {
    double m = static_cast<double>(mantissa);
    *value = exponent >= 0 ? m * kPowersOfTen[exponent] : m / kPowersOfTen[-exponent];
  } else {
    *value = std::strtod(text, nullptr);  // converts exactly the scanned prefix
  }
  return length;
}

}  // namespace

int32_t readNumberPrefix(const char* text, double* value) {
  *value = 0.0;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    int n = readHexNumber(text, value);
    if (n > 0) return n;
    return 1;  // "0x" without hex digits: only the "0" is a number
  }
  return readDecimal(text, value);
}
