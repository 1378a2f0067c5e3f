#include "airstate/AirCombin.h"

namespace {

struct TPairMode {
    const char* Pair;
    std::uint8_t Mode;
};

// Tried in this order; a pair matches in either letter order. Pairs with
// pressure, specific heat or "z", and {t,s}, {d,v}, {w,d}, {w,v}, {w,r} and
// the like are not served and are passed over.
constexpr TPairMode PairModes[] = {
    {"tb", 0},  {"th", 1},  {"tw", 2},  {"tf", 3},  {"td", 4},  {"tv", 5},  {"bw", 9},
    {"bf", 10}, {"bd", 11}, {"bv", 12}, {"bs", 13}, {"hw", 15}, {"hf", 16}, {"hd", 17},
    {"hv", 18}, {"hs", 19}, {"wf", 25}, {"ws", 26}, {"fd", 28}, {"fv", 29}, {"fs", 30},
    {"ds", 31}, {"vs", 32}, {"bh", 8},  {"tr", 7},  {"br", 14}};

} // namespace

TAirCombin::TAirCombin() : TCombin("tb") {}

bool TAirCombin::Execute(int Index)
{
    if (Index < 0 || static_cast<std::size_t>(Index) >= Letters.size())
        return false;
    BringToFront(Letters[static_cast<std::size_t>(Index)]);
    return TCombin::Execute();
}

bool TAirCombin::Test()
{
    const std::string& P = Pair();
    if (P.size() == 2)
        for (const TPairMode& M : PairModes)
            if ((P[0] == M.Pair[0] && P[1] == M.Pair[1]) || (P[0] == M.Pair[1] && P[1] == M.Pair[0])) {
                ModeValue = M.Mode;
                return true;
            }
    ModeValue = 0;
    return false;
}
