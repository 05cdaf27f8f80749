// A small driver for the real program under test: starts VemoMed.exe, finds its window
// and controls, sends it real window messages and keys, and reads back texts, focus,
// message boxes, the clipboard and the pixels on the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Control {
  HWND window;
  std::wstring className;
  std::wstring text;
  RECT rect;  // in the main window's client coordinates
  int id;
  DWORD style, exStyle;
};

struct MessageBoxInfo {
  HWND window = nullptr;
  std::wstring caption, text;
  DWORD style = 0;
};

struct Program {
  PROCESS_INFORMATION process = {};
  HWND mainWindow = nullptr;
};

// Path of the program, set from the command line.
extern std::wstring g_programPath;

bool startProgram(Program& program);
// Closes the window with WM_CLOSE and returns the exit code (-1 on time-out).
int closeProgram(Program& program);
void killProgram(Program& program);

std::vector<Control> listControls(HWND mainWindow);
HWND controlById(HWND mainWindow, int id);
std::wstring windowText(HWND window);
void setWindowText(HWND window, const std::wstring& text);
HWND focusOf(HWND mainWindow);

// A key press as the keyboard delivers it: WM_KEYDOWN then WM_KEYUP, posted to target.
void pressKey(HWND target, WPARAM key);
// A click on a button, delivered as the mouse would (press and release inside it).
void clickButton(HWND button);

// Waits up to timeoutMs for a message box owned by the main window.
MessageBoxInfo waitForMessageBox(HWND mainWindow, int timeoutMs = 5000);
void closeMessageBox(const MessageBoxInfo& box);
bool noMessageBoxFor(HWND mainWindow, int ms);

std::wstring clipboardText();
void clearClipboard();

// Screen pixels at client coordinates of the main window, as 0x00BBGGRR.
COLORREF pixelAt(HWND mainWindow, int x, int y);
// Whether any pixel in the client rectangle has exactly this colour.
bool rectHasColour(HWND mainWindow, const RECT& r, COLORREF colour);
// Waits until the pixel has the colour (the target paints on its own time).
bool waitForPixel(HWND mainWindow, int x, int y, COLORREF colour, int timeoutMs = 3000);
// Whether the client rectangle shows text drawn as the program draws its single-line
// texts (font, colour, flags) over a plain background, pixel for pixel; only the top
// `rows` rows are compared when something else is painted over the box's lower edge.
bool showsText(HWND mainWindow, const RECT& r, const std::wstring& text, const wchar_t* face, int height,
               COLORREF colour, COLORREF background, UINT flags, int rows = 0);
// Whether the message box shows the warning sign (yellow), as read from the screen.
bool iconLooksLikeWarning(const MessageBoxInfo& box);
// Saves the whole screen as a BMP file.
void saveScreenshot(const std::wstring& path);

// Repeats check every 50 ms until it holds or the time is up.
template <typename Check>
bool waitUntil(Check check, int timeoutMs = 3000) {
  for (int waited = 0;; waited += 50) {
    if (check()) return true;
    if (waited >= timeoutMs) return false;
    Sleep(50);
  }
}
