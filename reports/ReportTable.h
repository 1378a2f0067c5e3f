#pragma once
// Tables in a report with columns fitted to the page: each column as wide
// as its widest text, the font reduced down to 10 points and then the
// widest columns narrowed until the table fits between the margins. The
// header row and the rules repeat on every page the table spans.

#include <QStringList>

#include <vector>

class TStdReport;

// Narrows the widest columns until their sum fits Available: each step
// takes max(1, round((largest - second largest) / 5)) pixels off every
// column as wide as the largest. Stops when all columns are equally wide.
std::vector<int> NarrowColumns(std::vector<int> Widths, int Available);

// Prints Rows (row 0 the header) as a table on the report's pages.
void PrintTable(TStdReport& Report, const std::vector<QStringList>& Rows);

// The header row of the table in progress with its rules, for the page
// header of each new page.
void PrintTableHeaderRow();
