// Program entry. The self-test is handed over before anything of the window exists.
#include <windows.h>

#include "selftest.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  wchar_t reportPath[kSelfTestPathCapacity];
  if (findSelfTestPath(GetCommandLineW(), reportPath, kSelfTestPathCapacity)) return runSelfTest(reportPath);
  (void)instance;
  (void)showCommand;
  return 0;
}
