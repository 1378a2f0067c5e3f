#pragma once
// The engine's values in the windows' types: its text as a QString, its
// colours (0x00BBGGRR, as settings and documents keep them) as QColors,
// its day counts as QDates, its note on the data folder for a message.

#include <QColor>
#include <QDate>
#include <QString>

#include <string>

inline QString ToQ(const std::string& Text)
{
    return QString::fromStdString(Text);
}

// DataFolderNote (foundation/ProgramFolders.h) for a file named by the
// windows: the line a message about FileName ends with, or empty.
QString DataFolderNote(const QString& FileName);

QColor ColorFromBgr(int Value);
int BgrFromColor(const QColor& Color);

// The day of a day count (its whole days, rounded down); an invalid date
// for a count that is no number or lies beyond any calendar.
QDate DateOfDayCount(double Days);
// The day count of Date.
double DayCountOfDate(const QDate& Date);
