#pragma once
// What one print job draws on. A system printer is drawn on directly. A PDF
// file is written under a temporary name in its own folder and takes its
// name only once every byte of it is written: a job that fails (a full disk,
// say) leaves no broken file, and an older file of that name stays as it was.

#include <QString>

#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QSaveFile;

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
    std::unique_ptr<QSaveFile> FFile;
    std::unique_ptr<QPdfWriter> FWriter;
    QString FError;
};
