// Recursive-descent evaluator: one function per precedence level, computing while it
// reads the text once from left to right. No tokens, no tree, no heap.
//
// A failing element sets errorFlag, stands in with a value and reading goes on, so a
// failed expression still yields the value callers show. Every operand and both
// branches of ?: are always evaluated: a fault anywhere in a formula must surface,
// whichever branch the data happens to select.
#include "expression.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Each level that can recurse (parentheses, calls, prefix operators, ^, ?:) passes
// through one of the three counted operations. The bound keeps the stack small on
// the Windows main thread, far above anything a tool formula needs.
const int kMaxDepth = 600;
const int kNameCapacity = 64;  // 63 name characters and the terminator

struct EvalState {
  const ToolDefinition& tool;
  const double* inputValues;
  const double* outputValues;
  const char* cursor;
  int errorFlag;
  int depth;
};

// ASCII classes of our own: the process locale must not change the language.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isNameChar(char c) { return isLetter(c) || isDigit(c); }
int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// NaN counts as true: only +0 and -0 are false.
bool isTrue(double v) { return v != 0.0; }

void skipBlanks(EvalState& s) {
  while (isBlank(*s.cursor)) ++s.cursor;
}

bool enterLevel(EvalState& s) {
  if (s.depth >= kMaxDepth) {
    s.errorFlag = 1;
    return false;
  }
  ++s.depth;
  return true;
}

double parseExpression(EvalState& s);

// --- numbers -------------------------------------------------------------------

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
  if (*p == 'p' || *p == 'P') {
    int n = exponentLength(p, 'p', 'P');
    if (n > 0) {
      const char* q = p + 1;
      bool negative = *q == '-';
      if (*q == '+' || *q == '-') ++q;
      long e = 0;
      for (; isDigit(*q); ++q)
        if (e < 100000) e = e * 10 + (*q - '0');
      exponent += static_cast<int>(negative ? -e : e);
      p += n;
    }
  }
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

// Length of the decimal number at text: digits ["." digits] [exponent], with at least
// one digit before the exponent; 0 when there is none (a lone ".").
int decimalLength(const char* text) {
  const char* p = text;
  bool anyDigit = false;
  while (isDigit(*p)) ++p, anyDigit = true;
  if (*p == '.') {
    ++p;
    while (isDigit(*p)) ++p, anyDigit = true;
  }
  if (!anyDigit) return 0;
  return static_cast<int>(p - text) + exponentLength(p, 'e', 'E');
}

// number -> decimal | "0x" hexadecimal    (the longest prefix strtod would accept)
double readNumber(EvalState& s) {
  const char* start = s.cursor;
  double value = 0.0;
  if (start[0] == '0' && (start[1] == 'x' || start[1] == 'X')) {
    int n = readHexNumber(start, &value);
    if (n > 0) {
      s.cursor += n;
      return value;
    }
  }
  int n = decimalLength(start);
  if (n == 0) {
    s.errorFlag = 1;
    return 0.0;
  }
  // The scan above fixes the extent; strtod in the "C" locale converts exactly that
  // prefix, correctly rounded.
  // A "0x" without hex digits reads as the "0" alone.
  bool bareHexPrefix = start[0] == '0' && (start[1] == 'x' || start[1] == 'X');
  value = bareHexPrefix ? 0.0 : std::strtod(start, nullptr);
  s.cursor += n;
  return value;
}

// --- names and calls -------------------------------------------------------------

double lookUpVariable(EvalState& s, const char* name) {
  const ToolDefinition& tool = s.tool;
  for (int i = 0; i < tool.inputCount; ++i)
    if (tool.inputs[i].key && std::strcmp(tool.inputs[i].key, name) == 0) return s.inputValues[i];
  for (int i = 0; i < tool.outputCount; ++i)
    if (tool.outputs[i].key && std::strcmp(tool.outputs[i].key, name) == 0) return s.outputValues[i];
  s.errorFlag = 1;
  return 0.0;
}

