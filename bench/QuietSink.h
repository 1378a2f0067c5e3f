#pragma once
// A warning sink that drops every message: the benchmarks time commands,
// not what they say.

#include "foundation/WarningSink.h"

#include <string>

class TQuietSink : public TWarningSink {
public:
    void Warning(const std::string&, const std::string&) override {}
};
