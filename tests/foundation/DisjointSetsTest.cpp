#include "foundation/DisjointSets.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(DisjointSets, MergedSetIsNamedByTheRootKeptAndResetStartsAfresh)
{
    // Merges of roots (keep, drop) and the root each position ends under:
    // the spanning tree's labels and the warm start's references stay with
    // the root a merge keeps.
    const struct {
        std::vector<std::pair<int, int>> Merges;
        std::vector<int> Roots;
    } Cases[] = {
        {{{0, 1}, {0, 2}, {0, 3}}, {0, 0, 0, 0, 4}},
        {{{4, 3}, {2, 1}, {4, 2}}, {0, 4, 4, 4, 4}}, // 2 keeps 1, then 4 keeps 2
        {{{1, 0}, {2, 1}, {3, 2}, {4, 3}}, {4, 4, 4, 4, 4}}, // a chain, climbed from its far end
        {{}, {0, 1, 2, 3, 4}},                                // a reset forgets the merges before
    };
    TDisjointSets Sets;
    for (const auto& C : Cases) {
        Sets.Reset(C.Roots.size());
        for (const auto& [Keep, Drop] : C.Merges)
            Sets.Merge(Sets.Find(Keep), Sets.Find(Drop));
        // Twice: the halved paths lead to the same roots.
        for (int Round = 0; Round < 2; ++Round)
            for (std::size_t I = 0; I < C.Roots.size(); ++I)
                EXPECT_EQ(Sets.Find(static_cast<int>(I)), C.Roots[I])
                    << "position " << I << " after " << C.Merges.size() << " merges, round " << Round;
    }
}
