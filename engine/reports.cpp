// Custom report dispatch and the built-in report generators.
#include "reports.h"

#include "text.h"

namespace {

using Generator = Level (*)(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                            int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity);

struct ReportEntry {
  ReportKind kind;
  Generator generate;
};

// The generators arrive one by one; a kind listed here without one is answered like an
// unknown kind.
const ReportEntry kReports[] = {
    {0, nullptr},
};

}  // namespace

Level runCustomReport(ReportKind reportKind, const ToolDefinition& tool, const double* inputValues,
                      wchar_t* detail, int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  copyText(detail, detailCapacity, L"");
  copyText(verdict, verdictCapacity, L"");
  for (const ReportEntry& entry : kReports)
    if (entry.kind == reportKind && entry.generate)
      return entry.generate(tool, inputValues, detail, detailCapacity, verdict, verdictCapacity);
  copyText(detail, detailCapacity, L"（该工具暂无自定义报告）");
  copyText(verdict, verdictCapacity, L"暂无报告内容");
  return 0;
}
