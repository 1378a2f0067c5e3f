#include "dialogs/BranchSummary.h"

#include "foundation/NumberFormat.h"
#include "network/DuctBranch.h"
#include "platform/QtText.h"

#include <QString>

std::string BranchWindowCaption(const TDuctBranch& Branch)
{
    const int From = Branch.FromNode ? Branch.FromNode->Id() : 0;
    const int To = Branch.ToNode ? Branch.ToNode->Id() : 0;
    return std::string(DuctTypeWord(Branch.DuctType)) + ".  " + IntToStr(From) + " to " + IntToStr(To);
}

double StaticPressureDrop(const TDuctBranch& Branch)
{
    double Drop = Branch.TotalDrop;
    if (Branch.ToNode && Branch.ToFlowNode()->NodeType == ntOutlet)
        Drop -= Branch.OutletTermDrop;
    if (Branch.FromNode && Branch.FromFlowNode()->NodeType == ntInlet)
        Drop -= Branch.InletTermDrop;
    return Drop;
}

std::vector<std::string> BranchSummaryLines(const TDuctBranch& Branch)
{
    const auto Line = [](const char* Fmt, double Value) { return FormatFloat(Fmt, Value); };
    std::vector<std::string> Lines;
    Lines.push_back(Line("Diameter (eq)\t%0.3f m", Branch.Diameter));
    Lines.push_back(Line("Length\t\t%0.2f m", Branch.Length));
    Lines.push_back(Line("Leq\t\t%0.2f m", Branch.EquivLength));
    Lines.emplace_back();
    Lines.push_back(Line("Density\t\t%0.3f kg/m³", Branch.MeanDensity));
    Lines.push_back(Line("Viscosity\t\t%0.3f µPa.s", Branch.Viscosity * 1e6));
    Lines.push_back(Line("Reynolds number\t%0.3g", Branch.Reynolds));
    Lines.push_back(Line("Friction factor\t%0.4f", Branch.FrictionFactor));
    Lines.emplace_back();
    Lines.push_back(Line("dP Static\t\t%0.2f Pa", StaticPressureDrop(Branch)));
    const bool Terminal = (Branch.FromNode && Branch.FromFlowNode()->NodeType == ntInlet) ||
                          (Branch.ToNode && Branch.ToFlowNode()->NodeType == ntOutlet);
    if (Branch.Length > 0 && !Terminal)
        Lines.push_back(Line("Pressure rate\t%0.2f Pa/m", Branch.TotalDrop / Branch.Length));
    Lines.push_back(Line("Velocity (actual)\t%0.2f m/s", Branch.DuctVelocity));
    Lines.push_back(Line("Velocity (eq)\t%0.2f m/s", Branch.Velocity));
    Lines.push_back(Line("Velocity Pressure\t%0.1f Pa", 0.5 * Branch.MeanDensity * Branch.Velocity * Branch.Velocity));
    return Lines;
}

std::string RenamedForDuctType(const std::string& Name, int OldType, int NewType)
{
    const QString OldWord = QString::fromUtf8(DuctTypeWord(OldType));
    const QString NewWord = QString::fromUtf8(DuctTypeWord(NewType));
    QString Text = ToQ(Name);
    if (OldType == NewType || OldWord.isEmpty() || NewWord.isEmpty() || !Text.contains(OldWord, Qt::CaseInsensitive))
        return Name;
    return Text.replace(OldWord, NewWord, Qt::CaseInsensitive).toStdString();
}
