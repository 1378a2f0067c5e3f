#include "foundation/WorkerTeam.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

namespace {

// Ranges per thread, so that a thread slowed by others on the machine
// holds up only a small part of the loop.
constexpr std::size_t RangesPerThread = 4;
// A helper that has finished a loop watches for the next one this long
// before it sleeps: a solver's loops follow each other within
// microseconds, and waking a sleeping thread takes longer than most of
// them.
constexpr std::chrono::microseconds Watch(100);

} // namespace

TWorkerTeam::TWorkerTeam(std::chrono::nanoseconds ShareFrom) : WorthSharing(ShareFrom)
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
    if (Wanted <= 1) {
        if (Items > 0)
            Body(0, Items);
        return;
    }
    const std::size_t Parts = std::min(Items, Wanted * RangesPerThread);
    // A part of the first range tells the loop's length: small, since the
    // helpers wait meanwhile.
    const std::size_t Probe = std::max<std::size_t>(1, Items / Parts / RangesPerThread);
    const double Left = static_cast<double>(Items - Probe) / static_cast<double>(Probe);
    if (!FirstShowsWorth(Left, [&] { Body(0, Probe); }) || !StartThreads()) {
        Body(Probe, Items);
        return;
    }
    const std::size_t Rest = Items - Probe;
    const std::size_t RestParts = std::min(Rest, Parts);
    Run(Probe, Items, (Rest + RestParts - 1) / RestParts, Body);
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
    Run(0, Items, 1, Each);
}

bool TWorkerTeam::FirstShowsWorth(double Left, const std::function<void()>& First) const
{
    const auto Begin = std::chrono::steady_clock::now();
    First();
    const std::chrono::duration<double, std::nano> Spent = std::chrono::steady_clock::now() - Begin;
    return Spent.count() * Left >= static_cast<double>(WorthSharing.count());
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

void TWorkerTeam::Run(std::size_t Begin, std::size_t Items, std::size_t Size,
                      const std::function<void(std::size_t, std::size_t)>& Body)
{
    Job = &Body;
    Start = Begin;
    Count = Items;
    RangeSize = Size;
    Ranges = (Items - Begin + Size - 1) / Size;
    NextRange.store(0, std::memory_order_relaxed);
    Failed.store(false, std::memory_order_relaxed);
    Failure = nullptr;
    // Published: a helper that takes a ticket sees the loop above.
    Tickets.store(std::min(Threads.size(), Ranges - 1), std::memory_order_release);
    {
        std::lock_guard<std::mutex> Guard(Lock); // no sleeper misses the tickets
    }
    Started.notify_all();
    RunRanges();
    // The ranges are gone: no helper joins any more, and those inside
    // finish their last range.
    Tickets.store(0, std::memory_order_seq_cst);
    while (Busy.load(std::memory_order_seq_cst) != 0)
        std::this_thread::yield();
    Job = nullptr;
    if (Failure)
        std::rethrow_exception(std::exchange(Failure, nullptr));
}

bool TWorkerTeam::TryJoin()
{
    // Counted busy before it takes a ticket, so that the caller, which
    // withdraws the tickets and then waits for no helper to be busy, never
    // leaves one inside a loop.
    Busy.fetch_add(1, std::memory_order_seq_cst);
    std::size_t Left = Tickets.load(std::memory_order_seq_cst);
    while (Left > 0) {
        if (Tickets.compare_exchange_weak(Left, Left - 1, std::memory_order_seq_cst)) {
            RunRanges();
            Busy.fetch_sub(1, std::memory_order_seq_cst);
            return true;
        }
    }
    Busy.fetch_sub(1, std::memory_order_seq_cst);
    return false;
}

void TWorkerTeam::RunRanges()
{
    while (!Failed.load(std::memory_order_relaxed)) {
        const std::size_t K = NextRange.fetch_add(1);
        if (K >= Ranges)
            return;
        const std::size_t Begin = Start + K * RangeSize;
        try {
            (*Job)(Begin, std::min(Count, Begin + RangeSize));
        } catch (...) {
            std::lock_guard<std::mutex> Guard(Lock);
            if (!Failure)
                Failure = std::current_exception();
            Failed = true;
        }
    }
}

void TWorkerTeam::Work()
{
    for (;;) {
        // Watch for a loop a little while, then sleep until one comes.
        const auto Until = std::chrono::steady_clock::now() + Watch;
        bool Joined = false;
        while (!Joined && !Stopping && std::chrono::steady_clock::now() < Until) {
            if (Tickets.load(std::memory_order_relaxed) > 0)
                Joined = TryJoin();
            else
                std::this_thread::yield();
        }
        if (Joined)
            continue;
        {
            std::unique_lock<std::mutex> Guard(Lock);
            Started.wait(Guard, [this] { return Stopping || Tickets.load() > 0; });
        }
        if (Stopping)
            return;
        TryJoin();
    }
}
