// The lines of the per-user record file, a CSV file that spreadsheet programs open:
// a header line, then one record per save. Fields holding a comma, a quotation mark
// or a line break are quoted as RFC 4180 says.
#pragma once

#include <cstdint>

#include "tool_definition.h"

enum {
  kHeaderLineCapacity = 4096,
  kRecordLineCapacity = 8192,
  kFieldTextLimit = 126,   // characters of a label or label=value field
  kResultTextLimit = 254,  // characters of the result field
  kTitleTextLimit = 1000,  // characters of the tool title
};

struct LocalTime {
  int32_t year, month, day, hour, minute, second;
};

// "时间,工具,<input labels>,结果" and CR LF.
void assembleHeaderLine(const ToolDefinition& tool, wchar_t* out, int32_t capacity);

// The time, the title, "label=value" per input ("%g") and the result text, and CR LF.
void assembleRecordLine(const ToolDefinition& tool, const double* inputValues, const wchar_t* resultText,
                        const LocalTime& time, wchar_t* out, int32_t capacity);

// The record file's name for a tool: "T%03d.csv".
void formatRecordFileName(const ToolDefinition& tool, wchar_t* out, int32_t capacity);
