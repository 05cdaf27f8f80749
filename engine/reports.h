// The custom report dispatch and the built-in report generators: tools that need free
// text instead of formulas select a generator by number. Each generator reads its
// inputs by key (a missing key reads 0), writes its report into detail, one fixed
// sentence into verdict, and returns a level. Texts beyond a capacity are cut.
#pragma once

#include <cstdint>

#include "tool_definition.h"

// Empties detail and verdict, then runs the generator of reportKind. A kind without a
// generator gets a fixed "no report" text, its verdict, and level 0.
Level runCustomReport(ReportKind reportKind, const ToolDefinition& tool, const double* inputValues,
                      wchar_t* detail, int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity);

// The generators, by report kind; all have the dispatch's arguments less the kind.
using ReportGenerator = Level(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                              int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity);
ReportGenerator generateNurseRota;                // 1: "nurses", "days"
ReportGenerator generateDosingTimetable;          // 2: "start", "interval", "times"
ReportGenerator generateBloodDrawOrder;           // 3: "kind"
ReportGenerator generateCriticalValues;           // 4: "kind"
ReportGenerator generateHighAlertDrugs;           // 5: "kind"
ReportGenerator generateDrugCompatibility;        // 6: "drugA", "drugB"; level 0 to 3
ReportGenerator generateFollowUpPlan;             // 7: "start", "gap", "times"; today's date
ReportGenerator generateSurgicalSafetyChecklist;  // 8: no inputs
ReportGenerator generateHandoverTemplate;         // 9: "beds"
ReportGenerator generateInfusionCard;             // 10: "bed", "dose", "volume", "gtt"
ReportGenerator generateLabPanels;                // 11: "panel"

// A value as a whole number: truncated toward zero; NaN, infinities and values outside
// the 32-bit range give -2147483648.
int32_t wholeNumber(double value);
