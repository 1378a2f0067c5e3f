// Builds the fitting database files from their readable source at build time:
//   FittingDbBuilder <common data folder> <category file.json>...
// Every entry is validated first; nothing is written unless all pass. The
// written files are then reloaded and evaluated; if that check fails they
// are removed again, so that a failed build leaves no database behind.

#include "data/builder/DatabaseCheck.h"
#include "data/builder/FittingJson.h"
#include "fittings/DuctFittingDB.h"
#include "fittings/FittingKeys.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

namespace {

void Report(const std::vector<std::string>& Problems)
{
    for (const std::string& P : Problems)
        std::fprintf(stderr, "FittingDbBuilder: %s\n", P.c_str());
}

void RemoveOutputs(const std::string& CommonDataDir)
{
    const std::string Folder = DuctFittingsFolder(CommonDataDir);
    std::error_code Error;
    std::filesystem::remove(Folder + DuctFittingsFileName + DuctFittingsIndexExt, Error);
    std::filesystem::remove(Folder + DuctFittingsFileName + DuctFittingsDataExt, Error);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: FittingDbBuilder <common data folder> <category file.json>...\n");
        return 2;
    }
    const std::string CommonDataDir = argv[1];
    RemoveOutputs(CommonDataDir);

    std::vector<TDuctFittingDBEntry> Entries;
    std::vector<std::string> Problems;
    std::map<std::string, std::string> FileOfKey; // lower-case key -> file
    for (int i = 2; i < argc; ++i) {
        try {
            TFittingCategoryFile File = ReadFittingCategoryFile(argv[i]);
            for (const std::string& P : CheckFittingCategory(File))
                Problems.push_back(P);
            for (TDuctFittingDBEntry& Entry : File.Entries) {
                const auto [Where, Added] = FileOfKey.emplace(LowerCaseText(Entry.Key), File.FileName);
                if (!Added)
                    Problems.push_back(File.FileName + ": " + Entry.Key + ": the key is already used in " +
                                       Where->second);
                Entries.push_back(std::move(Entry));
            }
        } catch (const std::exception& E) {
            Problems.push_back(E.what());
        }
    }
    if (!Problems.empty()) {
        Report(Problems);
        return 1;
    }

    try {
        WriteDuctFittingDB(CommonDataDir, Entries);
    } catch (const std::exception& E) {
        Report({std::string("writing the database failed: ") + E.what()});
        RemoveOutputs(CommonDataDir);
        return 1;
    }

    Problems = CheckBuiltDatabase(CommonDataDir, Entries);
    if (!Problems.empty()) {
        Report(Problems);
        RemoveOutputs(CommonDataDir);
        return 1;
    }
    std::printf("FittingDbBuilder: %zu fittings written to %s\n", Entries.size(),
                DuctFittingsFolder(CommonDataDir).c_str());
    return 0;
}