double fnSqrt(double x, int* err) { return x < 0 ? (*err = 1, 0.0) : std::sqrt(x); }
double fnAbs(double x, int*) { return std::fabs(x); }
double fnLog(double x, int* err) { return x <= 0 ? (*err = 1, 0.0) : std::log(x); }
double fnLog10(double x, int* err) { return x <= 0 ? (*err = 1, 0.0) : std::log10(x); }
double fnExp(double x, int*) { return std::exp(x); }
double fnFloor(double x, int*) { return std::floor(x); }
double fnCeil(double x, int*) { return std::ceil(x); }
double fnRound(double x, int*) { return std::floor(x + 0.5); }  // halves go up: -2.5 -> -2
double fnCbrt(double x, int*) {
  const double third = 1.0 / 3.0;
  return x < 0 ? -std::pow(-x, third) : std::pow(x, third);
}
double fnSign(double x, int*) { return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0; }

struct Function1 {
  const char* name;
  double (*apply)(double x, int* errorFlag);
};

// Tried in this order.
const Function1 kFunctions1[] = {
    {"sqrt", fnSqrt},   {"abs", fnAbs},     {"log", fnLog},     {"log10", fnLog10},
    {"exp", fnExp},     {"floor", fnFloor}, {"ceil", fnCeil},   {"round", fnRound},
    {"cbrt", fnCbrt},   {"sign", fnSign},
};

double fnMin(double a, double b, int*) { return a < b ? a : b; }
double fnMax(double a, double b, int*) { return a > b ? a : b; }
double fnPow(double a, double b, int*) { return std::pow(a, b); }
double fnMod(double a, double b, int* err) { return b == 0.0 ? (*err = 1, 0.0) : std::fmod(a, b); }

struct Function2 {
  const char* name;
  double (*apply)(double a, double b, int* errorFlag);
};

const Function2 kFunctions2[] = {
    {"min", fnMin}, {"max", fnMax}, {"pow", fnPow}, {"mod", fnMod},
};

double applyFunction1(const char* name, double x, int& errorFlag) {
  for (const Function1& f : kFunctions1)
    if (std::strcmp(f.name, name) == 0) return f.apply(x, &errorFlag);
  errorFlag = 1;
  return 0.0;
}

double applyFunction2(const char* name, double a, double b, int& errorFlag) {
  for (const Function2& f : kFunctions2)
    if (std::strcmp(f.name, name) == 0) return f.apply(a, b, &errorFlag);
  errorFlag = 1;
  return 0.0;
}

// name -> variable | name "(" expression ["," expression] ")"
double readName(EvalState& s) {
  char name[kNameCapacity];
  int length = 0;
  // Characters past the 63rd stay unread, so the expression fails as left over text.
  while (length < kNameCapacity - 1 && isNameChar(*s.cursor)) name[length++] = *s.cursor++;
  name[length] = '\0';
  skipBlanks(s);
  if (*s.cursor != '(') return lookUpVariable(s, name);

  ++s.cursor;
  double a = parseExpression(s);
  skipBlanks(s);
  if (*s.cursor == ',') {
    ++s.cursor;
    double b = parseExpression(s);
    skipBlanks(s);
    if (*s.cursor == ')') ++s.cursor;
    else s.errorFlag = 1;
    return applyFunction2(name, a, b, s.errorFlag);
  }
  if (*s.cursor == ')') ++s.cursor;
  else s.errorFlag = 1;
  return applyFunction1(name, a, s.errorFlag);
}

// --- the precedence levels, tightest last ------------------------------------------

// primary -> "(" expression ")" | ("-" | "+" | "!") primary | number | name
double parsePrimary(EvalState& s) {
  if (!enterLevel(s)) return 0.0;
  double v = 0.0;
  skipBlanks(s);
  while (*s.cursor == '+') {  // unary plus changes nothing; repeat it freely
    ++s.cursor;
    skipBlanks(s);
  }
  char c = *s.cursor;
  if (c == '(') {
    ++s.cursor;
    v = parseExpression(s);
    skipBlanks(s);
    if (*s.cursor == ')') ++s.cursor;
    else s.errorFlag = 1;
  } else if (c == '-') {
    ++s.cursor;
    v = -parsePrimary(s);  // -0 stays a negative zero
  } else if (c == '!') {
    ++s.cursor;
    v = parsePrimary(s) == 0.0 ? 1.0 : 0.0;
  } else if (isDigit(c) || c == '.') {
    v = readNumber(s);
  } else if (isLetter(c)) {
    v = readName(s);
  } else {
    s.errorFlag = 1;  // missing operand; nothing consumed
  }
  --s.depth;
  return v;
}

