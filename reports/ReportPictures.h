#pragma once
// Pictures in a report: at a size in pixels, at a size in centimetres with
// label texts over them, or across several pages. They draw on
// ReportCanvas() and move the page engine's current line.

#include <QRect>

#include <vector>

class QImage;
class QLabel;

// Labels whose texts are drawn over a picture at their positions, scaled
// from the picture's size to its printed size.
using TLabelList = std::vector<const QLabel*>;

// Draws the Source part of Picture (all of it when empty) Width x Height
// pixels at (X, Y) (0: the left edge, the pen's y). Unless LinesUsed lines
// are already used it first breaks the page when the picture would pass the
// text limit. The pen then moves down by the picture's lines beyond
// LinesUsed and one more.
void DrawPictureAt(const QImage& Picture, int Height, int Width, const QRect& Source,
                   int LinesUsed, int X = 0, int Y = 0);
// Draws Picture with its width (FixedWidth) or height fixed at SizeCm, the
// other by its aspect ratio, at X (0: the left edge), with the labels'
// texts two points smaller over it.
void DrawPictureSized(const QImage& Picture, bool FixedWidth, double SizeCm,
                      const TLabelList& Labels, int X = 0);
// Draws Picture at its natural size where it fits, else scaled to the space
// left while the scale stays above SmallestScale, else at its natural size
// in tiles, one per page, column by column, with arrows naming the pages of
// the neighbouring tiles.
void DrawPictureAcrossPages(const QImage& Picture, const QRect& Source, double SmallestScale);
