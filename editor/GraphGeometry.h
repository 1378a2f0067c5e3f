#pragma once
// Where the items of the network drawing lie: glyph squares, branch handles,
// the two segments and arrow tip of a branch line, hit tests, snapping to
// the grid and the drawing's extent. Drawing coordinates are pixels of the
// page, origin top left, y downwards.

#include <QPoint>
#include <QRect>

class TBranch;
class TGlyphSet;
class TGraph;
class TNode;

// Nearest integer, halves to the even neighbour.
int RoundHalfEven(double X);

// Half size of a node's glyph square: round(width / 2), 5 without a glyph.
int NodeHalfSize(const TNode& Node, const TGlyphSet& Glyphs);
// How far a branch line stays away from a node's centre: the glyph's half
// size plus one, 5 without a glyph.
int NodeLineGap(const TNode& Node, const TGlyphSet& Glyphs);
// Half size of a branch's hit square: round(width / 2), 10 without a glyph.
int BranchHitHalfSize(const TBranch& Branch, const TGlyphSet& Glyphs);
// The branch glyph's offset from its handle and the line's gap around the
// midpoint: round(width / 2) + 1, 10 without a glyph.
int BranchGlyphHalfSize(const TBranch& Branch, const TGlyphSet& Glyphs);

// The midpoint of the branch's end nodes, truncated.
QPoint BranchMidpoint(const TBranch& Branch);
// The branch's handle: its label point, or the midpoint while either
// coordinate is -1 (automatic).
QPoint HandlePoint(const TBranch& Branch);
// Puts the handle at the midpoint.
void CentreHandle(TBranch& Branch);
// Both end nodes exist and are active.
bool IsDrawnBranch(const TBranch& Branch);

// The offset that shortens a segment with differences (Dx, Dy) by D pixels
// along its direction.
QPoint ShortenOffset(int Dx, int Dy, int D);

// The branch line: segment 1 from the from-node to the midpoint, segment 2
// from the midpoint towards the to-node, and the arrow tip.
struct TBranchLines {
    QPoint From1, To1;
    QPoint From2, To2;
    QPoint TipTo; // the tip runs from To2 to here
};
TBranchLines BranchLines(const TBranch& Branch, const TGlyphSet& Glyphs);

// The first active node whose glyph square holds (X, Y); null when none.
TNode* HitTestNode(const TGraph& Graph, const TGlyphSet& Glyphs, int X, int Y);
// The first drawn branch whose handle square holds (X, Y); null when none.
// The line itself is never hit.
TBranch* HitTestBranch(const TGraph& Graph, const TGlyphSet& Glyphs, int X, int Y);

// Both coordinates rounded to a multiple of Gap.
QPoint SnapToGap(QPoint P, int Gap);
// Value held to [Low, High]; a value above High becomes High first.
int ClampTo(int Value, int Low, int High);

// The drawing's extent: with no nodes, (0, 0) to Size; else the range of the
// active nodes' positions grown by 40 on each side (a minimum below 41
// becomes 0).
QRect GraphExtent(const TGraph& Graph, QSize Size);

// The smallest drawing that shows every placed node with the margin the
// extent gives it (40 pixels past the last node); 0 without any.
QSize PlacedNodesExtent(const TGraph& Graph);
