#include "editor/GraphGlyphs.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

void TGlyphSet::Set(int Index, const QImage& Picture)
{
    if (Index < 0)
        return;
    if (static_cast<std::size_t>(Index) >= Glyphs.size())
        Glyphs.resize(static_cast<std::size_t>(Index) + 1);
    TGlyph& G = Glyphs[static_cast<std::size_t>(Index)];
    G.Picture = Picture.convertToFormat(QImage::Format_RGB32);
    G.Sprite = TXorSprite::FromPicture(G.Picture);
    G.Half = static_cast<int>(std::nearbyint(G.Picture.width() / 2.0));
    G.Present = true;
    MaxHalf = std::max(MaxHalf, G.Half);
}

bool TGlyphSet::Has(int Index) const
{
    return Index >= 0 && static_cast<std::size_t>(Index) < Glyphs.size() &&
           Glyphs[static_cast<std::size_t>(Index)].Present;
}

const TXorSprite* TGlyphSet::Sprite(int Index) const
{
    return Has(Index) ? &Glyphs[static_cast<std::size_t>(Index)].Sprite : nullptr;
}

const QImage& TGlyphSet::Picture(int Index) const
{
    static const QImage None;
    return Has(Index) ? Glyphs[static_cast<std::size_t>(Index)].Picture : None;
}

int TGlyphSet::Width(int Index) const { return Has(Index) ? Glyphs[static_cast<std::size_t>(Index)].Picture.width() : 0; }

void TGlyphSet::Clear()
{
    Glyphs.clear();
    MaxHalf = 0;
}

namespace {

QImage BlankGlyph()
{
    QImage Picture(GlyphSize, GlyphSize, QImage::Format_RGB32);
    Picture.fill(Qt::white);
    return Picture;
}

// A junction: a filled disc with a darker rim, centred on the node.
QImage NodeGlyph()
{
    QImage Picture = BlankGlyph();
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing, true);
    P.setPen(QPen(QColor(40, 70, 130), 1.6));
    P.setBrush(QColor(150, 190, 240));
    P.drawEllipse(QPointF(10.5, 10.5), 6.5, 6.5);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(40, 70, 130));
    P.drawEllipse(QPointF(10.5, 10.5), 1.6, 1.6);
    return Picture;
}

// A branch handle: a small square, blue for a plain branch, orange while
// the branch is selected.
QImage BranchGlyph(bool Selected)
{
    QImage Picture = BlankGlyph();
    QPainter P(&Picture);
    P.setPen(Selected ? QColor(170, 70, 0) : QColor(60, 90, 140));
    P.setBrush(Selected ? QColor(255, 180, 70) : QColor(215, 230, 250));
    P.drawRect(QRect(6, 6, 10, 10)); // pixels 6..16: centred on (11, 11)
    P.setPen(Selected ? QColor(120, 40, 0) : QColor(60, 90, 140));
    P.drawLine(9, 11, 13, 11);
    P.drawLine(11, 9, 11, 13);
    return Picture;
}

} // namespace

void AddBaseGlyphs(TGlyphSet& Glyphs)
{
    Glyphs.Set(giNode, NodeGlyph());
    Glyphs.Set(giBranch, BranchGlyph(false));
    Glyphs.Set(giSelectedBranch, BranchGlyph(true));
}
