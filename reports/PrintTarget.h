#pragma once
// What one print job draws on. A system printer is drawn on directly. A PDF
// file is drawn whole in memory first and written only when the job ends, in
// one save that takes the file's name only once every byte of it reached the
// disk: a job that fails (a disk that fills up on the way, say) leaves no
// broken file, and an older file of that name stays as it was.

#include <QString>

#include <memory>

class QBuffer;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

class TPrintTarget {
public:
    explicit TPrintTarget(QPrinter& Printer);
    ~TPrintTarget();
    TPrintTarget(const TPrintTarget&) = delete;
    TPrintTarget& operator=(const TPrintTarget&) = delete;

    // Opens the output; false when it cannot (ErrorText says why).
    bool Open();
    QPagedPaintDevice& Device();
    // Completes the output once the job's painter has ended (PainterEnded:
    // what ending it answered); false when the output is not whole.
    bool Finish(bool PainterEnded);
    QString ErrorText() const { return FError; }

private:
    QPrinter& FPrinter;
    std::unique_ptr<QBuffer> FPdf;
    std::unique_ptr<QPdfWriter> FWriter; // writes into FPdf, so goes before it
    QString FError;
};
