// The input fields' number syntax.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "input_number.h"

namespace {

const double kInf = INFINITY;

TEST(ParseInputNumber, ReadsTheLongestNumberAndIgnoresTheRest) {
  const struct {
    const wchar_t* text;
    double value;
  } cases[] = {
      {L"", 0},           {L"   ", 0},          {L"3", 3},             {L" \t\n12", 12},
      {L"1e3", 1000},     {L"0x10", 16},        {L"0X1p4", 16},        {L"0x", 0},
      {L"0xg", 0},        {L"12abc", 12},       {L"abc", 0},           {L"1,5", 1},
      {L"2.5", 2.5},      {L".5", 0.5},         {L"5.", 5},            {L"1e", 1},
      {L"1e+", 1},        {L"-", 0},            {L"+", 0},             {L"-7", -7},
      {L"+7", 7},         {L"--7", 0},          {L"- 7", 0},           {L"1.2.3", 1.2},
      {L"3 4", 3},        {L"1e-400", 0},       {L"4.9e-324", 4.9406564584124654e-324},
      {L"\uFF13", 3},     {L"\uFF11\uFF12.\uFF15", 12.5},  {L"\u0661\u0662", 12},  // Arabic-Indic
      {L"\u0967\u0968", 12},   // Devanagari
      {L"\u0E55", 5},          // Thai
      {L"\u1815", 5},          // Mongolian
      {L"\uFF10x\uFF11\uFF10", 16},
      {L"1\u00A0", 1},         // no-break space ends the number
      {L"\u00A01", 0},         // and is not white space before it
      {L"\uFF19", 9},          {L"\uFF1A", 0},   // the character after full-width 9 is no digit
      {L"\u065F", 0},          {L"\u066A", 0},   // just outside a run
      {L"infinite", kInf},     {L"-Infinity", -kInf}, {L"INF", kInf},  {L"in", 0},
      {L"1e999", kInf},        {L"-1e999", -kInf},
      {L"0x1p1024", kInf},
  };
  for (const auto& c : cases) {
    double v = parseInputNumber(c.text);
    EXPECT_EQ(c.value, v) << std::wstring(c.text).size() << " chars, first " << static_cast<int>(c.text[0]);
  }
}

TEST(ParseInputNumber, NotANumberInAnyCase) {
  for (const wchar_t* text : {L"nan", L"NaN", L"-nan", L"nan(123)", L"  NAN"}) EXPECT_TRUE(std::isnan(parseInputNumber(text)));
}

TEST(ParseInputNumber, NegativeZeroKeepsItsSign) {
  EXPECT_TRUE(std::signbit(parseInputNumber(L"-0")));
  // Without a number there is no sign: "-" alone and "-Knfinity" read +0, as wcstod does.
  EXPECT_FALSE(std::signbit(parseInputNumber(L"-")));
  EXPECT_FALSE(std::signbit(parseInputNumber(L"-Knfinity")));
  EXPECT_EQ(0.0, parseInputNumber(nullptr));
}

TEST(ParseInputNumber, VeryLongTextsStayBounded) {
  std::wstring digits(5000, L'9');
  EXPECT_TRUE(std::isinf(parseInputNumber(digits.c_str())));  // 511 nines: far beyond any double
  std::wstring zeros = L"0." + std::wstring(5000, L'0') + L"1";
  EXPECT_EQ(0.0, parseInputNumber(zeros.c_str()));
}

}  // namespace
