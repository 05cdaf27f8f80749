// The evaluation run: input values in; detail text, verdict sentence and level out.
// Also the named value formats and the calendar operations on day numbers.
#pragma once

#include <cstdint>

#include "tool_definition.h"

using DayNumber = int64_t;  // days since 1970-01-01, proleptic Gregorian calendar

// Evaluates every output of a formula tool (reportKind 0) in order, writes one detail
// line per output (and a warning line when any failed), and takes the verdict and level
// of the first rule that holds, or the fallback sentence at level 0. Other report kinds
// go to runCustomReport. resultCopy receives a copy of the detail. Returns the level,
// also stored in *levelOut. verdictCapacity should be at least 13.
Level runEvaluation(const ToolDefinition& tool, const double* inputValues,
                    wchar_t* detail, int32_t detailCapacity,
                    wchar_t* verdict, int32_t verdictCapacity, Level* levelOut,
                    wchar_t* resultCopy, int32_t resultCopyCapacity);

// Writes value in the named format ("f0", "f1", "f2", "f3", "int", "pct", "date";
// null or unknown means "f2"). NaN and infinities are written "--".
void formatValue(const char* format, double value, wchar_t* out, int32_t capacity);

DayNumber daysFromCivil(int32_t year, int32_t month, int32_t day);

// Writes the day as "YYYY-MM-DD". Returns the characters written, or -1 when cut.
int32_t civilFromDays(DayNumber day, wchar_t* out, int32_t capacity);
