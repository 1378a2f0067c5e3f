#include "foundation/WarningSink.h"

#include <cstdio>

namespace {

TStderrWarningSink DefaultSink;
TWarningSink* Installed = nullptr;

} // namespace

void TStderrWarningSink::Warning(const std::string& Caption, const std::string& Text)
{
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
}

void TRecordingWarningSink::Warning(const std::string& Caption, const std::string& Text)
{
    Recorded.push_back({Caption, Text});
}

std::string TRecordingWarningSink::LastText() const
{
    return Recorded.empty() ? std::string() : Recorded.back().Text;
}

TWarningSink& CurrentWarningSink()
{
    return Installed ? *Installed : DefaultSink;
}

TWarningSink* SetWarningSink(TWarningSink* Sink)
{
    TWarningSink* Previous = Installed;
    Installed = Sink;
    return Previous;
}

void ShowWarning(const std::string& Caption, const std::string& Text)
{
    CurrentWarningSink().Warning(Caption, Text);
}
