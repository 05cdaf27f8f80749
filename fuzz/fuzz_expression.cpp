// evaluateExpression on arbitrary bytes: failed is 0 or 1, a success is finite, and
// nothing is read past the text's terminator (the copy is exactly as long as the text).
#include <cmath>
#include <initializer_list>

#include "expression.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReader in{data, size};
  double inputs[16], outputs[16];
  for (double& v : inputs) v = in.take<double>();
  for (double& v : outputs) v = in.take<double>();
  char* text = static_cast<char*>(std::malloc(in.size + 1));
  std::memcpy(text, in.data, in.size);
  text[in.size] = '\0';
  for (const ToolDefinition* tool : {&getToolDefinition(), &manyKeysTool()}) {
    int failed = -1;
    double value = evaluateExpression(*tool, text, inputs, outputs, &failed);
    require(failed == 0 || failed == 1, "failed is 0 or 1");
    require(failed == 1 || std::isfinite(value), "a success is finite");
  }
  std::free(text);
  return 0;
}
