#pragma once
// The picture of the network drawing, computed from the model: a white page,
// the background picture, every node and branch with its glyph, line and
// label, the rubber band and the calibration marks, all by XOR (see
// XorCanvas.h), then the grid dots as plain pixels. Any rectangle of the
// drawing is painted exactly as the same rectangle of the whole picture, so
// the view repaints only what an edit changed. The same function serves the
// view, the tests and the diagnostic picture.

#include "editor/XorCanvas.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <string>

class TBranch;
class TGlyphSet;
class TGraph;
class TLabelCache;
class TNode;

// Colours of the drawing, as 0x00BBGGRR values. Labels show in the
// complement of their colour; lines and shapes in their own.
inline constexpr std::uint32_t clNodeLabel = 0x0000FFFF;
inline constexpr std::uint32_t clSelectedLabel = 0x00FFFF00; // node and branch
inline constexpr std::uint32_t clBlockLabel = 0x003F7F00;
inline constexpr std::uint32_t clHighlightLabel = 0x00FFFF7F;
inline constexpr std::uint32_t clBranchLabel = 0x004B7DB9;
inline constexpr std::uint32_t clBranchLine = 0x00565656;
inline constexpr std::uint32_t clPathLine = 0x000000FF;
inline constexpr std::uint32_t clShape = 0x00FFFF00; // glyph-less nodes and handles
inline constexpr std::uint32_t clBand = 0x00565656;  // band, crosshair, measuring line
inline constexpr std::uint32_t clGridDot = 0x00008CFF;

// Length of a crosshair's arms.
inline constexpr int CrossArm = 20;

struct TGraphRenderState {
    QSize Size{900, 900}; // the drawing (page) size
    const TGlyphSet* Glyphs = nullptr;
    TLabelCache* Labels = nullptr;
    // The background picture stored inverted against white; null for none.
    const QImage* Background = nullptr;
    const TNode* SelectedNode = nullptr;
    const TBranch* SelectedBranch = nullptr;
    // Label texts; unset: the item's name.
    std::function<std::string(const TNode&)> NodeLabel;
    std::function<std::string(const TBranch&)> BranchLabel;
    bool GridVisible = false;
    int GridGap = 10;
    bool BandShown = false;
    QPoint BandFrom, BandTo;
    // Calibration: the crosshair following the pointer, and the first picked
    // point with its crosshair and the measuring line to the pointer.
    bool CrossShown = false;
    QPoint Cross;
    bool FirstPointTaken = false;
    QPoint FirstPoint;
};

// Paints Area (drawing coordinates) of Page, a Format_RGB32 image of the
// drawing's size.
void RenderGraphInto(QImage& Page, const QRect& Area, const TGraph* Graph, const TGraphRenderState& State);
// The picture of Area alone (an image of Area's size).
QImage RenderGraph(const TGraph* Graph, const TGraphRenderState& State, const QRect& Area);

// What an item covers on the page (glyph, line, label, selection frame), for
// repainting after it changed. Empty for an item that is not drawn.
QRect NodeArea(const TNode& Node, const TGraphRenderState& State);
QRect BranchArea(const TBranch& Branch, const TGraphRenderState& State);
// The node with every branch that is drawn from it.
QRect NodeAreaWithBranches(const TNode& Node, const TGraphRenderState& State);
// The band's frame; the crosshair of a point; the measuring line.
QRect BandArea(const TGraphRenderState& State);
QRect CrossArea(QPoint P);
QRect MeasureArea(const TGraphRenderState& State);
