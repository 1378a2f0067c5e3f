#include "foundation/DayCount.h"

double DayCount(int Year, unsigned Month, unsigned Day)
{
    using namespace std::chrono;
    const sys_days Date = year{Year} / month{Month} / day{Day};
    return static_cast<double>((Date - DayCountOrigin).count());
}

std::chrono::year_month_day CivilDate(long Days)
{
    return std::chrono::year_month_day{DayCountOrigin + std::chrono::days{Days}};
}
