// Sorting the nodes and branches of the network: for the tables, and in the
// order flow distribution builds its tree in. Sorts are stable, so equal
// keys keep their present order and a sort repeated gives the same order.

#include "network/DuctGraph.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {

char LowerAscii(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

// Names compare without regard to ASCII case.
bool NameLess(const std::string& A, const std::string& B)
{
    return std::lexicographical_compare(A.begin(), A.end(), B.begin(), B.end(),
                                        [](char X, char Y) { return LowerAscii(X) < LowerAscii(Y); });
}

template <typename TList, typename TKeyLess>
void SortList(TList& List, TKeyLess Less, bool Ascending)
{
    using TItem = typename TList::value_type;
    if (Ascending)
        std::stable_sort(List.begin(), List.end(), [&](const TItem& A, const TItem& B) { return Less(*A, *B); });
    else
        std::stable_sort(List.begin(), List.end(), [&](const TItem& A, const TItem& B) { return Less(*B, *A); });
}

// Width and height as the table sorts them: a duct of no type before a
// circular one, a circular one before any rectangle.
double SortedSide(const TDuctBranch& B, double Side)
{
    if (B.DuctType == dtNone)
        return -1.0;
    if (B.DuctType == dtSpiral)
        return 0.0;
    return Side;
}

// A value that is not a number sorts first, so the order stays a strict one.
double SortKey(double Value)
{
    return std::isnan(Value) ? -std::numeric_limits<double>::infinity() : Value;
}

} // namespace

void TDuctGraph::SortNodes(int Key, bool Ascending)
{
    auto& List = MutableNodes();
    auto As = [](const TNode& N) -> const TFlowNode& { return static_cast<const TFlowNode&>(N); };
    switch (Key) {
    case 0:
        SortList(List, [](const TNode& A, const TNode& B) { return A.Id() < B.Id(); }, Ascending);
        break;
    case 1:
        SortList(List, [](const TNode& A, const TNode& B) { return NameLess(A.Name, B.Name); }, Ascending);
        break;
    case 2:
        SortList(List, [&](const TNode& A, const TNode& B) { return SortKey(As(A).RelPressure) < SortKey(As(B).RelPressure); },
                 Ascending);
        break;
    case 3:
        SortList(List, [&](const TNode& A, const TNode& B) { return As(A).NodeType < As(B).NodeType; },
                 Ascending);
        break;
    default:
        break;
    }
}

void TDuctGraph::SortBranches(int Key, bool Ascending)
{
    std::function<double(const TDuctBranch&)> Value;
    switch (Key) {
    case 0:
        Value = [](const TDuctBranch& B) { return static_cast<double>(B.Id()); };
        break;
    case 1:
        SortList(MutableBranches(),
                 [](const TBranch& A, const TBranch& B) { return NameLess(A.Name, B.Name); }, Ascending);
        return;
    case 2: Value = [](const TDuctBranch& B) { return B.VolumeFlow; }; break;
    case 3: Value = [](const TDuctBranch& B) { return B.DesignFlow; }; break;
    case 4: Value = [](const TDuctBranch& B) { return B.DuctVelocity; }; break;
    case 5: Value = [](const TDuctBranch& B) { return B.TotalDrop; }; break;
    case 6: Value = [](const TDuctBranch& B) { return B.Length; }; break;
    case 7: Value = [](const TDuctBranch& B) { return B.Diameter; }; break;
    case 8: Value = [](const TDuctBranch& B) { return SortedSide(B, B.DuctWidth); }; break;
    case 9: Value = [](const TDuctBranch& B) { return SortedSide(B, B.DuctHeight); }; break;
    default:
        return;
    }
    SortList(MutableBranches(),
             [&](const TBranch& A, const TBranch& B) {
                 return SortKey(Value(static_cast<const TDuctBranch&>(A))) <
                        SortKey(Value(static_cast<const TDuctBranch&>(B)));
             },
             Ascending);
}

// The tree order of flow distribution: by the weights flow distribution
// gives, heaviest first (see DistributeFlows).
void TDuctGraph::SortForDistribution()
{
    auto& List = MutableBranches();
    auto Key = [](const std::unique_ptr<TBranch>& B) {
        const double W = B->Weight;
        return std::isnan(W) ? -std::numeric_limits<double>::infinity() : W;
    };
    std::stable_sort(List.begin(), List.end(),
                     [&](const std::unique_ptr<TBranch>& A, const std::unique_ptr<TBranch>& B) {
                         return Key(A) > Key(B);
                     });
    // The fan and its two ducts lead, fan first, so they are always tree
    // branches.
    for (const TBranch* Front : {static_cast<const TBranch*>(ReturnDuct), static_cast<const TBranch*>(SupplyDuct),
                                 static_cast<const TBranch*>(MainFan)}) {
        if (!Front)
            continue;
        auto It = std::find_if(List.begin(), List.end(),
                               [Front](const std::unique_ptr<TBranch>& B) { return B.get() == Front; });
        if (It != List.end())
            std::rotate(List.begin(), It, std::next(It));
    }
}
