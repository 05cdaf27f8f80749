#include "window_logic.h"

#include <cmath>

#include "evaluation.h"
#include "input_number.h"
#include "text.h"

// A placeholder under a domain reserved for examples.
const wchar_t kPublisherWebAddress[] = L"www.example.org";

const wchar_t kReadyStatus[] = L"就绪：填写参数后按 F5 或点击“计算”";
const wchar_t kInitialVerdict[] = L"填写左侧参数，点击“计算”";
const wchar_t kCopiedStatus[] = L"结果已复制到剪贴板";
const wchar_t kCopyFailedStatus[] = L"复制失败：剪贴板暂不可用，请重试";
const wchar_t kResetStatus[] = L"已恢复默认值";
const wchar_t kSaveFailedStatus[] = L"保存失败：本次记录未写入文件";
const wchar_t kInvalidInputCaption[] = L"输入有误";
const wchar_t kHintCaption[] = L"提示";
const wchar_t kNoResultMessage[] = L"请先点击“计算”生成结果。";
const wchar_t kNoResultToSaveMessage[] = L"请先点击“计算”生成结果，再保存记录。";
const wchar_t kAboutCaption[] = L"关于本工具";
const wchar_t kSavedCaption[] = L"已保存";
const wchar_t kSavedMessage[] = L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";
const wchar_t kSaveFailedCaption[] = L"保存失败";
const wchar_t kSaveFailedMessage[] =
    L"本次记录未能保存。\r\n记录文件可能正被其他程序（如 Excel）打开，请关闭该文件后重新保存。";

void initWindowState(WindowState& state) {
  for (double& v : state.inputValues) v = 0.0;
  state.resultText[0] = L'\0';
  state.copyText[0] = L'\0';
  state.verdictLevel = 0;
  copyText(state.statusText, kStatusTextCapacity, kReadyStatus);
}

int32_t computeFromFields(const ToolDefinition& tool, const wchar_t* const* fieldTexts, WindowState& state,
                          wchar_t* detail, int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  // Parse every field before touching the state, so that a rejected input never leaves
  // new values beside an older result.
  double values[kMaxInputs] = {};
  int32_t inputCount = tool.inputCount < kMaxInputs ? tool.inputCount : kMaxInputs;
  for (int32_t i = 0; i < inputCount; ++i) {
    values[i] = parseInputNumber(fieldTexts[i]);
    if (!std::isfinite(values[i])) return i;
  }
  for (int32_t i = 0; i < kMaxInputs; ++i) state.inputValues[i] = values[i];

  runEvaluation(tool, state.inputValues, detail, detailCapacity, verdict, verdictCapacity, &state.verdictLevel,
                state.resultText, kResultTextCapacity);
  // A report carries its own conclusion; a formula result gets the verdict on a line of
  // its own below the detail lines.
  if (tool.reportKind == 0) formatText(state.copyText, kCopyTextCapacity, L"%ls—— %ls", detail, verdict);
  else copyText(state.copyText, kCopyTextCapacity, detail);
  formatText(state.statusText, kStatusTextCapacity, L"计算完成  %ls", tool.title);
  return -1;
}

void resetWindowState(WindowState& state) {
  copyText(state.statusText, kStatusTextCapacity, kResetStatus);
  state.resultText[0] = L'\0';
  state.verdictLevel = 0;
}

void formatDefaultValue(double value, wchar_t* out, int32_t capacity) { formatText(out, capacity, L"%.6g", value); }

void formatInvalidInputMessage(const ToolDefinition& tool, int32_t field, wchar_t* out, int32_t capacity) {
  formatText(out, capacity, L"第 %d 项“%ls”请输入数字。", static_cast<int>(field + 1), tool.inputs[field].label);
}

void formatHeaderLine(const ToolDefinition& tool, wchar_t* out, int32_t capacity) {
  formatText(out, capacity, L"%ls  ·  %ls", tool.category, tool.subtitle);
}

void formatReferenceLine(const ToolDefinition& tool, wchar_t* out, int32_t capacity) {
  formatText(out, capacity, L"参考依据：%ls", tool.reference);
}

void formatAboutText(const ToolDefinition& tool, wchar_t* out, int32_t capacity) {
  formatText(out, capacity,
             L"%ls\r\n"
             L"\r\n"
             L"分类：%ls\r\n"
             L"参考依据：%ls\r\n"
             L"\r\n"
             L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
             L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
             L"\r\n"
             L"版本 V1.0    官网：%ls",
             tool.title, tool.category, tool.reference, kPublisherWebAddress);
}

void formatSavedStatus(const wchar_t* recordPath, wchar_t* out, int32_t capacity) {
  formatText(out, capacity, L"记录已保存：%ls", recordPath);
}

void formatClipboardText(const ToolDefinition& tool, const WindowState& state, wchar_t* out, int32_t capacity) {
  formatText(out, capacity, L"%ls\r\n%ls", tool.title, state.copyText);
}

uint32_t verdictColour(Level level) {
  // Indexed by level: neutral, mild, moderate, severe.
  static const uint32_t kColours[] = {rgb(0, 128, 96), rgb(176, 132, 0), rgb(214, 108, 0), rgb(190, 30, 45)};
  return level >= 1 && level <= 3 ? kColours[level] : kColours[0];
}

void centreOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height, int32_t* x,
                    int32_t* y) {
  *x = (screenWidth - width) / 2;
  *y = (screenHeight - height) / 2;
  if (*x < 0) *x = 0;
  if (*y < 0) *y = 0;
}
