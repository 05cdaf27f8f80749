#include "clock.h"

#include <ctime>

DayNumber localToday() {
  std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);  // one thread: the shared result is safe here
  return daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
