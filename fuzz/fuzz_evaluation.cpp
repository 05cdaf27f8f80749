// runEvaluation with fuzzed values and capacities: every text stays terminated within
// its capacity, the level is one of the tool's levels or 0, the verdict is never empty.
#include "evaluation.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReader in{data, size};
  bool many = in.take<uint8_t>() & 1;
  const ToolDefinition& tool = many ? manyKeysTool() : getToolDefinition();
  double inputs[16];
  for (double& v : inputs) v = in.take<double>();
  GuardedText detail(in.capacity(8192)), verdict(13 + in.capacity(600)), copy(in.capacity(8192));
  Level level = -99;
  Level returned = runEvaluation(tool, inputs, detail.text, detail.capacity, verdict.text, verdict.capacity, &level,
                                 copy.text, copy.capacity);
  require(detail.intact() && verdict.intact() && copy.intact(), "texts within their capacities");
  require(returned == level, "returned level is the stored level");
  bool known = level == 0;
  for (int i = 0; i < tool.ruleCount; ++i) known = known || level == tool.rules[i].level;
  require(known, "level of a rule or 0");
  require(verdict.text[0] != L'\0', "verdict never empty");
  return 0;
}
