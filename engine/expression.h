// The tool expression language: arithmetic, comparisons, logic, conditionals and a few
// mathematical functions over doubles, with names resolved against a tool's input and
// output keys. Output formulas and verdict conditions are written in it.
#pragma once

#include "tool_definition.h"

// Evaluates `text` against the tool's keys: an input key reads inputValues[i], an output
// key outputValues[i] (inputs shadow outputs). Sets *failed to 1 when the text is null
// or empty, malformed, uses an unknown name or function, divides by zero, nests too
// deeply, or ends in NaN or an infinity; to 0 otherwise. The value is returned in both
// cases (0.0 for a null or empty text).
double evaluateExpression(const ToolDefinition& tool, const char* text,
                          const double* inputValues, const double* outputValues,
                          int* failed);
