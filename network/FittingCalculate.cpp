// A fitting's coefficients: the section records of its branches handed to
// the database fitting of its code, one link at a time.

#include "network/Fitting.h"

#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFitConst.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/NumberFormat.h"
#include "network/FlowGraph.h"

#include <algorithm>

namespace {

// The five section records of one evaluation, in the database's order.
struct TSections {
    TDuctSection S;      // straight-through, or the first of two links
    TDuctSection B;      // branch
    TDuctSection B2;     // second branch
    TDuctSection C;      // common
    TDuctSection Second; // the second of two links
};

// The database fitting for Key, through the network of the fitting's
// branches so that its messages stay within one per command.
TDuctFitting* Lookup(const TFlowBranch& AnyBranch, const std::string& Key, bool Report)
{
    if (AnyBranch.Graph)
        return static_cast<TFlowGraph*>(AnyBranch.Graph)->SelectDatabaseFitting(Key, Report);
    TDuctFittingDB* Database = DuctFittingDB();
    return Database ? Database->SelectFitting(Key, Report) : nullptr;
}

void AddName(std::string& Text, const std::string& Name)
{
    if (Name.empty())
        return;
    if (!Text.empty())
        Text += ", ";
    Text += Name;
}

// "names = values" of the lookup just made (the labels and axis names, then
// the looked-up axis values).
void BuildRemark(std::string& Text, const TDuctFitting& Fit)
{
    Text.clear();
    AddName(Text, Fit.LabelBefore);
    for (const std::string& Name : Fit.AxisNames)
        AddName(Text, Name);
    AddName(Text, Fit.LabelAfter);
    Text += " = ";
    for (std::size_t I = 0; I < Fit.LastInputs.size(); ++I) {
        if (I > 0)
            Text += ", ";
        Text += FormatFloat("%0.2f", Fit.LastInputs[I]);
    }
}

} // namespace

void TFitting::Calculate(int Mode)
{
    Warning = false;
    MatchArraysToLinks();
    if (Mode == cmCValues)
        std::fill(CValues.begin(), CValues.end(), 0.0);
    else if (Mode == cmCValues2)
        std::fill(CValues2.begin(), CValues2.end(), 0.0);
    else if (Mode == cmVelocityRatios)
        // No ratio is known until computed: an empty row relaxes nothing,
        // where a row of zeros would pull every flow ratio towards 0.
        for (auto& Row : VelocityRatios)
            Row.clear();
    else if (Mode != cmFlowRatios)
        return;

    if (Links.empty() || Links.size() != Roles.size())
        return;
    for (const TFittingLink& L : Links)
        if (!L.Branch)
            return;
    const TFlowBranch& First = *Links[0].Branch;

    auto Evaluate = [&](std::size_t I, TDuctFitting& Fit, const TSections& X) {
        // The ratio entry points leave the range flag alone: clear it so that
        // an earlier lookup of another fitting cannot warn here.
        RangeFlag = false;
        switch (Mode) {
        case cmCValues:
            CValues[I] = Fit.GetCoefficientAt(X.S, X.B, X.B2, X.C, X.Second, FlowRatios[I]);
            break;
        case cmCValues2:
            CValues2[I] = Fit.GetCoefficient(X.S, X.B, X.B2, X.C, X.Second, Info);
            break;
        case cmVelocityRatios:
            Fit.GetVelocityRatios(X.S, X.B, X.B2, X.C, X.Second, VelocityRatios[I]);
            break;
        default:
            Fit.GetFlowRatios(X.S, X.B, X.B2, X.C, X.Second, FlowRatios[I]);
            break;
        }
        Warning = Warning || RangeFlag;
        // Every mode leaves the remark of the database fitting's last lookup.
        BuildRemark(Remarks[I], Fit);
    };

    TSections X;
    if (Junction) {
        TDuctSection Branch1;
        TDuctSection Branch2;
        for (std::size_t I = 0; I < Links.size(); ++I) {
            const std::string& Role = Roles[I];
            const TDuctSection Section = Links[I].Branch->FittingSection();
            if (Role == "c")
                X.C = Section;
            else if (Role == "s")
                X.S = Section;
            else if (Role == "b" || Role == "b1")
                Branch1 = Section;
            else if (Role == "b2")
                Branch2 = Section;
        }
        std::string Key;
        for (std::size_t I = 0; I < Links.size(); ++I) {
            const std::string& Role = Roles[I];
            if (Role == "c")
                continue;
            TDuctFitting* Fit = nullptr;
            if (Role == "s" || Role == "b") {
                Key = Code + "-" + Role;
                Fit = Lookup(First, Key, true);
            } else {
                // A path without an entry of its own uses the branch entry,
                // and failing that the fitting's own code.
                Key = Code + "-" + Role;
                Fit = Lookup(First, Key, false);
                if (!Fit) {
                    Key = Code + "-b";
                    Fit = Lookup(First, Key, false);
                }
                if (!Fit)
                    Fit = Lookup(First, Code, true);
            }
            if (!Fit)
                return;
            // The path being evaluated is always the branch section.
            X.B = Role == "b2" ? Branch2 : Branch1;
            X.B2 = Role == "b2" ? Branch1 : Branch2;
            Evaluate(I, *Fit, X);
        }
    } else if (Transition) {
        if (Links.size() < 2)
            return;
        X.S = First.FittingSection();
        X.Second = Links[1].Branch->FittingSection();
        if (Roles[0] == "b")
            X.B = X.S;
        if (Roles[1] == "c")
            X.C = X.Second;
        TDuctFitting* Fit = Lookup(First, Code, true);
        if (!Fit)
            return;
        Evaluate(0, *Fit, X);
    } else {
        TDuctFitting* Fit = Lookup(First, Code, true);
        if (!Fit)
            return;
        if (dynamic_cast<TDuctFitD*>(Fit))
            X.S.D = 1000.0 * First.Diameter;
        else if (!dynamic_cast<TDuctFitConst*>(Fit))
            X.S = First.FittingSection();
        Evaluate(0, *Fit, X);
    }
}

void TFitting::RelaxRatios()
{
    const std::size_t Rows = std::min(FlowRatios.size(), VelocityRatios.size());
    for (std::size_t I = 0; I < Rows; ++I) {
        std::vector<double>& Flows = FlowRatios[I];
        const std::vector<double>& Velocities = VelocityRatios[I];
        const std::size_t N = std::min(Flows.size(), Velocities.size());
        for (std::size_t J = 0; J < N; ++J)
            if (Velocities[J] > -1.0)
                Flows[J] += 0.8 * (Velocities[J] - Flows[J]);
    }
}

void TFitting::AddCToBranches() const
{
    for (std::size_t I = 0; I < Links.size() && I < CValues.size(); ++I)
        if (Links[I].Branch)
            Links[I].Branch->FittingsCSum += CValues[I];
}
