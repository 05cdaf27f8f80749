// The expression language, case by case: value and failure flag for each text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "expression.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct Case {
  const char* text;
  double value;
  int failed;
};

// Evaluated against the Glasgow Coma Scale tool at eye 3, verbal 4, motor 5, with the
// output slots holding 12, 3 and 5 as after a run.
const Case kCases[] = {
    // the tool's own formulas
    {"eye+verbal+motor", 12, 0},
    {"eye+verbal+motor<=12", 1, 0},
    {"eye+verbal+motor<=8", 0, 0},
    {"total+1", 13, 0},
    {"eye_pct*motor_pct", 15, 0},
    // precedence and associativity
    {"-2^2", 4, 0},
    {"2^3^2", 512, 0},
    {"2^-1", 0.5, 0},
    {"2^-2", 0.25, 0},
    {"2*3^2", 18, 0},
    {"10-4-3", 3, 0},
    {"8/2/2", 2, 0},
    {"3--2", 5, 0},
    {"2++3", 5, 0},
    {"+ + 4", 4, 0},
    {"5", 5, 0},
    {"7%3", 1, 0},
    {"-7%3", -1, 0},
    {"7%-3", 1, 0},
    {"7.5%2", 1.5, 0},
    // conditional
    {"1?2:3", 2, 0},
    {"0?2:3", 3, 0},
    {"0?1:0?2:3", 3, 0},
    {"1?0?5:6:7", 6, 0},
    {"-0 ? 1 : 2", 2, 0},
    // logic
    {"5 && 0 || 2", 1, 0},
    {"2&&3", 1, 0},
    {"0||3", 1, 0},
    {"!0", 1, 0},
    {"!3", 0, 0},
    {"-!0", -1, 0},
    {"!1 == 0", 1, 0},
    // comparisons: at most one per level
    {"1+2 == 3", 1, 0},
    {"1 < 2 && 3 > 2", 1, 0},
    {"(1<2)<3", 1, 0},
    {"2 != 2", 0, 0},
    {"2 >= 3", 0, 0},
    {"1<2<3", 1, 1},
    {"1 < 2 == 1", 1, 1},
    {"2**3", 2, 1},
    {"1 = 1", 1, 1},
    {"1 < = 2", 0, 1},
    {"1 & 1", 1, 1},
    {"1 | 1", 1, 1},
    {"2 !", 2, 1},
    {"1 : 2", 1, 1},
    {"eye eye", 3, 1},
    {"2x", 2, 1},
    // division by zero drops the term
    {"1/0", 0, 1},
    {"1/0+5", 5, 1},
    {"2*3/0", 0, 1},
    {"1/0*3", 0, 1},
    {"5%0", 0, 1},
    {"1/-0", 0, 1},
    // both branches and both operands are always evaluated
    {"1?2:1/0", 2, 1},
    {"0 && sqrt(-1)", 0, 1},
    {"1 || abc", 1, 1},
    // functions
    {"sqrt(16)", 4, 0},
    {"sqrt (16)", 4, 0},
    {"SQRT(16)", 0, 1},
    {"sqrt(-4)", 0, 1},
    {"log(0)", 0, 1},
    {"log(-1)", 0, 1},
    {"log10(1000)", 3, 0},
    {"log10(0)", 0, 1},
    {"exp(0)", 1, 0},
    {"floor(-1.5)", -2, 0},
    {"ceil(-1.5)", -1, 0},
    {"round(2.5)", 3, 0},
    {"round(-2.5)", -2, 0},
    {"round(0.49999999999999994)", 1, 0},
    {"cbrt(-8)", -2, 0},
    {"cbrt(64)", 3.9999999999999996, 0},
    {"sign(-0.5)", -1, 0},
    {"sign(0)", 0, 0},
    {"abs(-3)", 3, 0},
    {"min(2,1)", 1, 0},
    {"max(2, 1)", 2, 0},
    {"pow(2,10)", 1024, 0},
    {"mod(7,3)", 1, 0},
    {"mod(7,0)", 0, 1},
    {"mod(7,0)+1", 1, 1},
    {"min(3)", 0, 1},
    {"sqrt(4,5)", 0, 1},
    {"sqrt()", 0, 1},
    {"min(1,2,3)", 1, 1},
    {"hypot(3,4)", 0, 1},
    {"sqrt(16", 4, 1},
    {"sqrt", 0, 1},  // a function name without "(" is a variable, and unknown
    // numbers
    {"0x1A", 26, 0},
    {"0X1a", 26, 0},
    {"0x1.8p1", 3, 0},
    {"0x.8", 0.5, 0},
    {"0x10p-4", 1, 0},
    {"0xg", 0, 1},  // "0" then "xg" left over
    {"0x1p", 1, 1},
    {"1e3", 1000, 0},
    {"1E+2", 100, 0},
    {"2.5e-1", 0.25, 0},
    {".5", 0.5, 0},
    {"5.", 5, 0},
    {"1e", 1, 1},
    {"1e+", 1, 1},
    {".", 0, 1},
    {"..5", 0, 1},
    {"007", 7, 0},
    // blanks
    {"", 0, 1},
    {"   ", 0, 1},
    {"  7  ", 7, 0},
    {"\t7\r\n", 7, 0},
    {"\v7", 0, 1},
    {"\f7", 0, 1},
    {"1 +\n2", 3, 0},
    // names
    {"abc", 0, 1},
    {"abc+1", 1, 1},
    {"Eye", 0, 1},
    {"_", 0, 1},
    // parentheses and conditionals left open
    {"(1", 1, 1},
    {"(1+2)*3", 9, 0},
    {"()", 0, 1},
    {"1 ? 2", 2, 1},
    {"1 ? 2 : 3 : 4", 2, 1},
    {"1 +", 1, 1},
    {")", 0, 1},
    {"1)", 1, 1},
    // non-finite values fail only at the end
    {"1e999", kInf, 1},
    {"1e999>0", 1, 0},
    {"0*1e999", kNaN, 1},
    {"(-8)^(1/3)", kNaN, 1},
    {"(-8)^(1/3)!=0", 1, 0},
    {"(-8)^(1/3)>0", 0, 0},
    {"0^-1", kInf, 1},
    {"sign(0*1e999)", 0, 0},
    {"!(0*1e999)", 0, 0},
    {"(0*1e999) && 1", 1, 0},
    {"0*1e999 ? 5 : 6", 5, 0},
    {"(0*1e999) != (0*1e999)", 1, 0},
    {"(0*1e999) == (0*1e999)", 0, 0},
    {"min(0*1e999, 1)", 1, 0},
    {"min(1, 0*1e999)", kNaN, 1},
    {"sqrt(0*1e999)", kNaN, 1},
    // bytes outside ASCII are no part of the language
    {"\xe5\x8a\xa0", 0, 1},
    {"1\xff", 1, 1},
};

