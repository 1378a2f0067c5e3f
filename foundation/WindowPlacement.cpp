#include "foundation/WindowPlacement.h"

#include <algorithm>

namespace {

// One axis. Wide arithmetic: stored positions come from files a user may edit.
int ReachablePosition(int Position, int Origin, int Extent)
{
    const long long Offset = static_cast<long long>(Position) - Origin;
    if (Offset < 0)
        return Origin;
    if (Offset > static_cast<long long>(Extent) - 100)
        return Origin + std::max(0, Extent - 200);
    return Position;
}

} // namespace

TWindowPosition KeepWindowReachable(TWindowPosition Position, const TScreenArea& Screen)
{
    Position.Left = ReachablePosition(Position.Left, Screen.Left, Screen.Width);
    Position.Top = ReachablePosition(Position.Top, Screen.Top, Screen.Height);
    return Position;
}

TWindowState WindowStateFromInt(int Value)
{
    switch (Value) {
    case wsMinimized:
        return wsMinimized;
    case wsMaximized:
        return wsMaximized;
    default:
        return wsNormal;
    }
}