// power -> primary ["^" power]    (right-associative)
double parsePower(EvalState& s) {
  if (!enterLevel(s)) return 0.0;
  double a = parsePrimary(s);
  skipBlanks(s);
  if (*s.cursor == '^') {
    ++s.cursor;
    a = std::pow(a, parsePower(s));
  }
  --s.depth;
  return a;
}

// term -> power {("*" | "/" | "%") power}
double parseTerm(EvalState& s) {
  double a = parsePower(s);
  for (;;) {
    skipBlanks(s);
    char c = *s.cursor;
    if (c == '*' && s.cursor[1] == '*') return a;  // "**" is no operator
    if (c != '*' && c != '/' && c != '%') return a;
    ++s.cursor;
    double b = parsePower(s);
    if (c == '*') {
      a *= b;
    } else if (b == 0.0) {
      // A zero divisor drops the term so far and leaves the rest of it unread.
      s.errorFlag = 1;
      return 0.0;
    } else {
      a = c == '/' ? a / b : std::fmod(a, b);
    }
  }
}

// sum -> term {("+" | "-") term}
double parseSum(EvalState& s) {
  double a = parseTerm(s);
  for (;;) {
    skipBlanks(s);
    char c = *s.cursor;
    if (c != '+' && c != '-') return a;
    ++s.cursor;
    double b = parseTerm(s);
    a = c == '+' ? a + b : a - b;
  }
}

// comparison -> sum [("<" | "<=" | ">" | ">=" | "==" | "!=") sum]   (at most one)
double parseComparison(EvalState& s) {
  double a = parseSum(s);
  skipBlanks(s);
  char c = s.cursor[0];
  char next = c ? s.cursor[1] : '\0';
  bool holds;
  if (next == '=' && (c == '<' || c == '>' || c == '=' || c == '!')) {
    s.cursor += 2;
    double b = parseSum(s);
    holds = c == '<' ? a <= b : c == '>' ? a >= b : c == '=' ? a == b : a != b;
  } else if (c == '<' || c == '>') {
    s.cursor += 1;
    double b = parseSum(s);
    holds = c == '<' ? a < b : a > b;
  } else {
    return a;  // a lone "=" or "!" is left unread
  }
  return holds ? 1.0 : 0.0;
}

// and -> comparison {"&&" comparison}
double parseAnd(EvalState& s) {
  double a = parseComparison(s);
  for (;;) {
    skipBlanks(s);
    if (s.cursor[0] != '&' || s.cursor[1] != '&') return a;
    s.cursor += 2;
    double b = parseComparison(s);
    a = isTrue(a) && isTrue(b) ? 1.0 : 0.0;
  }
}

// or -> and {"||" and}
double parseOr(EvalState& s) {
  double a = parseAnd(s);
  for (;;) {
    skipBlanks(s);
    if (s.cursor[0] != '|' || s.cursor[1] != '|') return a;
    s.cursor += 2;
    double b = parseAnd(s);
    a = isTrue(a) || isTrue(b) ? 1.0 : 0.0;
  }
}

// expression -> or ["?" expression ":" expression]   (right-associative)
double parseExpression(EvalState& s) {
  if (!enterLevel(s)) return 0.0;
  double cond = parseOr(s);
  skipBlanks(s);
  if (*s.cursor == '?') {
    ++s.cursor;
    double t = parseExpression(s);
    skipBlanks(s);
    if (*s.cursor == ':') ++s.cursor;
    else s.errorFlag = 1;  // the else-branch is read from where ":" was expected
    double e = parseExpression(s);
    cond = isTrue(cond) ? t : e;
  }
  --s.depth;
  return cond;
}

}  // namespace

double evaluateExpression(const ToolDefinition& tool, const char* text,
                          const double* inputValues, const double* outputValues,
                          int* failed) {
  int dummy;
  if (!failed) failed = &dummy;
  if (!text || !*text) {
    *failed = 1;
    return 0.0;
  }
  EvalState s{tool, inputValues, outputValues, text, 0, 0};
  double value = parseExpression(s);
  skipBlanks(s);
  *failed = (*s.cursor != '\0' || s.errorFlag || !std::isfinite(value)) ? 1 : 0;
  return value;
}
