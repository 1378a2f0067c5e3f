#pragma once
// Shared helpers of the report tests: a temporary folder standing in for the
// program's folders, a PDF file as the printer, the texts, lines and pictures
// a recorded page draws, scripted message boxes, and reading PDF files back
// with the poppler tools.

#include "controls/UiServices.h"

#include <QFont>
#include <QLineF>
#include <QPicture>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable texts in test failures.
inline void PrintTo(const QString& Text, std::ostream* Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

class TPreviewForm;
class TMemorySettingsStore;

// The temporary folder of this test run (ends in "/"); the program's data
// folder and common data folder lie inside it.
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

    // The texts in drawing order.
    QStringList TextList() const;
    // The first text equal to Text, or null.
    const TDrawnText* Find(const QString& Text) const;
};
TDrawnPage DrawnPage(const QPicture& Page);

// Makes the application's printer a PDF file at A4 portrait for a scope, then
// leaves it with no output file (no usable printer).
class TPdfPrinter {
public:
    explicit TPdfPrinter(const QString& FileName);
    ~TPdfPrinter();
    TPdfPrinter(const TPdfPrinter&) = delete;
    TPdfPrinter& operator=(const TPdfPrinter&) = delete;
    const QString& FileName() const { return FFileName; }

private:
    QString FFileName;
};
// The application's printer with no queue and no file.
void NoPrinter();

// pdfinfo's "Pages" and "Title"; pdftotext of one page (1-based).
int PdfPages(const QString& FileName);
QString PdfTitle(const QString& FileName);
QString PdfPageText(const QString& FileName, int Page);

// Services that fail the test when reached: every test runs with them, so
// that nothing waits for a user.
TUiServices StrictUiServices();

// Message boxes answered with OK and kept; every other service as in
// Services.
class TRecordedMessages {
public:
    explicit TRecordedMessages(TUiServices Services = StrictUiServices());
    QStringList Texts;
    TUiServices& Services() { return FServices; }
    // Installs the services with message recording.
    std::unique_ptr<TScopedUiServices> Install();

private:
    TUiServices FServices;
};

// A preview window with a body that writes Lines numbered lines ("Line 1",
// ...), one per line, breaking pages as the engine says.
std::unique_ptr<TPreviewForm> LinesReport(TMemorySettingsStore& Store, int Lines);
