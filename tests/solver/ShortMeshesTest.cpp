#include "bench/ShapedNetworkGenerator.h"

#include "foundation/DisjointSets.h"
#include "foundation/WarningSink.h"
#include "graph/GraphFlags.h"
#include "network/DuctGraph.h"
#include "network/FixedFitting.h"
#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class TQuietSink : public TWarningSink {
public:
    void Warning(const std::string&, const std::string&) override {}
};

// Parts the branches not resting on a jump leave the network in.
int PartsWithoutJumps(TDuctGraph& G)
{
    G.NumberNodes();
    TDisjointSets Set;
    Set.Reset(G.Nodes().size());
    int Parts = static_cast<int>(Set.Size());
    for (const auto& B : G.Branches()) {
        if (static_cast<const TFlowBranch&>(*B).SitsOnJump())
            continue;
        const int F = Set.Find(B->FromNode->Index);
        const int T = Set.Find(B->ToNode->Index);
        if (F != T) {
            Set.Merge(T, F);
            --Parts;
        }
    }
    return Parts;
}

} // namespace

TEST(ShortMeshes, LadderMeshesStayShortAfterSizingAndSumFlows)
{
    // Sized by equal friction, a ladder's rails are its least resistive
    // ducts: a tree in resistance order takes both rails whole, and the
    // meshes of the outlets run back along them to the one rung it takes
    // (on the longer ladder here, meshes of 1,100 links averaging 450). The
    // meshes stay short however the ducts were sized, for the plain run and
    // for the run from warm flows, and what the loop method relies on
    // holds: the main fan closes its loop as a chord, and a branch resting
    // on a jump is in the tree only where the network would fall apart
    // without it.
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TShapedNetworkGenerator::Configure(Settings);
    constexpr std::size_t LongestAllowed = 100;
    constexpr double MeanAllowed = 40.0;
    struct TCase {
        int Branches;
        TSolveCommand First;
    };
    for (const TCase& Case : {TCase{600, scEqualFriction}, TCase{2500, scEqualFriction}, TCase{2500, scSumFlows}}) {
        TShapedNetworkOptions Options;
        Options.Shape = nsLadder;
        Options.Branches = Case.Branches;
        Options.Seed = 14;
        Options.DamperShare = 0.02;
        Options.FixedCShare = 0.02;
        TDuctGraph G(false, &Settings);
        TShapedNetworkGenerator::Generate(G, Options);
        ASSERT_TRUE(RunSolveCommand(G, Case.First).Ran) << Options.Name();
        for (const bool JumpsAsChords : {false, true}) {
            if (JumpsAsChords) {
                // Dampers resting at zero flow on every third duct: the
                // branches on a jump, the tree's last resort.
                int K = 0;
                for (const auto& Item : G.Branches()) {
                    auto& B = static_cast<TDuctBranch&>(*Item);
                    if (B.Kind != bkCommon || B.IsTerminal() || ++K % 3 != 0)
                        continue;
                    B.FixedDps.push_back(std::make_unique<TFixeddP>("Damper", 2.0));
                    B.VolumeFlow = 0.0;
                }
            }
            const std::string Run = Options.Name() + (Case.First == scSumFlows ? ", summed" : ", sized") +
                                    (JumpsAsChords ? ", jumps as chords" : "");
            ASSERT_TRUE(G.Prepare(JumpsAsChords)) << Run;
            std::size_t Longest = 0, Links = 0;
            for (const auto& Mesh : G.Meshes()) {
                Longest = std::max(Longest, Mesh->Links.size());
                Links += Mesh->Links.size();
            }
            EXPECT_LE(Longest, LongestAllowed) << Run;
            EXPECT_LE(static_cast<double>(Links) / G.MeshCount(), MeanAllowed) << Run;
            EXPECT_TRUE(BitIsSet(G.MainFan->Flags, gfChord)) << Run;
            if (JumpsAsChords) {
                int OnJump = 0, OnJumpInTree = 0;
                for (const auto& B : G.Branches())
                    if (static_cast<const TFlowBranch&>(*B).SitsOnJump()) {
                        ++OnJump;
                        OnJumpInTree += BitIsSet(B->Flags, gfChord) ? 0 : 1;
                    }
                EXPECT_GT(OnJump, 0) << Run;
                EXPECT_EQ(OnJumpInTree, PartsWithoutJumps(G) - 1) << Run;
            }
        }
    }
}
