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
