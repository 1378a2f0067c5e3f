#pragma once
// A stable sort of a graph's branches by a key of each: the keys are read
// once into an array and sorted there, so that a large network's sort
// touches each branch object once instead of at every comparison. Equal
// keys keep their present order.

#include "graph/Graph.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

template <typename TKeyOf>
void SortBranchesByKey(TGraph::TBranchList& List, TKeyOf KeyOf)
{
    using TKey = decltype(KeyOf(*List.front()));
    std::vector<std::pair<TKey, std::uint32_t>> Keys;
    Keys.reserve(List.size());
    for (std::size_t I = 0; I < List.size(); ++I)
        Keys.emplace_back(KeyOf(*List[I]), static_cast<std::uint32_t>(I));
    std::stable_sort(Keys.begin(), Keys.end(),
                     [](const auto& A, const auto& B) { return A.first < B.first; });
    TGraph::TBranchList Sorted;
    Sorted.reserve(List.size());
    for (const auto& Entry : Keys)
        Sorted.push_back(std::move(List[Entry.second]));
    List.swap(Sorted);
}
