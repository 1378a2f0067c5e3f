#include "GraphTestSupport.h"

#include "graph/BranchSort.h"

#include <gtest/gtest.h>

using namespace graphtest;

namespace {

struct TSortableGraph : TGraph {
    using TGraph::MutableBranches;
};

} // namespace

TEST(BranchSort, SortsByKeyAndKeepsTheOrderOfEqualKeys)
{
    struct TCase {
        const char* Name;
        std::vector<double> Weights; // of branches 1, 2, ... in list order
        std::vector<int> Sorted;
    };
    const TCase Cases[] = {
        {"sorted already", {1, 2, 3, 4}, {1, 2, 3, 4}},
        {"reversed", {4, 3, 2, 1}, {4, 3, 2, 1}},
        {"ties keep list order", {2, 1, 2, 1, 2}, {2, 4, 1, 3, 5}},
        {"all equal", {5, 5, 5}, {1, 2, 3}},
        {"one branch", {7}, {1}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TGraph G;
        for (std::size_t I = 0; I < C.Weights.size(); ++I)
            G.AddBranch(static_cast<int>(I) + 1, 100, 200)->Weight = C.Weights[I];
        G.SortForTree();
        EXPECT_EQ(BranchIds(G), C.Sorted);
    }
    // A composite key sorts on its first part, then its second.
    TSortableGraph G;
    const double Weights[] = {3, 1, 2, 1};
    for (int Id = 1; Id <= 4; ++Id)
        G.AddBranch(Id, 100, 200)->Weight = Weights[Id - 1];
    SortBranchesByKey(G.MutableBranches(), [](const TBranch& B) { return std::make_pair(B.Id() % 2 == 0, B.Weight); });
    EXPECT_EQ(BranchIds(G), (std::vector<int>{3, 1, 2, 4}));
}
