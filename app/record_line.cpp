#include "record_line.h"

#include "text.h"

namespace {

bool needsQuotes(const wchar_t* text) {
  for (; *text; ++text)
    if (*text == L',' || *text == L'"' || *text == L'\r' || *text == L'\n') return true;
  return false;
}

// Appends a comma (unless first), then the field's text cut to `limit` characters. The
// cut comes before the quoting, so a quoted field always keeps its closing quote.
void appendField(wchar_t* line, int32_t capacity, const wchar_t* text, int32_t limit, bool first = false) {
  wchar_t field[kTitleTextLimit + 1];
  copyText(field, limit + 1, text ? text : L"");
  if (!first) appendText(line, capacity, L",");
  if (!needsQuotes(field)) {
    appendText(line, capacity, field);
    return;
  }
  // Quoted, with every quotation mark doubled: at most twice the text and two quotes.
  wchar_t quoted[2 * kTitleTextLimit + 3];
  int32_t n = 0;
  quoted[n++] = L'"';
  for (const wchar_t* p = field; *p; ++p) {
    if (*p == L'"') quoted[n++] = L'"';
    quoted[n++] = *p;
  }
  quoted[n++] = L'"';
  quoted[n] = L'\0';
  appendText(line, capacity, quoted);
}

}  // namespace

void assembleHeaderLine(const ToolDefinition& tool, wchar_t* out, int32_t capacity) {
  copyText(out, capacity, L"");
  appendField(out, capacity, L"时间", kFieldTextLimit, true);
  appendField(out, capacity, L"工具", kFieldTextLimit);
  for (int32_t i = 0; i < tool.inputCount && i < kMaxInputs; ++i)
    appendField(out, capacity, tool.inputs[i].label, kFieldTextLimit);
  appendField(out, capacity, L"结果", kFieldTextLimit);
  appendText(out, capacity, L"\r\n");
}

void assembleRecordLine(const ToolDefinition& tool, const double* inputValues, const wchar_t* resultText,
                        const LocalTime& time, wchar_t* out, int32_t capacity) {
  wchar_t field[kFieldTextLimit + 1];
  copyText(out, capacity, L"");
  formatText(field, kFieldTextLimit + 1, L"%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
             time.hour, time.minute, time.second);
  appendField(out, capacity, field, kFieldTextLimit, true);
  appendField(out, capacity, tool.title, kTitleTextLimit);
  for (int32_t i = 0; i < tool.inputCount && i < kMaxInputs; ++i) {
    formatText(field, kFieldTextLimit + 1, L"%ls=%g", tool.inputs[i].label, inputValues[i]);
    appendField(out, capacity, field, kFieldTextLimit);
  }
  appendField(out, capacity, resultText, kResultTextLimit);
  appendText(out, capacity, L"\r\n");
}

void formatRecordFileName(const ToolDefinition& tool, wchar_t* out, int32_t capacity) {
  formatText(out, capacity, L"T%03d.csv", static_cast<int>(tool.id));
}
