// The main window: start-up, the message loop with its one keyboard rule, the window
// procedure, the controls built from the tool definition, and the painting. The layout
// is a fixed design in physical pixels; nothing is scaled or moved at run time.
#include "main_window.h"

#include "text.h"

App g_app;
WindowState g_state;

namespace {

const wchar_t kClassName[] = L"VemoMedToolWnd";
const DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size, no maximise
const int kClientWidth = 1020, kClientHeight = 720;
const int kTrackWidth = 1036, kTrackHeight = 780;

// Colours of the design.
const COLORREF kBackground = RGB(244, 247, 249);
const COLORREF kHeaderBlue = RGB(0, 108, 150);
const COLORREF kAccentStripe = RGB(0, 132, 176);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kHeaderLine = RGB(214, 236, 246);
const COLORREF kWebAddress = RGB(190, 220, 235);
const COLORREF kPanelOutline = RGB(218, 226, 232);
const COLORREF kTitleRule = RGB(228, 234, 238);
const COLORREF kBottomBand = RGB(236, 241, 244);
const COLORREF kGreyText = RGB(120, 132, 142);
const COLORREF kDarkText = RGB(44, 56, 66);

struct FontRow {
  HFONT AppFonts::*font;
  const wchar_t* face;
  int height;  // negative: character height in pixels
  int weight;
};

// Created in this order.
const FontRow kFontRows[] = {
    {&AppFonts::titleFont, L"Microsoft YaHei UI", -27, FW_BOLD},
    {&AppFonts::headerFont, L"Microsoft YaHei UI", -14, FW_NORMAL},
    {&AppFonts::labelFont, L"Microsoft YaHei UI", -14, FW_NORMAL},
    {&AppFonts::editFont, L"Microsoft YaHei UI", -15, FW_NORMAL},
    {&AppFonts::verdictFont, L"Microsoft YaHei UI", -21, FW_BOLD},
    {&AppFonts::resultFont, L"Consolas", -15, FW_NORMAL},
    {&AppFonts::buttonFont, L"Microsoft YaHei UI", -15, FW_NORMAL},
    {&AppFonts::smallFont, L"Microsoft YaHei UI", -12, FW_NORMAL},
};

struct ButtonRow {
  int id;
  const wchar_t* caption;
  int x, width;
};

const ButtonRow kButtons[] = {
    {kComputeCommand, L"计算 (F5)", 20, 152}, {kSaveCommand, L"保存记录", 184, 132},
    {kCopyCommand, L"复制结果", 328, 132},    {kResetCommand, L"清空重填", 472, 132},
    {kAboutCommand, L"关于", 616, 110},
};

// --- drawing helpers ---------------------------------------------------------------

void fillBox(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r = {x, y, x + width, y + height};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void frameBox(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, x, y, x + width, y + height);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

// DT_NOPREFIX: tool texts such as "Teasdale & Jennett" show their "&" as written.
void drawTextBox(HDC dc, int x, int y, int width, int height, const wchar_t* text, COLORREF colour, HFONT font,
                 UINT extraFlags) {
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT r = {x, y, x + width, y + height};
  DrawTextW(dc, text ? text : L"", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | extraFlags);
  SelectObject(dc, oldFont);
}

// --- controls ----------------------------------------------------------------------

HWND createControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
                   int width, int height, int id, HFONT font) {
  HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                 g_app.mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_app.instance,
                                 nullptr);
  if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return control;
}

// Static texts show tool data as written: no "&" mnemonic prefixes.
HWND createStatic(const wchar_t* text, DWORD style, int x, int y, int width, int height, HFONT font) {
  return createControl(L"STATIC", text, SS_NOPREFIX | style, 0, x, y, width, height, 0, font);
}

void createControls() {
  const ToolDefinition& tool = *g_app.tool;
  const AppFonts& f = g_app.fonts;
  for (int i = 0; i < tool.inputCount && i < kMaxInputs; ++i) {
    const InputField& input = tool.inputs[i];
    int y = 150 + 34 * i;
    wchar_t value[64];
    formatDefaultValue(input.defaultValue, value, 64);
    createStatic(input.label, SS_RIGHT, 24, y + 1, 184, 22, f.labelFont);
    g_app.inputEdits[i] = createControl(L"EDIT", value, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 216, y - 4, 152, 27,
                                        kFirstInputId + i, f.editFont);
    if (input.unit && *input.unit) createStatic(input.unit, 0, 374, y, 78, 22, f.smallFont);
  }
  g_app.verdictLabel = createStatic(kInitialVerdict, 0, 492, 142, 492, 46, f.verdictFont);
  g_app.resultBox = createControl(L"EDIT", L"", WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                                  WS_EX_CLIENTEDGE, 492, 196, 492, 232, kResultBoxId, f.resultFont);
  g_app.noteLabel = createStatic(tool.note ? tool.note : L"", 0, 492, 444, 492, 120, f.smallFont);
  wchar_t reference[512];
  formatReferenceLine(tool, reference, 512);
  createStatic(reference, 0, 492, 576, 492, 56, f.smallFont);
  for (const ButtonRow& b : kButtons) createControl(L"BUTTON", b.caption, BS_OWNERDRAW, 0, b.x, 668, b.width, 40, b.id, nullptr);
  copyText(g_state.statusText, kStatusTextCapacity, kReadyStatus);
}

// --- painting ----------------------------------------------------------------------

