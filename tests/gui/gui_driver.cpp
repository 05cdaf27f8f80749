#include "gui_driver.h"

std::wstring g_programPath;

namespace {

HWND findMainWindow(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search = {processId, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        Search* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t cls[64];
        GetClassNameW(w, cls, 64);
        if (pid == s->processId && wcscmp(cls, L"VemoMedToolWnd") == 0 && IsWindowVisible(w)) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

bool startProgram(Program& program) {
  std::wstring commandLine = L"\"" + g_programPath + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(g_programPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &program.process))
    return false;
  WaitForInputIdle(program.process.hProcess, 10000);
  DWORD pid = program.process.dwProcessId;
  waitUntil([&] { return (program.mainWindow = findMainWindow(pid)) != nullptr; }, 10000);
  if (!program.mainWindow) return false;
  // Let the first paint finish before anything is sampled.
  waitUntil([&] { return pixelAt(program.mainWindow, 4, 44) == RGB(0, 132, 176); }, 5000);
  return true;
}

int closeProgram(Program& program) {
  if (!program.process.hProcess) return -1;
  PostMessageW(program.mainWindow, WM_CLOSE, 0, 0);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(program.process.hProcess, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(program.process.hProcess, &code);
  else TerminateProcess(program.process.hProcess, 99);
  CloseHandle(program.process.hThread);
  CloseHandle(program.process.hProcess);
  program.process = {};
  return static_cast<int>(code);
}

void killProgram(Program& program) {
  if (!program.process.hProcess) return;
  TerminateProcess(program.process.hProcess, 99);
  WaitForSingleObject(program.process.hProcess, 5000);
  CloseHandle(program.process.hThread);
  CloseHandle(program.process.hProcess);
  program.process = {};
}

std::wstring windowText(HWND window) {
  wchar_t text[8192];
  LRESULT n = SendMessageW(window, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, static_cast<size_t>(n));
}

void setWindowText(HWND window, const std::wstring& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<Control> listControls(HWND mainWindow) {
  std::vector<Control> controls;
  for (HWND w = GetWindow(mainWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    Control c;
    c.window = w;
    wchar_t cls[64];
    GetClassNameW(w, cls, 64);
    c.className = cls;
    c.text = windowText(w);
    GetWindowRect(w, &c.rect);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&c.rect), 2);
    c.id = GetDlgCtrlID(w);
    c.style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
    c.exStyle = static_cast<DWORD>(GetWindowLongW(w, GWL_EXSTYLE));
    controls.push_back(c);
  }
  return controls;
}

HWND controlById(HWND mainWindow, int id) { return GetDlgItem(mainWindow, id); }

HWND focusOf(HWND mainWindow) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(mainWindow, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void pressKey(HWND target, WPARAM key) {
  UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageW(target, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void clickButton(HWND button) {
  RECT r;
  GetClientRect(button, &r);
  LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(button, WM_LBUTTONUP, 0, at);
}

MessageBoxInfo waitForMessageBox(HWND mainWindow, int timeoutMs) {
  MessageBoxInfo box;
  waitUntil(
      [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
             w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
          if (GetWindow(w, GW_OWNER) == mainWindow && IsWindowVisible(w)) {
            box.window = w;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  if (!box.window) return box;
  box.caption = windowText(box.window);
  HWND text = GetDlgItem(box.window, 0xFFFF);  // the message text's static control
  if (text) box.text = windowText(text);
  box.style = static_cast<DWORD>(GetWindowLongW(box.window, GWL_STYLE));
  return box;
}

void closeMessageBox(const MessageBoxInfo& box) {
  HWND ok = GetDlgItem(box.window, IDOK);
  if (ok) PostMessageW(ok, BM_CLICK, 0, 0);
  else PostMessageW(box.window, WM_COMMAND, IDOK, 0);
  waitUntil([&] { return !IsWindow(box.window); }, 5000);
}

bool noMessageBoxFor(HWND mainWindow, int ms) { return waitForMessageBox(mainWindow, ms).window == nullptr; }

std::wstring clipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<clipboard not open>";
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data) {
    const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data));
    if (p) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void clearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

COLORREF pixelAt(HWND mainWindow, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(mainWindow, &p);
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

namespace {

// The pixels of a screen rectangle, top row first, as 0x00RRGGBB.
std::vector<DWORD> grab(HDC source, int x, int y, int width, int height) {
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
  for (DWORD& p : pixels) p &= 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

DWORD asDibColour(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

std::vector<DWORD> grabClient(HWND mainWindow, const RECT& r) {
  POINT p = {r.left, r.top};
  ClientToScreen(mainWindow, &p);
  HDC screen = GetDC(nullptr);
  std::vector<DWORD> pixels = grab(screen, p.x, p.y, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

bool rectHasColour(HWND mainWindow, const RECT& r, COLORREF colour) {
  for (DWORD p : grabClient(mainWindow, r))
    if (p == asDibColour(colour)) return true;
  return false;
}

bool waitForPixel(HWND mainWindow, int x, int y, COLORREF colour, int timeoutMs) {
  return waitUntil([&] { return pixelAt(mainWindow, x, y) == colour; }, timeoutMs);
}

bool showsText(HWND mainWindow, const RECT& r, const std::wstring& text, const wchar_t* face, int height,
               COLORREF colour, COLORREF background, UINT flags, int compared) {
  int width = r.right - r.left, rows = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, rows);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(background);
  RECT box = {0, 0, width, rows};
  FillRect(memory, &box, brush);
  DeleteObject(brush);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
  HGDIOBJ oldFont = SelectObject(memory, font);
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, colour);
  DrawTextW(memory, text.c_str(), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | flags);
  SelectObject(memory, oldFont);
  DeleteObject(font);
  std::vector<DWORD> expected = grab(memory, 0, 0, width, rows);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (compared > 0 && compared < rows) expected.resize(static_cast<size_t>(width * compared));
  RECT shown = {r.left, r.top, r.right, compared > 0 && compared < rows ? r.top + compared : r.bottom};
  return waitUntil([&] { return grabClient(mainWindow, shown) == expected; }, 3000);
}

void saveScreenshot(const std::wstring& path) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  std::vector<DWORD> pixels = grab(screen, 0, 0, width, height);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  WriteFile(out, pixels.data(), bytes, &written, nullptr);
  CloseHandle(out);
}

bool iconLooksLikeWarning(const MessageBoxInfo& box) {
  for (int id : {0x14, 0x440}) {
    HWND icon = GetDlgItem(box.window, id);
    if (!icon) continue;
    RECT r;
    GetWindowRect(icon, &r);
    HDC screen = GetDC(nullptr);
    std::vector<DWORD> pixels = grab(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
    ReleaseDC(nullptr, screen);
    for (DWORD p : pixels) {
      DWORD red = p >> 16 & 0xFF, green = p >> 8 & 0xFF, blue = p & 0xFF;
      if (red > 200 && green > 150 && blue < 90) return true;  // the warning sign's yellow
    }
  }
  return false;
}
