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

#include "number.h"

namespace {

// Nesting bound: each level costs about eight stack frames, and the bound keeps them
// well inside the Windows main thread's stack, far above anything a formula needs.
const int kMaxDepth = 256;
const int kMaxNameLength = 63;

struct EvalState {
  const ToolDefinition& tool;
  const double* inputValues;
  const double* outputValues;
  const char* cursor;
  int errorFlag;
  int depth;
};

// ASCII classes of our own, one table lookup each: the process locale must not change
// the language. Bytes from 0x80 up belong to no class.
enum { kBlank = 1, kDigit = 2, kLetter = 4 };

struct CharClasses {
  unsigned char of[256];
  constexpr CharClasses() : of() {
    of[int{' '}] = of[int{'\t'}] = of[int{'\n'}] = of[int{'\r'}] = kBlank;
    for (int c = '0'; c <= '9'; ++c) of[c] = kDigit;
    for (int c = 'a'; c <= 'z'; ++c) of[c] = of[c - 'a' + 'A'] = kLetter;
    of[int{'_'}] = kLetter;
  }
};
constexpr CharClasses kClasses;

bool is(char c, int classes) { return kClasses.of[static_cast<unsigned char>(c)] & classes; }
bool isBlank(char c) { return is(c, kBlank); }
bool isDigit(char c) { return is(c, kDigit); }
bool isLetter(char c) { return is(c, kLetter); }
bool isNameChar(char c) { return is(c, kLetter | kDigit); }

// NaN counts as true: only +0 and -0 are false.
bool isTrue(double v) { return v != 0.0; }

void skipBlanks(EvalState& s) {
  while (isBlank(*s.cursor)) ++s.cursor;
}

// Runs one nested level of the descent (parenthesis, call argument, prefix operator,
// exponent, conditional branch), or fails it in place when the text nests too deeply.
double descend(EvalState& s, double (*level)(EvalState&)) {
  if (s.depth >= kMaxDepth) {
    s.errorFlag = 1;
    return 0.0;
  }
  ++s.depth;
  double v = level(s);
  --s.depth;
  return v;
}

double parseExpression(EvalState& s);

// --- numbers -------------------------------------------------------------------

// number -> decimal | "0x" hexadecimal    (the longest prefix strtod would accept)
double readNumber(EvalState& s) {
  double value = 0.0;
  int32_t n = readNumberPrefix(s.cursor, &value);
  if (n == 0) s.errorFlag = 1;  // a "." that begins no number
  s.cursor += n;
  return value;
}

// --- names and calls -------------------------------------------------------------

// A name in the text, compared in place: no copy, no strlen.
struct Name {
  const char* start;
  int length;
};

bool isName(const char* key, Name name) {
  if (!key) return false;
  const char* text = name.start;
  const char* end = text + name.length;
  while (text < end && *key == *text) ++key, ++text;  // stops at the end of a shorter key
  return text == end && *key == '\0';
}

double lookUpVariable(EvalState& s, Name name) {
  const ToolDefinition& tool = s.tool;
  for (int i = 0; i < tool.inputCount; ++i)
    if (isName(tool.inputs[i].key, name)) return s.inputValues[i];
  for (int i = 0; i < tool.outputCount; ++i)
    if (isName(tool.outputs[i].key, name)) return s.outputValues[i];
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

double applyFunction1(Name name, double x, int& errorFlag) {
  for (const Function1& f : kFunctions1)
    if (isName(f.name, name)) return f.apply(x, &errorFlag);
  errorFlag = 1;
  return 0.0;
}

double applyFunction2(Name name, double a, double b, int& errorFlag) {
  for (const Function2& f : kFunctions2)
    if (isName(f.name, name)) return f.apply(a, b, &errorFlag);
  errorFlag = 1;
  return 0.0;
}

// Consumes the ")" that ends a parenthesis or a call, with the blanks behind it.
void closeParenthesis(EvalState& s) {
  if (*s.cursor == ')') {
    ++s.cursor;
    skipBlanks(s);
  } else {
    s.errorFlag = 1;
  }
}

// name -> variable | name "(" expression ["," expression] ")"
double readName(EvalState& s) {
  // Characters past the 63rd stay unread, so the expression fails as left over text.
  const char* end = s.cursor;
  while (isNameChar(*end)) ++end;
  Name name = {s.cursor, end - s.cursor < kMaxNameLength ? static_cast<int>(end - s.cursor) : kMaxNameLength};
  s.cursor += name.length;
  skipBlanks(s);
  if (*s.cursor != '(') return lookUpVariable(s, name);

  ++s.cursor;
  double a = descend(s, parseExpression);
  if (*s.cursor == ',') {
    ++s.cursor;
    double b = descend(s, parseExpression);
    closeParenthesis(s);
    return applyFunction2(name, a, b, s.errorFlag);
  }
  closeParenthesis(s);
  return applyFunction1(name, a, s.errorFlag);
}

// --- the precedence levels, tightest last ------------------------------------------
//
// The levels between the points of recursion are inlined into one another, so that an
// operand costs one call rather than seven; the structure stays one level per function.
#if defined(__GNUC__)
#define LEVEL __attribute__((always_inline)) inline
#else
#define LEVEL inline
#endif
//
// Blanks are skipped at the start of an operand and after every token, so each level
// finds its operator, if any, right at the cursor.

// primary -> "(" expression ")" | ("-" | "+" | "!") primary | number | name
double parsePrimary(EvalState& s) {
  skipBlanks(s);
  while (*s.cursor == '+') {  // unary plus changes nothing; repeat it freely
    ++s.cursor;
    skipBlanks(s);
  }
  char c = *s.cursor;
  // Names and numbers first: they are most operands.
  if (isLetter(c)) return readName(s);
  if (isDigit(c) || c == '.') {
    double v = readNumber(s);
    skipBlanks(s);
    return v;
  }
  switch (c) {
    case '(': {
      ++s.cursor;
      double v = descend(s, parseExpression);
      closeParenthesis(s);
      return v;
    }
    case '-':
      ++s.cursor;
      return -descend(s, parsePrimary);  // -0 stays a negative zero
    case '!':
      ++s.cursor;
      return descend(s, parsePrimary) == 0.0 ? 1.0 : 0.0;
    default:
      s.errorFlag = 1;  // missing operand; nothing consumed
      return 0.0;
  }
}

// power -> primary ["^" power]    (right-associative)
LEVEL double parsePower(EvalState& s) {
  double a = parsePrimary(s);
  if (*s.cursor == '^') {
    ++s.cursor;
    a = std::pow(a, descend(s, parsePower));
  }
  return a;
}

// term -> power {("*" | "/" | "%") power}
LEVEL double parseTerm(EvalState& s) {
  double a = parsePower(s);
  for (;;) {
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
LEVEL double parseSum(EvalState& s) {
  double a = parseTerm(s);
  for (;;) {
    char c = *s.cursor;
    if (c != '+' && c != '-') return a;
    ++s.cursor;
    double b = parseTerm(s);
    a = c == '+' ? a + b : a - b;
  }
}

// comparison -> sum [("<" | "<=" | ">" | ">=" | "==" | "!=") sum]   (at most one)
LEVEL double parseComparison(EvalState& s) {
  double a = parseSum(s);
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
LEVEL double parseAnd(EvalState& s) {
  double a = parseComparison(s);
  for (;;) {
    if (s.cursor[0] != '&' || s.cursor[1] != '&') return a;
    s.cursor += 2;
    double b = parseComparison(s);
    a = isTrue(a) && isTrue(b) ? 1.0 : 0.0;
  }
}

// or -> and {"||" and}
LEVEL double parseOr(EvalState& s) {
  double a = parseAnd(s);
  for (;;) {
    if (s.cursor[0] != '|' || s.cursor[1] != '|') return a;
    s.cursor += 2;
    double b = parseAnd(s);
    a = isTrue(a) || isTrue(b) ? 1.0 : 0.0;
  }
}

// expression -> or ["?" expression ":" expression]   (right-associative)
double parseExpression(EvalState& s) {
  double cond = parseOr(s);
  if (*s.cursor == '?') {
    ++s.cursor;
    double t = descend(s, parseExpression);
    if (*s.cursor == ':') ++s.cursor;
    else s.errorFlag = 1;  // the else-branch is read from where ":" was expected
    double e = descend(s, parseExpression);
    cond = isTrue(cond) ? t : e;
  }
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
