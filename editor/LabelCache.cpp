#include "editor/LabelCache.h"

#include "platform/QtText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

// Labels of a long session are many but small; past this many the cache
// starts again rather than grow without end.
constexpr std::size_t MaxLabels = 200000;

} // namespace

TLabelCache::TLabelCache() : FFont("Arial")
{
    // 8 points at the usual 96 dots per inch, fixed in pixels so that a
    // drawing looks the same on every screen and offscreen.
    FFont.setPixelSize(11);
    FFont.setStyleStrategy(QFont::NoAntialias);
    FFont.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics Metrics(FFont);
    FHeight = Metrics.height();
    Ascent = Metrics.ascent();
}

const TXorSprite& TLabelCache::Label(const std::string& Text)
{
    const auto Found = Labels.find(Text);
    if (Found != Labels.end())
        return Found->second;
    if (Labels.size() >= MaxLabels) {
        Labels.clear();
        for (auto& Kind : Slots)
            Kind.clear(); // their sprites are gone
    }
    TXorSprite Sprite;
    if (!Text.empty()) {
        const QString Q = ToQ(Text);
        const int W = QFontMetrics(FFont).horizontalAdvance(Q);
        if (W > 0) {
            QImage Mask(W, FHeight, QImage::Format_RGB32);
            Mask.fill(Qt::black);
            QPainter P(&Mask);
            P.setFont(FFont);
            P.setPen(Qt::white);
            P.drawText(0, Ascent, Q);
            P.end();
            Sprite = TXorSprite::FromMask(Mask);
        }
    }
    return Labels.emplace(Text, std::move(Sprite)).first->second;
}

const TXorSprite& TLabelCache::Label(TSlotKind Kind, std::size_t Index, const std::string& Text)
{
    std::vector<TSlot>& List = Slots[Kind];
    if (Index < List.size() && List[Index].Sprite && List[Index].Text == Text)
        return *List[Index].Sprite;
    const TXorSprite& Sprite = Label(Text);
    if (Index >= List.size())
        List.resize(Index + 1);
    List[Index].Text = Text;
    List[Index].Sprite = &Sprite;
    return Sprite;
}
