#pragma once
// Prints the coefficient tables of a database fitting into the table viewer,
// by the fitting's family: a constant, a 1-D row, a 2-D table (the flow
// ratio across the top for junctions), a 2-D table with its 1-D correction
// factor, or a 3-D table as one 2-D block per slice.

#include <QString>

class TDuctFitting;
class TTableViewForm;

// Path names the flow path in the titles ("Cs values"); First heads the
// tables with the fitting's name.
void PrintFittingTables(TTableViewForm& View, TDuctFitting& Fitting, const QString& Path, bool First);
