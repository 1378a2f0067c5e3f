// The duct network in the document stream: the records of every version and
// what reading does after them.

#include "network/DuctGraph.h"

#include "foundation/NumberFormat.h"
#include "foundation/ValueStream.h"
#include "graph/GraphError.h"
#include "network/Settings.h"

#include <cmath>

namespace {

// The reference drop (Pa) old documents give the terminals they lacked.
constexpr double MigratedRefDrop = 50.0;

template <class TEnum>
TEnum CheckedEnum(std::int32_t Value, int Count, const char* What)
{
    if (Value < 0 || Value >= Count)
        throw EGraphError(std::string("Invalid ") + What + " in file: " + IntToStr(Value));
    return static_cast<TEnum>(Value);
}

// A terminal that old documents did not store: the settings' default C of
// the kind (the caption and C come from UpdateOutletTerminal and friends),
// with the reference drop those documents assumed.
void SetMigratedRefDrop(TFixedEndFitting& Terminal)
{
    Terminal.RefDrop = MigratedRefDrop;
    Terminal.SetEndValue(TFixedEndFitting::evRefDrop, TFixedEndFitting::evC);
}

// The density of an air state, or 0 when it is none.
double StateDensity(double BarometerPa, double Db, double Wb)
{
    double Value = 0.0;
    TFlowGraph::AirStateProblem(BarometerPa, Db, Wb, Value);
    return Value;
}

bool AllFinite(const std::vector<double>& Values)
{
    for (double V : Values)
        if (!std::isfinite(V))
            return false;
    return true;
}

void MakeFinite(std::vector<double>& Values)
{
    for (double& V : Values)
        if (!std::isfinite(V))
            V = 0.0;
}

// A fitting whose coefficients ran away is written with 0 in their place, so
// the file reads back.
void WriteFitting(TValueWriter& Writer, const TFitting& Fitting)
{
    bool Finite = AllFinite(Fitting.Info) && AllFinite(Fitting.CValues) && AllFinite(Fitting.CValues2);
    for (std::size_t I = 0; Finite && I < Fitting.FlowRatios.size(); ++I)
        Finite = AllFinite(Fitting.FlowRatios[I]);
    for (std::size_t I = 0; Finite && I < Fitting.VelocityRatios.size(); ++I)
        Finite = AllFinite(Fitting.VelocityRatios[I]);
    if (Finite) {
        Fitting.WriteToWriter(Writer);
        return;
    }
    TFitting Copy = Fitting;
    MakeFinite(Copy.Info);
    MakeFinite(Copy.CValues);
    MakeFinite(Copy.CValues2);
    for (auto& Row : Copy.FlowRatios)
        MakeFinite(Row);
    for (auto& Row : Copy.VelocityRatios)
        MakeFinite(Row);
    Copy.WriteToWriter(Writer);
}

} // namespace

void TDuctGraph::WriteHook(TValueWriter& Writer) const
{
    Writer.WriteFloat(Barometer);
    Writer.WriteFloat(DryBulb);
    Writer.WriteFloat(WetBulb);
}

void TDuctGraph::ReadHook(TValueReader& Reader, TGraphDataVersion /*Version*/)
{
    Barometer = Reader.ReadFloat();
    DryBulb = Reader.ReadFloat();
    WetBulb = Reader.ReadFloat();
    // Nodes that only a branch names are made with this air; a state that
    // gives no density is dealt with once the records are in.
    if (const double NewDensity = StateDensity(Barometer, DryBulb, WetBulb); NewDensity > 0.0)
        AirDensity = NewDensity;
}

void TDuctGraph::WriteData(TValueWriter& Writer) const
{
    TGraph::WriteData(Writer);
    Writer.WriteInteger(Method);
    Writer.WriteInteger(Status);
    Writer.WriteListBegin();
    for (const auto& Fitting : Fittings)
        WriteFitting(Writer, *Fitting);
    Writer.WriteListEnd();
    Writer.WriteInteger(MainFan ? MainFan->Id() : -1);
}

void TDuctGraph::ReadData(TValueReader& Reader, TGraphDataVersion Version)
{
    ReadRecords(Reader, Version);
    CompleteRead(Version);
}

