// The built-in report generators: main paths, fallback rows, clamps and cuts.
#include <gtest/gtest.h>

#include <cwchar>
#include <initializer_list>
#include <string>
#include <utility>

#include "clock.h"
#include "evaluation.h"
#include "reports.h"

namespace {

struct Report {
  std::wstring detail, verdict;
  Level level;
};

using Inputs = std::initializer_list<std::pair<const char*, double>>;

// Runs report kind `kind` of a tool whose inputs are exactly `inputs`.
Report generate(ReportKind kind, Inputs inputs, int32_t detailCapacity = 8192) {
  InputField fields[16];
  double values[16] = {};
  int32_t n = 0;
  for (const auto& input : inputs) {
    fields[n] = {input.first, L"x", nullptr, 0};
    values[n++] = input.second;
  }
  const ToolDefinition tool = {1, L"t", nullptr, L"c", L"r", nullptr, n, fields, 0, nullptr, 0, nullptr, kind};
  static wchar_t detail[8192];
  wchar_t verdict[512];
  Report r;
  r.level = runCustomReport(kind, tool, values, detail, detailCapacity, verdict, 512);
  r.detail = detail;
  r.verdict = verdict;
  return r;
}

bool contains(const std::wstring& text, const std::wstring& piece) { return text.find(piece) != std::wstring::npos; }

int countOf(const std::wstring& text, const std::wstring& piece) {
  int n = 0;
  for (size_t at = text.find(piece); at != std::wstring::npos; at = text.find(piece, at + 1)) ++n;
  return n;
}

TEST(WholeNumber, TruncatesTowardZeroAndMapsTheRestToTheMinimum) {
  const struct {
    double value;
    int32_t whole;
  } cases[] = {
      {2.9, 2},           {-0.7, 0},          {-2.9, -2},          {2147483647.9, 2147483647},
      {-2147483648.9, -2147483648}, {2147483648.0, INT32_MIN}, {-2147483649.0, INT32_MIN},
      {1e12, INT32_MIN},  {-1e300, INT32_MIN}, {1.0 / 0.0, INT32_MIN}, {-1.0 / 0.0, INT32_MIN},
      {0.0 / 0.0, INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(c.whole, wholeNumber(c.value)) << c.value;
}

const wchar_t kBloodDrawHeading[] =
    L"标准采血顺序（按添加剂，避免交叉污染）：\r\n"
    L"1 血培养瓶（需氧/厌氧）\r\n"
    L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）\r\n"
    L"3 促凝/血清管 红或金黄（生化、免疫）\r\n"
    L"4 肝素管 绿（血气、部分生化）\r\n"
    L"5 EDTA 紫（血常规、糖化、血型）\r\n"
    L"6 氟化钠 灰（血糖、乳酸）\r\n"
    L"\r\n";

TEST(BloodDrawOrder, SevenFixedLinesThenTheChosenTube) {
  const struct {
    Inputs inputs;
    const wchar_t* line;
  } cases[] = {
      {{{"kind", 1}}, L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。"},
      {{{"kind", 2.9}}, L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。"},
      {{{"kind", 6}}, L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。"},
      {{{"kind", 0}}, L"本次：其他项目，请按检验科项目手册执行。"},
      {{{"kind", 7}}, L"本次：其他项目，请按检验科项目手册执行。"},
      {{{"kind", -1}}, L"本次：其他项目，请按检验科项目手册执行。"},
      {{{"other", 1}}, L"本次：其他项目，请按检验科项目手册执行。"},
  };
  for (const auto& c : cases) {
    Report r = generate(3, c.inputs);
    EXPECT_EQ(std::wstring(kBloodDrawHeading) + c.line + L"\r\n", r.detail);
    EXPECT_EQ(L"按标准顺序采血可减少溶血与交叉污染", r.verdict);
    EXPECT_EQ(0, r.level);
  }
}

TEST(CriticalValues, GroupBetweenHeadingAndHandlingRule) {
  const wchar_t* heading = L"常见检验危急值（参考，需以本院文件为准）：\r\n";
  const wchar_t* tail = L"\r\n处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。\r\n";
  const struct {
    double kind;
    const wchar_t* group;
  } cases[] = {
      {1, L"血钾 <2.5 或 >6.5 mmol/L\r\n血钠 <120 或 >160 mmol/L\r\n血钙 <1.5 或 >3.5 mmol/L\r\n"},
      {5, L"血培养阳性（无菌部位）\r\n脑脊液培养阳性；HIV 初筛阳性需确认\r\n"},
      {7, L"请查阅本院《危急值报告目录》\r\n"},
  };
  for (const auto& c : cases) {
    Report r = generate(4, {{"kind", c.kind}});
    EXPECT_EQ(std::wstring(heading) + c.group + tail, r.detail) << c.kind;
    EXPECT_EQ(L"危急值必须闭环：报告、接收、处理、记录", r.verdict);
  }
}

TEST(HighAlertDrugs, PercentSignsAreVerbatimAndTheFallbackIsAnaesthesia) {
  Report r = generate(5, {{"kind", 1}});
  EXPECT_EQ(
      L"高警示药品类别与要点：\r\n"
      L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁\r\n"
      L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。\r\n",
      r.detail);
  EXPECT_EQ(L"高警示药品须专区、专标识、双人核对", r.verdict);
  for (Report fallback : {generate(5, {{"kind", 4}}), generate(5, {})})
    EXPECT_TRUE(contains(fallback.detail, L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类\r\n"
                                          L"要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。\r\n"));
}

TEST(DrugCompatibility, PairsInEitherOrder) {
  const struct {
    double a, b;
    Level level;
    const wchar_t* verdict;
  } cases[] = {
      {1, 2, 3, L"禁忌：不可同瓶输注，需间隔冲管"},  {2, 1, 3, L"禁忌：不可同瓶输注，需间隔冲管"},
      {9, 2, 3, L"禁忌：不可同瓶输注，需间隔冲管"},  {6, 3, 2, L"不宜同瓶，分开输注并冲管"},
      {9, 3, 2, L"不宜同瓶，分开输注并冲管"},        {10, 4, 2, L"不宜同瓶，建议分开输注"},
      {9, 5, 2, L"不宜同瓶，建议分开输注"},          {7, 6, 1, L"建议分开输注"},
      {6, 7, 1, L"建议分开输注"},                    {1, 1, 0, L"未收录明确禁忌，仍需核对院内配伍表"},
      {1.9, 2.9, 3, L"禁忌：不可同瓶输注，需间隔冲管"}, {11, 2, 0, L"未收录明确禁忌，仍需核对院内配伍表"},
  };
  for (const auto& c : cases) {
    Report r = generate(6, {{"drugA", c.a}, {"drugB", c.b}});
    EXPECT_EQ(c.level, r.level) << c.a << "+" << c.b;
    EXPECT_EQ(c.verdict, r.verdict) << c.a << "+" << c.b;
  }
}

TEST(DrugCompatibility, WholeReportAndNamesOutsideTheTable) {
  Report r = generate(6, {{"drugB", 2}, {"drugA", 1}});
  EXPECT_EQ(
      L"待查：1 号 头孢曲松  +  2 号 葡萄糖酸钙\r\n"
      L"\r\n"
      L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索\r\n"
      L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺\r\n"
      L"\r\n"
      L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。\r\n",
      r.detail);
  Report unknown = generate(6, {{"drugA", 11}});
  EXPECT_EQ(0, unknown.detail.find(L"待查：11 号 头孢曲松  +  0 号 头孢曲松\r\n"));
  EXPECT_EQ(0, unknown.level);
}

TEST(SurgicalSafetyChecklist, FixedText) {
  Report r = generate(8, {});
  EXPECT_EQ(
      L"手术安全核查表（三步核查）：\r\n"
      L"【麻醉实施前】身份/部位/术式/知情同意；过敏史；气道与插管风险；出血风险；影像与植入物；皮肤准备。\r\n"
      L"【手术开始前】团队自我介绍；确认患者、部位、术式；预计手术时间与失血量；抗菌药物已用；器械灭菌合格；影像资料到位。\r\n"
      L"【患者离室前】手术名称与记录一致；标本标识与送检；器械敷料清点；皮肤与管路；恢复与转运方案。\r\n"
      L"\r\n"
      L"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。\r\n",
      r.detail);
  EXPECT_EQ(L"三方核查缺一不可，签字后归档", r.verdict);
  EXPECT_EQ(0, r.level);
}

TEST(HandoverTemplate, BedsClampedFromOneToThirty) {
  const struct {
    Inputs inputs;
    int lines;
  } cases[] = {
      {{{"beds", 0}}, 1}, {{{"beds", -5}}, 1}, {{}, 1}, {{{"beds", 2.7}}, 2},
      {{{"beds", 45}}, 30}, {{{"beds", 1e12}}, 1},
  };
  for (const auto& c : cases) {
    Report r = generate(9, c.inputs);
    EXPECT_EQ(c.lines, countOf(r.detail, L" 床：诊断")) << c.lines;
    EXPECT_TRUE(contains(r.detail, L"\r\n01 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%；本班处置＿＿；"
                                   L"管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。\r\n"));
    EXPECT_EQ(c.lines == 30, contains(r.detail, L"\r\n30 床："));
    EXPECT_EQ(0, r.detail.find(L"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：\r\n"));
    EXPECT_TRUE(contains(r.detail, L"。\r\n\r\n危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。\r\n"));
    EXPECT_EQ(L"模板已生成，床旁交接并双方签名", r.verdict);
  }
}

TEST(LabPanels, PanelAndCautionWithUrineAsFallback) {
  EXPECT_EQ(
      L"凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。\r\n注意：采血量必须达刻度；肝素治疗中查 APTT。\r\n",
      generate(11, {{"panel", 3}}).detail);
  Report r = generate(11, {});
  EXPECT_EQ(
      L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。\r\n注意：留取中段尿，1 小时内送检；月经期避免。\r\n",
      r.detail);
  EXPECT_EQ(L"套餐与采血管已列出，按顺序采血", r.verdict);
}

TEST(NurseRota, OneNurseOneDay) {
  Report r = generate(1, {});
  EXPECT_EQ(
      L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。\r\n"
      L"人员：1 人；周期：1 天\r\n"
      L"\r\n"
      L"护士01：\r\n"
      L"  1日D \r\n"
      L"\r\n"
      L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。\r\n",
      r.detail);
  EXPECT_EQ(L"已生成轮转排班表，可复制到排班本或表格", r.verdict);
}

TEST(NurseRota, EachDayHasOneNursePerShift) {
  Report r = generate(1, {{"nurses", 3}, {"days", 3}});
  EXPECT_TRUE(contains(r.detail, L"护士01：\r\n  1日D 2日R 3日N \r\n"
                                 L"护士02：\r\n  1日N 2日D 3日R \r\n"
                                 L"护士03：\r\n  1日R 2日N 3日D \r\n"));
}

TEST(NurseRota, CountsAreClamped) {
  EXPECT_TRUE(contains(generate(1, {{"nurses", 41}, {"days", 32}}).detail, L"人员：40 人；周期：31 天"));
  EXPECT_TRUE(contains(generate(1, {{"nurses", 0}, {"days", 0}}).detail, L"人员：1 人；周期：1 天"));
  Report big = generate(1, {{"nurses", 40}, {"days", 31}});
  EXPECT_EQ(40, countOf(big.detail, L"：\r\n  1日"));
  EXPECT_TRUE(contains(big.detail, L"护士40：\r\n  1日D 2日R "));
}

// Forty nurses over thirty-one days: more than the window's 4096 characters, less than
// the self-test's 8192.
TEST(NurseRota, LargestRotaIsCutInsideNurseTwentySixAtTheWindowsCapacity) {
  Report whole = generate(1, {{"nurses", 40}, {"days", 31}}, 8192);
  EXPECT_GT(whole.detail.size(), 4095u);
  EXPECT_LT(whole.detail.size(), 8191u);
  EXPECT_TRUE(contains(whole.detail, L"请按科室实际人数与能级调整。\r\n"));
  Report cut = generate(1, {{"nurses", 40}, {"days", 31}}, 4096);
  EXPECT_EQ(4095u, cut.detail.size());
  EXPECT_EQ(whole.detail.substr(0, 4095), cut.detail);
  size_t lastName = cut.detail.rfind(L"护士");
  EXPECT_EQ(L"护士26：", cut.detail.substr(lastName, 5));
  EXPECT_FALSE(contains(cut.detail, L"提示"));
  EXPECT_EQ(whole.verdict, cut.verdict);
}

TEST(DosingTimetable, TimesOnOneLine) {
  const struct {
    Inputs inputs;
    const wchar_t* heading;
    const wchar_t* doses;
  } cases[] = {
      {{{"start", 8}, {"interval", 8}, {"times", 3}}, L"首剂时间 8:00，间隔 8 小时，共 3 次：",
       L"第1天 08:00  |  第1天 16:00  |  第2天 00:00"},
      {{{"start", 20}, {"interval", 6}, {"times", 3}}, L"首剂时间 20:00，间隔 6 小时，共 3 次：",
       L"第1天 20:00  |  第2天 02:00  |  第2天 08:00"},
      {{{"start", 8}, {"interval", 0}}, L"首剂时间 8:00，间隔 8 小时，共 1 次：", L"第1天 08:00"},
      {{{"start", 8}, {"interval", -4}}, L"首剂时间 8:00，间隔 8 小时，共 1 次：", L"第1天 08:00"},
      {{{"start", -2}, {"times", 2}}, L"首剂时间 0:00，间隔 8 小时，共 2 次：", L"第1天 00:00  |  第1天 08:00"},
      {{{"start", 8.25}}, L"首剂时间 8:00，间隔 8 小时，共 1 次：", L"第1天 08:15"},
      {{{"start", 8.1}}, L"首剂时间 8:00，间隔 8 小时，共 1 次：", L"第1天 08:05"},
      {{{"start", 50}}, L"首剂时间 50:00，间隔 8 小时，共 1 次：", L"第3天 02:00"},
      {{{"start", 1e11}}, L"首剂时间 100000000000:00，间隔 8 小时，共 1 次：", L"第-2147483647天 16:00"},
  };
  for (const auto& c : cases) {
    Report r = generate(2, c.inputs);
    EXPECT_EQ(std::wstring(c.heading) + L"\r\n" + c.doses + L"\r\n说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。\r\n",
              r.detail);
    EXPECT_EQ(L"给药时间表已生成，注意首剂与夜间给药时间", r.verdict);
  }
  EXPECT_EQ(1, countOf(generate(2, {{"times", 0}}).detail, L"第1天"));
  EXPECT_EQ(29, countOf(generate(2, {{"times", 31}}).detail, L"  |  "));
}

TEST(FollowUpPlan, DatesCountFromToday) {
  // Read the date before and after, so a run across midnight still passes.
  DayNumber before = localToday();
  Report r = generate(7, {{"start", -1}, {"gap", 0}, {"times", 3}});
  DayNumber after = localToday();
  auto expected = [](DayNumber today) {
    std::wstring text = L"随访节点（以今天为基准，起始第 -1 天，间隔 7 天，共 3 次）：\r\n";
    for (int k = 1; k <= 3; ++k) {
      wchar_t date[32];
      civilFromDays(today - 1 + (k - 1) * 7, date, 32);
      text += L"第 " + std::to_wstring(k) + L" 次：" + date + L"\r\n";
    }
    return text + L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。\r\n";
  };
  EXPECT_TRUE(r.detail == expected(before) || r.detail == expected(after));
  EXPECT_EQ(L"随访计划已生成，可按日期短信提醒患者", r.verdict);
  EXPECT_EQ(20, countOf(generate(7, {{"times", 25}}).detail, L" 次："));
  EXPECT_TRUE(contains(generate(7, {}).detail, L"起始第 0 天，间隔 7 天，共 1 次"));
}

TEST(InfusionCard, NoInputsAndDropRate) {
  Report r = generate(10, {});
  EXPECT_EQ(
      L"静脉输液卡\r\n"
      L"床号：0\r\n"
      L"药液：医嘱药量 0.00 ，加入溶媒 0 ml\r\n"
      L"滴速：0 滴/分（约 0 ml/h）\r\n"
      L"核对：药名/剂量/浓度/有效期/配伍；双人签名。\r\n"
      L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。\r\n",
      r.detail);
  EXPECT_EQ(L"输液卡已生成，双人核对后执行", r.verdict);
  Report rate = generate(10, {{"bed", 12.8}, {"dose", 2.5}, {"volume", 250}, {"gtt", 40}});
  EXPECT_TRUE(contains(rate.detail, L"床号：12\r\n药液：医嘱药量 2.50 ，加入溶媒 250 ml\r\n滴速：40 滴/分（约 120 ml/h）\r\n"));
}

// Every kind keeps exactly the first capacity - 1 characters of its full report, down
// to a capacity of 1, with its verdict and level unchanged.
TEST(Reports, EveryKindIsCutCleanlyAtAnyCapacity) {
  const Inputs inputs = {{"kind", 2}, {"drugA", 1}, {"drugB", 2}, {"beds", 3}, {"panel", 2}, {"nurses", 3},
                         {"days", 4}, {"start", 8}, {"interval", 6}, {"times", 4}, {"gap", 3},
                         {"bed", 5}, {"dose", 1}, {"volume", 100}};
  for (ReportKind kind = 1; kind <= 11; ++kind) {
    Report whole = generate(kind, inputs);
    ASSERT_FALSE(whole.detail.empty()) << kind;
    ASSERT_FALSE(whole.verdict.empty()) << kind;
    for (int32_t capacity = 1; capacity <= static_cast<int32_t>(whole.detail.size()) + 2; ++capacity) {
      Report cut = generate(kind, inputs, capacity);
      ASSERT_EQ(whole.detail.substr(0, capacity - 1), cut.detail) << kind << " at " << capacity;
      ASSERT_EQ(whole.verdict, cut.verdict);
      ASSERT_EQ(whole.level, cut.level);
    }
  }
}

TEST(Reports, ReachTheWindowThroughTheEvaluationRun) {
  InputField fields[] = {{"drugA", L"甲", nullptr, 0}, {"drugB", L"乙", nullptr, 0}};
  const ToolDefinition tool = {9, L"t", nullptr, L"c", L"r", nullptr, 2, fields, 0, nullptr, 0, nullptr, 6};
  const double values[] = {7, 6};
  wchar_t detail[4096], verdict[512], copy[8192];
  Level level = -1;
  EXPECT_EQ(1, runEvaluation(tool, values, detail, 4096, verdict, 512, &level, copy, 8192));
  EXPECT_EQ(1, level);
  EXPECT_STREQ(L"建议分开输注", verdict);
  EXPECT_STREQ(detail, copy);
}

}  // namespace
