// End to end: the real VemoMed.exe under Wine, driven through window messages and
// keys, inspected through its controls, its pixels, the clipboard and its files.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "gui_driver.h"

namespace {

const COLORREF kLevelColours[] = {RGB(0, 128, 96), RGB(176, 132, 0), RGB(214, 108, 0), RGB(190, 30, 45)};
const wchar_t kTitle[] = L"格拉斯哥昏迷评分 GCS";

std::wstring recordsFolder() {
  wchar_t base[MAX_PATH];
  SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base);
  return std::wstring(base) + L"\\VemoMedSuite\\records";
}

std::wstring recordPath() { return recordsFolder() + L"\\T122.csv"; }

void removeRecords() {
  DeleteFileW(recordPath().c_str());
  RemoveDirectoryW(recordsFolder().c_str());
  wchar_t base[MAX_PATH];
  SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base);
  RemoveDirectoryW((std::wstring(base) + L"\\VemoMedSuite").c_str());
}

std::string readBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

class Gui : public ::testing::Test {
 protected:
  void SetUp() override {
    removeRecords();
    ASSERT_TRUE(startProgram(program)) << "the program's window did not appear";
    window = program.mainWindow;
  }
  void TearDown() override {
    if (program.process.hProcess) {
      MessageBoxInfo box = waitForMessageBox(window, 0);
      if (box.window) closeMessageBox(box);
      EXPECT_EQ(0, closeProgram(program)) << "exit code after closing the window";
    }
  }
  HWND field(int i) { return controlById(window, 2000 + i); }
  HWND button(int id) { return controlById(window, id); }
  HWND resultBox() { return controlById(window, 3000); }
  HWND verdictLabel() { return listControls(window)[6].window; }
  void typeInputs(const wchar_t* eye, const wchar_t* verbal, const wchar_t* motor) {
    setWindowText(field(0), eye);
    setWindowText(field(1), verbal);
    setWindowText(field(2), motor);
  }
  bool waitForResult(const std::wstring& detail) {
    return waitUntil([&] { return windowText(resultBox()) == detail; });
  }
  bool statusShows(const std::wstring& text) {
    return showsText(window, {740, 704, 1004, 720}, text, L"Microsoft YaHei UI", -12, RGB(120, 132, 142),
                     RGB(236, 241, 244), DT_RIGHT);
  }
  bool verdictInColour(int level) {
    RECT label = {492, 142, 984, 188};
    return waitUntil([&] {
      for (int other = 0; other < 4; ++other)
        if (rectHasColour(window, label, kLevelColours[other]) != (other == level)) return false;
      return true;
    });
  }
  Program program;
  HWND window = nullptr;
};