void paintMainWindow(HDC dc) {
  const ToolDefinition& tool = *g_app.tool;
  const AppFonts& f = g_app.fonts;
  RECT client;
  GetClientRect(g_app.mainWindow, &client);
  int width = client.right, height = client.bottom;

  fillBox(dc, 0, 0, width, height, kBackground);
  fillBox(dc, 0, 0, width, 88, kHeaderBlue);
  fillBox(dc, 0, 0, 8, 88, kAccentStripe);
  drawTextBox(dc, 26, 12, 700, 38, tool.title, kWhite, f.titleFont, 0);
  wchar_t headerLine[256];
  formatHeaderLine(tool, headerLine, 256);
  drawTextBox(dc, 28, 48, 720, 28, headerLine, kHeaderLine, f.headerFont, 0);
  drawTextBox(dc, width - 240, 8, 214, 26, kPublisherWebAddress, kWebAddress, f.smallFont, DT_RIGHT);

  fillBox(dc, 20, 96, 440, 552, kWhite);
  frameBox(dc, 20, 96, 440, 552, kPanelOutline);
  fillBox(dc, 476, 96, 524, 552, kWhite);
  frameBox(dc, 476, 96, 524, 552, kPanelOutline);
  drawTextBox(dc, 36, 104, 300, 30, L"输入参数", kHeaderBlue, f.headerFont, 0);
  drawTextBox(dc, 492, 104, 300, 30, L"计算结果", kHeaderBlue, f.headerFont, 0);
  fillBox(dc, 36, 133, 408, 1, kTitleRule);
  fillBox(dc, 492, 133, 492, 1, kTitleRule);

  fillBox(dc, 0, 660, width, 60, kBottomBand);
  drawTextBox(dc, 740, 704, 264, 16, g_state.statusText, kGreyText, f.smallFont, DT_RIGHT);
}

void drawButton(const DRAWITEMSTRUCT& item) {
  bool primary = item.CtlID == kComputeCommand;
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const RECT& r = item.rcItem;
  int width = r.right - r.left, height = r.bottom - r.top;
  COLORREF fill = primary ? (pressed ? RGB(0, 100, 138) : RGB(0, 122, 168)) : (pressed ? RGB(226, 234, 240) : kWhite);
  fillBox(item.hDC, r.left, r.top, width, height, fill);
  frameBox(item.hDC, r.left, r.top, width, height, primary ? RGB(0, 106, 148) : RGB(206, 216, 224));
  wchar_t caption[64];
  GetWindowTextW(item.hwndItem, caption, 64);
  drawTextBox(item.hDC, r.left, r.top, width, height, caption, primary ? kWhite : kDarkText, g_app.fonts.buttonFont,
              DT_CENTER);
}

LRESULT colourStatic(HDC dc, HWND control) {
  COLORREF colour = kGreyText;  // input labels, unit labels, reference line
  if (control == g_app.verdictLabel) colour = verdictColour(g_state.verdictLevel);
  else if (control == g_app.resultBox || control == g_app.noteLabel) colour = kDarkText;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  return reinterpret_cast<LRESULT>(g_app.whiteBrush);
}

LRESULT colourEdit(HDC dc) {
  SetTextColor(dc, kDarkText);
  SetBkColor(dc, kWhite);
  return reinterpret_cast<LRESULT>(g_app.whiteBrush);
}

void runCommand(int id) {
  switch (id) {
    case kComputeCommand: computeResult(); break;
    case kSaveCommand: saveRecord(); break;
    case kCopyCommand: copyResult(); break;
    case kResetCommand: resetInputs(); break;
    case kAboutCommand: showAbout(); break;
  }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      g_app.mainWindow = window;  // the controls need their parent before CreateWindowExW returns
      createControls();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      paintMainWindow(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_GETMINMAXINFO: {
      MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {kTrackWidth, kTrackHeight};
      info->ptMaxTrackSize = {kTrackWidth, kTrackHeight};
      return 0;
    }
    case WM_DRAWITEM:
      drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
      return colourEdit(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
      return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (id >= kComputeCommand && id <= kAboutCommand) {
        runCommand(id);
        return 0;
      }
      break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void createResources() {
  for (const FontRow& row : kFontRows)
    g_app.fonts.*row.font = CreateFontW(row.height, 0, 0, 0, row.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, row.face);
  g_app.whiteBrush = CreateSolidBrush(kWhite);
  g_app.backgroundBrush = CreateSolidBrush(kBackground);
}

void registerWindowClass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = g_app.instance;
  wc.hIcon = LoadIconW(g_app.instance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = g_app.backgroundBrush;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}

// Enter and F5 aimed at any control compute, and go no further: no character is made
// of them, so one press computes once and Enter never reaches a field's text.
bool isComputeKey(const MSG& msg) {
  return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_F5) &&
         IsChild(g_app.mainWindow, msg.hwnd);
}

}  // namespace

void repaintMainWindow() { InvalidateRect(g_app.mainWindow, nullptr, FALSE); }

int runMainWindow(HINSTANCE instance, const ToolDefinition& tool) {
  // 1. Physical pixels: the layout is designed for them and nothing is scaled.
  SetProcessDPIAware();

  // 2. Program-wide state, fonts and brushes, the window class.
  g_app.instance = instance;
  g_app.tool = &tool;
  initWindowState(g_state);
  createResources();
  registerWindowClass();

  // 3. A fixed-size window, centred on the primary screen.
  RECT outer = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&outer, kWindowStyle, FALSE);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  int32_t x, y;
  centreOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height, &x, &y);
  HWND window = CreateWindowExW(0, kClassName, tool.title, kWindowStyle, x, y, width, height, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  g_app.mainWindow = window;

  // 4. Show it, with the focus in the first input field.
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetFocus(tool.inputCount > 0 ? g_app.inputEdits[0] : nullptr);

  // 5. The message loop, the only one.
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (isComputeKey(msg)) {
      computeResult();
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
