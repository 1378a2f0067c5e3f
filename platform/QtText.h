#pragma once
// The engine's values in the windows' types: its text as a QString, its
// colours (0x00BBGGRR, as settings and documents keep them) as QColors,
// its day counts as QDates.

#include <QColor>
#include <QDate>
#include <QString>

#include <string>

inline QString ToQ(const std::string& Text)
{
    return QString::fromStdString(Text);
}

QColor ColorFromBgr(int Value);
int BgrFromColor(const QColor& Color);

// The day of a day count (its whole days, rounded down); an invalid date
// for a count that is no number or lies beyond any calendar.
QDate DateOfDayCount(double Days);
// The day count of Date.
double DayCountOfDate(const QDate& Date);
