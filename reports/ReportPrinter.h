#pragma once
// The application's one printer. It prints the full page, so report margins
// count from the paper's edge. A printer is usable when it names a print
// queue of the system or a PDF file to write.

#include <QString>

class QPrinter;

QPrinter& ReportPrinter();

bool PrinterUsable(const QPrinter& Printer);
// The queue's name, or the PDF file's path.
QString PrinterName(const QPrinter& Printer);