void expectSameDouble(double expected, double actual, const std::string& what) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << what << " gave " << actual;
  } else {
    EXPECT_EQ(expected, actual) << what;
    EXPECT_EQ(std::signbit(expected), std::signbit(actual)) << what << " sign of zero";
  }
}

class ExpressionTest : public ::testing::Test {
 protected:
  double evaluate(const char* text, int* failed) {
    return evaluateExpression(getToolDefinition(), text, inputs, outputs, failed);
  }
  double inputs[16] = {3, 4, 5};
  double outputs[16] = {12, 3, 5};
};

TEST_F(ExpressionTest, EvaluatesEveryCaseToItsValueAndFlag) {
  for (const Case& c : kCases) {
    int failed = -1;
    double value = evaluate(c.text, &failed);
    std::string what = std::string("\"") + c.text + "\"";
    EXPECT_EQ(c.failed, failed) << what;
    expectSameDouble(c.value, value, what);
  }
}

TEST_F(ExpressionTest, GcsBandsAtTheSpecimenInputs) {
  inputs[0] = 2, inputs[1] = 3, inputs[2] = 5;
  int failed = -1;
  EXPECT_EQ(0.0, evaluate("eye+verbal+motor<=8", &failed));
  EXPECT_EQ(0, failed);
  EXPECT_EQ(1.0, evaluate("eye+verbal+motor<=12", &failed));
  EXPECT_EQ(0, failed);
}

