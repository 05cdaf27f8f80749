// The one platform fact the engine needs: today's local date.
#pragma once

#include "evaluation.h"

// Day number of the current local calendar date.
DayNumber localToday();
