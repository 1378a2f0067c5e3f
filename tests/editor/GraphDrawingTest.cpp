// Hit tests, snapping, line geometry and the rendered picture of a network.

#include "EditorTestSupport.h"

#include "editor/GraphGeometry.h"
#include "editor/LabelCache.h"
#include "foundation/ValueStream.h"
#include "graph/DrawingRange.h"

#include <climits>

using namespace edtest;

namespace {

struct TPicture {
    TTestGraph Graph;
    TGlyphSet Glyphs;
    TLabelCache Labels;
    TGraphRenderState State;

    TPicture()
    {
        AddBaseGlyphs(Glyphs);
        State.Glyphs = &Glyphs;
        State.Labels = &Labels;
        State.Size = QSize(400, 400);
    }

    TNode* Node(int Id, int X, int Y, int Glyph = giNode)
    {
        TNode* N = Graph.GetOrAddNode(Id);
        N->X = X;
        N->Y = Y;
        N->Glyph = Glyph;
        return N;
    }

    QImage Render() { return RenderGraph(&Graph, State, QRect(QPoint(0, 0), State.Size)); }
};

QColor At(const QImage& I, int X, int Y) { return I.pixelColor(X, Y); }

bool HasColour(const QImage& I, const QRect& Area, const QColor& C)
{
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        for (int X = Area.left(); X <= Area.right(); ++X)
            if (I.pixelColor(X, Y) == C)
                return true;
    return false;
}

} // namespace

TEST(GraphGeometry, OnlyTheGlyphSquareOrTheHandleIsHit)
{
    TPicture P;
    P.Node(1, 100, 100);     // a 21-pixel glyph: half size 10
    P.Node(2, 300, 300, -1); // none: half size 5
    TTestGraph Line;
    for (auto [Id, X, Y] : {std::tuple{1, 100, 100}, {2, 201, 300}}) {
        TNode* N = Line.GetOrAddNode(Id);
        N->X = X;
        N->Y = Y;
    }
    TBranch* B = Line.AddBranch(1, 1, 2); // no glyph: half size 10 around (150, 200)
    B->LabelX = 150;
    B->LabelY = 200;

    const struct {
        QPoint At;
        int Node; // expected id, 0 none
    } NodeCases[] = {{{110, 110}, 1}, {{111, 100}, 0}, {{305, 295}, 2}, {{306, 300}, 0}};
    for (const auto& C : NodeCases) {
        TNode* Hit = HitTestNode(P.Graph, P.Glyphs, C.At.x(), C.At.y());
        EXPECT_EQ(Hit ? Hit->Id() : 0, C.Node) << C.At.x() << "," << C.At.y();
    }
    const struct {
        QPoint At;
        bool Hit;
    } BranchCases[] = {{{160, 210}, true}, {{161, 200}, false}, {{125, 150}, false}};
    for (const auto& C : BranchCases)
        EXPECT_EQ(HitTestBranch(Line, P.Glyphs, C.At.x(), C.At.y()) == B, C.Hit) << C.At.x() << "," << C.At.y();

    // An inactive node (the Sink) is never hit, nor a branch that ends there.
    static_cast<TTestNode*>(Line.FindNode(2))->Active = false;
    EXPECT_EQ(HitTestBranch(Line, P.Glyphs, 150, 200), nullptr);
    static_cast<TTestNode*>(P.Graph.FindNode(1))->Active = false;
    EXPECT_EQ(HitTestNode(P.Graph, P.Glyphs, 100, 100), nullptr);
}

TEST(GraphGeometry, SnappingRoundsHalvesToEven)
{
    EXPECT_EQ(SnapToGap({25, 15}, 10), QPoint(20, 20));
    EXPECT_EQ(SnapToGap({35, 26}, 10), QPoint(40, 30));
    EXPECT_EQ(SnapToGap({7, 8}, 5), QPoint(5, 10));
    EXPECT_EQ(RoundHalfEven(10.5), 10);
    EXPECT_EQ(RoundHalfEven(11.5), 12);
}

TEST(GraphGeometry, SegmentsAreShortenedAlongTheirDirection)
{
    const struct {
        int Dx, Dy, D;
        QPoint Offset;
    } Cases[] = {{10, 0, 5, {5, 0}}, {0, -10, 5, {0, -5}}, {3, 4, 5, {3, 4}}, {-6, 8, 10, {-6, 8}}, {0, 0, 5, {0, 0}}};
    for (const auto& C : Cases)
        EXPECT_EQ(ShortenOffset(C.Dx, C.Dy, C.D), C.Offset) << C.Dx << "," << C.Dy;
}

TEST(GraphGeometry, TheExtentHugsTheActiveNodes)
{
    TPicture P;
    EXPECT_EQ(GraphExtent(P.Graph, {900, 700}), QRect(0, 0, 900, 700));
    P.Node(1, 30, 100);
    P.Node(2, 200, 300);
    static_cast<TTestNode*>(P.Node(3, 800, 800))->Active = false;
    // Left within 40 of the edge starts at 0; the top moves in by 40.
    EXPECT_EQ(GraphExtent(P.Graph, {900, 700}), QRect(QPoint(0, 60), QSize(240, 280)));
}

