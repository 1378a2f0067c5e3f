#include "platform/QtText.h"

#include "foundation/DayCount.h"
#include "foundation/ProgramFolders.h"

#include <cmath>

QString DataFolderNote(const QString& FileName)
{
    return ToQ(DataFolderNote(FileName.toStdString()));
}

QColor ColorFromBgr(int Value)
{
    return QColor(Value & 0xFF, (Value >> 8) & 0xFF, (Value >> 16) & 0xFF);
}

int BgrFromColor(const QColor& Color)
{
    return Color.red() | (Color.green() << 8) | (Color.blue() << 16);
}

QDate DateOfDayCount(double Days)
{
    // Some 8,000 years either way: far enough for every date, near enough
    // for the calendar's arithmetic.
    if (!std::isfinite(Days) || std::fabs(Days) > 3e6)
        return QDate();
    const std::chrono::year_month_day Day = CivilDate(static_cast<long>(std::floor(Days)));
    return QDate(static_cast<int>(Day.year()), static_cast<int>(static_cast<unsigned>(Day.month())),
                 static_cast<int>(static_cast<unsigned>(Day.day())));
}

double DayCountOfDate(const QDate& Date)
{
    return DayCount(Date.year(), static_cast<unsigned>(Date.month()), static_cast<unsigned>(Date.day()));
}
