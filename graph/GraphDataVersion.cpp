#include "graph/GraphDataVersion.h"

#include <array>

namespace {

constexpr std::array<std::string_view, gdvNewest + 1> Headers = {
    "GraphDataFile_v1.00", "GraphDataFile_v1.01", "GraphDataFile_v1.02", "GraphDataFile_v2.00",
    "GraphDataFile_v2.01", "GraphDataFile_v2.02", "GraphDataFile_v2.03", "GraphDataFile_v2.04"};

} // namespace

std::string GraphDataVersionHeader(TGraphDataVersion Version)
{
    if (Version < gdv100 || Version > gdvNewest)
        Version = gdvNewest;
    return std::string(Headers[Version]);
}

TGraphDataVersion GraphDataVersionFromHeader(std::string_view Header)
{
    for (int V = gdv100; V <= gdvNewest; ++V)
        if (Headers[V] == Header)
            return static_cast<TGraphDataVersion>(V);
    return gdvNewest;
}
