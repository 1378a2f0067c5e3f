#pragma once
// Dates as documents, settings and files give them: days since 30 December
// 1899, the time of day as the fraction.

#include <chrono>

constexpr std::chrono::sys_days DayCountOrigin{std::chrono::year{1899} / 12 / 30};

// The day count of a valid civil date.
double DayCount(int Year, unsigned Month, unsigned Day);

// The civil date Days whole days after the origin.
std::chrono::year_month_day CivilDate(long Days);
