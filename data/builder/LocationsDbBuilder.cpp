// Builds the locations database from its source at build time:
//   LocationsDbBuilder <common data folder> <design-conditions table>
//                      <iso_3166-1.json> <iso_3166-2.json>
// The source is validated first and nothing is written unless it passes. The
// written files are then read back through the locations picker; if that
// check fails they are removed again, so a failed build leaves no database.

#include "data/builder/LocationSource.h"
#include "foundation/FileHelpers.h"
#include "locations/RegionIndex.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

void Report(const std::vector<std::string>& Problems)
{
    for (const std::string& P : Problems)
        std::fprintf(stderr, "LocationsDbBuilder: %s\n", P.c_str());
}

void RemoveOutputs(const std::string& Dir, const TLocationSource& Source)
{
    std::error_code Error;
    std::filesystem::remove(Dir + RegionIndexFileName, Error);
    std::filesystem::remove(Dir + AllDatabaseName + ".wdb", Error);
    for (const TLocationSourceDatabase& D : Source.Databases)
        std::filesystem::remove(Dir + D.Name + ".wdb", Error);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: LocationsDbBuilder <common data folder> <design-conditions table> "
                             "<iso_3166-1.json> <iso_3166-2.json>\n");
        return 2;
    }
    const std::string Dir = IncludeTrailingPathDelimiter(argv[1]);
    TLocationSource Source;
    try {
        Source = ReadLocationSource(argv[2], ReadRegionNames(argv[3], argv[4]));
    } catch (const std::exception& E) {
        Report({E.what()});
        return 1;
    }
    RemoveOutputs(Dir, Source);
    std::vector<std::string> Problems = CheckLocationSource(Source);
    if (!Problems.empty()) {
        Report(Problems);
        return 1;
    }
    try {
        std::filesystem::create_directories(Dir);
        WriteLocationDatabase(Dir, Source);
    } catch (const std::exception& E) {
        Report({std::string("writing the database failed: ") + E.what()});
        RemoveOutputs(Dir, Source);
        return 1;
    }
    Problems = CheckBuiltLocationDatabase(Dir, Source);
    if (!Problems.empty()) {
        Report(Problems);
        RemoveOutputs(Dir, Source);
        return 1;
    }
    std::printf("LocationsDbBuilder: %zu places written to %s\n", Source.StationCount(), Dir.c_str());
    for (const TLocationSourceDatabase& D : Source.Databases)
        std::printf("  %s: %zu places in %zu regions\n", D.Name.c_str(), D.Stations.size(), D.Regions.size());
    std::printf("  %zu stations left out for a missing value:", Source.LeftOut);
    for (const auto& [Column, Count] : Source.MissingByColumn)
        std::printf(" %s %zu", Column.c_str(), Count);
    std::printf("\n");
    return 0;
}