TEST_F(ExpressionTest, OutputSlotsAreReadAsTheCallerLeftThem) {
  outputs[0] = 0;
  int failed = -1;
  EXPECT_EQ(1.0, evaluate("total+1", &failed));
  EXPECT_EQ(0, failed);
}

TEST_F(ExpressionTest, NegationOfZeroGivesNegativeZero) {
  int failed = -1;
  double v = evaluate("-0", &failed);
  EXPECT_EQ(0, failed);
  EXPECT_TRUE(std::signbit(v));
}

TEST_F(ExpressionTest, NullTextFailsWithZero) {
  int failed = -1;
  EXPECT_EQ(0.0, evaluate(nullptr, &failed));
  EXPECT_EQ(1, failed);
}

// An input whose key equals an output's key hides the output.
TEST(ExpressionLookup, InputsShadowOutputsAndFunctionsNeedParentheses) {
  const InputField inputs[] = {{"x", L"x", L"", 0}, {"sqrt", L"s", L"", 0}};
  const OutputField outputs[] = {{"x", L"x2", L"", "1", "f0"}, {"y", L"y", L"", "1", "f0"}};
  const ToolDefinition tool = {1, L"t", nullptr, L"c", L"r", nullptr, 2, inputs, 2, outputs, 0, nullptr, 0};
  const double in[] = {7, 9};
  const double out[] = {100, 200};
  const Case cases[] = {
      {"x", 7, 0},
      {"y", 200, 0},
      {"sqrt", 9, 0},
      {"sqrt(sqrt)", 3, 0},
  };
  for (const Case& c : cases) {
    int failed = -1;
    EXPECT_EQ(c.value, evaluateExpression(tool, c.text, in, out, &failed)) << c.text;
    EXPECT_EQ(c.failed, failed) << c.text;
  }
}

TEST(ExpressionNames, AreTakenUpToSixtyThreeCharacters) {
  std::string key63(63, 'k');
  const InputField inputs[] = {{key63.c_str(), L"k", L"", 4}};
  const ToolDefinition tool = {1, L"t", nullptr, L"c", L"r", nullptr, 1, inputs, 0, nullptr, 0, nullptr, 0};
  const double in[] = {4};
  int failed = -1;
  EXPECT_EQ(4.0, evaluateExpression(tool, key63.c_str(), in, nullptr, &failed));
  EXPECT_EQ(0, failed);
  // The 64th letter stays unread: the value of the first 63, and a failure.
  std::string key64 = key63 + "k";
  EXPECT_EQ(4.0, evaluateExpression(tool, key64.c_str(), in, nullptr, &failed));
  EXPECT_EQ(1, failed);
}

// Numbers are read the same with every C runtime: hex floats and subnormals included.
TEST(ExpressionNumbers, AreCorrectlyRounded) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0.1", 0.1},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"2.4703282292062328e-324", 4.9406564584124654e-324},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"9007199254740993", 9007199254740992.0},
      {"0.30000000000000004441", 0.30000000000000004},
      {"0x1p-1074", 4.9406564584124654e-324},
      {"0x1p-1075", 0.0},
      {"0x1.8p-1075", 4.9406564584124654e-324},
      {"0x1.fffffffffffff8p0", 2.0},
      {"0x1.fffffffffffff7p0", 0x1.fffffffffffffp0},
      {"0x20000000000001", 9007199254740992.0},
      {"0x20000000000003", 9007199254740996.0},
      {"0x200000000000010000001", 0x1.0000000000001p+81},
      {"0x1.fffffffffffffp1023", 1.7976931348623157e308},
  };
  const double none[16] = {};
  for (const auto& c : cases) {
    int failed = -1;
    double v = evaluateExpression(getToolDefinition(), c.text, none, none, &failed);
    EXPECT_EQ(c.value, v) << c.text;
    EXPECT_EQ(0, failed) << c.text;
  }
}

