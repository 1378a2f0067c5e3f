#include "airstate/AirCombin.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

// An edit brings its letter to the front; the latest pair served (either order) gives the mode.
TEST(AirCombin, EditsChooseTheMostRecentServedPair)
{
    const struct { const char* Edits; const char* Code; const char* Pair; int Mode; } Cases[] = {
        {"", "tb", "", 0},          {"w", "wtb", "wt", 2},      {"bft", "tfb", "tf", 3},
        {"wr", "rwtb", "rt", 7},    {"bf", "fbt", "fb", 10},    {"bb", "bt", "bt", 0},
        {"hw", "whtb", "wh", 15},   {"ds", "sdtb", "sd", 31},   {"dv", "vdtb", "vt", 5},
        {"p", "ptb", "tb", 0},      {"cz", "zctb", "tb", 0},    {"rb", "brt", "br", 14}};
    for (const auto& C : Cases) {
        TAirCombin Combin;
        for (const char* P = C.Edits; *P; ++P)
            EXPECT_TRUE(Combin.Execute(static_cast<int>(TAirCombin::Letters.find(*P))));
        EXPECT_FALSE(Combin.Execute(12)); // beyond the letters: changes nothing
        EXPECT_EQ(std::tuple(Combin.Code(), Combin.Pair(), int(Combin.Mode())), std::tuple(C.Code, C.Pair, C.Mode));
        for (char Letter : TAirCombin::Letters)
            EXPECT_EQ(Combin.PairHas(Letter), std::string(C.Pair).find(Letter) != std::string::npos);
    }
}
