#pragma once
// A few threads that share out a loop whose items are independent of each
// other (each reads shared data and writes only its own), for the numeric
// loops that run over every branch of a large network and the independent
// parts of a factorisation. A loop too small to be worth handing out runs
// on the calling thread: one of too few items, or one whose first range
// shows that the whole would end sooner than the helpers could be woken
// and waited for. The threads start only when a loop first needs them, so
// a small network never starts one. Which thread runs an item does not
// change what it computes.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TWorkerTeam {
public:
    // More threads than this gain little on the loops the team serves:
    // they are bound by memory, and the machine is shared with the windows.
    static constexpr std::size_t MostThreads = 8;
    // A loop that would take less than this on one thread is not shared:
    // waking the helpers and waiting for the last of them costs tens of
    // microseconds on a quiet machine, and far more on a busy one, where a
    // helper may lose its core in the middle of its range.
    static constexpr std::chrono::microseconds ShareAbove{200};

    // ShareFrom replaces ShareAbove: zero shares every loop of enough items.
    explicit TWorkerTeam(std::chrono::nanoseconds ShareFrom = ShareAbove);
    ~TWorkerTeam();
    TWorkerTeam(const TWorkerTeam&) = delete;
    TWorkerTeam& operator=(const TWorkerTeam&) = delete;

    // Calls Body(Begin, End) over ranges that together cover [0, Count)
    // once each, and returns when all are done; MinItems is the fewest
    // items worth one thread's while. An exception thrown by Body is thrown
    // again here once the other ranges have finished.
    void ForEachRange(std::size_t Count, std::size_t MinItems,
                      const std::function<void(std::size_t, std::size_t)>& Body);
    // Calls Body(I) for each I of [0, Count), handing the items out one at
    // a time: for a few items of uneven size, the largest first.
    void ForEachItem(std::size_t Count, const std::function<void(std::size_t)>& Body);

    // Whether any loop has been worth sharing yet (the threads then run).
    bool ThreadsStarted() const { return !Threads.empty(); }

private:
    // Runs First here, timed; true when Left times as much again is worth
    // handing out. (The parts of a factorisation are handed out as they
    // come: the caller's deciding first would hold the helpers back.)
    bool FirstShowsWorth(double Left, const std::function<void()>& First) const;
    // Hands out [Begin, Items) in ranges of Size and takes part itself.
    void Run(std::size_t Begin, std::size_t Items, std::size_t Size,
             const std::function<void(std::size_t, std::size_t)>& Body);
    bool StartThreads();
    void Work();
    // Joins the current loop if a helper is still wanted there.
    bool TryJoin();
    // Runs ranges of the current loop until none is left.
    void RunRanges();

    std::size_t Helpers; // threads besides the caller's
    std::chrono::nanoseconds WorthSharing;
    std::vector<std::thread> Threads;

    // The current loop, set before its tickets are handed out.
    const std::function<void(std::size_t, std::size_t)>* Job = nullptr;
    std::size_t Start = 0, Count = 0, RangeSize = 0, Ranges = 0;
    std::atomic<std::size_t> NextRange = 0;
    // Helpers still wanted for the current loop, and those inside it (or
    // about to see whether they are wanted): only as many join as there
    // are ranges for, and one that comes after the ranges are gone is not
    // waited for.
    std::atomic<std::size_t> Tickets = 0, Busy = 0;
    std::atomic<bool> Failed = false, Stopping = false;

    // Helpers that found no loop for a while sleep here.
    std::mutex Lock;
    std::condition_variable Started;
    std::exception_ptr Failure;
};