// Short numbers take an exact shortcut; every one must equal what strtod reads.
TEST(ExpressionNumbers, ShortcutAgreesWithStrtod) {
  const double none[16] = {};
  uint64_t seed = 42;
  auto next = [&] { return seed = seed * 6364136223846793005ull + 1442695040888963407ull, seed >> 33; };
  for (int round = 0; round < 200000; ++round) {
    char text[64];
    int digits = 1 + static_cast<int>(next() % 20);
    int n = 0;
    int point = static_cast<int>(next() % (digits + 1));
    for (int i = 0; i < digits; ++i) {
      if (i == point) text[n++] = '.';
      text[n++] = static_cast<char>('0' + next() % 10);
    }
    if (next() % 2) n += std::snprintf(text + n, sizeof text - n, "e%d", static_cast<int>(next() % 60) - 30);
    text[n] = '\0';
    int failed = -1;
    double v = evaluateExpression(getToolDefinition(), text, none, none, &failed);
    ASSERT_EQ(std::strtod(text, nullptr), v) << text;
  }
}

TEST(ExpressionDepth, DeepNestingFailsCleanly) {
  const double none[16] = {};
  const int kLevels = 10000;
  const char* openers[] = {"(", "-", "!", "sqrt(", "+(", "1?"};
  for (const char* opener : openers) {
    std::string text;
    for (int i = 0; i < kLevels; ++i) text += opener;
    text += "1";
    int failed = -1;
    double v = evaluateExpression(getToolDefinition(), text.c_str(), none, none, &failed);
    EXPECT_EQ(1, failed) << opener;
    (void)v;
  }
  std::string powers = "2";
  for (int i = 0; i < kLevels; ++i) powers += "^1";
  int failed = -1;
  evaluateExpression(getToolDefinition(), powers.c_str(), none, none, &failed);
  EXPECT_EQ(1, failed);
  // Unary plus nests nothing: any number of them may stand in a row.
  std::string pluses(10000, '+');
  pluses += "7";
  EXPECT_EQ(7.0, evaluateExpression(getToolDefinition(), pluses.c_str(), none, none, &failed));
  EXPECT_EQ(0, failed);
  // Moderate nesting, as a real formula might have, still works.
  std::string moderate(100, '(');
  moderate += "1";
  moderate += std::string(100, ')');
  EXPECT_EQ(1.0, evaluateExpression(getToolDefinition(), moderate.c_str(), none, none, &failed));
  EXPECT_EQ(0, failed);
}

TEST(ExpressionBytes, RandomTextsNeverCrashAndKeepTheContract) {
  const double in[16] = {3, 4, 5};
  const double out[16] = {12, 3, 5};
  const char alphabet[] = "0123456789.eExXpP+-*/%^()<>=!&|?:, \t\r\n\v_abcdmotrveysqin\x80\xff";
  uint32_t seed = 12345;
  for (int round = 0; round < 20000; ++round) {
    char text[64];
    seed = seed * 1664525u + 1013904223u;
    int length = static_cast<int>(seed >> 27);  // 0..31
    for (int i = 0; i < length; ++i) {
      seed = seed * 1664525u + 1013904223u;
      text[i] = alphabet[(seed >> 16) % (sizeof alphabet - 1)];
    }
    text[length] = '\0';
    int failed = -1;
    double v = evaluateExpression(getToolDefinition(), text, in, out, &failed);
    ASSERT_TRUE(failed == 0 || failed == 1) << text;
    if (failed == 0) {
      ASSERT_TRUE(std::isfinite(v)) << text;
    }
  }
}

}  // namespace
