#include "fuzz_support.h"

namespace {

const InputField kInputs[16] = {
    {"a", L"a", nullptr, 1}, {"b", L"b", L"u", 2}, {"c", L"c", nullptr, 3}, {"d", L"d", nullptr, 4},
    {"e", L"e", nullptr, 5}, {"f", L"f", nullptr, 6}, {"g", L"g", nullptr, 7}, {"h", L"h", nullptr, 8},
    {"kind", L"k", nullptr, 1}, {"drugA", L"x", nullptr, 1}, {"drugB", L"y", nullptr, 2}, {"beds", L"z", nullptr, 3},
    {"nurses", L"n", nullptr, 3}, {"days", L"d", nullptr, 3}, {"start", L"s", nullptr, 8}, {"times", L"t", nullptr, 3},
};

const OutputField kOutputs[16] = {
    {"o1", L"一", L"分", "a+b*c-d/e", "f0"},
    {"o2", L"二", nullptr, "o1^2%7", "f1"},
    {"o3", L"三", L"", "sqrt(abs(a-b))+log(c)+log10(d)", "f3"},
    {"o4", L"四", nullptr, "a<b&&c>=d||!e", "int"},
    {"o5", L"五", nullptr, "a?b:c?d:e", "pct"},
    {"o6", L"六", nullptr, "min(a,b)+max(c,d)+pow(e,f)+mod(g,h)", "date"},
    {"o7", L"七", nullptr, "exp(a)/ceil(b)-floor(c)+round(d)+cbrt(e)+sign(f)", nullptr},
    {"o8", L"八", nullptr, "o9", "f2"},
    {"o9", L"九", nullptr, "1/(a-a)", "f0"},
    {"o10", L"十", nullptr, "", "f0"},
    {"o11", L"十一", nullptr, "0x1p3 + .5e1 + kind", "f1"},
    {"o12", L"十二", nullptr, "drugA == drugB != beds", "f0"},
    {"o13", L"十三", nullptr, "-(-(-nurses))^-days", "f3"},
    {"o14", L"十四", nullptr, "start*times*1e300", "f0"},
    {"o15", L"十五", nullptr, "o14-o14", "f0"},
    {"o16", L"十六", nullptr, "unknown+1", "f0"},
};

const VerdictRule kRules[] = {
    {"o1 > 100", 3, L"高"}, {"o9", 2, L"不会"}, {"o4", 1, L"真"}, {"o2 < 3", 0, L""}, {"", 2, L"兜底"},
};

const ToolDefinition kTool = {
    999, L"多键工具", nullptr, L"测试", L"无", nullptr, 16, kInputs, 16, kOutputs, 5, kRules, 0,
};

}  // namespace

const ToolDefinition& manyKeysTool() { return kTool; }
