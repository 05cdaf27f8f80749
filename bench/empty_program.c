/* The floor for start-up timing: a static Win32 GUI program that does nothing. */
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
  (void)instance, (void)previous, (void)commandLine, (void)show;
  return 0;
}
