#pragma once
// A read-only text window for coefficient tables: titles, notes and rows of
// numbers set on tab stops (20 pixels, then every 40), one stop per column,
// on a page that grows as lines are added. The fitting dialog prints a
// fitting's tables into it (FittingTablePrinter.h) and shows it modally.

#include "fittings/FittingTypes.h"

#include <QDialog>
#include <QList>
#include <QTextOption>
#include <QStringList>

class QPushButton;
class QScrollArea;
class QTextEdit;

class TTableViewForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int FirstTab = 20;
    static constexpr int TabWidth = 40;

    explicit TTableViewForm(QWidget* Parent = nullptr);

    // A cell holding this value prints as a blank.
    double HoleMarker = TableHole;
    // The window and the page follow the number of columns of each table.
    bool AutoWidth = true;

    // Starts a table of Columns value columns whose rows are labelled by
    // Labels and whose cells read as Cells: the stops are 40 pixels apart,
    // or wider when a cell needs it; the values start at the first stop
    // right of the widest label; with AutoWidth the window is
    // (columns + 6) stops + 20 pixels wide and the page (columns + 5) stops
    // + 20, counting the label stops.
    void BeginTable(int Columns, const QStringList& Labels, const QStringList& Cells);
    // "\t\t\t  " + Text in bold blue, then an empty line.
    void AddTitle(const QString& Text);
    void AddSubTitle(const QString& Text);
    void AddNote(const QString& Text, bool Bold);
    // The label, then the values in Format ("%0g" for axes), on the table's
    // stops; Bold for axis rows.
    void AddRow(const QString& Label, const TFloatVec& Values, const char* Format, bool Bold);
    void AddLine();

    // What the page shows, as plain text.
    QString Text() const;

    QTextEdit* RichEdit;
    QScrollArea* ScrollBox;
    QPushButton* CloseBtn;

private:
    void Append(const QString& Text, bool Bold, const QColor& Color);
    void GrowPage();
    void SetTabStops(int Count);
    int TabAt(int Stop) const { return FirstTab + Stop * FTabWidth; }

    QList<QTextOption::Tab> FTabs;
    int FValueStop = 1;  // index of the stop where a table's values start
    int FTabWidth = TabWidth;
};
