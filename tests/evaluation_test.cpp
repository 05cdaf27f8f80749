// The evaluation run with the Glasgow Coma Scale tool and with small custom tools,
// the value formats and the calendar.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <limits>
#include <string>

#include "evaluation.h"
#include "reports.h"

namespace {

const wchar_t kFallback[] = L"请核对输入参数后重新计算";

struct Outcome {
  std::wstring detail, verdict, copy;
  Level level, levelOut;
};

Outcome run(const ToolDefinition& tool, const double* inputs, int32_t detailCapacity = 4096) {
  wchar_t detail[4096], verdict[512], copy[8192];
  Outcome r;
  r.levelOut = -99;
  r.level = runEvaluation(tool, inputs, detail, detailCapacity, verdict, 512, &r.levelOut, copy, 8192);
  r.detail = detail;
  r.verdict = verdict;
  r.copy = copy;
  return r;
}

TEST(RunEvaluation, GcsBandsWithInclusiveBounds) {
  const struct {
    double eye, verbal, motor;
    Level level;
    const wchar_t* detail;
    const wchar_t* verdict;
  } cases[] = {
      {3, 4, 5, 2, L"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n", L"中度意识障碍，密切监测瞳孔与生命体征"},
      {1, 1, 1, 3, L"GCS 总分：3 分\r\n睁眼得分：1\r\n运动得分：1\r\n", L"重度昏迷，评估气道保护与插管指征"},
      {4, 5, 6, 1, L"GCS 总分：15 分\r\n睁眼得分：4\r\n运动得分：6\r\n", L"轻度意识障碍，动态复查"},
      {2, 3, 5, 2, L"GCS 总分：10 分\r\n睁眼得分：2\r\n运动得分：5\r\n", L"中度意识障碍，密切监测瞳孔与生命体征"},
      {2, 3, 3, 3, L"GCS 总分：8 分\r\n睁眼得分：2\r\n运动得分：3\r\n", L"重度昏迷，评估气道保护与插管指征"},
      {4, 4, 5, 1, L"GCS 总分：13 分\r\n睁眼得分：4\r\n运动得分：5\r\n", L"轻度意识障碍，动态复查"},
      {1, 1, 0.5, 3, L"GCS 总分：2 分\r\n睁眼得分：1\r\n运动得分：0\r\n", L"重度昏迷，评估气道保护与插管指征"},
      {10, 20, 10, 1, L"GCS 总分：40 分\r\n睁眼得分：10\r\n运动得分：10\r\n", L"轻度意识障碍，动态复查"},
      {4, 4, 4.5, 1, L"GCS 总分：12 分\r\n睁眼得分：4\r\n运动得分：4\r\n", L"轻度意识障碍，动态复查"},
  };
  for (const auto& c : cases) {
    const double inputs[16] = {c.eye, c.verbal, c.motor};
    Outcome r = run(getToolDefinition(), inputs);
    EXPECT_EQ(c.detail, r.detail) << c.eye << "," << c.verbal << "," << c.motor;
    EXPECT_EQ(c.verdict, r.verdict);
    EXPECT_EQ(c.level, r.level);
    EXPECT_EQ(c.level, r.levelOut);
    EXPECT_EQ(r.detail, r.copy);
  }
}

TEST(RunEvaluation, GcsDetailAtDefaultsIsTwentyNineCharacters) {
  const double inputs[16] = {3, 4, 5};
  EXPECT_EQ(29u, run(getToolDefinition(), inputs).detail.size());
}

TEST(RunEvaluation, BoundedDetailKeepsItsFirstCharacters) {
  const double inputs[16] = {3, 4, 5};
  Outcome r = run(getToolDefinition(), inputs, 20);
  EXPECT_EQ(L"GCS 总分：12 分\r\n睁眼得分：3", r.detail);
  EXPECT_EQ(19u, r.detail.size());
  EXPECT_EQ(r.detail, r.copy);
  EXPECT_EQ(2, r.level);
  for (int32_t capacity = 1; capacity < 40; ++capacity) {
    std::wstring full = L"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n";
    EXPECT_EQ(full.substr(0, capacity - 1), run(getToolDefinition(), inputs, capacity).detail);
  }
}

// A tool for the run's own rules: an output reading a later one, failing outputs,
// units absent and present, and rules that fail or are empty.
const InputField kInputs[] = {{"a", L"甲", nullptr, 2}, {"b", L"乙", L"", 0}};

ToolDefinition customTool(const OutputField* outputs, int32_t outputCount, const VerdictRule* rules,
                          int32_t ruleCount) {
  return ToolDefinition{7, L"自定", nullptr, L"类", L"据", nullptr, 2, kInputs, outputCount, outputs, ruleCount, rules, 0};
}

TEST(RunEvaluation, OutputsSeeEarlierOutputsAndZeroForLaterOnes) {
  const OutputField outputs[] = {
      {"first", L"一", L"mg", "second+1", "f0"},
      {"second", L"二", nullptr, "a*10", nullptr},
      {"third", L"三", L"", "first+second", "f1"},
  };
  const VerdictRule rules[] = {{"third==21", 2, L"对"}};
  const double inputs[16] = {2, 0};
  Outcome r = run(customTool(outputs, 3, rules, 1), inputs);
  EXPECT_EQ(L"一：1 mg\r\n二：20.00\r\n三：21.0\r\n", r.detail);
  EXPECT_EQ(L"对", r.verdict);
  EXPECT_EQ(2, r.level);
}

TEST(RunEvaluation, FailedOutputsShowTheirValueAndOneWarningLine) {
  const OutputField outputs[] = {
      {"x", L"空", nullptr, "", "f0"},
      {"y", L"除", nullptr, "a/b", "f2"},
      {"z", L"根", nullptr, "sqrt(a-5)+1", "f1"},
      {"w", L"大", nullptr, "1e999", "f0"},
  };
  const VerdictRule rules[] = {{"y", 3, L"不该"}, {"a==2", 1, L"对"}};
  const double inputs[16] = {2, 0};
  Outcome r = run(customTool(outputs, 4, rules, 2), inputs);
  EXPECT_EQ(L"空：0\r\n除：0.00\r\n根：1.0\r\n大：--\r\n（部分结果无法计算，请检查输入是否合理）\r\n", r.detail);
  EXPECT_EQ(L"对", r.verdict);  // the failing condition "y" is skipped
  EXPECT_EQ(1, r.level);
}

TEST(RunEvaluation, FallbackVerdictWhenNoRuleGivesOne) {
  const OutputField outputs[] = {{"x", L"x", nullptr, "a", "f0"}};
  const VerdictRule noneHold[] = {{"a>5", 3, L"高"}, {"nope", 2, L"错"}, {"0", 1, L"零"}};
  const VerdictRule emptyText[] = {{"a==2", 2, L""}, {"", 1, L"后"}};
  const VerdictRule nullText[] = {{"", 3, nullptr}};
  const struct {
    const VerdictRule* rules;
    int32_t count;
    Level level;
  } cases[] = {{nullptr, 0, 0}, {noneHold, 3, 0}, {emptyText, 2, 2}, {nullText, 1, 3}};
  const double inputs[16] = {2, 0};
  for (const auto& c : cases) {
    Outcome r = run(customTool(outputs, 1, c.rules, c.count), inputs);
    EXPECT_EQ(kFallback, r.verdict);
    EXPECT_EQ(c.level, r.level);
    EXPECT_EQ(c.level, r.levelOut);
  }
}

TEST(RunEvaluation, LongLinesAreCutAtTwoHundredFiftyFiveCharacters) {
  static wchar_t label[300];
  for (int i = 0; i < 299; ++i) label[i] = L'长';
  label[299] = L'\0';
  const OutputField outputs[] = {{"x", label, L"u", "1", "f0"}, {"y", L"短", nullptr, "2", "f0"}};
  const double inputs[16] = {2, 0};
  Outcome r = run(customTool(outputs, 2, nullptr, 0), inputs);
  EXPECT_EQ(std::wstring(255, L'长') + L"短：2\r\n", r.detail);
}

TEST(RunEvaluation, SmallVerdictBufferIsCutNotOverrun) {
  const double inputs[16] = {3, 4, 5};
  wchar_t detail[64], verdict[8], copy[64];
  verdict[7] = L'#';
  Level level = runEvaluation(getToolDefinition(), inputs, detail, 64, verdict, 5, nullptr, copy, 64);
  EXPECT_EQ(2, level);
  EXPECT_STREQ(L"中度意识", verdict);
}

TEST(RunCustomReport, UnknownKindsGetTheFixedNoReportText) {
  const ReportKind kinds[] = {0, 12, -3, 1000};
  for (ReportKind kind : kinds) {
    wchar_t detail[256] = L"old", verdict[64] = L"old";
    const double inputs[16] = {};
    Level level = runCustomReport(kind, getToolDefinition(), inputs, detail, 256, verdict, 64);
    EXPECT_STREQ(L"（该工具暂无自定义报告）", detail) << kind;
    EXPECT_STREQ(L"暂无报告内容", verdict);
    EXPECT_EQ(0, level);
  }
}

TEST(RunEvaluation, ReportKindsGoToTheDispatch) {
  ToolDefinition tool = getToolDefinition();
  tool.reportKind = 99;
  const double inputs[16] = {3, 4, 5};
  Outcome r = run(tool, inputs);
  EXPECT_EQ(L"（该工具暂无自定义报告）", r.detail);
  EXPECT_EQ(L"暂无报告内容", r.verdict);
  EXPECT_EQ(r.detail, r.copy);
  EXPECT_EQ(0, r.level);
}

std::wstring formatted(const char* format, double value, int32_t capacity = 128) {
  wchar_t out[128];
  formatValue(format, value, out, capacity);
  return out;
}

TEST(FormatValue, NamedFormats) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* format;
    double value;
    const wchar_t* expected;
  } cases[] = {
      {"f0", 12, L"12"},
      {"f1", 2.5, L"2.5"},
      {"f3", 1.23456, L"1.235"},
      {"int", 36.6, L"37"},
      {"int", 2.5, L"2"},  // rounded like f0, halves to even
      {"f0", 0.5, L"0"},
      {"f0", 1.5, L"2"},
      {"f0", -0.4, L"-0"},
      {"pct", 37.46, L"37.5%"},
      {"f2", -3.14159, L"-3.14"},
      {nullptr, 7, L"7.00"},
      {"f2", 7, L"7.00"},
      {"F0", 7, L"7.00"},
      {"", 7, L"7.00"},
      {"f0", nan, L"--"},
      {"date", inf, L"--"},
      {"pct", -inf, L"--"},
      {"f0", 1e20, L"100000000000000000000"},
      {"f0", 1e79, L"9999999999999999673560075006595519222746403606649979913266024618633003221909504"},
      {"f0", 1e80, L"1e+80"},  // fixed-point text too long: exponent form, not cut digits
      {"f0", -1e78, L"-1e+78"},
      {"pct", 1e300, L"1e+300%"},
      {"date", 0, L"1970-01-01"},
      {"date", -1, L"1969-12-31"},
      {"date", 11016, L"2000-02-29"},
      {"date", 19782, L"2024-02-29"},
      {"date", 19782.9, L"2024-02-29"},
      {"date", -0.5, L"1970-01-01"},
      {"date", 20089, L"2025-01-01"},
      {"date", -719162, L"0001-01-01"},
      {"date", -719529, L"-001-12-31"},
      {"date", 1e19, L"--"},
      {"date", -1e19, L"--"},
      {"date", 9.2233720368547748e18, L"--"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, formatted(c.format, c.value)) << (c.format ? c.format : "(null)") << " " << c.value;
}

