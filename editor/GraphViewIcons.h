#pragma once
// The pictures of the graph view's tool buttons and actions, drawn here.

#include <QIcon>

enum class TViewIcon {
    Arrow, Node, Branch,
    BackSetPic, BackClearPic, BackResize, RepositionNodes, ToolsGrid, ToolsScale,
    ZoomIn, ZoomOut, ZoomFull, SetLabels, Delete, Copy, Paste, UndoDelete, Cut,
    Grid, Snap, AutoScale, DrawMode,
};

QIcon ViewIcon(TViewIcon Which);
