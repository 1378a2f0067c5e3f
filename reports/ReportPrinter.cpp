#include "reports/ReportPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

QPrinter& ReportPrinter()
{
    // Made on first use and kept to the end: a printer must not outlive the
    // application object's teardown order, so it is never destroyed.
    static QPrinter* Printer = [] {
        auto* P = new QPrinter(QPrinter::HighResolution);
        P->setFullPage(true);
        return P;
    }();
    return *Printer;
}

bool PrinterUsable(const QPrinter& Printer)
{
    if (!Printer.isValid())
        return false;
    if (Printer.outputFormat() == QPrinter::PdfFormat)
        return !Printer.outputFileName().isEmpty();
    return !Printer.printerName().isEmpty() &&
           !QPrinterInfo::printerInfo(Printer.printerName()).isNull();
}

QString PrinterName(const QPrinter& Printer)
{
    if (Printer.outputFormat() == QPrinter::PdfFormat)
        return Printer.outputFileName();
    return Printer.printerName();
}
