// The pure half of the self-test: the command-line path, the report text and its UTF-8
// form. Nothing here touches a file.
#include <cstring>

#include "evaluation.h"
#include "expression.h"
#include "selftest.h"
#include "text.h"

bool findSelfTestPath(const wchar_t* commandLine, wchar_t* path, int32_t capacity) {
  static const wchar_t kSwitch[] = L"--selftest";
  const int kSwitchLength = 10;
  if (!commandLine || !path || capacity < 1) return false;
  const wchar_t* at = nullptr;
  for (const wchar_t* p = commandLine; *p && !at; ++p) {
    int i = 0;
    while (i < kSwitchLength && p[i] == kSwitch[i]) ++i;
    if (i == kSwitchLength) at = p;
  }
  if (!at) return false;

  const wchar_t* p = at + kSwitchLength;
  while (*p == L' ') ++p;  // only blanks; a tab is part of the path
  wchar_t stop = L' ';
  if (*p == L'"') {
    stop = L'"';  // an unclosed quote takes the rest of the line
    ++p;
  }
  int32_t n = 0;
  while (p[n] && p[n] != stop && n < 519 && n < capacity - 1) {
    path[n] = p[n];
    ++n;
  }
  path[n] = L'\0';
  if (n == 0) copyText(path, capacity, L"selftest.txt");
  return true;
}

int32_t assembleSelfTestReport(const ToolDefinition& tool, wchar_t* report, int32_t capacity) {
  double inputValues[kMaxInputs] = {};
  int inputCount = tool.inputCount < kMaxInputs ? tool.inputCount : kMaxInputs;
  for (int i = 0; i < inputCount; ++i) inputValues[i] = tool.inputs[i].defaultValue;

  wchar_t detail[8192], resultCopy[8192];
  wchar_t verdict[512];
  Level level = 0;
  runEvaluation(tool, inputValues, detail, 8192, verdict, 512, &level, resultCopy, 8192);

  formatText(report, capacity, L"TOOL|%d|%ls|%ls\r\n", static_cast<int>(tool.id), tool.title, tool.category);
  wchar_t line[512];
  formatText(line, 256, L"LEVEL|%d\r\n", static_cast<int>(level));
  appendText(report, capacity, line);

  int32_t errors = 0;
  if (tool.reportKind != 0) {
    appendText(report, capacity, L"OUT|报告文本|见 DETAIL|\r\n");
  } else {
    int outputCount = tool.outputCount < kMaxOutputs ? tool.outputCount : kMaxOutputs;
    for (int i = 0; i < outputCount; ++i) {
      // Each output alone: a key of another output reads 0 here, unlike in the run.
      double outputValues[kMaxOutputs] = {};
      int failed = 0;
      const OutputField& output = tool.outputs[i];
      double value = evaluateExpression(tool, output.expression, inputValues, outputValues, &failed);
      if (failed) ++errors;
      wchar_t valueText[128];
      formatValue(output.format, value, valueText, 128);
      formatText(line, 512, L"OUT|%ls|%ls|%ls\r\n", output.label, valueText, output.unit ? output.unit : L"");
      appendText(report, capacity, line);
    }
  }

  appendText(report, capacity, L"VERDICT|");
  appendText(report, capacity, verdict);
  appendText(report, capacity, L"\r\n");

  // The detail on one line: CRs dropped, LFs made blanks, at most 8000 characters.
  appendText(report, capacity, L"DETAIL|");
  int32_t length = textLength(report);
  int32_t copied = 0;
  for (const wchar_t* p = detail; *p && copied < 8000 && length < capacity - 1; ++p) {
    if (*p == L'\r') continue;
    report[length++] = *p == L'\n' ? L' ' : *p;
    ++copied;
  }
  if (capacity > 0) report[length < capacity ? length : capacity - 1] = L'\0';
  appendText(report, capacity, L"\r\n");

  formatText(line, 128, L"ERRORS|%d\r\n", static_cast<int>(errors));
  appendText(report, capacity, line);
  return errors;
}
