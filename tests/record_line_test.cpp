// The record file's lines: fields, quoting and cuts, read back as a CSV reader would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_line.h"

namespace {

// Reads one CSV record (RFC 4180) from the start of line; the line must end in CR LF.
std::vector<std::wstring> parseCsvLine(const std::wstring& line) {
  std::vector<std::wstring> fields(1);
  bool quoted = false;
  size_t i = 0;
  for (; i < line.size(); ++i) {
    wchar_t c = line[i];
    if (quoted) {
      if (c == L'"' && i + 1 < line.size() && line[i + 1] == L'"') fields.back() += L'"', ++i;
      else if (c == L'"') quoted = false;
      else fields.back() += c;
    } else if (c == L'"') {
      quoted = true;
    } else if (c == L',') {
      fields.emplace_back();
    } else if (c == L'\r' && i + 1 < line.size() && line[i + 1] == L'\n') {
      break;
    } else {
      fields.back() += c;
    }
  }
  EXPECT_EQ(line.size(), i + 2) << "one record, ended by CR LF";
  return fields;
}

const LocalTime kTime = {2026, 3, 4, 9, 5, 7};

TEST(RecordLine, GcsHeaderAndRecord) {
  wchar_t line[kRecordLineCapacity];
  assembleHeaderLine(getToolDefinition(), line, kHeaderLineCapacity);
  EXPECT_STREQ(L"时间,工具,睁眼(E) 1-4,语言(V) 1-5,运动(M) 1-6,结果\r\n", line);
  const double values[16] = {3, 4, 5};
  assembleRecordLine(getToolDefinition(), values, L"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n", kTime, line,
                     kRecordLineCapacity);
  EXPECT_STREQ(
      L"2026-03-04 09:05:07,格拉斯哥昏迷评分 GCS,睁眼(E) 1-4=3,语言(V) 1-5=4,运动(M) 1-6=5,"
      L"\"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n\"\r\n",
      line);
}

TEST(RecordLine, ValuesAreWrittenWithPercentG) {
  const double values[16] = {4.5, 1234567, 0.00001};
  wchar_t line[kRecordLineCapacity];
  assembleRecordLine(getToolDefinition(), values, L"x", kTime, line, kRecordLineCapacity);
  EXPECT_EQ((std::vector<std::wstring>{L"2026-03-04 09:05:07", L"格拉斯哥昏迷评分 GCS", L"睁眼(E) 1-4=4.5",
                                       L"语言(V) 1-5=1.23457e+06", L"运动(M) 1-6=1e-05", L"x"}),
            parseCsvLine(line));
}

// Quotation marks, commas and line breaks survive a round trip; long fields are cut
// before they are quoted, so the quoting stays whole.
TEST(RecordLine, FieldsParseBackToWhatWentIn) {
  std::wstring longLabel = std::wstring(130, L'"');
  std::wstring longResult = std::wstring(300, L'"');
  const InputField inputs[] = {
      {"a", L"逗,号", nullptr, 0},
      {"b", L"引\"号", nullptr, 0},
      {"c", longLabel.c_str(), nullptr, 0},
      {"d", L"换\n行", nullptr, 0},
  };
  const ToolDefinition tool = {7, L"标\"题,", nullptr, L"c", L"r", nullptr, 4, inputs, 0, nullptr, 0, nullptr, 0};
  wchar_t line[kRecordLineCapacity];
  assembleHeaderLine(tool, line, kHeaderLineCapacity);
  EXPECT_EQ((std::vector<std::wstring>{L"时间", L"工具", L"逗,号", L"引\"号", std::wstring(126, L'"'), L"换\n行", L"结果"}),
            parseCsvLine(line));
  const double values[16] = {1, 2, 3, 4};
  assembleRecordLine(tool, values, longResult.c_str(), kTime, line, kRecordLineCapacity);
  EXPECT_EQ((std::vector<std::wstring>{L"2026-03-04 09:05:07", L"标\"题,", L"逗,号=1", L"引\"号=2",
                                       std::wstring(126, L'"'), L"换\n行=4", std::wstring(254, L'"')}),
            parseCsvLine(line));
}

TEST(RecordLine, ResultIsCutToTwoHundredFiftyFourCharacters) {
  std::wstring result(300, L'果');
  const double values[16] = {3, 4, 5};
  wchar_t line[kRecordLineCapacity];
  assembleRecordLine(getToolDefinition(), values, result.c_str(), kTime, line, kRecordLineCapacity);
  EXPECT_EQ(std::wstring(254, L'果'), parseCsvLine(line).back());
}

TEST(RecordLine, FileNameHasThreeDigitsAtLeast) {
  wchar_t name[32];
  formatRecordFileName(getToolDefinition(), name, 32);
  EXPECT_STREQ(L"T122.csv", name);
  ToolDefinition tool = getToolDefinition();
  tool.id = 7;
  formatRecordFileName(tool, name, 32);
  EXPECT_STREQ(L"T007.csv", name);
}

}  // namespace
