// The self-test run and its file. The exit code is the only thing it reports: no
// window, no message box, no console output.
#include <cstdio>

#include "selftest.h"
#include "text.h"

namespace {

std::FILE* openForWriting(const wchar_t* path) {
#ifdef _WIN32
  return _wfopen(path, L"wb");
#else
  char narrowPath[kSelfTestPathCapacity * 4 + 1];
  int32_t n = encodeUtf8(path, narrowPath, sizeof narrowPath - 1);
  if (n < 0) return nullptr;
  narrowPath[n] = '\0';
  return std::fopen(narrowPath, "wb");
#endif
}

}  // namespace

bool writeUtf8Text(const wchar_t* path, const wchar_t* text) {
  if (!path || !*path) return false;
  // Room for the whole report at its worst: four bytes per character covers every
  // code point, whether wchar_t holds UTF-16 units or UTF-32.
  char utf8[kSelfTestReportCapacity * 4];
  int32_t n = encodeUtf8(text, utf8, sizeof utf8);
  std::FILE* file = openForWriting(path);
  if (!file) return false;
  bool ok = n >= 0 && std::fwrite(utf8, 1, static_cast<size_t>(n), file) == static_cast<size_t>(n);
  if (std::fclose(file) != 0) ok = false;
  return ok;
}

int32_t runSelfTestOfTool(const ToolDefinition& tool, const wchar_t* reportPath) {
  wchar_t report[kSelfTestReportCapacity];
  int32_t errors = assembleSelfTestReport(tool, report, kSelfTestReportCapacity);
  if (!writeUtf8Text(reportPath, report)) return kSelfTestReportLost;
  return errors > 0 ? kSelfTestOutputFailed : kSelfTestPassed;
}

int32_t runSelfTest(const wchar_t* reportPath) { return runSelfTestOfTool(getToolDefinition(), reportPath); }
