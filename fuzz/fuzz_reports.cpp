// runCustomReport for every kind with fuzzed values and capacities: texts stay
// terminated within their capacities and the verdict is never empty.
#include "fuzz_support.h"
#include "reports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReader in{data, size};
  ReportKind kind = static_cast<ReportKind>(in.take<uint8_t>() % 14) - 1;  // -1 to 12
  double inputs[16];
  for (double& v : inputs) v = in.take<double>();
  GuardedText detail(in.capacity(8192)), verdict(13 + in.capacity(600));
  Level level = runCustomReport(kind, manyKeysTool(), inputs, detail.text, detail.capacity, verdict.text, verdict.capacity);
  require(detail.intact() && verdict.intact(), "texts within their capacities");
  require(level >= 0 && level <= 3, "level 0 to 3");
  require(verdict.text[0] != L'\0', "verdict never empty");
  return 0;
}
