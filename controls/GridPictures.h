#pragma once
// The 15 by 15 pictures of the grids' cell buttons, drawn here rather than
// read from resources: "SPINUPPIC" and "SPINDNPIC" (spin up and down),
// "PROPEDPIC" (property editor, three dots) and "PULLDNPIC" (pull-down
// arrow). Any other name gives a null picture.

#include <QColor>
#include <QPixmap>
#include <QString>

inline constexpr int GridPictureSize = 15;

QPixmap GridPicture(const QString& Name, const QColor& Ink = Qt::black);
