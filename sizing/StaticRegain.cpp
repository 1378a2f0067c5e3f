// The start sizes of static-regain sizing: the ducts at the fan by the
// start rate or velocity, then outward from them every branch sized so that
// the velocity pressure it regains from the branch feeding it pays for its
// friction. Runs of ducts in series through plain pass-through nodes are
// sized as one duct of their summed length.

#include "network/DuctGraph.h"

#include "graph/GraphFlags.h"
#include "network/FlowMesh.h"
#include "network/Settings.h"

#include <cmath>

namespace {

// A branch the static-regain walk sizes: not yet walked, not a chord, not
// into the sink.
bool Walkable(const TLink& Link)
{
    return !HasFlag(Link.Branch->Flags, gfVisited) && !HasFlag(Link.Branch->Flags, gfChord) &&
           !FarFlowNode(Link)->IsSink();
}

// The link that carries a run on through Node, which it entered by Entered:
// Node joins exactly two branches and the other one is a plain duct of the
// user's (not size-fixed, not generated) that the walk may take.
const TLink* RunContinuation(const TFlowNode* Node, const TBranch* Entered)
{
    if (Node->NodeType != ntCommon || Node->Links.size() != 2 || HasFlag(Node->Flags, gfVisited))
        return nullptr;
    const TLink& Other = Node->Links[0].Branch == Entered ? Node->Links[1] : Node->Links[0];
    const auto& B = static_cast<const TFlowBranch&>(*Other.Branch);
    if (B.SizeFixed || B.Id() < 0 || B.Kind != bkCommon || !Walkable(Other))
        return nullptr;
    return &Other;
}

} // namespace

void TDuctGraph::SizeChordsByGradient()
{
    for (const auto& Mesh : Meshes()) {
        TFlowBranch* Chord = static_cast<const TFlowMesh&>(*Mesh).ChordBranch();
        if (!Chord)
            continue;
        const double Difference = Chord->FromFlowNode()->RelPressure - Chord->ToFlowNode()->RelPressure;
        Chord->SizeForPressureRate(true, 1, PressureGradient(std::fabs(Difference), Chord->TotalLength));
    }
}

void TDuctGraph::SizeBranchesAtFan()
{
    ClearBranchFlag(gfVisited);
    ClearNodeFlag(gfVisited);
    if (!MainFan)
        return;
    SetBit(MainFan->Flags, gfVisited);
    const TSettings& S = Settings();
    const struct {
        TFlowNode* Ref;
        double StartVelocity;
    } Sides[] = {{SupplyRef, SupplyStartVelocity}, {ReturnRef, ReturnStartVelocity}};
    for (const auto& Side : Sides)
        if (Side.Ref)
            SetBit(Side.Ref->Flags, gfVisited);
    for (const auto& Side : Sides) {
        if (!Side.Ref)
            continue;
        for (std::size_t I = 0; I < Side.Ref->Links.size(); ++I) {
            const TLink L = Side.Ref->Links[I];
            if (!Walkable(L))
                continue;
            auto& B = static_cast<TDuctBranch&>(*L.Branch);
            SetBit(B.Flags, gfVisited);
            const bool Sizable = !B.SizeFixed && B.Kind == bkCommon;
            if (Sizable && S.startequalfric) {
                B.SizeForPressureRate(false, L.Direction, S.statregainstartpressrate);
            } else {
                if (Sizable) {
                    B.SetVelocity(Side.StartVelocity);
                    B.SizeDuctFromVelocity();
                }
                B.UpdateFriction();
                B.PropagatePressure(L.Direction);
            }
            TFlowNode* Far = FarFlowNode(L);
            if (Far->IsTerminal())
                SetBit(Far->Flags, gfVisited);
            else if (!HasFlag(Far->Flags, gfVisited))
                StaticRegainWalk(Far, B.Diameter, std::fabs(B.MassFlow));
        }
    }
    SizeChordsByGradient();
}

bool TDuctGraph::NextSizingLink(TSizingFrame& Frame, TLink& Link)
{
    while (!SizingStack.empty()) {
        TSizingFrame& Top = SizingStack.back();
        if (Top.Next < Top.Node->Links.size()) {
            Link = Top.Node->Links[Top.Next++];
            Frame = Top;
            return true;
        }
        SizingStack.pop_back();
    }
    return false;
}

void TDuctGraph::StaticRegainWalk(TFlowNode* Start, double UpDiameter, double UpMass)
{
    SizingStack.clear();
    SetBit(Start->Flags, gfVisited);
    SizingStack.push_back({Start, 0, UpDiameter, UpMass});
    std::vector<TLink>& Run = RunWork;
    TSizingFrame F{};
    TLink L;
    while (NextSizingLink(F, L)) {
        const TFlowNode* Node = F.Node;
        const double UpD = F.UpDiameter;
        const double UpM = F.UpMass;
        if (!Walkable(L))
            continue;
        TFlowBranch& B = FlowBranchOf(L);
        SetBit(B.Flags, gfVisited);
        TFlowNode* Far = FarFlowNode(L);
        if (B.Kind != bkCommon) {
            // A booster passes the walk on with the upstream values.
            if (!Far->IsTerminal() && !HasFlag(Far->Flags, gfVisited)) {
                SetBit(Far->Flags, gfVisited);
                SizingStack.push_back({Far, 0, UpD, UpM});
            }
            continue;
        }
        if (Far->IsTerminal()) {
            B.SizeStaticRegain(L.Direction, B.LengthWithoutTerminals(), UpM, UpD);
            SetBit(Far->Flags, gfVisited);
            continue;
        }
        if (HasFlag(Far->Flags, gfVisited)) {
            B.SizeForPressureRate(true, L.Direction,
                                  PressureGradient(Far->RelPressure - Node->RelPressure, B.TotalLength));
            continue;
        }
        // A run of ducts in series through pass-through nodes.
        Run.clear();
        Run.push_back(L);
        double Length = B.LengthWithoutTerminals();
        TFlowNode* End = Far;
        while (const TLink* Next = RunContinuation(End, Run.back().Branch)) {
            SetBit(Next->Branch->Flags, gfVisited);
            Run.push_back(*Next);
            Length += static_cast<TFlowBranch&>(*Next->Branch).LengthWithoutTerminals();
            End = FarFlowNode(*Next);
        }
        auto& Last = static_cast<TFlowBranch&>(*Run.back().Branch);
        if (Run.size() == 1) {
            Last.SizeStaticRegain(L.Direction, Length, UpM, UpD);
        } else {
            Last.SizeStaticRegain(Run.back().Direction, Length, UpM, UpD);
            // The earlier ducts take the run's size; the pressures then go
            // down the run in order.
            for (std::size_t I = 0; I + 1 < Run.size(); ++I) {
                auto& Earlier = static_cast<TFlowBranch&>(*Run[I].Branch);
                if (!Earlier.SizeFixed) {
                    Earlier.Diameter = Last.Diameter;
                    Earlier.CalcArea();
                    Earlier.CalcVelocity();
                }
                Earlier.UpdateFriction();
                Earlier.PropagatePressure(Run[I].Direction);
                SetBit(FarFlowNode(Run[I])->Flags, gfVisited);
            }
            Last.PropagatePressure(Run.back().Direction);
        }
        const bool Reached = HasFlag(End->Flags, gfVisited);
        SetBit(End->Flags, gfVisited);
        if (!Reached && !End->IsTerminal())
            SizingStack.push_back({End, 0, Last.Diameter, std::fabs(Last.MassFlow)});
    }
}
