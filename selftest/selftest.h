// The command-line self-test: evaluates the tool at its default values with no window
// and writes a line-oriented UTF-8 report, so that a script can check a build.
#pragma once

#include <cstdint>

#include "tool_definition.h"

enum {
  kSelfTestPathCapacity = 520,     // 519 characters and the terminator
  kSelfTestReportCapacity = 16384,
};

// Exit codes of the self-test mode.
enum SelfTestStatus {
  kSelfTestPassed = 0,        // every output computed, report written
  kSelfTestOutputFailed = 2,  // at least one output failed, report written
  kSelfTestReportLost = 3,    // the report file could not be written whole
};

// Looks for the first "--selftest" anywhere in the command line (case-sensitive, even
// inside a longer word). When found, writes the report path that follows it into path
// ("selftest.txt" when none is given) and returns true.
bool findSelfTestPath(const wchar_t* commandLine, wchar_t* path, int32_t capacity);

// Assembles the report of a run at the tool's default values into report (cut at its
// capacity) and returns the number of outputs that failed.
int32_t assembleSelfTestReport(const ToolDefinition& tool, wchar_t* report, int32_t capacity);

// Writes text as UTF-8 (no byte-order mark) to the file at path, creating or emptying
// it. Returns false when the file could not be opened or written whole.
bool writeUtf8Text(const wchar_t* path, const wchar_t* text);

// Runs the self-test of the given tool, or of the program's own tool, and returns the
// process exit code (SelfTestStatus).
int32_t runSelfTestOfTool(const ToolDefinition& tool, const wchar_t* reportPath);
int32_t runSelfTest(const wchar_t* reportPath);
