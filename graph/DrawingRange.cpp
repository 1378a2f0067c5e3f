#include "graph/DrawingRange.h"

#include <algorithm>

int NodeCoordinateInDrawing(int Value)
{
    return Value < 0 ? -1 : std::min(Value, MaxDrawingSide - 1);
}

int LabelCoordinateInDrawing(int Value)
{
    return Value == -1 ? -1 : std::clamp(Value, 0, MaxDrawingSide - 1);
}
