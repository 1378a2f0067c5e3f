#pragma once
// Files of the process may grow to a given size only while this lives, as on
// a nearly full disk: a write that crosses the limit is cut short there, and
// the next one fails (the signal such a write raises is ignored meanwhile).

#include <sys/resource.h>

#include <csignal>

class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes) : FKeptSignal(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &FKept);
        rlimit Limit = FKept;
        Limit.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &Limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FKept);
        std::signal(SIGXFSZ, FKeptSignal);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit FKept{};
    void (*FKeptSignal)(int);
};
