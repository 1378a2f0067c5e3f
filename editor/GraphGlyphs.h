#pragma once
// The glyph pictures of the graph view, by index as nodes and branches name
// them (TNode::Glyph, TBranch::Glyph; -1 none). The base view has three; the
// duct editor adds its own. Each picture is kept with its XOR sprite (stored
// inverted against white, so it shows in its true colours on white).
//
// A branch glyph's top-left corner is put one pixel further up and left than
// a node glyph's (the handle square is one pixel wider), so the base branch
// pictures are centred on (11, 11).

#include "editor/XorCanvas.h"

#include <QImage>

#include <vector>

// Indexes of the base glyphs.
enum TBaseGlyph : int { giNode = 1, giBranch = 2, giSelectedBranch = 3 };

// Size of the base glyph pictures.
inline constexpr int GlyphSize = 21;

class TGlyphSet {
public:
    // Puts Picture at Index (replacing one there).
    void Set(int Index, const QImage& Picture);
    bool Has(int Index) const;
    // Null for an index without a picture.
    const TXorSprite* Sprite(int Index) const;
    const QImage& Picture(int Index) const;
    // The picture's width; 0 without one.
    int Width(int Index) const;
    // Half the width, rounded half to even; -1 without a picture.
    int HalfSize(int Index) const { return Has(Index) ? Glyphs[static_cast<std::size_t>(Index)].Half : -1; }
    // The largest half size of any picture (0 with none).
    int MaxHalfSize() const { return MaxHalf; }
    void Clear();

private:
    struct TGlyph {
        QImage Picture;
        TXorSprite Sprite;
        int Half = -1;
        bool Present = false;
    };
    std::vector<TGlyph> Glyphs;
    int MaxHalf = 0;
};

// Adds the node, branch and selected-branch glyphs.
void AddBaseGlyphs(TGlyphSet& Glyphs);
