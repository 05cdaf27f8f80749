// The Glasgow Coma Scale tool's content, code point by code point where it matters.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <set>
#include <string>

#include "tool_definition.h"

namespace {

TEST(ToolDefinition, HeaderFieldsAreTheGlasgowComaScale) {
  const ToolDefinition& t = getToolDefinition();
  EXPECT_EQ(122, t.id);
  EXPECT_EQ(0, t.reportKind);
  EXPECT_STREQ(L"格拉斯哥昏迷评分 GCS", t.title);
  EXPECT_STREQ(L"睁眼\u3001语言\u3001运动三项合计", t.subtitle);
  EXPECT_STREQ(L"神经评估", t.category);
  EXPECT_STREQ(L"Teasdale & Jennett 1974\uFF1BGCS\u22648 提示重度昏迷", t.reference);
  EXPECT_STREQ(L"镇静\u3001气管插管\u3001语言障碍患者需注明并采用替代评估\u3002", t.note);
}

TEST(ToolDefinition, InputsOutputsAndRulesInOrder) {
  const ToolDefinition& t = getToolDefinition();
  const struct {
    const char* key;
    const wchar_t* label;
    double value;
  } inputs[] = {{"eye", L"睁眼(E) 1-4", 3}, {"verbal", L"语言(V) 1-5", 4}, {"motor", L"运动(M) 1-6", 5}};
  ASSERT_EQ(3, t.inputCount);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(inputs[i].key, t.inputs[i].key);
    EXPECT_STREQ(inputs[i].label, t.inputs[i].label);
    EXPECT_STREQ(L"", t.inputs[i].unit);
    EXPECT_EQ(inputs[i].value, t.inputs[i].defaultValue);
  }
  const OutputField outputs[] = {
      {"total", L"GCS 总分", L"分", "eye+verbal+motor", "f0"},
      {"eye_pct", L"睁眼得分", L"", "eye", "f0"},
      {"motor_pct", L"运动得分", L"", "motor", "f0"},
  };
  ASSERT_EQ(3, t.outputCount);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(outputs[i].key, t.outputs[i].key);
    EXPECT_STREQ(outputs[i].label, t.outputs[i].label);
    EXPECT_STREQ(outputs[i].unit, t.outputs[i].unit);
    EXPECT_STREQ(outputs[i].expression, t.outputs[i].expression);
    EXPECT_STREQ(outputs[i].format, t.outputs[i].format);
  }
  const VerdictRule rules[] = {
      {"eye+verbal+motor<=8", 3, L"重度昏迷\uFF0C评估气道保护与插管指征"},
      {"eye+verbal+motor<=12", 2, L"中度意识障碍\uFF0C密切监测瞳孔与生命体征"},
      {"", 1, L"轻度意识障碍\uFF0C动态复查"},
  };
  ASSERT_EQ(3, t.ruleCount);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(rules[i].condition, t.rules[i].condition);
    EXPECT_EQ(rules[i].level, t.rules[i].level);
    EXPECT_STREQ(rules[i].text, t.rules[i].text);
  }
}

// The data's own invariants: identifier keys of at most 63 characters, unique across
// inputs and outputs; the catch-all last.
TEST(ToolDefinition, KeysAreUniqueIdentifiers) {
  const ToolDefinition& t = getToolDefinition();
  std::set<std::string> keys;
  auto check = [&](const char* key) {
    size_t n = std::strlen(key);
    EXPECT_TRUE(n >= 1 && n <= 63) << key;
    for (size_t i = 0; i < n; ++i) {
      char c = key[i];
      bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
      EXPECT_TRUE(letter || (i > 0 && c >= '0' && c <= '9')) << key;
    }
    EXPECT_TRUE(keys.insert(key).second) << "duplicate key " << key;
  };
  for (int i = 0; i < t.inputCount; ++i) check(t.inputs[i].key);
  for (int i = 0; i < t.outputCount; ++i) check(t.outputs[i].key);
  EXPECT_LE(t.inputCount, kMaxInputs);
  EXPECT_LE(t.outputCount, kMaxOutputs);
  EXPECT_STREQ("", t.rules[t.ruleCount - 1].condition);
}

}  // namespace
