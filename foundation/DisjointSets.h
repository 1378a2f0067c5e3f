#pragma once
// Disjoint sets over the positions 0 .. N-1 (union-find). Each set is named
// by its root; a merge says which of two roots names the merged set, so a
// caller that keeps something per set (a label, a reference) decides where
// it stays. Find halves the path it climbs, which keeps a long run of finds
// near linear without ranks. The array is kept between resets, so repeated
// rebuilds do not allocate.

#include <cstddef>
#include <numeric>
#include <vector>

class TDisjointSets {
public:
    // N sets of one position each.
    void Reset(std::size_t N)
    {
        Parent.resize(N);
        std::iota(Parent.begin(), Parent.end(), 0);
    }

    std::size_t Size() const { return Parent.size(); }

    // The root of I's set.
    int Find(int I)
    {
        while (Parent[static_cast<std::size_t>(I)] != I) {
            const std::size_t J = static_cast<std::size_t>(I);
            Parent[J] = Parent[static_cast<std::size_t>(Parent[J])];
            I = Parent[J];
        }
        return I;
    }

    // The set of root Drop joins that of root Keep, which names both.
    void Merge(int Keep, int Drop) { Parent[static_cast<std::size_t>(Drop)] = Keep; }

private:
    std::vector<int> Parent;
};
