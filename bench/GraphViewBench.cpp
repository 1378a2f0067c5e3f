// The graph view on a large drawing: 10,000 branches on a 3000 x 3000
// drawing with a background picture, glyphs and labels. Whole-drawing
// render, one node-drag step (move and repaint), hit tests, a band
// selection of everything, and the automatic layout of a long chain.

#include "QtBenchApp.h"

#include "editor/GraphAutoLayout.h"
#include "editor/GraphRender.h"
#include "editor/GraphViewFrame.h"
#include "editor/GridToolBox.h"
#include "foundation/SettingsStore.h"
#include "graph/Graph.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Side = 3000;
constexpr int Columns = 100; // nodes on a 100 x 101 raster, 30 pixels apart

// A tree of 10,000 branches over the drawing: each node joins its left
// neighbour, and the first of each row the one above.
struct TBigView {
    TMemorySettingsStore Settings;
    TGraph Graph;
    std::unique_ptr<TGraphViewFrame> Frame;

    TBigView()
    {
        QtBenchApp();
        Graph.Width = Side;
        Graph.Height = Side;
        int BranchId = 0;
        for (int Id = 1; Id <= 10001; ++Id) {
            TNode* N = Graph.GetOrAddNode(Id);
            const int Index = Id - 1;
            N->X = 15 + (Index % Columns) * 30;
            N->Y = 15 + (Index / Columns) * 29;
            N->Glyph = giNode;
            if (Index % Columns != 0)
                Graph.AddBranch(++BranchId, Id - 1, Id);
            else if (Index >= Columns)
                Graph.AddBranch(++BranchId, Id - Columns, Id);
        }
        for (const auto& B : Graph.Branches()) {
            B->Glyph = giBranch;
            B->SelectedGlyph = giSelectedBranch;
        }
        Frame = std::make_unique<TGraphViewFrame>(Settings);
        Frame->InitView();
        Frame->GridToolBox()->SnapToGrid = false;
        Frame->SetGraph(&Graph);
        Frame->RedrawGraph();
        // A background of the drawing's size, loaded as a user would.
        QImage Picture(Side, Side, QImage::Format_RGB32);
        for (int Y = 0; Y < Side; ++Y)
            for (int X = 0; X < Side; ++X)
                Picture.setPixel(X, Y, qRgb(200 + X % 50, 220 + Y % 30, 240));
        const QString Path = QString("/tmp/ventrix-bench-background-%1.png").arg(QCoreApplication::applicationPid());
        Picture.save(Path);
        Frame->LoadBackground(Path.toStdString());
        QFile::remove(Path);
        Frame->RedrawGraph();
        Frame->FlushDrawing(); // labels cached as on screen
    }
};

TBigView& BigView()
{
    static TBigView View;
    return View;
}

void RenderWholeDrawing(benchmark::State& State)
{
    TBigView& V = BigView();
    const TGraphRenderState S = V.Frame->RenderState();
    QImage Page(Side, Side, QImage::Format_RGB32);
    for (auto _ : State) {
        RenderGraphInto(Page, QRect(0, 0, Side, Side), &V.Graph, S);
        benchmark::DoNotOptimize(Page.constBits());
    }
    State.counters["branches"] = V.Graph.BranchCount();
}

void NodeDragStep(benchmark::State& State)
{
    TBigView& V = BigView();
    TNode* N = V.Graph.FindNode(5050); // in the middle, four branches
    const int X0 = N->X;
    int Step = 0;
    for (auto _ : State) {
        V.Frame->MoveNodeTo(N, X0 + (++Step % 2 ? 7 : 0), N->Y);
        V.Frame->FlushDrawing();
    }
}


void HitTestNodeOnly(benchmark::State& State)
{
    TBigView& V = BigView();
    for (auto _ : State)
        benchmark::DoNotOptimize(V.Frame->HitTestNode(2999, 2999));
}

void HitTestBranchOnly(benchmark::State& State)
{
    TBigView& V = BigView();
    for (auto _ : State)
        benchmark::DoNotOptimize(V.Frame->HitTestBranch(2999, 2999));
}

void SelectEverythingInBand(benchmark::State& State)
{
    TBigView& V = BigView();
    for (auto _ : State) {
        V.Frame->Image1MouseDown(TMouseButton::Left, ssLeft, 1, 1);
        V.Frame->Image1MouseMove(ssLeft, Side - 1, Side - 1);
        V.Frame->Image1MouseUp(TMouseButton::Left, 0, Side - 1, Side - 1);
        State.PauseTiming();
        V.Frame->ClearBlockSelection();
        V.Frame->FlushDrawing();
        State.ResumeTiming();
    }
}

void LayoutLongChain(benchmark::State& State)
{
    TGraph Chain;
    for (int Id = 1; Id < 10000; ++Id)
        Chain.AddBranch(Id, Id, Id + 1);
    for (const auto& B : Chain.Branches())
        B->Weight = 10.0;
    for (auto _ : State) {
        for (const auto& N : Chain.Nodes())
            N->X = N->Y = -1;
        LayoutFromRoot(Chain, Chain.RootNode(), QSize(Side, Side));
        benchmark::DoNotOptimize(Chain.FindNode(10000)->X);
    }
}

} // namespace

BENCHMARK(RenderWholeDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(NodeDragStep)->Unit(benchmark::kMillisecond);
BENCHMARK(HitTestNodeOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(HitTestBranchOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(SelectEverythingInBand)->Unit(benchmark::kMillisecond);
BENCHMARK(LayoutLongChain)->Unit(benchmark::kMillisecond);