TEST_F(Gui, WindowSizeCaptionAndPosition) {
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  EXPECT_EQ(1036, outer.right - outer.left);
  EXPECT_EQ(780, outer.bottom - outer.top);
  // The frame takes what the fixed outer size leaves: more than the 1020 x 720 asked for.
  EXPECT_GE(client.right, 1020);
  EXPECT_GE(client.bottom, 720);
  RECT asked = {0, 0, 1020, 720};
  AdjustWindowRect(&asked, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (asked.right - asked.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (asked.bottom - asked.top)) / 2;
  EXPECT_EQ(x < 0 ? 0 : x, outer.left);
  EXPECT_EQ(y < 0 ? 0 : y, outer.top);
  EXPECT_EQ(static_cast<LONG>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(kTitle, windowText(window));
  wchar_t cls[64];
  GetClassNameW(window, cls, 64);
  EXPECT_STREQ(L"VemoMedToolWnd", cls);
}

TEST_F(Gui, ControlsAreBuiltFromTheToolDefinition) {
  struct Expected {
    const wchar_t* className;
    const wchar_t* text;
    RECT rect;
    int id;
    DWORD style, exStyle;
  };
  const DWORD stat = SS_NOPREFIX;
  const Expected expected[] = {
      {L"Static", L"睁眼(E) 1-4", {24, 151, 208, 173}, 0, SS_RIGHT | stat, 0},
      {L"Edit", L"3", {216, 146, 368, 173}, 2000, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
      {L"Static", L"语言(V) 1-5", {24, 185, 208, 207}, 0, SS_RIGHT | stat, 0},
      {L"Edit", L"4", {216, 180, 368, 207}, 2001, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
      {L"Static", L"运动(M) 1-6", {24, 219, 208, 241}, 0, SS_RIGHT | stat, 0},
      {L"Edit", L"5", {216, 214, 368, 241}, 2002, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
      {L"Static", L"填写左侧参数，点击“计算”", {492, 142, 984, 188}, 0, stat, 0},
      {L"Edit", L"", {492, 196, 984, 428}, 3000, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, WS_EX_CLIENTEDGE},
      {L"Static", L"镇静、气管插管、语言障碍患者需注明并采用替代评估。", {492, 444, 984, 564}, 0, stat, 0},
      {L"Static", L"参考依据：Teasdale & Jennett 1974；GCS≤8 提示重度昏迷", {492, 576, 984, 632}, 0, stat, 0},
      {L"Button", L"计算 (F5)", {20, 668, 172, 708}, 1001, BS_OWNERDRAW, 0},
      {L"Button", L"保存记录", {184, 668, 316, 708}, 1002, BS_OWNERDRAW, 0},
      {L"Button", L"复制结果", {328, 668, 460, 708}, 1003, BS_OWNERDRAW, 0},
      {L"Button", L"清空重填", {472, 668, 604, 708}, 1004, BS_OWNERDRAW, 0},
      {L"Button", L"关于", {616, 668, 726, 708}, 1005, BS_OWNERDRAW, 0},
  };
  std::vector<Control> controls = listControls(window);
  ASSERT_EQ(sizeof expected / sizeof expected[0], controls.size());
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& c = controls[i];
    const Expected& e = expected[i];
    SCOPED_TRACE(testing::Message() << "control " << i);
    EXPECT_EQ(0, _wcsicmp(e.className, c.className.c_str()));
    EXPECT_EQ(e.text, c.text);
    EXPECT_EQ(e.rect.left, c.rect.left);
    EXPECT_EQ(e.rect.top, c.rect.top);
    EXPECT_EQ(e.rect.right, c.rect.right);
    EXPECT_EQ(e.rect.bottom, c.rect.bottom);
    EXPECT_EQ(e.id, c.id);
    EXPECT_EQ(e.style, c.style & e.style);
    EXPECT_TRUE(c.style & WS_CHILD);
    EXPECT_TRUE(c.style & WS_VISIBLE);
    EXPECT_EQ(e.exStyle, c.exStyle & WS_EX_CLIENTEDGE);
  }
  EXPECT_EQ(field(0), focusOf(window)) << "focus starts in the first field";
}

TEST_F(Gui, PaintedColoursAndTexts) {
  saveScreenshot(L"gui-initial.bmp");
  const struct {
    int x, y;
    COLORREF colour;
    const char* what;
  } samples[] = {
      {10, 300, RGB(244, 247, 249), "client background"},
      {468, 300, RGB(244, 247, 249), "between the panels"},
      {500, 740, RGB(244, 247, 249), "below the bottom band"},
      {760, 80, RGB(0, 108, 150), "header band"},
      {4, 44, RGB(0, 132, 176), "accent stripe"},
      {300, 400, RGB(255, 255, 255), "input panel"},
      {20, 300, RGB(218, 226, 232), "input panel outline, left"},
      {459, 300, RGB(218, 226, 232), "input panel outline, right"},
      {200, 96, RGB(218, 226, 232), "input panel outline, top"},
      {200, 647, RGB(218, 226, 232), "input panel outline, bottom"},
      {992, 300, RGB(255, 255, 255), "result panel"},
      {999, 300, RGB(218, 226, 232), "result panel outline"},
      {200, 133, RGB(228, 234, 238), "input panel rule"},
      {700, 133, RGB(228, 234, 238), "result panel rule"},
      {900, 670, RGB(236, 241, 244), "bottom band"},
      {30, 675, RGB(0, 122, 168), "primary button"},
      {20, 668, RGB(0, 106, 148), "primary button outline"},
      {200, 675, RGB(255, 255, 255), "secondary button"},
      {184, 668, RGB(206, 216, 224), "secondary button outline"},
      {725, 700, RGB(206, 216, 224), "last button outline"},
  };
  for (const auto& s : samples) EXPECT_EQ(s.colour, pixelAt(window, s.x, s.y)) << s.what;
  EXPECT_TRUE(rectHasColour(window, {26, 12, 726, 50}, RGB(255, 255, 255))) << "title text";
  EXPECT_TRUE(statusShows(L"就绪：填写参数后按 F5 或点击“计算”"));
  EXPECT_TRUE(showsText(window, {36, 104, 336, 134}, L"输入参数", L"Microsoft YaHei UI", -14, RGB(0, 108, 150),
                        RGB(255, 255, 255), 0, 29));  // the rule is painted over the box's last row
  EXPECT_TRUE(showsText(window, {492, 104, 792, 134}, L"计算结果", L"Microsoft YaHei UI", -14, RGB(0, 108, 150),
                        RGB(255, 255, 255), 0, 29));
  EXPECT_TRUE(showsText(window, {28, 48, 748, 76}, L"神经评估  ·  睁眼、语言、运动三项合计", L"Microsoft YaHei UI", -14,
                        RGB(214, 236, 246), RGB(0, 108, 150), 0));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_TRUE(showsText(window, {client.right - 240, 8, client.right - 26, 34}, L"www.example.org",
                        L"Microsoft YaHei UI", -12, RGB(190, 220, 235), RGB(0, 108, 150), DT_RIGHT));
  EXPECT_TRUE(verdictInColour(0));
}

TEST_F(Gui, SecondaryButtonShowsItsPressedLook) {
  HWND reset = button(1004);
  SendMessageW(reset, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(waitForPixel(window, 480, 675, RGB(226, 234, 240)));
  SendMessageW(reset, BM_SETSTATE, FALSE, 0);
  EXPECT_TRUE(waitForPixel(window, 480, 675, RGB(255, 255, 255)));
  HWND compute = button(1001);
  SendMessageW(compute, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(waitForPixel(window, 30, 675, RGB(0, 100, 138)));
  SendMessageW(compute, BM_SETSTATE, FALSE, 0);
}

const wchar_t kDetail235[] = L"GCS 总分：10 分\r\n睁眼得分：2\r\n运动得分：5\r\n";
const wchar_t kVerdict2[] = L"中度意识障碍，密切监测瞳孔与生命体征";

TEST_F(Gui, F5InAFieldComputesAndShowsTheLevelColour) {
  typeInputs(L"2", L"3", L"5");
  pressKey(field(1), VK_F5);
  ASSERT_TRUE(waitForResult(kDetail235));
  EXPECT_EQ(kVerdict2, windowText(verdictLabel()));
  EXPECT_TRUE(verdictInColour(2));
  EXPECT_TRUE(statusShows(L"计算完成  格拉斯哥昏迷评分 GCS"));
  EXPECT_TRUE(waitUntil([&] { return focusOf(window) == window; })) << "focus moves to the main window";
  EXPECT_EQ(L"3", windowText(field(1)));
  saveScreenshot(L"gui-after-compute.bmp");

  // With the focus on the main window, F5 does nothing.
  typeInputs(L"1", L"1", L"1");
  pressKey(window, VK_F5);
  Sleep(300);
  EXPECT_EQ(kDetail235, windowText(resultBox()));
}

TEST_F(Gui, EnterInAFieldComputesOnceWithoutALineBreak) {
  typeInputs(L"1", L"1", L"1");
  pressKey(field(0), VK_RETURN);
  ASSERT_TRUE(waitForResult(L"GCS 总分：3 分\r\n睁眼得分：1\r\n运动得分：1\r\n"));
  EXPECT_EQ(L"重度昏迷，评估气道保护与插管指征", windowText(verdictLabel()));
  EXPECT_TRUE(verdictInColour(3));
  EXPECT_EQ(L"1", windowText(field(0)));
  EXPECT_TRUE(noMessageBoxFor(window, 200));
}

TEST_F(Gui, F5AndEnterOnAButtonCompute) {
  typeInputs(L"4", L"5", L"6");
  SetFocus(button(1003));  // only within our own thread; the key goes to the button regardless
  pressKey(button(1003), VK_F5);
  ASSERT_TRUE(waitForResult(L"GCS 总分：15 分\r\n睁眼得分：4\r\n运动得分：6\r\n"));
  EXPECT_TRUE(verdictInColour(1));
  EXPECT_TRUE(noMessageBoxFor(window, 200)) << "F5 on the copy button computes, it does not copy";
  // Enter on a button computes too, and does not press it.
  typeInputs(L"1", L"2", L"3");
  pressKey(button(1005), VK_RETURN);
  EXPECT_TRUE(waitForResult(L"GCS 总分：6 分\r\n睁眼得分：1\r\n运动得分：3\r\n"));
  EXPECT_TRUE(noMessageBoxFor(window, 300)) << "Enter on the About button computes, it shows no box";
}

TEST_F(Gui, ComputeButtonAndCopyPutTheResultOnTheClipboard) {
  clearClipboard();
  typeInputs(L"2", L"3", L"5");
  clickButton(button(1001));
  ASSERT_TRUE(waitForResult(kDetail235));
  clickButton(button(1003));
  std::wstring expected = std::wstring(kTitle) + L"\r\n" + kDetail235 + L"—— " + kVerdict2;
  EXPECT_TRUE(waitUntil([&] { return clipboardText() == expected; }));
  EXPECT_TRUE(statusShows(L"结果已复制到剪贴板"));
  // F5 with the focus on a button after a click computes again.
  typeInputs(L"1", L"1", L"1");
  pressKey(button(1003), VK_F5);
  EXPECT_TRUE(waitForResult(L"GCS 总分：3 分\r\n睁眼得分：1\r\n运动得分：1\r\n"));
}

// While another program holds the clipboard open, nothing can be copied: the status line
// says so instead of claiming success.
TEST_F(Gui, CopyWhileTheClipboardIsHeldSaysItFailed) {
  pressKey(field(0), VK_F5);
  ASSERT_TRUE(waitForResult(L"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  clickButton(button(1003));
  EXPECT_TRUE(statusShows(L"复制失败：剪贴板暂不可用，请重试"));
  CloseClipboard();
  clickButton(button(1003));
  EXPECT_TRUE(statusShows(L"结果已复制到剪贴板"));
  EXPECT_EQ(std::wstring(kTitle) + L"\r\nGCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n—— " + kVerdict2, clipboardText());
}

TEST_F(Gui, RejectedInputsNameTheirFieldAndKeepTheResult) {
  typeInputs(L"2", L"3", L"5");
  pressKey(field(0), VK_F5);
  ASSERT_TRUE(waitForResult(kDetail235));
  const struct {
    int field;
    const wchar_t* text;
    const wchar_t* message;
  } cases[] = {
      {0, L"inf", L"第 1 项“睁眼(E) 1-4”请输入数字。"},
      {0, L"-Infinity", L"第 1 项“睁眼(E) 1-4”请输入数字。"},
      {1, L"nan", L"第 2 项“语言(V) 1-5”请输入数字。"},
      {2, L"1e999", L"第 3 项“运动(M) 1-6”请输入数字。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "field " << c.field);
    typeInputs(L"2", L"3", L"5");
    setWindowText(field(c.field), c.text);
    pressKey(field(c.field), VK_F5);
    MessageBoxInfo box = waitForMessageBox(window);
    ASSERT_TRUE(box.window != nullptr);
    EXPECT_EQ(L"输入有误", box.caption);
    EXPECT_EQ(c.message, box.text);
    EXPECT_TRUE(iconLooksLikeWarning(box));
    closeMessageBox(box);
    EXPECT_TRUE(waitUntil([&] { return focusOf(window) == field(c.field); }));
    EXPECT_EQ(kDetail235, windowText(resultBox()));
    EXPECT_EQ(kVerdict2, windowText(verdictLabel()));
    EXPECT_TRUE(verdictInColour(2));
  }
  // Two invalid fields: the first is named.
  typeInputs(L"1", L"inf", L"nan");
  pressKey(field(0), VK_F5);
  MessageBoxInfo box = waitForMessageBox(window);
  EXPECT_EQ(L"第 2 项“语言(V) 1-5”请输入数字。", box.text);
  closeMessageBox(box);
}

TEST_F(Gui, CopyAndSaveWithoutAResultShowTheHint) {
  clearClipboard();
  clickButton(button(1003));
  MessageBoxInfo box = waitForMessageBox(window);
  EXPECT_EQ(L"提示", box.caption);
  EXPECT_EQ(L"请先点击“计算”生成结果。", box.text);
  closeMessageBox(box);
  EXPECT_EQ(L"", clipboardText());
  clickButton(button(1002));
  box = waitForMessageBox(window);
  EXPECT_EQ(L"提示", box.caption);
  EXPECT_EQ(L"请先点击“计算”生成结果，再保存记录。", box.text);
  closeMessageBox(box);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(recordsFolder().c_str())) << "no folder is created";
}

TEST_F(Gui, ResetRestoresTheDefaults) {
  typeInputs(L"1", L"1", L"1");
  pressKey(field(0), VK_F5);
  ASSERT_TRUE(verdictInColour(3));
  setWindowText(field(2), L"6");
  clickButton(button(1004));
  EXPECT_TRUE(waitUntil([&] { return windowText(field(2)) == L"5"; }));
  EXPECT_EQ(L"3", windowText(field(0)));
  EXPECT_EQ(L"4", windowText(field(1)));
  EXPECT_EQ(L"", windowText(resultBox()));
  EXPECT_EQ(L"填写左侧参数，点击“计算”", windowText(verdictLabel()));
  EXPECT_TRUE(verdictInColour(0));
  EXPECT_TRUE(statusShows(L"已恢复默认值"));
  clickButton(button(1003));  // no result after reset
  MessageBoxInfo box = waitForMessageBox(window);
  EXPECT_EQ(L"提示", box.caption);
  closeMessageBox(box);
}

TEST_F(Gui, AboutShowsTheToolAndTheDisclaimer) {
  clickButton(button(1005));
  MessageBoxInfo box = waitForMessageBox(window);
  EXPECT_EQ(L"关于本工具", box.caption);
  EXPECT_EQ(
      L"格拉斯哥昏迷评分 GCS\r\n\r\n分类：神经评估\r\n参考依据：Teasdale & Jennett 1974；GCS≤8 提示重度昏迷\r\n\r\n"
      L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
      L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n\r\n版本 V1.0    官网：www.example.org",
      box.text);
  closeMessageBox(box);
}

std::string expectedRecordTail() {
  return utf8(L",格拉斯哥昏迷评分 GCS,睁眼(E) 1-4=3,语言(V) 1-5=4,运动(M) 1-6=5,\"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n\"\r\n");
}

// One record line: "YYYY-MM-DD hh:mm:ss" and then the expected tail.
void expectRecord(const std::string& line) {
  ASSERT_GE(line.size(), 19u);
  for (size_t i : {4u, 7u}) EXPECT_EQ('-', line[i]);
  EXPECT_EQ(' ', line[10]);
  EXPECT_EQ(':', line[13]);
  EXPECT_EQ(':', line[16]);
  EXPECT_EQ(expectedRecordTail(), line.substr(19));
}

TEST_F(Gui, SaveTwiceAppendsTwoRecordsUnderOneHeader) {
  pressKey(field(0), VK_F5);
  ASSERT_TRUE(waitForResult(L"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n"));
  for (int save = 0; save < 2; ++save) {
    clickButton(button(1002));
    MessageBoxInfo box = waitForMessageBox(window);
    EXPECT_EQ(L"已保存", box.caption);
    EXPECT_EQ(L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。", box.text);
    EXPECT_FALSE(iconLooksLikeWarning(box));
    closeMessageBox(box);
  }
  EXPECT_TRUE(statusShows(L"记录已保存：" + recordPath()));
  std::string bytes = readBytes(recordPath());
  std::string header = "\xEF\xBB\xBF" + utf8(L"时间,工具,睁眼(E) 1-4,语言(V) 1-5,运动(M) 1-6,结果\r\n");
  ASSERT_EQ(header, bytes.substr(0, header.size()));
  std::string records = bytes.substr(header.size());
  size_t recordSize = 19 + expectedRecordTail().size();
  ASSERT_EQ(2 * recordSize, records.size());
  expectRecord(records.substr(0, recordSize));
  expectRecord(records.substr(recordSize));
  // Kept for the spreadsheet checks that run after this program.
  CopyFileW(recordPath().c_str(), L"gui-record.csv", FALSE);
}

TEST_F(Gui, SaveIntoALockedFileIsReportedAsNotSaved) {
  pressKey(field(0), VK_F5);
  ASSERT_TRUE(waitForResult(L"GCS 总分：12 分\r\n睁眼得分：3\r\n运动得分：5\r\n"));
  clickButton(button(1002));
  MessageBoxInfo box = waitForMessageBox(window);
  ASSERT_EQ(L"已保存", box.caption);
  closeMessageBox(box);
  std::string before = readBytes(recordPath());

  // Another program holds the file open without sharing, as a spreadsheet does.
  HANDLE lock = CreateFileW(recordPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  clickButton(button(1002));
  box = waitForMessageBox(window);
  EXPECT_EQ(L"保存失败", box.caption);
  EXPECT_EQ(L"本次记录未能保存。\r\n记录文件可能正被其他程序（如 Excel）打开，请关闭该文件后重新保存。", box.text);
  EXPECT_TRUE(iconLooksLikeWarning(box));
  closeMessageBox(box);
  EXPECT_TRUE(statusShows(L"保存失败：本次记录未写入文件"));
  CloseHandle(lock);
  EXPECT_EQ(before, readBytes(recordPath()));

  // Once the other program lets go, the next save appends normally.
  clickButton(button(1002));
  box = waitForMessageBox(window);
  EXPECT_EQ(L"已保存", box.caption);
  closeMessageBox(box);
  std::string after = readBytes(recordPath());
  ASSERT_GT(after.size(), before.size());
  expectRecord(after.substr(before.size()));
}

// The program file carries what Windows users expect: icon, version, manifest.
TEST(ProgramFile, IconVersionAndManifest) {
  HMODULE module = LoadLibraryExW(g_programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(module != nullptr);
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_TRUE(group != nullptr);
  const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
  WORD count = *reinterpret_cast<const WORD*>(dir + 4);
  ASSERT_EQ(7, count);
  const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
  for (int i = 0; i < 7; ++i) {
    const BYTE* entry = dir + 6 + 14 * i;
    EXPECT_EQ(sizes[i] % 256, entry[0]);
    EXPECT_EQ(32, *reinterpret_cast<const WORD*>(entry + 6));
  }
  HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  EXPECT_TRUE(icon != nullptr);
  EXPECT_TRUE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) != nullptr) << "manifest";
  FreeLibrary(module);

  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(g_programPath.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(g_programPath.c_str(), 0, size, &data[0]));
  wchar_t* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\080404b0\\ProductVersion", reinterpret_cast<void**>(&value), &length));
  EXPECT_STREQ(L"1.0", value);
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\080404b0\\ProductName", reinterpret_cast<void**>(&value), &length));
  EXPECT_STREQ(L"VemoMed 临床计算工具", value);

  WIN32_FILE_ATTRIBUTE_DATA attributes;
  ASSERT_TRUE(GetFileAttributesExW(g_programPath.c_str(), GetFileExInfoStandard, &attributes));
  EXPECT_LE(attributes.nFileSizeLow, 1024u * 1024u) << "one small program file";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: gui_test [gtest options] PATH-TO-VemoMed.exe\n");
    return 2;
  }
  g_programPath = argv[1];
  if (!g_programPath.empty() && g_programPath[0] == L'/') {  // a Unix path, as CTest gives it under Wine
    for (wchar_t& c : g_programPath)
      if (c == L'/') c = L'\\';
    g_programPath = L"Z:" + g_programPath;
  }
  return RUN_ALL_TESTS();
}
