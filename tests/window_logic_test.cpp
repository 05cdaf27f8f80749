// The window's decisions: compute over field texts, reset, and the texts it shows.
#include <gtest/gtest.h>

#include <string>

#include "window_logic.h"

namespace {

class WindowLogicTest : public ::testing::Test {
 protected:
  void SetUp() override { initWindowState(state); }
  int32_t compute(const wchar_t* eye, const wchar_t* verbal, const wchar_t* motor) {
    const wchar_t* fields[] = {eye, verbal, motor};
    return computeFromFields(getToolDefinition(), fields, state, detail, kDetailCapacity, verdict, kVerdictCapacity);
  }
  WindowState state;
  wchar_t detail[kDetailCapacity];
  wchar_t verdict[kVerdictCapacity];
};

TEST_F(WindowLogicTest, NewStateHasNoResult) {
  EXPECT_STREQ(L"", state.resultText);
  EXPECT_EQ(0, state.verdictLevel);
  EXPECT_STREQ(L"就绪：填写参数后按 F5 或点击“计算”", state.statusText);
}

TEST_F(WindowLogicTest, ComputeFillsTheResultAndTheClipboardText) {
  EXPECT_EQ(-1, compute(L"2", L"3", L"5"));
  EXPECT_STREQ(L"GCS 总分：10 分\r\n睁眼得分：2\r\n运动得分：5\r\n", detail);
  EXPECT_STREQ(L"中度意识障碍，密切监测瞳孔与生命体征", verdict);
  EXPECT_STREQ(detail, state.resultText);
  EXPECT_EQ(2, state.verdictLevel);
  EXPECT_STREQ(L"GCS 总分：10 分\r\n睁眼得分：2\r\n运动得分：5\r\n—— 中度意识障碍，密切监测瞳孔与生命体征", state.copyText);
  EXPECT_STREQ(L"计算完成  格拉斯哥昏迷评分 GCS", state.statusText);
  EXPECT_EQ(2.0, state.inputValues[0]);
  wchar_t clipboard[2048];
  formatClipboardText(getToolDefinition(), state, clipboard, 2048);
  EXPECT_EQ(std::wstring(L"格拉斯哥昏迷评分 GCS\r\n") + state.copyText, clipboard);
}

TEST_F(WindowLogicTest, EmptyAndWordlessFieldsReadZero) {
  EXPECT_EQ(-1, compute(L"", L"   ", L"abc"));
  EXPECT_STREQ(L"GCS 总分：0 分\r\n睁眼得分：0\r\n运动得分：0\r\n", state.resultText);
  EXPECT_EQ(3, state.verdictLevel);
}

// A rejected field names itself and leaves the last result and values as they were.
TEST_F(WindowLogicTest, RejectedInputChangesNothing) {
  ASSERT_EQ(-1, compute(L"2", L"3", L"5"));
  WindowState before = state;
  const struct {
    const wchar_t* eye;
    const wchar_t* verbal;
    const wchar_t* motor;
    int32_t field;
  } cases[] = {
      {L"inf", L"1", L"1", 0}, {L"-Infinity", L"1", L"1", 0}, {L"nan", L"1", L"1", 0},
      {L"1e999", L"1", L"1", 0}, {L"4", L"5", L"nan", 2}, {L"4", L"inf", L"nan", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.field, compute(c.eye, c.verbal, c.motor));
    EXPECT_STREQ(before.resultText, state.resultText);
    EXPECT_STREQ(before.copyText, state.copyText);
    EXPECT_STREQ(before.statusText, state.statusText);
    EXPECT_EQ(before.verdictLevel, state.verdictLevel);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(before.inputValues[i], state.inputValues[i]);
  }
  wchar_t message[256];
  formatInvalidInputMessage(getToolDefinition(), 0, message, 256);
  EXPECT_STREQ(L"第 1 项“睁眼(E) 1-4”请输入数字。", message);
}

TEST_F(WindowLogicTest, ResetLeavesNoResult) {
  compute(L"1", L"1", L"1");
  resetWindowState(state);
  EXPECT_STREQ(L"", state.resultText);
  EXPECT_EQ(0, state.verdictLevel);
  EXPECT_STREQ(L"已恢复默认值", state.statusText);
}

TEST_F(WindowLogicTest, ReportToolsCopyTheDetailAlone) {
  InputField inputs[] = {{"beds", L"床位数", nullptr, 40}};
  const ToolDefinition tool = {9, L"交班", nullptr, L"护理", L"R", nullptr, 1, inputs, 0, nullptr, 0, nullptr, 9};
  const wchar_t* fields[] = {L"30"};
  ASSERT_EQ(-1, computeFromFields(tool, fields, state, detail, kDetailCapacity, verdict, kVerdictCapacity));
  EXPECT_EQ(1023u, std::wstring(state.copyText).size());
  EXPECT_EQ(std::wstring(detail).substr(0, 1023), state.copyText);
}

TEST(WindowTexts, AboutHeaderReferenceAndDefaults) {
  const ToolDefinition& tool = getToolDefinition();
  wchar_t text[kAboutTextCapacity];
  formatAboutText(tool, text, kAboutTextCapacity);
  EXPECT_EQ(std::wstring(L"格拉斯哥昏迷评分 GCS\r\n\r\n分类：神经评估\r\n参考依据：Teasdale & Jennett 1974；GCS≤8 提示重度昏迷\r\n\r\n"
                         L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
                         L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n\r\n版本 V1.0    官网：") +
                kPublisherWebAddress,
            text);
  formatHeaderLine(tool, text, 256);
  EXPECT_STREQ(L"神经评估  ·  睁眼、语言、运动三项合计", text);
  ToolDefinition bare = tool;
  bare.subtitle = nullptr;
  formatHeaderLine(bare, text, 256);
  EXPECT_STREQ(L"神经评估  ·  ", text);
  formatReferenceLine(tool, text, 512);
  EXPECT_STREQ(L"参考依据：Teasdale & Jennett 1974；GCS≤8 提示重度昏迷", text);
  const struct {
    double value;
    const wchar_t* text;
  } defaults[] = {{3, L"3"}, {4.5, L"4.5"}, {1234567, L"1.23457e+06"}, {0.00001, L"1e-05"}, {-0.0, L"-0"}};
  for (const auto& d : defaults) {
    formatDefaultValue(d.value, text, 64);
    EXPECT_STREQ(d.text, text);
  }
}

TEST(WindowTexts, VerdictColourByLevel) {
  EXPECT_EQ(rgb(0, 128, 96), verdictColour(0));
  EXPECT_EQ(rgb(176, 132, 0), verdictColour(1));
  EXPECT_EQ(rgb(214, 108, 0), verdictColour(2));
  EXPECT_EQ(rgb(190, 30, 45), verdictColour(3));
  EXPECT_EQ(rgb(0, 128, 96), verdictColour(4));
  EXPECT_EQ(rgb(0, 128, 96), verdictColour(-1));
  EXPECT_EQ(0x00965A00u, rgb(0, 90, 150));  // the COLORREF layout
}

TEST(WindowTexts, CentredWindowNeverStartsOffScreen) {
  const struct {
    int32_t screenW, screenH, w, h, x, y;
  } cases[] = {{1280, 900, 1036, 780, 122, 60}, {1024, 768, 1036, 780, 0, 0}, {1100, 700, 1036, 780, 32, 0},
               {1037, 781, 1036, 780, 0, 0}};
  for (const auto& c : cases) {
    int32_t x = -1, y = -1;
    centreOnScreen(c.screenW, c.screenH, c.w, c.h, &x, &y);
    EXPECT_EQ(c.x, x);
    EXPECT_EQ(c.y, y);
  }
}

}  // namespace
