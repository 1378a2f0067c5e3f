#include "psychro/PsyStatus.h"

namespace {
// The library is called from one thread; keeping the status per thread keeps
// a test or a worker thread from seeing another thread's outcome.
thread_local int LastStatus = psOk;
}

int PsyStatus()
{
    return LastStatus;
}

void SetPsyStatus(int Status)
{
    LastStatus = Status;
}
