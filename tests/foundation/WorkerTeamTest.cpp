#include "foundation/WorkerTeam.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

TEST(WorkerTeam, EveryItemRunsOnceWhateverTheSplit)
{
    TWorkerTeam Team;
    const struct {
        std::size_t Count, MinItems;
    } Cases[] = {{0, 1}, {1, 1}, {7, 1}, {100, 512}, {5000, 512}, {100003, 64}};
    for (const auto& C : Cases) {
        std::vector<std::atomic<int>> Seen(C.Count);
        Team.ForEachRange(C.Count, C.MinItems, [&](std::size_t Begin, std::size_t End) {
            ASSERT_LE(Begin, End);
            ASSERT_LE(End, C.Count);
            for (std::size_t I = Begin; I < End; ++I)
                ++Seen[I];
        });
        std::vector<std::atomic<int>> Each(C.Count);
        Team.ForEachItem(C.Count, [&](std::size_t I) { ++Each[I]; });
        for (std::size_t I = 0; I < C.Count; ++I) {
            ASSERT_EQ(Seen[I], 1) << C.Count << " at " << I;
            ASSERT_EQ(Each[I], 1) << C.Count << " at " << I;
        }
    }
}

TEST(WorkerTeam, AFailingItemIsReportedAndTheTeamGoesOn)
{
    TWorkerTeam Team;
    auto Fail = [](std::size_t I) {
        if (I == 3)
            throw std::runtime_error("item 3");
    };
    EXPECT_THROW(Team.ForEachItem(50, Fail), std::runtime_error);
    EXPECT_THROW(Team.ForEachRange(100000, 16,
                                   [&](std::size_t Begin, std::size_t End) {
                                       for (std::size_t I = Begin; I < End; ++I)
                                           Fail(I);
                                   }),
                 std::runtime_error);
    std::atomic<std::size_t> Sum = 0;
    Team.ForEachRange(100000, 16, [&](std::size_t Begin, std::size_t End) { Sum += End - Begin; });
    EXPECT_EQ(Sum, 100000u);
}
