// Custom report dispatch and the eleven built-in report generators. The fixed texts
// are constant tables; the generators only choose among them and format the few
// computed lines. Every line goes through appendLine, so a small buffer cuts the
// report cleanly wherever it fills.
#include "reports.h"

#include <cmath>
#include <cstring>

#include "clock.h"
#include "evaluation.h"
#include "text.h"

namespace {

// --- rules shared by every generator -----------------------------------------------

// The first input with exactly this key; a missing key reads 0.
double inputValue(const ToolDefinition& tool, const double* inputValues, const char* key) {
  for (int i = 0; i < tool.inputCount; ++i)
    if (tool.inputs[i].key && std::strcmp(tool.inputs[i].key, key) == 0) return inputValues[i];
  return 0.0;
}

int32_t wholeInput(const ToolDefinition& tool, const double* inputValues, const char* key) {
  return wholeNumber(inputValue(tool, inputValues, key));
}

// A count: below `low` (missing included) gives `low`, above `high` gives `high`.
int32_t countInput(const ToolDefinition& tool, const double* inputValues, const char* key, int32_t low,
                   int32_t high) {
  int32_t n = wholeInput(tool, inputValues, key);
  return n < low ? low : n > high ? high : n;
}

// Lines quoted as data are added verbatim: a "%" in them is an ordinary character.
void appendLines(wchar_t* detail, int32_t capacity, const wchar_t* const* lines) {
  for (; lines && *lines; ++lines) appendLine(detail, capacity, L"%ls", *lines);
}

// --- reference lists: fixed lines around one group chosen by a selector -------------

struct LineGroup {
  const wchar_t* lines[4];  // null-terminated
};

struct ReferenceList {
  const char* selectorKey;    // null: nothing is chosen
  const wchar_t* const* before;
  const LineGroup* groups;    // selector 1 picks groups[0], and so on
  int32_t groupCount;
  LineGroup fallback;         // any other selector value, a missing input included
  const wchar_t* const* after;
  const wchar_t* verdict;
};

Level writeReferenceList(const ReferenceList& list, const ToolDefinition& tool, const double* inputValues,
                         wchar_t* detail, int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  appendLines(detail, detailCapacity, list.before);
  if (list.selectorKey) {
    int32_t selector = wholeInput(tool, inputValues, list.selectorKey);
    const LineGroup& group =
        selector >= 1 && selector <= list.groupCount ? list.groups[selector - 1] : list.fallback;
    appendLines(detail, detailCapacity, group.lines);
  }
  appendLines(detail, detailCapacity, list.after);
  copyText(verdict, verdictCapacity, list.verdict);
  return 0;
}

// Kind 3.
const wchar_t* const kBloodDrawBefore[] = {
    L"标准采血顺序（按添加剂，避免交叉污染）：",
    L"1 血培养瓶（需氧/厌氧）",
    L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）",
    L"3 促凝/血清管 红或金黄（生化、免疫）",
    L"4 肝素管 绿（血气、部分生化）",
    L"5 EDTA 紫（血常规、糖化、血型）",
    L"6 氟化钠 灰（血糖、乳酸）",
    L"",
    nullptr,
};
const LineGroup kBloodDrawGroups[] = {
    {{L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。"}},
    {{L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。"}},
    {{L"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。"}},
    {{L"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。"}},
    {{L"本次：血培养 → 需氧+厌氧各 1 套，采血 2 套不同部位，先注入培养瓶。"}},
    {{L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。"}},
};
const ReferenceList kBloodDrawOrder = {
    "kind", kBloodDrawBefore, kBloodDrawGroups, 6,
    {{L"本次：其他项目，请按检验科项目手册执行。"}},
    nullptr,
    L"按标准顺序采血可减少溶血与交叉污染",
};

// Kind 4.
const wchar_t* const kCriticalValuesBefore[] = {L"常见检验危急值（参考，需以本院文件为准）：", nullptr};
const LineGroup kCriticalValuesGroups[] = {
    {{L"血钾 <2.5 或 >6.5 mmol/L", L"血钠 <120 或 >160 mmol/L", L"血钙 <1.5 或 >3.5 mmol/L"}},
    {{L"血糖 <2.8 或 >22.2 mmol/L", L"pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg"}},
    {{L"白细胞 <1.0 或 >30.0 ×10^9/L", L"血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L"}},
    {{L"INR >4.0；纤维蛋白原 <1.0 g/L", L"D-二聚体显著升高并伴临床血栓表现"}},
    {{L"血培养阳性（无菌部位）", L"脑脊液培养阳性；HIV 初筛阳性需确认"}},
    {{L"肌钙蛋白明显升高（高于第 99 百分位）", L"血淀粉酶/脂肪酶 >3 倍正常上限"}},
};
const wchar_t* const kCriticalValuesAfter[] = {
    L"",
    L"处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。",
    nullptr,
};
const ReferenceList kCriticalValues = {
    "kind", kCriticalValuesBefore, kCriticalValuesGroups, 6,
    {{L"请查阅本院《危急值报告目录》"}},
    kCriticalValuesAfter,
    L"危急值必须闭环：报告、接收、处理、记录",
};

// Kind 5.
const wchar_t* const kHighAlertBefore[] = {L"高警示药品类别与要点：", nullptr};
const LineGroup kHighAlertGroups[] = {
    {{L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
      L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"}},
    {{L"胰岛素与口服降糖药：胰岛素、格列本脲",
      L"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"}},
    {{L"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物",
      L"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"}},
};
const ReferenceList kHighAlertDrugs = {
    "kind", kHighAlertBefore, kHighAlertGroups, 3,
    {{L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类",
      L"要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。"}},
    nullptr,
    L"高警示药品须专区、专标识、双人核对",
};

// Kind 8.
const wchar_t* const kSurgicalSafetyLines[] = {
    L"手术安全核查表（三步核查）：",
    L"【麻醉实施前】身份/部位/术式/知情同意；过敏史；气道与插管风险；出血风险；影像与植入物；皮肤准备。",
    L"【手术开始前】团队自我介绍；确认患者、部位、术式；预计手术时间与失血量；抗菌药物已用；器械灭菌合格；影像资料到位。",
    L"【患者离室前】手术名称与记录一致；标本标识与送检；器械敷料清点；皮肤与管路；恢复与转运方案。",
    L"",
    L"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。",
    nullptr,
};
const ReferenceList kSurgicalSafetyChecklist = {
    nullptr, kSurgicalSafetyLines, nullptr, 0, {{nullptr}}, nullptr,
    L"三方核查缺一不可，签字后归档",
};

// Kind 11: no heading, one panel line and its caution.
const LineGroup kLabPanelGroups[] = {
    {{L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。",
      L"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"}},
    {{L"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、血脂、电解质。",
      L"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"}},
    {{L"凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。",
      L"注意：采血量必须达刻度；肝素治疗中查 APTT。"}},
    {{L"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。",
      L"注意：空腹；含碘造影剂后 1 周内避免复查。"}},
    {{L"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。",
      L"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"}},
};
const ReferenceList kLabPanels = {
    "panel", nullptr, kLabPanelGroups, 5,
    {{L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。",
      L"注意：留取中段尿，1 小时内送检；月经期避免。"}},
    nullptr,
    L"套餐与采血管已列出，按顺序采血",
};

// --- kind 6: drug compatibility ------------------------------------------------------

// Numbered 1 to 10; any other number names drug 1.
const wchar_t* const kDrugNames[] = {
    L"头孢曲松", L"葡萄糖酸钙", L"万古霉素", L"呋塞米",   L"氨溴索",
    L"奥美拉唑", L"维生素C",    L"胰岛素",   L"碳酸氢钠", L"多巴胺",
};

const wchar_t* drugName(int32_t n) { return n >= 1 && n <= 10 ? kDrugNames[n - 1] : kDrugNames[0]; }

const wchar_t kCalciumConclusion[] =
    L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。";
const wchar_t kVancomycinConclusion[] =
    L"结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。";
const wchar_t kFurosemideConclusion[] = L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。";

struct DrugPair {
  int32_t low, high;  // the smaller and the larger drug number
  const wchar_t* conclusion;
  const wchar_t* verdict;
  Level level;
};

const DrugPair kDrugPairs[] = {
    {1, 2, kCalciumConclusion, L"禁忌：不可同瓶输注，需间隔冲管", 3},
    {2, 9, kCalciumConclusion, L"禁忌：不可同瓶输注，需间隔冲管", 3},
    {3, 6, kVancomycinConclusion, L"不宜同瓶，分开输注并冲管", 2},
    {3, 9, kVancomycinConclusion, L"不宜同瓶，分开输注并冲管", 2},
    {4, 10, kFurosemideConclusion, L"不宜同瓶，建议分开输注", 2},
    {5, 9, kFurosemideConclusion, L"不宜同瓶，建议分开输注", 2},
    {6, 7, L"结论：奥美拉唑与维生素C 同瓶 pH 冲突，稳定性下降，建议分开。", L"建议分开输注", 1},
};

const DrugPair kUnlistedPair = {
    0, 0, L"结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。",
    L"未收录明确禁忌，仍需核对院内配伍表", 0,
};

const wchar_t* const kDrugNumberLines[] = {
    L"",
    L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索",
    L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺",
    L"",
    nullptr,
};

}  // namespace

int32_t wholeNumber(double value) {
  // The comparisons are false for NaN, so it takes the out-of-range branch too.
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

Level generateBloodDrawOrder(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                             int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  return writeReferenceList(kBloodDrawOrder, tool, inputValues, detail, detailCapacity, verdict, verdictCapacity);
}

Level generateCriticalValues(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                             int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  return writeReferenceList(kCriticalValues, tool, inputValues, detail, detailCapacity, verdict, verdictCapacity);
}

Level generateHighAlertDrugs(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                             int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  return writeReferenceList(kHighAlertDrugs, tool, inputValues, detail, detailCapacity, verdict, verdictCapacity);
}

Level generateSurgicalSafetyChecklist(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                                      int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  return writeReferenceList(kSurgicalSafetyChecklist, tool, inputValues, detail, detailCapacity, verdict,
                            verdictCapacity);
}

Level generateLabPanels(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                        int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  return writeReferenceList(kLabPanels, tool, inputValues, detail, detailCapacity, verdict, verdictCapacity);
}

Level generateDrugCompatibility(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                                int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  int32_t a = wholeInput(tool, inputValues, "drugA");
  int32_t b = wholeInput(tool, inputValues, "drugB");
  appendLine(detail, detailCapacity, L"待查：%d 号 %ls  +  %d 号 %ls", a, drugName(a), b, drugName(b));
  appendLines(detail, detailCapacity, kDrugNumberLines);
  // The pair is unordered; a drug with itself is never listed.
  int32_t low = a < b ? a : b, high = a < b ? b : a;
  const DrugPair* pair = &kUnlistedPair;
  for (const DrugPair& p : kDrugPairs)
    if (p.low == low && p.high == high) pair = &p;
  appendLine(detail, detailCapacity, L"%ls", pair->conclusion);
  copyText(verdict, verdictCapacity, pair->verdict);
  return pair->level;
}

Level generateHandoverTemplate(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                               int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  int32_t beds = countInput(tool, inputValues, "beds", 1, 30);
  appendLine(detail, detailCapacity, L"%ls", L"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：");
  for (int32_t i = 1; i <= beds; ++i)
    appendLine(detail, detailCapacity,
               L"%02d 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%%；本班处置＿＿；"
               L"管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。",
               i);
  appendLine(detail, detailCapacity, L"");
  appendLine(detail, detailCapacity, L"%ls", L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。");
  copyText(verdict, verdictCapacity, L"模板已生成，床旁交接并双方签名");
  return 0;
}

Level generateNurseRota(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                        int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  // Shift letter of (nurse + 2 x day) mod 3: each nurse cycles day, rest, night, and
  // consecutive nurses are one letter apart, so every day has one nurse per shift.
  static const wchar_t kShifts[] = L"DNR";
  int32_t nurses = countInput(tool, inputValues, "nurses", 1, 40);
  int32_t days = countInput(tool, inputValues, "days", 1, 31);
  appendLine(detail, detailCapacity, L"%ls",
             L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。");
  appendLine(detail, detailCapacity, L"人员：%d 人；周期：%d 天", nurses, days);
  appendLine(detail, detailCapacity, L"");
  for (int32_t i = 0; i < nurses; ++i) {
    wchar_t name[12];
    formatText(name, 12, L"护士%02d", i + 1);
    appendLine(detail, detailCapacity, L"%ls：", name);
    appendText(detail, detailCapacity, L"  ");
    for (int32_t j = 0; j < days; ++j) appendFormatted(detail, detailCapacity, L"%d日%lc ", j + 1, kShifts[(i + 2 * j) % 3]);
    appendText(detail, detailCapacity, L"\r\n");
  }
  appendLine(detail, detailCapacity, L"");
  appendLine(detail, detailCapacity, L"%ls", L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。");
  copyText(verdict, verdictCapacity, L"已生成轮转排班表，可复制到排班本或表格");
  return 0;
}

Level generateDosingTimetable(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                              int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  double start = inputValue(tool, inputValues, "start");
  if (start < 0) start = 0;
  double interval = inputValue(tool, inputValues, "interval");
  if (interval <= 0) interval = 8;
  int32_t count = countInput(tool, inputValues, "times", 1, 30);
  appendLine(detail, detailCapacity, L"首剂时间 %.0f:00，间隔 %.0f 小时，共 %d 次：", start, interval, count);
  for (int32_t k = 0; k < count; ++k) {
    double t = start + k * interval;  // hours from midnight at the start of day 1
    double r = std::fmod(t, 24.0);
    int32_t hour = wholeNumber(r);
    int32_t minute = wholeNumber((r - hour) * 60);  // truncated, never rounded
    long long day = static_cast<long long>(wholeNumber(t / 24)) + 1;  // 64-bit: no overflow at the top
    appendFormatted(detail, detailCapacity, L"第%lld天 %02d:%02d", day, hour, minute);
    if (k + 1 < count) appendText(detail, detailCapacity, L"  |  ");
  }
  appendText(detail, detailCapacity, L"\r\n");
  appendLine(detail, detailCapacity, L"%ls", L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。");
  copyText(verdict, verdictCapacity, L"给药时间表已生成，注意首剂与夜间给药时间");
  return 0;
}

Level generateFollowUpPlan(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                           int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  int32_t first = wholeInput(tool, inputValues, "start");
  int32_t gap = wholeInput(tool, inputValues, "gap");
  if (gap < 1) gap = 7;
  int32_t count = countInput(tool, inputValues, "times", 1, 20);
  DayNumber today = localToday();
  appendLine(detail, detailCapacity, L"随访节点（以今天为基准，起始第 %d 天，间隔 %d 天，共 %d 次）：", first, gap, count);
  for (int32_t k = 1; k <= count; ++k) {
    wchar_t date[32];
    civilFromDays(today + first + static_cast<DayNumber>(k - 1) * gap, date, 32);
    appendLine(detail, detailCapacity, L"第 %d 次：%ls", k, date);
  }
  appendLine(detail, detailCapacity, L"%ls", L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。");
  copyText(verdict, verdictCapacity, L"随访计划已生成，可按日期短信提醒患者");
  return 0;
}

Level generateInfusionCard(const ToolDefinition& tool, const double* inputValues, wchar_t* detail,
                           int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  int32_t bed = wholeInput(tool, inputValues, "bed");
  double dose = inputValue(tool, inputValues, "dose");
  double volume = inputValue(tool, inputValues, "volume");
  double gtt = inputValue(tool, inputValues, "gtt");
  appendLine(detail, detailCapacity, L"%ls", L"静脉输液卡");
  appendLine(detail, detailCapacity, L"床号：%d", bed);
  appendLine(detail, detailCapacity, L"药液：医嘱药量 %.2f ，加入溶媒 %.0f ml", dose, volume);
  appendLine(detail, detailCapacity, L"滴速：%.0f 滴/分（约 %.0f ml/h）", gtt, gtt * 3);  // drops/min x 3 = ml/h
  appendLine(detail, detailCapacity, L"%ls", L"核对：药名/剂量/浓度/有效期/配伍；双人签名。");
  appendLine(detail, detailCapacity, L"%ls", L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。");
  copyText(verdict, verdictCapacity, L"输液卡已生成，双人核对后执行");
  return 0;
}

namespace {

struct ReportEntry {
  ReportKind kind;
  ReportGenerator* generate;
};

const ReportEntry kReports[] = {
    {1, generateNurseRota},
    {2, generateDosingTimetable},
    {3, generateBloodDrawOrder},
    {4, generateCriticalValues},
    {5, generateHighAlertDrugs},
    {6, generateDrugCompatibility},
    {7, generateFollowUpPlan},
    {8, generateSurgicalSafetyChecklist},
    {9, generateHandoverTemplate},
    {10, generateInfusionCard},
    {11, generateLabPanels},
};

}  // namespace

Level runCustomReport(ReportKind reportKind, const ToolDefinition& tool, const double* inputValues,
                      wchar_t* detail, int32_t detailCapacity, wchar_t* verdict, int32_t verdictCapacity) {
  copyText(detail, detailCapacity, L"");
  copyText(verdict, verdictCapacity, L"");
  for (const ReportEntry& entry : kReports)
    if (entry.kind == reportKind)
      return entry.generate(tool, inputValues, detail, detailCapacity, verdict, verdictCapacity);
  copyText(detail, detailCapacity, L"（该工具暂无自定义报告）");
  copyText(verdict, verdictCapacity, L"暂无报告内容");
  return 0;
}
