#include "editor/GraphGeometry.h"

#include "editor/GraphGlyphs.h"
#include "graph/Graph.h"

#include <climits>
#include <cmath>
#include <cstdlib>

int RoundHalfEven(double X) { return static_cast<int>(std::nearbyint(X)); }

int NodeHalfSize(const TNode& Node, const TGlyphSet& Glyphs)
{
    const int Half = Glyphs.HalfSize(Node.Glyph);
    return Half >= 0 ? Half : 5;
}

int NodeLineGap(const TNode& Node, const TGlyphSet& Glyphs)
{
    const int Half = Glyphs.HalfSize(Node.Glyph);
    return Half >= 0 ? Half + 1 : 5;
}

int BranchHitHalfSize(const TBranch& Branch, const TGlyphSet& Glyphs)
{
    const int Half = Glyphs.HalfSize(Branch.Glyph);
    return Half >= 0 ? Half : 10;
}

int BranchGlyphHalfSize(const TBranch& Branch, const TGlyphSet& Glyphs)
{
    const int Half = Glyphs.HalfSize(Branch.Glyph);
    return Half >= 0 ? Half + 1 : 10;
}

QPoint BranchMidpoint(const TBranch& Branch)
{
    if (!Branch.FromNode || !Branch.ToNode)
        return {Branch.LabelX, Branch.LabelY};
    return {(Branch.FromNode->X + Branch.ToNode->X) / 2, (Branch.FromNode->Y + Branch.ToNode->Y) / 2};
}

QPoint HandlePoint(const TBranch& Branch)
{
    if (Branch.LabelX == -1 || Branch.LabelY == -1)
        return BranchMidpoint(Branch);
    return {Branch.LabelX, Branch.LabelY};
}

void CentreHandle(TBranch& Branch)
{
    const QPoint M = BranchMidpoint(Branch);
    Branch.LabelX = M.x();
    Branch.LabelY = M.y();
}

bool IsDrawnBranch(const TBranch& Branch)
{
    return Branch.FromNode && Branch.ToNode && Branch.FromNode->IsActive() && Branch.ToNode->IsActive();
}

QPoint ShortenOffset(int Dx, int Dy, int D)
{
    auto Along = [D](int Main, int Other) {
        if (Main == 0)
            return 0;
        const double K = static_cast<double>(std::abs(Other)) / std::abs(Main);
        const int Length = RoundHalfEven(std::sqrt(static_cast<double>(D) * D / (K * K + 1.0)));
        return Main > 0 ? Length : -Length;
    };
    return {Along(Dx, Dy), Along(Dy, Dx)};
}

TBranchLines BranchLines(const TBranch& Branch, const TGlyphSet& Glyphs)
{
    const QPoint From(Branch.FromNode->X, Branch.FromNode->Y);
    const QPoint To(Branch.ToNode->X, Branch.ToNode->Y);
    const QPoint Mid(From.x() + (To.x() - From.x()) / 2, From.y() + (To.y() - From.y()) / 2);
    const int Rh = BranchGlyphHalfSize(Branch, Glyphs);
    const int Rf = NodeLineGap(*Branch.FromNode, Glyphs);
    const int Rt = NodeLineGap(*Branch.ToNode, Glyphs);
    TBranchLines L;
    const int Dx1 = Mid.x() - From.x();
    const int Dy1 = Mid.y() - From.y();
    L.From1 = From + ShortenOffset(Dx1, Dy1, Rf);
    L.To1 = Mid - ShortenOffset(Dx1, Dy1, Rh);
    const int Dx2 = To.x() - Mid.x();
    const int Dy2 = To.y() - Mid.y();
    L.From2 = Mid + ShortenOffset(Dx2, Dy2, Rh);
    L.To2 = To - ShortenOffset(Dx2, Dy2, Rt + 5);
    L.TipTo = To - ShortenOffset(Dx2, Dy2, Rt);
    return L;
}

TNode* HitTestNode(const TGraph& Graph, const TGlyphSet& Glyphs, int X, int Y)
{
    // Nothing is hit farther away than the largest half size: the position
    // is tested first, the rest only near it.
    const int Reach = std::max(5, Glyphs.MaxHalfSize());
    for (const auto& N : Graph.Nodes()) {
        const int Dx = std::abs(X - N->X);
        const int Dy = std::abs(Y - N->Y);
        if (Dx > Reach || Dy > Reach || !N->IsActive())
            continue;
        const int R = NodeHalfSize(*N, Glyphs);
        if (Dx <= R && Dy <= R)
            return N.get();
    }
    return nullptr;
}

TBranch* HitTestBranch(const TGraph& Graph, const TGlyphSet& Glyphs, int X, int Y)
{
    const int Reach = std::max(10, Glyphs.MaxHalfSize());
    for (const auto& B : Graph.Branches()) {
        if (!B->FromNode || !B->ToNode)
            continue;
        const QPoint H = HandlePoint(*B);
        const int Dx = std::abs(X - H.x());
        const int Dy = std::abs(Y - H.y());
        if (Dx > Reach || Dy > Reach || !IsDrawnBranch(*B))
            continue;
        const int R = BranchHitHalfSize(*B, Glyphs);
        if (Dx <= R && Dy <= R)
            return B.get();
    }
    return nullptr;
}

QPoint SnapToGap(QPoint P, int Gap)
{
    if (Gap <= 0)
        return P;
    return {RoundHalfEven(static_cast<double>(P.x()) / Gap) * Gap,
            RoundHalfEven(static_cast<double>(P.y()) / Gap) * Gap};
}

int ClampTo(int Value, int Low, int High)
{
    if (Value > High)
        return High;
    if (Value < Low)
        return Low;
    return Value;
}

QRect GraphExtent(const TGraph& Graph, QSize Size)
{
    if (Graph.NodeCount() == 0)
        return {QPoint(0, 0), Size};
    int MinX = INT_MAX, MinY = INT_MAX, MaxX = INT_MIN, MaxY = INT_MIN;
    for (const auto& N : Graph.Nodes()) {
        if (!N->IsActive())
            continue;
        MinX = std::min(MinX, N->X);
        MinY = std::min(MinY, N->Y);
        MaxX = std::max(MaxX, N->X);
        MaxY = std::max(MaxY, N->Y);
    }
    if (MinX > MaxX)
        return {QPoint(0, 0), Size};
    MinX = MinX < 41 ? 0 : MinX - 40;
    MinY = MinY < 41 ? 0 : MinY - 40;
    // Left, top, right and bottom as the drawing's size counts them
    // (right - left is the width).
    return {QPoint(MinX, MinY), QSize(MaxX + 40 - MinX, MaxY + 40 - MinY)};
}

namespace {

// The size a drawing needs to hold every placed active node: one past the
// largest X and Y that are not the -1 "not placed" mark; 0 without any.
QSize PlacedNodesReach(const TGraph& Graph)
{
    int Width = 0, Height = 0;
    for (const auto& N : Graph.Nodes()) {
        if (!N->IsActive())
            continue;
        if (N->X >= 0)
            Width = std::max(Width, N->X + 1);
        if (N->Y >= 0)
            Height = std::max(Height, N->Y + 1);
    }
    return {Width, Height};
}

} // namespace

QSize PlacedNodesExtent(const TGraph& Graph)
{
    const QSize Reach = PlacedNodesReach(Graph);
    return {Reach.width() > 0 ? Reach.width() - 1 + 40 : 0, Reach.height() > 0 ? Reach.height() - 1 + 40 : 0};
}