// Whole numbers take a shortcut; they must print exactly as the C library prints them.
TEST(FormatValue, WholeNumbersPrintAsTheCLibraryDoes) {
  const double values[] = {0, 1, -1, 7, -12, 100, 65536, 123456789012345, -999999999999999, 1e15, -1e15, 4503599627370497};
  const struct {
    const char* format;
    const char* conversion;
  } formats[] = {{"f0", "%.0f"}, {"f1", "%.1f"}, {"f2", "%.2f"}, {"f3", "%.3f"}, {"int", "%.0f"}, {"pct", "%.1f%%"}};
  for (double v : values) {
    for (const auto& f : formats) {
      char narrow[128];
      std::snprintf(narrow, sizeof narrow, f.conversion, v);
      EXPECT_EQ(std::wstring(narrow, narrow + std::strlen(narrow)), formatted(f.format, v)) << f.format << " " << v;
    }
  }
}

TEST(FormatValue, StaysWithinSmallCapacities) {
  EXPECT_EQ(L"12.3", formatted("f2", 12.345, 5));
  EXPECT_EQ(L"-", formatted("f0", 1.0 / 0.0, 2));
  EXPECT_EQ(L"", formatted("f0", 5, 1));
  EXPECT_EQ(L"2024-0", formatted("date", 19782, 7));
}

