// The evaluation run, shared by the window's compute command and the self-test, so
// that both show exactly the same results for the same inputs.
#include "evaluation.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "expression.h"
#include "reports.h"
#include "text.h"

namespace {

const wchar_t kWarningLine[] = L"（部分结果无法计算，请检查输入是否合理）\r\n";
const wchar_t kFallbackVerdict[] = L"请核对输入参数后重新计算";

bool isEmpty(const wchar_t* text) { return !text || !*text; }

struct ValueFormat {
  const char* name;
  int decimals;   // as in "%.<decimals>f"
  bool percent;   // followed by "%"
  bool date;      // a day number written as a calendar date
};

// Compared in this order; any other name, "f2" included, is written "%.2f".
const ValueFormat kValueFormats[] = {
    {"f0", 0, false, false}, {"f1", 1, false, false}, {"f3", 3, false, false},
    {"int", 0, false, false},   // rounded like f0, not truncated
    {"pct", 1, true, false},    // the value is not multiplied by 100
    {"date", 0, false, true},
};
const ValueFormat kDefaultFormat = {"f2", 2, false, false};

// Writes "%.<decimals>f" (and "%") into scratch. Whole numbers below 10^15, the usual
// scores and counts, are written directly; they print exactly as the C library would.
int formatFixed(double value, const ValueFormat& f, char* scratch, int capacity) {
  if (value == std::floor(value) && std::fabs(value) < 1e15 && !(value == 0.0 && std::signbit(value))) {
    char digits[24];
    int n = 0;
    uint64_t whole = static_cast<uint64_t>(std::fabs(value));
    do digits[n++] = static_cast<char>('0' + whole % 10); while (whole /= 10);
    int length = 0;
    if (value < 0) scratch[length++] = '-';
    while (n > 0) scratch[length++] = digits[--n];
    if (f.decimals > 0) {
      scratch[length++] = '.';
      for (int i = 0; i < f.decimals; ++i) scratch[length++] = '0';
    }
    if (f.percent) scratch[length++] = '%';
    scratch[length] = '\0';
    return length;
  }
  return std::snprintf(scratch, capacity, f.percent ? "%.*f%%" : "%.*f", f.decimals, value);
}

void widen(const char* text, wchar_t* out, int32_t capacity) {
  int32_t n = 0;
  while (n < capacity - 1 && text[n]) {
    out[n] = static_cast<wchar_t>(static_cast<unsigned char>(text[n]));
    ++n;
  }
  out[n] = L'\0';
}

}  // namespace

void formatValue(const char* format, double value, wchar_t* out, int32_t capacity) {
  if (!out || capacity < 1) return;
  if (!std::isfinite(value)) {
    copyText(out, capacity, L"--");
    return;
  }
  const ValueFormat* f = &kDefaultFormat;
  if (format) {
    for (const ValueFormat& candidate : kValueFormats) {
      if (std::strcmp(candidate.name, format) == 0) {
        f = &candidate;
        break;
      }
    }
  }
  if (f->date) {
    // Truncated toward zero; beyond the 64-bit range there is no day to show.
    if (value >= 9223372036854775808.0 || value < -9223372036854775808.0) copyText(out, capacity, L"--");
    else civilFromDays(static_cast<DayNumber>(value), out, capacity);
    return;
  }
  char scratch[80];
  int n = formatFixed(value, *f, scratch, sizeof scratch);
  if (n < 0 || n >= static_cast<int>(sizeof scratch)) {
    // Fixed-point text of a huge value would not fit; show it exactly in exponent form
    // instead of cutting digits off a number.
    std::snprintf(scratch, sizeof scratch, f->percent ? "%.6g%%" : "%.6g", value);
  }
  widen(scratch, out, capacity);
}

DayNumber daysFromCivil(int32_t year, int32_t month, int32_t day) {
  // 64-bit throughout, so that no argument can overflow.
  int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - 400 * era;
  int64_t mp = month > 2 ? static_cast<int64_t>(month) - 3 : static_cast<int64_t>(month) + 9;
  int64_t doy = (153 * mp + 2) / 5 + day - 1;
  return 146097 * era + 365 * yoe + yoe / 4 - yoe / 100 + doy - 719468;
}

int32_t civilFromDays(DayNumber n, wchar_t* out, int32_t capacity) {
  if (!out || capacity < 1) return -1;
  // The shift to 1 March of year 0 would overflow for the last days of the range.
  if (n > INT64_MAX - 719468) return formatText(out, capacity, L"--");
  int64_t z = n + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int64_t day = doy - (153 * mp + 2) / 5 + 1;
  int64_t month = mp < 10 ? mp + 3 : mp - 9;
  int64_t year = yoe + 400 * era + (month <= 2 ? 1 : 0);
  return formatText(out, capacity, L"%04lld-%02lld-%02lld", static_cast<long long>(year),
                    static_cast<long long>(month), static_cast<long long>(day));
}

Level runEvaluation(const ToolDefinition& tool, const double* inputValues,
                    wchar_t* detail, int32_t detailCapacity,
                    wchar_t* verdict, int32_t verdictCapacity, Level* levelOut,
                    wchar_t* resultCopy, int32_t resultCopyCapacity) {
  Level level = 0;
  copyText(detail, detailCapacity, L"");
  copyText(verdict, verdictCapacity, L"");
  copyText(resultCopy, resultCopyCapacity, L"");
  if (levelOut) *levelOut = 0;

  if (tool.reportKind != 0) {
    level = runCustomReport(tool.reportKind, tool, inputValues, detail, detailCapacity, verdict,
                            verdictCapacity);
    if (levelOut) *levelOut = level;
    copyText(resultCopy, resultCopyCapacity, detail);
    return level;
  }

  // Outputs are computed in order: each sees the earlier ones, and 0 for the rest.
  double outputValues[kMaxOutputs] = {};
  int outputCount = tool.outputCount < kMaxOutputs ? tool.outputCount : kMaxOutputs;
  bool anyFailed = false;
  for (int i = 0; i < outputCount; ++i) {
    int failed = 0;
    outputValues[i] = evaluateExpression(tool, tool.outputs[i].expression, inputValues, outputValues, &failed);
    if (failed) anyFailed = true;
  }

  for (int i = 0; i < outputCount; ++i) {
    const OutputField& output = tool.outputs[i];
    wchar_t value[128];
    wchar_t line[256];
    formatValue(output.format, outputValues[i], value, 128);
    if (isEmpty(output.unit)) formatText(line, 256, L"%ls：%ls\r\n", output.label, value);
    else formatText(line, 256, L"%ls：%ls %ls\r\n", output.label, value, output.unit);
    appendText(detail, detailCapacity, line);
  }
  if (anyFailed) appendText(detail, detailCapacity, kWarningLine);

  for (int i = 0; i < tool.ruleCount; ++i) {
    const VerdictRule& rule = tool.rules[i];
    bool matches = !rule.condition || !*rule.condition;
    if (!matches) {
      int failed = 0;
      double v = evaluateExpression(tool, rule.condition, inputValues, outputValues, &failed);
      matches = !failed && v != 0.0;
    }
    if (matches) {
      copyText(verdict, verdictCapacity, rule.text);
      level = rule.level;
      break;
    }
  }
  // Also when the matching rule has no text: the user always gets a sentence.
  if (verdict && verdictCapacity > 0 && !verdict[0]) copyText(verdict, verdictCapacity, kFallbackVerdict);

  if (levelOut) *levelOut = level;
  copyText(resultCopy, resultCopyCapacity, detail);
  return level;
}
