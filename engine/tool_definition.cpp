// Tool 122, the Glasgow Coma Scale. The label ranges are guidance only: any finite
// value is accepted, and the rules place every total in one of three bands.
#include "tool_definition.h"

namespace {

const InputField kInputs[] = {
    {"eye", L"睁眼(E) 1-4", L"", 3},
    {"verbal", L"语言(V) 1-5", L"", 4},
    {"motor", L"运动(M) 1-6", L"", 5},
};

// eye_pct and motor_pct show the raw scores; they are not percentages.
const OutputField kOutputs[] = {
    {"total", L"GCS 总分", L"分", "eye+verbal+motor", "f0"},
    {"eye_pct", L"睁眼得分", L"", "eye", "f0"},
    {"motor_pct", L"运动得分", L"", "motor", "f0"},
};

const VerdictRule kRules[] = {
    {"eye+verbal+motor<=8", 3, L"重度昏迷，评估气道保护与插管指征"},
    {"eye+verbal+motor<=12", 2, L"中度意识障碍，密切监测瞳孔与生命体征"},
    {"", 1, L"轻度意识障碍，动态复查"},
};

const ToolDefinition kTool = {
    122,
    L"格拉斯哥昏迷评分 GCS",
    L"睁眼、语言、运动三项合计",
    L"神经评估",
    L"Teasdale & Jennett 1974；GCS≤8 提示重度昏迷",
    L"镇静、气管插管、语言障碍患者需注明并采用替代评估。",
    3, kInputs,
    3, kOutputs,
    3, kRules,
    0,
};

}  // namespace

const ToolDefinition& getToolDefinition() { return kTool; }
