#pragma once
// Shared helpers of the report tests: a temporary folder standing in for the
// program's folders, a PDF file as the printer, what a recorded page draws,
// scripted dialogs, and PDF files read back with the poppler tools.

#include "controls/UiServices.h"

#include <QFont>
#include <QLineF>
#include <QPicture>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>
#include <vector>

class TPreviewForm;
class TMemorySettingsStore;

// Readable texts in test failures.
inline void PrintTo(const QString& Text, std::ostream* Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

// The temporary folder of the run (ends in "/"), and the program's data and
// common data folders inside it.
const QString& TestFolder();
QString DataFolder();
QString CommonDataFolder();

// What a recorded page draws, in page pixels.
struct TDrawnText {
    QString Text;
    QPointF Baseline;
    QFont Font;
};
struct TDrawnPage {
    std::vector<TDrawnText> Texts;
    std::vector<QLineF> Lines;
    std::vector<QRectF> Pictures;

    QStringList TextList() const;
    // The first text equal to Text, or null.
    const TDrawnText* Find(const QString& Text) const;
};
TDrawnPage DrawnPage(const QPicture& Page);

// The application's printer as a PDF file at A4 portrait for a scope.
class TPdfPrinter {
public:
    explicit TPdfPrinter(const QString& FileName);
    ~TPdfPrinter();
    const QString& FileName() const { return FFileName; }

private:
    QString FFileName;
};
// The application's printer with no queue and no file: unusable.
void NoPrinter();

// pdfinfo's "Pages" and "Title"; pdftotext of one page (from 1).
int PdfPages(const QString& FileName);
QString PdfTitle(const QString& FileName);
QString PdfPageText(const QString& FileName, int Page);

// Services that fail the test when reached; every test runs with them, so
// nothing waits for a user.
TUiServices StrictUiServices();

// Message boxes answered with OK and kept; the other services as given.
class TRecordedMessages {
public:
    explicit TRecordedMessages(TUiServices Services = StrictUiServices()) : FServices(std::move(Services)) {}
    std::unique_ptr<TScopedUiServices> Install();
    QStringList Texts;

private:
    TUiServices FServices;
};

// A preview window whose body writes the lines "Line 1" .. "Line <Lines>",
// breaking pages as the engine says.
std::unique_ptr<TPreviewForm> LinesReport(TMemorySettingsStore& Store, int Lines);
