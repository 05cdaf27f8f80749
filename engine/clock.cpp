#include "clock.h"

#include <ctime>

DayNumber localToday() {
  std::time_t now = std::time(nullptr);
  std::tm local = {};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);  // reads the time zone once per process, not on every call
#endif
  return daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
