#include "network/DuctGraph.h"

#include "foundation/EquivDiamTool.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TDuctGraph::TDuctGraph(bool WithDefaultNetwork, const TSettings* SettingsToUse)
{
    UseSettings(SettingsToUse);
    if (WithDefaultNetwork)
        BuildDefaultNetwork();
}

std::unique_ptr<TBranch> TDuctGraph::NewBranch(int Id, TNode* From, TNode* To)
{
    auto Branch = std::make_unique<TDuctBranch>();
    Branch->Graph = this;
    Branch->Init(Id, From, To);
    return Branch;
}

void TDuctGraph::SortForMeshes(bool JumpsLast)
{
    if (DistributionMode) {
        SortForDistribution();
        return;
    }
    TFlowGraph::SortForMeshes(JumpsLast);
}

std::size_t TDuctGraph::SortByResistance(bool JumpsLast)
{
    std::size_t Last = TFlowGraph::SortByResistance(JumpsLast);
    auto& List = MutableBranches();
    auto It = std::find_if(List.begin(), List.end(),
                           [this](const std::unique_ptr<TBranch>& B) { return MainFan && B.get() == MainFan; });
    if (It != List.end()) {
        if (List.end() - It > static_cast<std::ptrdiff_t>(Last))
            ++Last; // the fan joins the last resort
        std::rotate(It, std::next(It), List.end());
    }
    return Last;
}

void TDuctGraph::ItemsGoing(const TDeletion& Going)
{
    if (Going.Takes(MainFan))
        MainFan = nullptr;
    TFlowGraph::ItemsGoing(Going);
}

void TDuctGraph::TakeLinks(TNode* Keep, TNode* Drop)
{
    TFlowGraph::TakeLinks(Keep, Drop);
    UpdateNodeTerminals(static_cast<TFlowNode*>(Keep));
}

void TDuctGraph::SetAllSizeFixed(bool Fixed)
{
    for (const auto& Branch : Branches())
        static_cast<TDuctBranch&>(*Branch).SizeFixed = Fixed;
}

void TDuctGraph::CopyVelocitiesToDesign()
{
    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TDuctBranch&>(*Item);
        Branch.DesignVelocity = Branch.DuctVelocity;
    }
}

bool TDuctGraph::SetDuctTypeAll(bool ByDiameter, double MainDiameter, double OutletDiameter,
                                double NewAspect)
{
    auto Usable = [](double V) { return std::isfinite(V) && V > 0.0; };
    if (ByDiameter ? !(Usable(MainDiameter) && Usable(OutletDiameter)) : !Usable(NewAspect))
        return false;
    // Keep1 and Keep2 are the two known sizes of the equivalent-diameter
    // tool, Keep1 the latest: a newly given size takes the first place.
    const std::uint8_t Given = ByDiameter ? TEquivDiamTool::kdDiameter : TEquivDiamTool::kdAspect;
    for (const auto& Item : Branches()) {
        auto& B = static_cast<TDuctBranch&>(*Item);
        if (B.Kind != bkCommon) {
            B.Diameter = 0.0;
            B.DuctHeight = 0.0;
            B.DuctWidth = 0.0;
            B.Aspect = 1.0;
            B.Velocity = 0.0; // no area for CalcVelocity to divide by
        } else {
            if (B.Keep1 != Given) {
                B.Keep2 = B.Keep1;
                B.Keep1 = Given;
            }
            if (ByDiameter)
                B.Diameter = B.ToFlowNode()->NodeType == ntOutlet ? OutletDiameter : MainDiameter;
            else
                B.Aspect = NewAspect;
            const bool Fixed = B.SizeFixed;
            B.SizeFixed = false;
            B.SizeDuct();
            B.SizeFixed = Fixed;
        }
        B.CalcArea();
        B.CalcVelocity();
        B.CalcDuctArea();
    }
    Status = ssNotSolved;
    return true;
}
