#include "foundation/WorkerTeam.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// A team that hands out every loop of enough items, however short.
constexpr std::chrono::nanoseconds ShareEvery{0};

} // namespace

TEST(WorkerTeam, EveryItemRunsOnceWhateverTheSplit)
{
    TWorkerTeam Team(ShareEvery);
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
    TWorkerTeam Team(ShareEvery);
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

// A loop is handed out only when its first part shows that the whole takes
// longer than waking the helpers would: the short loops of a small
// network's solver stay on the calling thread, and start no thread.
TEST(WorkerTeam, OnlyALongLoopIsHandedOut)
{
    if (std::thread::hardware_concurrency() < 2)
        GTEST_SKIP() << "one core: the team never hands a loop out";
    const struct {
        const char* Name;
        std::size_t Count;
        std::chrono::microseconds Each;
        bool Shared;
    } Cases[] = {
        {"a thousand sums", 1000, std::chrono::microseconds(0), false},
        {"sixteen waits of five milliseconds", 16, std::chrono::microseconds(5000), true},
    };
    for (const auto& C : Cases) {
        // A threshold far from both loops' times, so that a first part
        // slowed by a busy machine or a sanitizer cannot turn the verdict.
        TWorkerTeam Team(std::chrono::milliseconds(40));
        std::vector<std::atomic<int>> Seen(C.Count);
        Team.ForEachRange(C.Count, 1, [&](std::size_t Begin, std::size_t End) {
            for (std::size_t I = Begin; I < End; ++I) {
                if (C.Each.count() > 0)
                    std::this_thread::sleep_for(C.Each);
                ++Seen[I];
            }
        });
        EXPECT_EQ(Team.ThreadsStarted(), C.Shared) << C.Name;
        for (std::size_t I = 0; I < C.Count; ++I)
            ASSERT_EQ(Seen[I], 1) << C.Name << " at " << I;
    }
}
