#include "app/ReportFixedDrops.h"

#include "controls/UnitsText.h"
#include "network/FlowGraph.h"
#include "platform/QtText.h"
#include "reports/ReportDrawing.h"
#include "reports/StdReport.h"

#include <vector>

namespace {

// Duct pressures are held in Pa, the second unit of the pressure drops.
constexpr int PascalIndex = 1;

bool Counted(const TFlowBranch& B)
{
    return B.FromNode->IsActive() && B.ToNode->IsActive();
}

bool HasFixedItems(const TFlowBranch& B)
{
    return !B.FixedDps.empty() || !B.FixedCs.empty();
}

} // namespace

void ReportFixedDrops(TStdReport& Report, const TFlowGraph& Network, int PressureUnits,
                      int LengthUnits)
{
    std::vector<const TFlowBranch*> Listed;
    for (const auto& Item : Network.Branches()) {
        const auto& B = static_cast<const TFlowBranch&>(*Item);
        if (Counted(B) && HasFixedItems(B))
            Listed.push_back(&B);
    }
    if (Listed.empty())
        return;
    StdReportHeading(Report, "Fixed pressure drops", fsBold | fsUnderline);
    StdReportNewLine(Report);
    const std::vector<int> DropColumns{rlLeftMargin, rlX1, rlX1 + 2, rlX1 + 4};
    const std::vector<int> CColumns{rlLeftMargin, rlX1, rlX1 + 1, rlX1 + 2, rlX1 + 4};
    for (const TFlowBranch* B : Listed) {
        const QString Name = ToQ(B->Name);
        for (const auto& Item : B->FixedDps)
            StdReportTableRow(Report,
                              {Name, ToQ(Item->Caption),
                               FormatUnitsValue(utAirPressDrop, PressureUnits, PascalIndex, Item->Drop,
                                                true, true),
                               FormatUnitsValue(utLengthBig, LengthUnits, 0, Item->EquivLength, true, true)},
                              DropColumns);
        for (const auto& Item : B->FixedCs)
            StdReportTableRow(Report,
                              {Name, ToQ(Item->Caption), QString::asprintf("C=%0.3g", Item->C),
                               QString::asprintf("%0.3g Pa", Item->Drop),
                               QString::asprintf("%0.3g m", Item->EquivLength)},
                              CColumns);
    }
}
