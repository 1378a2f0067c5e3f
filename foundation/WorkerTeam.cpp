#include "foundation/WorkerTeam.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace {

// More threads than this gain little on the loops it serves: they are
// bound by memory, and the machine is shared with the windows.
constexpr std::size_t MostThreads = 8;
// Ranges per thread, so that a thread slowed by others on the machine
// holds up only a small part of the loop.
constexpr std::size_t RangesPerThread = 4;

} // namespace

TWorkerTeam::TWorkerTeam()
{
    const std::size_t Cores = std::max(1u, std::thread::hardware_concurrency());
    Helpers = std::min(Cores, MostThreads) - 1;
}

TWorkerTeam::~TWorkerTeam()
{
    {
        std::lock_guard<std::mutex> Guard(Lock);
        Stopping = true;
    }
    Started.notify_all();
    for (std::thread& T : Threads)
        T.join();
}

void TWorkerTeam::ForEachRange(std::size_t Items, std::size_t MinItems,
                               const std::function<void(std::size_t, std::size_t)>& Body)
{
    const std::size_t Wanted = std::min(Helpers + 1, Items / std::max<std::size_t>(MinItems, 1));
    if (Wanted <= 1 || !StartThreads()) {
        if (Items > 0)
            Body(0, Items);
        return;
    }
    const std::size_t Parts = std::min(Items, Wanted * RangesPerThread);
    Run(Items, (Items + Parts - 1) / Parts, Body);
}

void TWorkerTeam::ForEachItem(std::size_t Items, const std::function<void(std::size_t)>& Body)
{
    const std::function<void(std::size_t, std::size_t)> Each = [&Body](std::size_t Begin, std::size_t End) {
        for (std::size_t I = Begin; I < End; ++I)
            Body(I);
    };
    if (Items <= 1 || Helpers == 0 || !StartThreads()) {
        Each(0, Items);
        return;
    }
    Run(Items, 1, Each);
}

bool TWorkerTeam::StartThreads()
{
    if (!Threads.empty())
        return true;
    try {
        for (std::size_t K = 0; K < Helpers; ++K)
            Threads.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // No more threads to be had: those started share the loops.
    }
    return !Threads.empty();
}

void TWorkerTeam::Run(std::size_t Items, std::size_t Size, const std::function<void(std::size_t, std::size_t)>& Body)
{
    {
        std::lock_guard<std::mutex> Guard(Lock);
        Job = &Body;
        Count = Items;
        RangeSize = Size;
        Ranges = (Items + Size - 1) / Size;
        NextRange = 0;
        Busy = Threads.size();
        Failure = nullptr;
        ++Round;
    }
    Started.notify_all();
    RunRanges();
    std::unique_lock<std::mutex> Guard(Lock);
    Finished.wait(Guard, [this] { return Busy == 0; });
    Job = nullptr;
    if (Failure)
        std::rethrow_exception(std::exchange(Failure, nullptr));
}

void TWorkerTeam::RunRanges()
{
    for (;;) {
        std::size_t K;
        {
            std::lock_guard<std::mutex> Guard(Lock);
            if (NextRange >= Ranges || Failure)
                return;
            K = NextRange++;
        }
        const std::size_t Begin = K * RangeSize;
        try {
            (*Job)(Begin, std::min(Count, Begin + RangeSize));
        } catch (...) {
            std::lock_guard<std::mutex> Guard(Lock);
            if (!Failure)
                Failure = std::current_exception();
        }
    }
}

void TWorkerTeam::Work()
{
    unsigned long Seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> Guard(Lock);
            Started.wait(Guard, [&] { return Stopping || Round != Seen; });
            if (Stopping)
                return;
            Seen = Round;
        }
        RunRanges();
        {
            std::lock_guard<std::mutex> Guard(Lock);
            --Busy;
        }
        Finished.notify_one();
    }
}
