// The self-test: its command-line path, its report text, its UTF-8 file and its status.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "selftest.h"
#include "text.h"

namespace {

TEST(FindSelfTestPath, TakesThePathAfterTheSwitch) {
  const struct {
    const wchar_t* commandLine;
    const wchar_t* path;  // null: no self-test
  } cases[] = {
      {L"VemoMed.exe", nullptr},
      {L"VemoMed.exe --SELFTEST", nullptr},
      {L"VemoMed.exe --selftest", L"selftest.txt"},
      {L"VemoMed.exe --selftest   out.txt", L"out.txt"},
      {L"VemoMed.exe --selftest out.txt more words", L"out.txt"},
      {L"VemoMed.exe --selftest \"C:\\my dir\\out file.txt\" x", L"C:\\my dir\\out file.txt"},
      {L"VemoMed.exe --selftest \"unclosed path here", L"unclosed path here"},
      {L"VemoMed.exe --selftest=x", L"=x"},
      {L"VemoMed.exe --selftest \"\"", L"selftest.txt"},
      {L"VemoMed.exe --selftest \tout.txt", L"\tout.txt"},  // only blanks are skipped
      {L"VemoMed.exe x--selftesty", L"y"},                  // found even inside a word
      {L"\"C:\\a--selftest\\VemoMed.exe\" --selftest r.txt", L"\\VemoMed.exe\""},  // the first one wins
      {L"--selftest a --selftest b", L"a"},
  };
  for (const auto& c : cases) {
    wchar_t path[kSelfTestPathCapacity] = L"untouched";
    bool found = findSelfTestPath(c.commandLine, path, kSelfTestPathCapacity);
    EXPECT_EQ(c.path != nullptr, found) << c.commandLine;
    if (c.path) {
      EXPECT_STREQ(c.path, path) << c.commandLine;
    }
  }
}

TEST(FindSelfTestPath, CutsLongPathsAtFiveHundredNineteenCharacters) {
  std::wstring line = L"x --selftest " + std::wstring(600, L'p');
  wchar_t path[kSelfTestPathCapacity];
  ASSERT_TRUE(findSelfTestPath(line.c_str(), path, kSelfTestPathCapacity));
  EXPECT_EQ(std::wstring(519, L'p'), path);
  wchar_t small[8];
  ASSERT_TRUE(findSelfTestPath(line.c_str(), small, 8));
  EXPECT_STREQ(L"ppppppp", small);
}

const wchar_t kGcsReport[] =
    L"TOOL|122|格拉斯哥昏迷评分 GCS|神经评估\r\n"
    L"LEVEL|2\r\n"
    L"OUT|GCS 总分|12|分\r\n"
    L"OUT|睁眼得分|3|\r\n"
    L"OUT|运动得分|5|\r\n"
    L"VERDICT|中度意识障碍，密切监测瞳孔与生命体征\r\n"
    L"DETAIL|GCS 总分：12 分 睁眼得分：3 运动得分：5 \r\n"
    L"ERRORS|0\r\n";

TEST(AssembleSelfTestReport, GcsAtItsDefaults) {
  static wchar_t report[kSelfTestReportCapacity];
  EXPECT_EQ(0, assembleSelfTestReport(getToolDefinition(), report, kSelfTestReportCapacity));
  EXPECT_STREQ(kGcsReport, report);
  char utf8[1024];
  EXPECT_EQ(263, encodeUtf8(report, utf8, sizeof utf8));
}

// Each output alone in the OUT lines; in sequence in the DETAIL line.
TEST(AssembleSelfTestReport, OutputsAreEvaluatedAloneAndFailuresCounted) {
  const InputField inputs[] = {{"a", L"甲", nullptr, 2}};
  const OutputField outputs[] = {
      {"x", L"X", L"mg", "a+1", "f0"},
      {"y", L"Y|y", nullptr, "x*2", "f0"},
      {"z", L"Z", nullptr, "a/0", "f1"},
  };
  const ToolDefinition tool = {5, L"T", nullptr, L"C", L"R", nullptr, 1, inputs, 3, outputs, 0, nullptr, 0};
  static wchar_t report[kSelfTestReportCapacity];
  EXPECT_EQ(1, assembleSelfTestReport(tool, report, kSelfTestReportCapacity));
  EXPECT_STREQ(
      L"TOOL|5|T|C\r\n"
      L"LEVEL|0\r\n"
      L"OUT|X|3|mg\r\n"
      L"OUT|Y|y|0|\r\n"
      L"OUT|Z|0.0|\r\n"
      L"VERDICT|请核对输入参数后重新计算\r\n"
      L"DETAIL|X：3 mg Y|y：6 Z：0.0 （部分结果无法计算，请检查输入是否合理） \r\n"
      L"ERRORS|1\r\n",
      report);
}

TEST(AssembleSelfTestReport, ReportKindsGiveOneFixedOutLine) {
  ToolDefinition tool = getToolDefinition();
  tool.reportKind = 42;
  static wchar_t report[kSelfTestReportCapacity];
  EXPECT_EQ(0, assembleSelfTestReport(tool, report, kSelfTestReportCapacity));
  EXPECT_STREQ(
      L"TOOL|122|格拉斯哥昏迷评分 GCS|神经评估\r\n"
      L"LEVEL|0\r\n"
      L"OUT|报告文本|见 DETAIL|\r\n"
      L"VERDICT|暂无报告内容\r\n"
      L"DETAIL|（该工具暂无自定义报告）\r\n"
      L"ERRORS|0\r\n",
      report);
}

// A generated report reaches the DETAIL line whole, on one line.
TEST(AssembleSelfTestReport, GeneratedReportStandsInTheDetailLine) {
  const InputField inputs[] = {{"drugA", L"甲", nullptr, 2}, {"drugB", L"乙", nullptr, 1}};
  const ToolDefinition tool = {106, L"配伍", nullptr, L"药学", L"R", nullptr, 2, inputs, 0, nullptr, 0, nullptr, 6};
  static wchar_t report[kSelfTestReportCapacity];
  EXPECT_EQ(0, assembleSelfTestReport(tool, report, kSelfTestReportCapacity));
  EXPECT_STREQ(
      L"TOOL|106|配伍|药学\r\n"
      L"LEVEL|3\r\n"
      L"OUT|报告文本|见 DETAIL|\r\n"
      L"VERDICT|禁忌：不可同瓶输注，需间隔冲管\r\n"
      L"DETAIL|待查：2 号 葡萄糖酸钙  +  1 号 头孢曲松  "
      L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索       6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺  "
      L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。 \r\n"
      L"ERRORS|0\r\n",
      report);
  EXPECT_EQ(kSelfTestPassed, runSelfTestOfTool(tool, L"selftest_test_report.txt"));
  std::remove("selftest_test_report.txt");
}

// Sixteen outputs with 255-character labels make more than the report holds: the text
// is cut at its capacity, never overrun.
TEST(AssembleSelfTestReport, OversizedReportIsCutWithinItsBuffer) {
  static wchar_t label[256];
  for (int i = 0; i < 255; ++i) label[i] = L'标';
  OutputField outputs[16];
  for (int i = 0; i < 16; ++i) outputs[i] = {i == 0 ? "k0" : "k1", label, label, "1", "f0"};
  static wchar_t title[3001];
  for (int i = 0; i < 3000; ++i) title[i] = L'题';
  const ToolDefinition tool = {1, title, nullptr, title, L"R", nullptr, 0, nullptr, 16, outputs, 0, nullptr, 0};
  static wchar_t report[kSelfTestReportCapacity + 8];
  for (auto& c : report) c = L'#';
  assembleSelfTestReport(tool, report, kSelfTestReportCapacity);
  EXPECT_EQ(L'\0', report[kSelfTestReportCapacity - 1]);
  for (int i = kSelfTestReportCapacity; i < kSelfTestReportCapacity + 8; ++i) EXPECT_EQ(L'#', report[i]);
}

std::string readFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(RunSelfTest, WritesTheReportAndReturnsItsStatus) {
  std::remove("selftest_test_out.txt");
  EXPECT_EQ(kSelfTestPassed, runSelfTest(L"selftest_test_out.txt"));
  std::string bytes = readFile("selftest_test_out.txt");
  EXPECT_EQ(263u, bytes.size());
  EXPECT_EQ(0, bytes.compare(0, 12, "TOOL|122|\xE6\xA0\xBC"));  // no byte-order mark
  EXPECT_EQ("ERRORS|0\r\n", bytes.substr(bytes.size() - 10));
  std::remove("selftest_test_out.txt");
}

TEST(RunSelfTest, FailedOutputsGiveTwoAndAnUnwritableReportThree) {
  const InputField inputs[] = {{"a", L"a", nullptr, 1}};
  const OutputField outputs[] = {{"x", L"x", nullptr, "a/0", "f0"}};
  const ToolDefinition tool = {5, L"T", nullptr, L"C", L"R", nullptr, 1, inputs, 1, outputs, 0, nullptr, 0};
  EXPECT_EQ(kSelfTestOutputFailed, runSelfTestOfTool(tool, L"selftest_test_fail.txt"));
  EXPECT_NE(std::string::npos, readFile("selftest_test_fail.txt").find("ERRORS|1\r\n"));
  std::remove("selftest_test_fail.txt");
  EXPECT_EQ(kSelfTestReportLost, runSelfTestOfTool(tool, L"no_such_folder/x/report.txt"));
  EXPECT_EQ(kSelfTestReportLost, runSelfTest(L"no_such_folder/x/report.txt"));
}

// A report of many thousand Chinese characters is written whole, not emptied.
TEST(RunSelfTest, LargeReportsAreWrittenWhole) {
  static wchar_t label[256];
  for (int i = 0; i < 255; ++i) label[i] = L'标';
  OutputField outputs[16];
  for (int i = 0; i < 16; ++i) outputs[i] = {"k", label, nullptr, "1", "f0"};
  const ToolDefinition tool = {1, L"T", nullptr, L"C", L"R", nullptr, 0, nullptr, 16, outputs, 0, nullptr, 0};
  EXPECT_EQ(kSelfTestPassed, runSelfTestOfTool(tool, L"selftest_test_large.txt"));
  std::string bytes = readFile("selftest_test_large.txt");
  EXPECT_GT(bytes.size(), 8191u * 2);
  EXPECT_EQ("ERRORS|0\r\n", bytes.substr(bytes.size() - 10));
  std::remove("selftest_test_large.txt");
}

}  // namespace
