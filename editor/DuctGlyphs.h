#pragma once
// The glyphs of the duct network drawing beside the base node and branch
// glyphs: the six terminals (supply outlets in blue, return inlets in
// green), the fan, the booster and the two kinds of duct, each duct and fan
// also in the orange of a selected branch. 21 by 21 pixels, as the base
// glyphs; node glyphs are centred on (10.5, 10.5), branch glyphs on
// (11, 11).

#include <QIcon>

class TGlyphSet;

enum TDuctGlyph : int {
    giPlainInlet = 4,
    giReturnGrille = 5,
    giCanopy = 6,
    giPlainOutlet = 9,
    giDiffuser = 10,
    giSupplyGrille = 11,
    giFan = 13,
    giBooster = 14,
    giRectDuct = 15,
    giSpiralDuct = 16,
    giSelectedRectDuct = 26,
    giSelectedSpiralDuct = 27,
    giSelectedFan = 28,
    giSelectedBooster = 29,
};

// Adds the fourteen glyphs above.
void AddDuctGlyphs(TGlyphSet& Glyphs);

// A tool button's picture: a glyph on a transparent ground, or (WithSpiral)
// a spiral duct leading to (or from) that terminal.
QIcon DuctGlyphIcon(int Glyph, bool WithSpiral = false);
