#pragma once
// Report drawing helpers for blocks of text: letterhead, title lines, dates,
// right-aligned and rotated text, signature lines, and copying bitmaps into
// rectangles of any canvas (preview page, printer, window). The block
// helpers draw on ReportCanvas() and move the page engine's current line.

#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>

class QImage;

// Font styles added to a report font, numbered as the settings keep them.
enum TReportFontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
// Adds Style to Font.
void AddFontStyle(QFont& Font, int Style);

// Bold letterhead lines from the pen's y at X: the first at FirstSize points
// (in FirstFontName when given) followed by 1.25 of its line height, the
// others at OtherSize each followed by one line height. The report font is
// restored and the line counter moves past the block. Answers the height
// used in pixels.
int DrawLetterhead(const QStringList& Lines, int X, const QString& FirstFontName,
                   const QString& OtherFontName, int FirstSize, int OtherSize);
// A bold block at the left edge: the first line at the report size plus
// SizeIncrease followed by SkipAfterFirst lines, further lines two points
// smaller, one line each, and one blank line more after two or more lines.
void DrawTitleLines(const QStringList& Lines, int SizeIncrease, int SkipAfterFirst);
// The bold date right-aligned at the right edge, then two lines down.
void DrawDateRight(const QString& Date);
// A rule from the left to the right edge half a line down when Rule is set
// (then one line down), and the application's title, a blank and Text at
// the left edge of the current line; the pen stays.
void DrawSignatureLine(bool Rule, const QString& Text);

// Text ending at RightX, its top at Y.
void TextOutRight(QPainter& Canvas, int RightX, int Y, const QString& Text);
// Text turned Angle degrees counter-clockwise about its top-left corner
// (X, Y), in a normal-weight upright version of the canvas's font.
void TextOutRotated(QPainter& Canvas, const QString& Text, int X, double Angle, int Y);

// Copies the Source part of Bitmap (all of it when Source is empty) smoothly
// into Destination of Canvas.
void StretchBitmapToCanvas(const QRect& Destination, const QImage& Bitmap, QPainter& Canvas,
                           const QRect& Source = QRect(),
                           QPainter::CompositionMode Mode = QPainter::CompositionMode_SourceOver);
// As StretchBitmapToCanvas through a 24-bit copy, which every printer takes.
void PrintBitmapRect(const QRect& Destination, const QImage& Bitmap, QPainter& Canvas,
                     const QRect& Source = QRect(),
                     QPainter::CompositionMode Mode = QPainter::CompositionMode_SourceOver);
// Destination pixel (Width - 1 - x, y) := Source pixel (x, y).
void MirrorBitmap(const QImage& Source, QImage& Destination, int Width, int Height);
