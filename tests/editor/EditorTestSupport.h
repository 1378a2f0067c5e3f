#pragma once
// Shared by the editor tests: a graph whose nodes can be made inactive (as
// the generated Sink is), a view on it with scripted services (messages,
// pointer position, pop-up choices, file dialog), and small helpers to
// build networks and drive the mouse.

#include "controls/UiServices.h"
#include "editor/GraphCanvas.h"
#include "editor/GraphViewFrame.h"
#include "editor/GridToolBox.h"
#include "foundation/SettingsStore.h"
#include "graph/Graph.h"
#include "tests/support/ScriptedUiServices.h"

#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

inline void PrintTo(const QPoint& P, std::ostream* Out) { *Out << '(' << P.x() << ", " << P.y() << ')'; }

namespace edtest {

class TTestNode : public TNode {
public:
    bool Active = true;
    bool IsActive() const override { return Active; }
};

class TTestGraph : public TGraph {
public:
    std::unique_ptr<TNode> NewNode(int Id) override
    {
        auto N = std::make_unique<TTestNode>();
        N->Init(Id);
        return N;
    }
};

// The base view with the few decisions a test wants to steer.
class TTestFrame : public TGraphViewFrame {
public:
    using TGraphViewFrame::TGraphViewFrame;
    bool LinkAllowed = true;
    int NodeEdits = 0;
    bool CanLinkFrom(TNode*) override { return LinkAllowed; }
    void gvfEditNodeClick() override { ++NodeEdits; }
};

// Messages are answered Yes, and the pointer stands off the view until the
// test puts it somewhere.
struct TScriptedServices : TScriptedUiServices {
    TScriptedServices()
    {
        Answer = mrYes;
        Pointer = {-100, -100};
    }
};

// A view on a test graph, its tool boxes made, snapping to a 10-pixel grid.
struct TViewFixture {
    TScriptedServices Services;
    TMemorySettingsStore Settings;
    TTestGraph Graph;
    std::unique_ptr<TTestFrame> Frame;

    explicit TViewFixture(bool Snap = true)
    {
        Frame = std::make_unique<TTestFrame>(Settings);
        Frame->resize(700, 500);
        Frame->InitView();
        Frame->GridToolBox()->SnapToGrid = Snap;
        Frame->SetGraph(&Graph);
    }

    TNode* Node(int Id, int X, int Y, bool Glyph = true)
    {
        TNode* N = Graph.GetOrAddNode(Id);
        N->X = X;
        N->Y = Y;
        N->Glyph = Glyph ? giNode : -1;
        return N;
    }

    TBranch* Branch(int Id, int From, int To, bool Glyph = true)
    {
        TBranch* B = Graph.AddBranch(Id, From, To);
        B->Glyph = Glyph ? giBranch : -1;
        B->SelectedGlyph = Glyph ? giSelectedBranch : -1;
        return B;
    }

    // Press, move and release with the left button and the given modifiers.
    void Drag(QPoint From, QPoint To, TShiftState Modifiers = 0)
    {
        Frame->Image1MouseDown(TMouseButton::Left, Modifiers | ssLeft, From.x(), From.y());
        Frame->Image1MouseMove(Modifiers | ssLeft, To.x(), To.y());
        Frame->Image1MouseUp(TMouseButton::Left, Modifiers, To.x(), To.y());
    }

    void Click(QPoint At, TShiftState Modifiers = 0) { Drag(At, At, Modifiers); }

    // The drawing as a fresh render of the model would show it.
    QImage FreshRender()
    {
        const TGraphRenderState S = Frame->RenderState();
        return RenderGraph(&Graph, S, QRect(QPoint(0, 0), S.Size));
    }
};

inline std::vector<int> NodeIds(const TGraph& G)
{
    std::vector<int> Ids;
    for (const auto& N : G.Nodes())
        Ids.push_back(N->Id());
    return Ids;
}

} // namespace edtest
