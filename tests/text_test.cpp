// Bounded formatting and appending: the same cuts and number texts in every build.
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <string>

#include "text.h"

namespace {

TEST(FormatText, ConversionsMatchTheCLibrary) {
  wchar_t out[128];
  const struct {
    const wchar_t* expected;
    int32_t (*run)(wchar_t*);
  } runs[] = {
      {L"42|   -7|3   |0012", [](wchar_t* o) { return formatText(o, 128, L"%d|%5d|%-4d|%04d", 42, -7, 3, 12); }},
      {L"-9000000000 4000000000 ff FF",
       [](wchar_t* o) { return formatText(o, 128, L"%lld %u %x %X", -9000000000LL, 4000000000u, 255u, 255u); }},
      {L"0 2 2 0.2 -3.14 1.235",
       [](wchar_t* o) { return formatText(o, 128, L"%.0f %.0f %.0f %.1f %.2f %.3f", 0.5, 1.5, 2.5, 0.25, -3.14159, 1.23456); }},
      {L"3 4.5 1.23457e+06 1e-05", [](wchar_t* o) { return formatText(o, 128, L"%g %g %g %g", 3.0, 4.5, 1234567.0, 0.00001); }},
      {L"1.234568e+04", [](wchar_t* o) { return formatText(o, 128, L"%e", 12345.678); }},
      {L"宽字/narrow/x/%", [](wchar_t* o) { return formatText(o, 128, L"%ls/%s/%c/%%", L"宽字", "narrow", 'x'); }},
      {L"[  ab][ab  ][a]", [](wchar_t* o) { return formatText(o, 128, L"[%4ls][%-4ls][%.1ls]", L"ab", L"ab", L"ab"); }},
      {L"|", [](wchar_t* o) {
         return formatText(o, 128, L"%ls|%s", static_cast<const wchar_t*>(nullptr), static_cast<const char*>(nullptr));
       }},
      {L"2024-02-09", [](wchar_t* o) { return formatText(o, 128, L"%04lld-%02lld-%02lld", 2024LL, 2LL, 9LL); }},
      {L"%n%q", [](wchar_t* o) { return formatText(o, 128, L"%n%q"); }},
  };
  for (const auto& r : runs) {
    int32_t n = r.run(out);
    EXPECT_STREQ(r.expected, out);
    EXPECT_EQ(static_cast<int32_t>(wcslen(r.expected)), n);
  }
}

TEST(FormatText, CutsAtCapacityAndSaysSo) {
  wchar_t out[8];
  for (int i = 0; i < 8; ++i) out[i] = L'#';
  EXPECT_EQ(-1, formatText(out, 5, L"%ls-%d", L"abc", 1234));
  EXPECT_STREQ(L"abc-", out);
  EXPECT_EQ(L'#', out[5]);
  EXPECT_EQ(4, formatText(out, 5, L"abcd"));
  EXPECT_EQ(-1, formatText(out, 1, L"x"));
  EXPECT_STREQ(L"", out);
  EXPECT_EQ(-1, formatText(out, 0, L"x"));  // nothing is written at all
}

TEST(AppendText, KeepsTheFirstCapacityMinusOneCharacters) {
  wchar_t buffer[6] = L"ab";
  appendText(buffer, 6, L"cdef");
  EXPECT_STREQ(L"abcde", buffer);
  appendText(buffer, 6, L"g");  // full: nothing happens
  EXPECT_STREQ(L"abcde", buffer);
  appendText(buffer, 6, nullptr);
  EXPECT_STREQ(L"abcde", buffer);
  wchar_t unterminated[3] = {L'x', L'y', L'z'};
  appendText(unterminated, 3, L"q");  // counts as full, never read past
  EXPECT_EQ(L'z', unterminated[2]);
}

TEST(AppendLine, AddsCrLfOnlyAsFarAsRoomAllows) {
  const struct {
    int32_t capacity;
    const wchar_t* expected;
  } cases[] = {
      {10, L"ab123\r\n"},
      {6, L"ab123"},     // the line fills the room: neither CR nor LF
      {7, L"ab123\r"},   // room for one character: only the CR
      {4, L"ab1"},
      {3, L"ab"},
  };
  for (const auto& c : cases) {
    wchar_t buffer[16] = L"ab";
    appendLine(buffer, c.capacity, L"%d", 123);
    EXPECT_STREQ(c.expected, buffer) << c.capacity;
  }
}

TEST(AppendLine, CutsTheLineAtFiveHundredElevenCharacters) {
  static wchar_t buffer[2048];
  buffer[0] = L'\0';
  wchar_t piece[700];
  for (int i = 0; i < 699; ++i) piece[i] = L'x';
  piece[699] = L'\0';
  appendLine(buffer, 2048, L"%ls", piece);
  EXPECT_EQ(513u, wcslen(buffer));
  EXPECT_EQ(L'\r', buffer[511]);
  EXPECT_EQ(L'\n', buffer[512]);
}

TEST(EncodeUtf8, EncodesEveryPlaneAndReplacesLoneSurrogates) {
  char out[32];
  const wchar_t text[] = {L'A', 0x00E9, 0x4E2D, 0xFF1A, 0};
  ASSERT_EQ(1 + 2 + 3 + 3, encodeUtf8(text, out, sizeof out));
  EXPECT_EQ(std::string("A\xC3\xA9\xE4\xB8\xAD\xEF\xBC\x9A"), std::string(out, 9));
  const wchar_t lone[] = {static_cast<wchar_t>(0xD800), L'x', 0};
  ASSERT_EQ(4, encodeUtf8(lone, out, sizeof out));
  EXPECT_EQ(std::string("\xEF\xBF\xBDx"), std::string(out, 4));
  EXPECT_EQ(-1, encodeUtf8(L"abc", out, 2));
}

}  // namespace