TEST(Calendar, DaysFromCivilAndBack) {
  const struct {
    int32_t year, month, day;
    DayNumber n;
  } cases[] = {
      {1970, 1, 1, 0},       {2000, 3, 1, 11017},  {2024, 2, 29, 19782}, {1969, 12, 31, -1},
      {2024, 3, 0, 19782},   {2025, 1, 1, 20089},  {1, 1, 1, -719162},   {2000, 2, 29, 11016},
      {2024, 1, 32, 19754},  {1900, 3, 1, -25508},
  };
  for (const auto& c : cases) EXPECT_EQ(c.n, daysFromCivil(c.year, c.month, c.day)) << c.year << "-" << c.month << "-" << c.day;
  wchar_t out[32];
  EXPECT_EQ(10, civilFromDays(19782, out, 32));
  EXPECT_STREQ(L"2024-02-29", out);
  EXPECT_EQ(-1, civilFromDays(19782, out, 5));
  EXPECT_STREQ(L"2024", out);
  // Every day over a few centuries goes there and back.
  for (DayNumber n = -200000; n <= 200000; n += 7) {
    civilFromDays(n, out, 32);
    int y = 0, m = 0, d = 0;
    ASSERT_EQ(3, swscanf(out, L"%d-%d-%d", &y, &m, &d)) << n;
    ASSERT_EQ(n, daysFromCivil(y, m, d));
  }
}

TEST(Calendar, ExtremeArgumentsStayDefined) {
  wchar_t out[40];
  EXPECT_EQ(2, civilFromDays(INT64_MAX, out, 40));
  EXPECT_STREQ(L"--", out);
  EXPECT_GT(civilFromDays(INT64_MIN, out, 40), 0);
  EXPECT_GT(civilFromDays(INT64_MAX - 719468, out, 40), 0);
  // No overflow whatever the 32-bit arguments.
  EXPECT_NE(0, daysFromCivil(INT32_MIN, INT32_MIN, INT32_MIN));
  EXPECT_NE(0, daysFromCivil(INT32_MAX, INT32_MAX, INT32_MAX));
}

}  // namespace
