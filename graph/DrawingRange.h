#pragma once
// Where positions on the network drawing may lie. A drawing is at most
// MaxDrawingSide pixels on each side, so every position is one of its pixels
// or the mark that stands for none (-1: a node not placed yet, a branch
// label placed automatically). Positions read from a file are brought
// inside: a file from elsewhere or a damaged one still opens, with its far
// items at the drawing's edge, and the drawing's arithmetic stays far from
// the ends of int.

// Documents are not trusted: a drawing is at least one and at most this many
// pixels on each side.
inline constexpr int MaxDrawingSide = 10000;

// A node coordinate read from a file: any negative one is "not placed" (the
// editor places such a node itself), one past the drawing its last pixel.
int NodeCoordinateInDrawing(int Value);
// A branch label coordinate read from a file: -1 stays automatic, others
// are held to the drawing's pixels.
int LabelCoordinateInDrawing(int Value);
