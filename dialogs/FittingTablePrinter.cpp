#include "dialogs/FittingTablePrinter.h"

#include "dialogs/TableViewForm.h"
#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFit2Dim.h"
#include "fittings/DuctFit2Dim1Dim.h"
#include "fittings/DuctFit2DimFlowTop.h"
#include "fittings/DuctFit3Dim.h"
#include "fittings/DuctFit3DimBySize.h"
#include "fittings/DuctFit3DimJunction.h"
#include "fittings/DuctFitConst.h"
#include "foundation/NumberFormat.h"
#include "platform/QtText.h"

#include <algorithm>

namespace {

QString AxisName(const TDuctFitting& Fitting, std::size_t Index, const QString& Otherwise)
{
    if (Index < Fitting.AxisNames.size() && !Fitting.AxisNames[Index].empty())
        return ToQ(Fitting.AxisNames[Index]);
    return Otherwise;
}

// The flow ratio a junction family puts on its X axis (and, for the
// families with a second flow ratio, on the slice rows). The fitting's
// label names it when the data gives one.
QString FlowAxisName(const TDuctFitting& Fitting)
{
    if (!Fitting.LabelBefore.empty())
        return ToQ(Fitting.LabelBefore);
    const TDuctFitting* F = &Fitting;
    if (dynamic_cast<const TDuctFit2DimFlowTopQbQc*>(F) || dynamic_cast<const TDuctFit3DimFlowRatioTopQbQc*>(F) ||
        dynamic_cast<const TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb*>(F) ||
        dynamic_cast<const TDuctFitQbQc*>(F))
        return "Qb/Qc";
    if (dynamic_cast<const TDuctFit3DimFlowRatioTopQb1Qc*>(F) ||
        dynamic_cast<const TDuctFit3DimFlowRatioTopQb1QcAb1Ab2*>(F))
        return "Qb1/Qc";
    if (dynamic_cast<const TDuctFit3DimFlowRatioTopQb2QcAb1Ab2*>(F))
        return "Qb2/Qc";
    if (dynamic_cast<const TDuctFit2DimFlowTopQsQc*>(F) || dynamic_cast<const TDuctFit3DimFlowRatioTopQsQc*>(F) ||
        dynamic_cast<const TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb*>(F) ||
        dynamic_cast<const TDuctFitQsQc*>(F))
        return "Qs/Qc";
    return "Flow ratio";
}

// What the cells will read (holes print blank), for the column width.
QStringList Texts(const TFloatVec& Values, const char* Format)
{
    QStringList List;
    for (double V : Values)
        if (V != TableHole)
            List << ToQ(FormatFloat(Format, V));
    return List;
}

QStringList Texts(const TFloatMat& Table)
{
    QStringList List;
    for (const TFloatVec& Row : Table)
        List << Texts(Row, "%0.3f");
    return List;
}

// One 2-D block: the top axis across, one row per row-axis value.
void PrintBlock(TTableViewForm& View, const QString& TopName, const QString& RowName,
                const TFloatVec& Top, const TFloatVec& Rows, const TFloatMat& Table)
{
    View.BeginTable(static_cast<int>(Top.size()), Texts(Rows, "%0g") << TopName, Texts(Top, "%0g") << Texts(Table));
    View.AddSubTitle(RowName + " down, " + TopName + " across");
    View.AddRow(TopName, Top, "%0g", true);
    for (std::size_t R = 0; R < Rows.size() && R < Table.size(); ++R)
        View.AddRow(ToQ(FormatFloat("%0g", Rows[R])), Table[R], "%0.3f", false);
}

} // namespace

