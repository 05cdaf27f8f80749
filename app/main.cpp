// Program entry. The self-test is handed over before anything of the window exists:
// no DPI change, no font, no window.
#include <windows.h>

#include "main_window.h"
#include "selftest.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  wchar_t reportPath[kSelfTestPathCapacity];
  if (findSelfTestPath(GetCommandLineW(), reportPath, kSelfTestPathCapacity)) return runSelfTest(reportPath);
  return runMainWindow(instance, getToolDefinition());
}
