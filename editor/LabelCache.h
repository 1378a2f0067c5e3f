#pragma once
// The text labels of the drawing, as XOR masks: a label is drawn once into a
// black picture (font "Arial" 8 point, no antialiasing, so every pixel is
// either text or background) and kept by its text, so that redrawing ten
// thousand labels costs only the XOR of their pixels.

#include "editor/XorCanvas.h"

#include <QFont>

#include <string>
#include <unordered_map>
#include <vector>

class TLabelCache {
public:
    TLabelCache();

    // The label of Text; an empty text has an empty sprite.
    const TXorSprite& Label(const std::string& Text);
    // The same, remembered for one item (by its kind and list position), so
    // that a drawing asks the cache once per changed label rather than once
    // per item.
    enum TSlotKind { skNode = 0, skBranch = 1 };
    const TXorSprite& Label(TSlotKind Kind, std::size_t Index, const std::string& Text);
    // The height of a label (that of "X").
    int Height() const { return FHeight; }
    int Width(const std::string& Text) { return Label(Text).Width(); }
    std::size_t Size() const { return Labels.size(); }
    const QFont& Font() const { return FFont; }

private:
    QFont FFont;
    int FHeight = 0;
    int Ascent = 0;
    std::unordered_map<std::string, TXorSprite> Labels;
    struct TSlot {
        std::string Text;
        const TXorSprite* Sprite = nullptr;
    };
    std::vector<TSlot> Slots[2];
};
