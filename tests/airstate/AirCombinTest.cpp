#include "airstate/AirCombin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int IndexOf(char Letter)
{
    return static_cast<int>(TAirCombin::Letters.find(Letter));
}

} // namespace

TEST(AirCombin, EditsChooseTheMostRecentServedPair)
{
    const struct {
        const char* Edits; // letters edited in turn, from a new chooser
        const char* Code;
        const char* Pair;
        int Mode;
    } Cases[] = {
        {"", "tb", "", 0},
        {"w", "wtb", "wt", 2},     // absolute humidity with dry bulb
        {"f", "ftb", "ft", 3},     // relative humidity before the older tb
        {"wr", "rwtb", "rt", 7},   // {r,w} is not served: passed over
        {"bf", "fbt", "fb", 10},   // wet bulb then relative humidity
        {"bft", "tfb", "tf", 3},   // then a dry bulb keeps the humidity
        {"t", "tb", "tb", 0},      // editing a property of the pair again
        {"bb", "bt", "bt", 0},
        {"bh", "hbt", "hb", 8},
        {"ds", "sdtb", "sd", 31},
        {"dv", "vdtb", "vt", 5},   // {v,d} is not served
        {"wd", "dwtb", "dt", 4},   // nor {d,w}
        {"p", "ptb", "tb", 0},     // pressure pairs with nothing
        {"cz", "zctb", "tb", 0},
        {"hs", "shtb", "sh", 19},
        {"rb", "brt", "br", 14},
    };
    for (const auto& C : Cases) {
        TAirCombin Combin;
        for (const char* P = C.Edits; *P; ++P)
            EXPECT_TRUE(Combin.Execute(IndexOf(*P))) << C.Edits;
        EXPECT_EQ(Combin.Code(), C.Code) << C.Edits;
        EXPECT_EQ(Combin.Pair(), C.Pair) << C.Edits;
        EXPECT_EQ(Combin.Mode(), C.Mode) << C.Edits;
    }
}

TEST(AirCombin, AnIndexOutsideTheLettersChangesNothing)
{
    TAirCombin Combin;
    Combin.Execute(IndexOf('w'));
    for (int Index : {-1, 12, 1000}) {
        EXPECT_FALSE(Combin.Execute(Index)) << Index;
        EXPECT_EQ(Combin.Code(), "wtb") << Index;
        EXPECT_EQ(Combin.Mode(), 2) << Index;
    }
}

TEST(AirCombin, PairsAreMatchedInEitherOrderAndHighlightBothLetters)
{
    TAirCombin Combin;
    Combin.Execute(IndexOf('h'));
    Combin.Execute(IndexOf('w'));
    EXPECT_EQ(Combin.Pair(), "wh");
    EXPECT_EQ(Combin.Mode(), 15);
    for (char Letter : TAirCombin::Letters)
        EXPECT_EQ(Combin.PairHas(Letter), Letter == 'w' || Letter == 'h') << Letter;
}

namespace {

// A chooser that accepts no pair, to see where the search ends.
class TRefusingCombin : public TCombin {
public:
    explicit TRefusingCombin(std::string Code) : TCombin(std::move(Code)) {}
    bool Test() override
    {
        Tried.push_back(Pair());
        return false;
    }
    std::vector<std::string> Tried;
};

} // namespace

TEST(AirCombin, TheSearchTriesEveryPairInOrderAndEndsOnTheLast)
{
    TRefusingCombin Combin("abcd");
    EXPECT_FALSE(Combin.Execute());
    EXPECT_EQ(Combin.Tried, (std::vector<std::string>{"ab", "ac", "ad", "bc", "bd", "cd"}));
    EXPECT_EQ(Combin.Pair(), "cd");

    TRefusingCombin Single("a");
    EXPECT_FALSE(Single.Execute());
    EXPECT_TRUE(Single.Tried.empty());
}