TEST(GraphRender, ColoursOfGlyphsLinesAndLabels)
{
    TPicture P;
    P.Node(1, 100, 100);
    P.Node(2, 300, 100);
    TBranch* B = P.Graph.AddBranch(1, 1, 2);
    B->Glyph = giBranch;
    B->LabelX = 200;
    B->LabelY = 100;
    QImage I = P.Render();
    // The glyph shows in its own colours at the node's centre.
    EXPECT_EQ(At(I, 100, 100), P.Glyphs.Picture(giNode).pixelColor(10, 10));
    EXPECT_EQ(At(I, 300, 100), P.Glyphs.Picture(giNode).pixelColor(10, 10));
    // Segment one runs from 111 to 188 along y = 100.
    EXPECT_EQ(At(I, 125, 100), QColor(86, 86, 86));
    EXPECT_EQ(At(I, 125, 101), QColor(Qt::white));
    // The node label is blue on white above-left of the glyph.
    const QRect Label(80, 80, 40, P.Labels.Height());
    EXPECT_TRUE(HasColour(I, Label, QColor(0, 0, 255)));
    // The arrow tip is black, three pixels wide, just short of the to-node.
    EXPECT_EQ(At(I, 286, 99), QColor(Qt::black));
    EXPECT_EQ(At(I, 286, 101), QColor(Qt::black));

    // An index-path branch is red; a selected node's label red too.
    B->PathMark = 1;
    P.State.SelectedNode = P.Graph.FindNode(1);
    I = P.Render();
    EXPECT_EQ(At(I, 125, 100), QColor(255, 0, 0));
    EXPECT_TRUE(HasColour(I, Label, QColor(255, 0, 0)));
    EXPECT_FALSE(HasColour(I, Label, QColor(0, 0, 255)));
}

TEST(GraphRender, AnyRectangleIsPaintedAsInTheWholePicture)
{
    TPicture P;
    QImage Back(260, 180, QImage::Format_RGB32);
    for (int Y = 0; Y < Back.height(); ++Y)
        for (int X = 0; X < Back.width(); ++X)
            Back.setPixel(X, Y, qRgb(X % 256, Y % 256, (X * Y) % 256));
    Back.invertPixels();
    P.State.Background = &Back;
    P.State.GridVisible = true;
    P.State.GridGap = 10;
    P.State.BandShown = true;
    P.State.BandFrom = QPoint(330, 350);
    P.State.BandTo = QPoint(40, 20);
    P.State.FirstPointTaken = true;
    P.State.FirstPoint = QPoint(60, 300);
    P.State.CrossShown = true;
    P.State.Cross = QPoint(200, 300);
    for (int Id = 1; Id <= 12; ++Id)
        P.Node(Id, 20 + (Id * 71) % 360, 20 + (Id * 37) % 360, Id % 3 ? giNode : -1);
    for (int Id = 1; Id < 12; ++Id) {
        TBranch* B = P.Graph.AddBranch(Id, Id, Id + 1);
        B->Glyph = Id % 4 ? giBranch : -1;
        B->SelectedGlyph = giSelectedBranch;
        B->BlockState = Id % 5 == 0 ? 1 : 0;
    }
    P.State.SelectedBranch = P.Graph.FindBranch(3);
    const QImage Whole = P.Render();
    for (const QRect R : {QRect(0, 0, 400, 400), QRect(13, 17, 101, 83), QRect(150, 90, 7, 230), QRect(390, 390, 30, 30)}) {
        const QImage Part = RenderGraph(&P.Graph, P.State, R);
        ASSERT_EQ(Part.size(), R.size());
        const QRect Inside = R & Whole.rect();
        EXPECT_EQ(Part.copy(Inside.translated(-R.topLeft())), Whole.copy(Inside)) << R.x() << "," << R.y();
    }
    // Away from every item the background shows in its true colours.
    Back.invertPixels();
    EXPECT_EQ(At(Whole, 251, 172), Back.pixelColor(251, 172));
    // Grid dots are plain orange pixels.
    EXPECT_EQ(At(Whole, 390, 380), QColor(255, 140, 0));
}

// A document's positions beyond the largest drawing come in at its edge,
// where the view draws, measures and snaps them (the sanitizer build checks
// that no arithmetic overflows on the way).
TEST(GraphView, FarPositionsFromAFileAreDrawnAtTheLargestDrawingsEdge)
{
    TViewFixture V;
    {
        TTestGraph Far;
        Far.AddBranch(1, 1, 2)->LabelX = INT_MAX;
        Far.AddBranch(2, 2, 3)->LabelY = INT_MAX;
        for (const auto& N : Far.Nodes()) {
            N->X = INT_MAX;
            N->Y = INT_MAX;
        }
        Far.FindNode(3)->Y = INT_MIN;
        TValueWriter W;
        Far.WriteData(W);
        TValueReader R(W.Bytes());
        V.Graph.ReadData(R);
    }
    V.Frame->RedrawGraph();
    const int Last = MaxDrawingSide - 1;
    EXPECT_EQ(V.Frame->RenderState().Size, QSize(MaxDrawingSide, MaxDrawingSide));
    for (const int Id : {1, 2})
        EXPECT_EQ(QPoint(V.Graph.FindNode(Id)->X, V.Graph.FindNode(Id)->Y), QPoint(Last, Last)) << Id;
    EXPECT_EQ(V.Graph.FindNode(3)->X, Last);
    EXPECT_GE(V.Graph.FindNode(3)->Y, 0); // placed by the view
    EXPECT_EQ(HandlePoint(*V.Graph.FindBranch(1)), QPoint(Last, Last));
    EXPECT_TRUE(V.Frame->GetGraphExtent().contains(QPoint(Last, Last)));

    const QRect Corner(Last - 30, Last - 30, 31, 31);
    const QImage Drawn = RenderGraph(&V.Graph, V.Frame->RenderState(), Corner);
    QImage Blank(Drawn.size(), Drawn.format());
    Blank.fill(Qt::white);
    EXPECT_NE(Drawn, Blank) << "the nodes at the corner are drawn";
    V.Frame->SnapAllNodesToGrid();
    for (const auto& N : V.Graph.Nodes()) {
        EXPECT_LE(N->X, Last) << N->Id();
        EXPECT_LE(N->Y, Last) << N->Id();
    }
}
