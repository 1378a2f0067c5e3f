#pragma once
// What the document properties dialog tells about the document's file: its
// name, size, dates, the desktop's name of its type and its attributes.

#include <QString>

struct TFileFacts {
    QString Name;
    QString Size;     // "2.50 KB (2560 bytes)"; "-" when the file is missing
    QString Created;  // "-" when the file system does not tell
    QString Modified;
    QString Accessed;
    QString Type;       // the desktop's type name, else "VTX File" by the extension
    QString Attributes; // "read-only", "hidden", joined by ", "
};

// The facts of FileName; all empty for an unnamed document.
TFileFacts ReadFileFacts(const QString& FileName);

// Bytes as "%0.2f KB (%d bytes)".
QString FileSizeText(qint64 Bytes);
