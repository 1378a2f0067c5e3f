#pragma once
// The small pictures of the tool windows' buttons, drawn rather than loaded
// so that they need no files and look the same on every desktop.

#include <QIcon>

enum class TToolGlyph {
    Open,
    Save,
    Copy,
    Paste,
    Solve,
    View,
    Print,
    Align,
    Reset,
    About,
    Help,
    Cancel,
    Accept,
    Location,
};

// A 16 by 16 picture (drawn at twice the density for sharp screens).
QIcon ToolGlyph(TToolGlyph Glyph);