void TDuctGraph::ReadRecords(TValueReader& Reader, TGraphDataVersion Version)
{
    // Everything that points into the old network goes before its items do.
    MainFan = nullptr;
    ErrorBranch = nullptr;
    ForgetCheckResults();
    Fittings.clear();
    TGraph::ReadData(Reader, Version);

    Method = smEqualFriction;
    Status = ssNotSolved;
    if (Version >= gdv202) {
        Method = CheckedEnum<TSolveMethod>(Reader.ReadInteger(), SolveMethodCount, "solve method");
        Status = CheckedEnum<TSolveStatus>(Reader.ReadInteger(), SolveStatusCount, "solve status");
    }

    ResetFittingSerial();
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        Fittings.push_back(std::make_unique<TFitting>(Reader, Version));
    Reader.ReadListEnd();

    if (Version >= gdv201) {
        // -1 stands for no fan, and is also the id of the first generated
        // branch a solve leaves: no id below 0 names a branch of the user's,
        // so none of them can name the fan.
        const int FanId = Reader.ReadInteger();
        MainFan = FanId >= 0 ? DuctBranch(FanId) : nullptr;
    } else {
        // Older documents did not name the fan: it was the branch leaving
        // the first inlet.
        for (const auto& Branch : Branches()) {
            if (static_cast<const TFlowNode*>(Branch->FromNode)->NodeType == ntInlet) {
                MainFan = static_cast<TDuctBranch*>(Branch.get());
                break;
            }
        }
    }
    if (MainFan)
        MainFan->DuctType = dtFan;
}

void TDuctGraph::CompleteRead(TGraphDataVersion Version)
{
    // The stored barometer is the document's; only a document that stored
    // none takes its first node's pressure.
    if (!(std::isfinite(Barometer) && Barometer > 0.0) && NodeCount() > 0) {
        const double First = static_cast<const TFlowNode&>(*Nodes().front()).Pressure;
        if (std::isfinite(First) && First > 0.0)
            Barometer = First;
    }
    double NewDensity = 0.0;
    if (const std::string Reason = AirStateProblem(Barometer, DryBulb, WetBulb, NewDensity); !Reason.empty())
        throw EGraphError("Invalid air state in file: " + AirStateText(Barometer, DryBulb, WetBulb) + " (" +
                          Reason + ")");
    AirDensity = NewDensity;
    AirStateStatus.clear();
    // The nodes' air is the network's, written with them; a node whose air
    // is none takes it again.
    TakeSoundNodeAir();

    const TSettings& Use = Settings();
    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TDuctBranch&>(*Item);
        TFlowNode* From = Branch.FromFlowNode();
        TFlowNode* To = Branch.ToFlowNode();
        // Not stored: they follow from the nodes.
        Branch.ToDensity = To->Density;
        Branch.Temperature = To->DryBulb;
        Branch.MeanDensity = 0.5 * (From->Density + To->Density);

        if (To->NodeType == ntOutlet && Version <= gdv102) {
            // The outlet's loss was a fixed C item named "Diffuser" then.
            To->OutletKind = okDiffuser;
            Branch.UpdateOutletTerminal(Use, okDiffuser);
            SetMigratedRefDrop(*Branch.OutletTerminal);
            for (auto It = Branch.FixedCs.begin(); It != Branch.FixedCs.end(); ++It) {
                if ((*It)->Caption == "Diffuser") {
                    Branch.OutletTerminal->C = (*It)->C;
                    Branch.OutletTerminal->SetEndValue(TFixedEndFitting::evC, TFixedEndFitting::evRefDrop);
                    Branch.FixedCs.erase(It);
                    break;
                }
            }
        }
        if (From->NodeType == ntInlet && Version <= gdv200) {
            From->InletKind = ikPlainInlet;
            Branch.UpdateInletTerminal(Use, ikPlainInlet);
            SetMigratedRefDrop(*Branch.InletTerminal);
        }
        Branch.CalcTerminalLosses();
        Branch.CalcTotalDrop();
    }

    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TFlowBranch&>(*Item);
        Branch.CalcArea();
        Branch.CalcVelocity();
    }
    // Resolving the links also gives every branch the fittings that name it.
    ResolveFittingLinks(false);
    if (Version <= gdv102)
        CalcFlowRatios();
    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TDuctBranch&>(*Item);
        Branch.CalcDuctArea();
        Branch.CalcShownHydraulics();
    }
}
