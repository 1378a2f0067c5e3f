#pragma once
// The report's list of the fixed pressure drops and fixed loss coefficients
// of the network's branches (the generated Sink branches left out).

class TFlowGraph;
class TStdReport;

// Nothing when no branch has a fixed item; else the heading "Fixed pressure
// drops" and per item one row: branch name, caption, drop and equivalent
// length (fixed drops, in the given units of utAirPressDrop and
// utLengthBig), or "C=..", the drop in Pa and the length in m (fixed C's).
void ReportFixedDrops(TStdReport& Report, const TFlowGraph& Network, int PressureUnits,
                      int LengthUnits);
