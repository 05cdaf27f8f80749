// The tool definition: constant data that drives the whole program. The window builds
// its input panel from it, the evaluation run computes from it, and the record file and
// the self-test report label their contents with it.
#pragma once

#include <cstdint>

using Level = int32_t;       // 0 neutral (no rule matched); 1..3 increasing severity
using ReportKind = int32_t;  // 0 formulas and rules; 1..11 a built-in report generator

// Texts marked "may be null" are read exactly like the empty text.
struct InputField {
  const char* key;         // identifier used by expressions and report generators
  const wchar_t* label;    // caption left of the field; column name in the record file
  const wchar_t* unit;     // may be null or empty
  double defaultValue;     // start value, reset value, self-test value
};

struct OutputField {
  const char* key;         // later outputs and rules refer to the value by this key
  const wchar_t* label;    // caption of the detail line
  const wchar_t* unit;     // may be null or empty
  const char* expression;  // null or empty always fails to evaluate
  const char* format;      // value format name; null means "f2"
};

struct VerdictRule {
  const char* condition;   // never null; "" is the catch-all
  Level level;
  const wchar_t* text;
};

// At most 16 inputs and 16 outputs; keys are unique across both. Rules are tried in
// order and the first match wins.
struct ToolDefinition {
  int32_t id;
  const wchar_t* title;
  const wchar_t* subtitle;   // may be null
  const wchar_t* category;
  const wchar_t* reference;
  const wchar_t* note;       // may be null
  int32_t inputCount;
  const InputField* inputs;
  int32_t outputCount;
  const OutputField* outputs;
  int32_t ruleCount;
  const VerdictRule* rules;
  ReportKind reportKind;
};

enum { kMaxInputs = 16, kMaxOutputs = 16 };

// The one tool this program carries.
const ToolDefinition& getToolDefinition();
