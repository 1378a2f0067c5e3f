#pragma once
// Text on a report canvas placed by its top-left corner, as report layouts
// count lines, and measured on the canvas's own device.

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>

// Keeps the canvas font and puts it back at the end of a scope.
class TKeptFont {
public:
    explicit TKeptFont(QPainter& Canvas) : FCanvas(Canvas), FFont(Canvas.font()) {}
    ~TKeptFont() { FCanvas.setFont(FFont); }
    TKeptFont(const TKeptFont&) = delete;
    TKeptFont& operator=(const TKeptFont&) = delete;

private:
    QPainter& FCanvas;
    QFont FFont;
};

void TextOut(QPainter& Canvas, int X, int Y, const QString& Text);
int TextWidth(const QPainter& Canvas, const QString& Text);
// The height of a line of the canvas's font.
int TextHeight(const QPainter& Canvas);
// Text at the top-left of Cell, cut off at the cell's edges.
void TextRect(QPainter& Canvas, const QRect& Cell, const QString& Text);
// Text broken into lines no wider than Width in the canvas's font: at blanks,
// and a word wider than Width where it reaches the edge. One line at least.
QStringList WrapToWidth(const QPainter& Canvas, const QString& Text, int Width);
