#pragma once
// Writes a picture as a GIF file (report pages, the network picture of the
// diagnostic page). GIF holds at most 256 colours: a picture with no more
// keeps its colours exactly, any other gets a median-cut palette.

#include <QString>

class QImage;

// GIF sizes are 16-bit: the largest width and height a file can hold.
inline constexpr int MaxGifSide = 65535;

// Writes Image to FileName, replacing the file only once it is complete.
// Transparent parts are laid on white. False, with the reason in Error when
// given, for an empty or oversized picture or a file that cannot be written.
bool WriteGifFile(const QImage& Image, const QString& FileName, QString* Error = nullptr);