void PrintFittingTables(TTableViewForm& View, TDuctFitting& Fitting, const QString& Path, bool First)
{
    const QString Title = "C" + Path + " values";
    if (First)
        View.AddNote(ToQ(Fitting.Name), true);

    if (auto* Const = dynamic_cast<TDuctFitConst*>(&Fitting)) {
        View.AddNote("C = " + ToQ(FormatFloat("%0.3f", Const->C)), true);
    } else if (auto* One = dynamic_cast<TDuctFit1Dim*>(&Fitting)) {
        const QString Name = dynamic_cast<TDuctFit1Dim2InpFlowRatio*>(One) ? AxisName(Fitting, 0, FlowAxisName(Fitting))
                                                                          : AxisName(Fitting, 0, "x");
        View.AddTitle(Title);
        View.BeginTable(static_cast<int>(One->XAxis.size()), {Name, "C"},
                        Texts(One->XAxis, "%0g") << Texts(One->Values, "%0.3f"));
        View.AddRow(Name, One->XAxis, "%0g", true);
        View.AddRow("C", One->Values, "%0.3f", false);
    } else if (auto* Top = dynamic_cast<TDuctFit2DimFlowTop*>(&Fitting)) {
        View.AddTitle(Title);
        PrintBlock(View, FlowAxisName(Fitting), AxisName(Fitting, 0, "y"), Top->XAxis, Top->YAxis, Top->Table);
    } else if (auto* Two = dynamic_cast<TDuctFit2Dim*>(&Fitting)) {
        View.AddTitle(Title);
        PrintBlock(View, AxisName(Fitting, 0, "x"), AxisName(Fitting, 1, "y"), Two->XAxis, Two->YAxis, Two->Table);
    } else if (auto* Factor = dynamic_cast<TDuctFit2Dim1Dim*>(&Fitting)) {
        // Axis values [z, x, y]: z on the factor, x and y on the table.
        View.AddTitle("Cp values");
        PrintBlock(View, AxisName(Fitting, 1, "x"), AxisName(Fitting, 2, "y"), Factor->XAxis, Factor->YAxis,
                   Factor->Table);
        View.AddLine();
        View.AutoWidth = false;
        const QString Name = AxisName(Fitting, 0, "z");
        View.AddSubTitle("Correction factor, K");
        View.BeginTable(static_cast<int>(Factor->FactorAxis.size()), {Name, "K"},
                        Texts(Factor->FactorAxis, "%0g") << Texts(Factor->Factors, "%0.3f"));
        View.AddRow(Name, Factor->FactorAxis, "%0g", true);
        View.AddRow("K", Factor->Factors, "%0.3f", false);
    } else if (auto* Three = dynamic_cast<TDuctFit3Dim*>(&Fitting)) {
        // Axis values [x, z, y]; the junction families name only what a link
        // stores ([z, y] or [z]) and take the flow ratios from the sections.
        QString XName, ZName, YName;
        if (dynamic_cast<TDuctFit3DimFlowRatio*>(Three)) {
            XName = FlowAxisName(Fitting);
            ZName = AxisName(Fitting, 0, "z");
            YName = AxisName(Fitting, 1, Fitting.AxisNames.size() < 2 ? "Qb2/Qb" : "y");
        } else {
            XName = AxisName(Fitting, 0, "x");
            ZName = AxisName(Fitting, 1, "z");
            YName = AxisName(Fitting, 2, "y");
        }
        View.AddTitle(Title);
        const auto PrintSlices = [&](const TFloatMat& YAxes, const TFloatTensor& Tables, const QString& Size) {
            for (std::size_t K = 0; K < Three->ZAxis.size() && K < Tables.size() && K < YAxes.size(); ++K) {
                if (K > 0)
                    View.AddLine();
                View.AddNote(Size + ZName + " = " + ToQ(FormatFloat("%0g", Three->ZAxis[K])), true);
                PrintBlock(View, XName, YName, Three->XAxis, YAxes[K], Tables[K]);
            }
        };
        // A junction published by the size of its common duct: both tables.
        if (const auto* Sized = dynamic_cast<const TSizeClassTables*>(Three)) {
            const QString Limit = ToQ(FormatFloat("%0g", Sized->SizeLimit));
            PrintSlices(Three->YAxes, Three->Tables, "Dc <= " + Limit + " mm, ");
            View.AddLine();
            PrintSlices(Sized->LargeYAxes, Sized->LargeTables, "Dc > " + Limit + " mm, ");
        } else {
            PrintSlices(Three->YAxes, Three->Tables, QString());
        }
    } else {
        View.AddNote("No table to show for " + ToQ(Fitting.Code), false);
    }
    View.AddLine();
}
