#pragma once
// Doubles compared for identity. gtest prints a double with six digits, so
// two values that differ in their last bits print alike in a failure; these
// wrappers compare as the doubles do and print every digit a double holds.

#include <cstdio>
#include <map>
#include <ostream>
#include <vector>

struct TExactDouble {
    double Value = 0.0;
    bool operator==(const TExactDouble& Other) const { return Value == Other.Value; }
};

inline void PrintTo(const TExactDouble& X, std::ostream* Out)
{
    char Text[32];
    std::snprintf(Text, sizeof Text, "%.17g", X.Value);
    *Out << Text;
}

inline TExactDouble Exact(double Value) { return {Value}; }

inline std::vector<TExactDouble> Exact(const std::vector<double>& Values)
{
    std::vector<TExactDouble> Out;
    Out.reserve(Values.size());
    for (double V : Values)
        Out.push_back({V});
    return Out;
}

template <typename TKey>
std::map<TKey, TExactDouble> Exact(const std::map<TKey, double>& Values)
{
    std::map<TKey, TExactDouble> Out;
    for (const auto& [Key, V] : Values)
        Out.emplace(Key, TExactDouble{V});
    return Out;
}
