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
