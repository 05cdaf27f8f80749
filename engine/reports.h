// The custom report dispatch: tools that need free text instead of formulas select one
// of the built-in report generators by number.
#pragma once

#include <cstdint>

#include "tool_definition.h"

// Empties detail and verdict, then runs the generator of reportKind. A kind without a
// generator gets a fixed "no report" text, its verdict, and level 0.
Level runCustomReport(ReportKind reportKind, const ToolDefinition& tool, const double* inputValues,
                      wchar_t* detail, int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity);
