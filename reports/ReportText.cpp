#include "reports/ReportText.h"

#include <QFontMetrics>
#include <QPainter>

void TextOut(QPainter& Canvas, int X, int Y, const QString& Text)
{
    Canvas.drawText(QPoint(X, Y + Canvas.fontMetrics().ascent()), Text);
}

int TextWidth(const QPainter& Canvas, const QString& Text)
{
    return Canvas.fontMetrics().horizontalAdvance(Text);
}

int TextHeight(const QPainter& Canvas)
{
    return Canvas.fontMetrics().height();
}

void TextRect(QPainter& Canvas, const QRect& Cell, const QString& Text)
{
    // A recorded page does not replay the clip a save/restore pair puts
    // back, so the clip is switched off by hand. Report drawing sets no
    // other clip.
    Canvas.setClipRect(Cell);
    Canvas.drawText(Cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                    Text);
    Canvas.setClipping(false);
}

QStringList WrapToWidth(const QPainter& Canvas, const QString& Text, int Width)
{
    const QFontMetrics Metrics = Canvas.fontMetrics();
    const auto Fits = [&](const QString& Part) { return Metrics.horizontalAdvance(Part) <= Width; };
    QStringList Lines;
    QString Line;
    for (const QString& Word : Text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString Joined = Line.isEmpty() ? Word : Line + QLatin1Char(' ') + Word;
        if (Fits(Joined)) {
            Line = Joined;
            continue;
        }
        if (!Line.isEmpty())
            Lines << Line;
        Line = Word;
        while (Line.size() > 1 && !Fits(Line)) {
            qsizetype Cut = Line.size() - 1;
            while (Cut > 1 && !Fits(Line.left(Cut)))
                --Cut;
            Lines << Line.left(Cut);
            Line = Line.mid(Cut);
        }
    }
    if (!Line.isEmpty() || Lines.isEmpty())
        Lines << Line;
    return Lines;
}
