#pragma once
// Keeps the engine's warnings (duplicate branches and the like) off the
// fuzzer's output.

#include "foundation/WarningSink.h"

class TQuietWarningSink : public TWarningSink {
public:
    void Warning(const std::string&, const std::string&) override {}
};

inline void InstallQuietSink()
{
    static TQuietWarningSink Sink;
    SetWarningSink(&Sink);
}
