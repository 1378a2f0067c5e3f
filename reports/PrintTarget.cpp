#include "reports/PrintTarget.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

TPrintTarget::TPrintTarget(QPrinter& Printer) : FPrinter(Printer) {}

TPrintTarget::~TPrintTarget()
{
    FWriter.reset();
    if (FFile)
        FFile->cancelWriting();
}

bool TPrintTarget::Open()
{
    if (FPrinter.outputFormat() != QPrinter::PdfFormat)
        return true;
    // The printer's own PDF output writes straight into the target and never
    // says when a write failed; a writer on a save file does both.
    FFile = std::make_unique<QSaveFile>(FPrinter.outputFileName());
    if (!FFile->open(QIODevice::WriteOnly)) {
        FError = FFile->errorString();
        return false;
    }
    FWriter = std::make_unique<QPdfWriter>(FFile.get());
    FWriter->setResolution(FPrinter.resolution());
    FWriter->setPageLayout(FPrinter.pageLayout());
    FWriter->setPdfVersion(FPrinter.pdfVersion());
    FWriter->setTitle(FPrinter.docName());
    FWriter->setCreator(FPrinter.creator());
    return true;
}

QPagedPaintDevice& TPrintTarget::Device()
{
    if (FWriter)
        return *FWriter;
    return FPrinter;
}

bool TPrintTarget::Finish(bool PainterEnded)
{
    if (!FFile) {
        if (!PainterEnded)
            FError = QStringLiteral("The printer did not accept the job.");
        return PainterEnded;
    }
    FWriter.reset();
    // A write that failed on the way, or in the last flush, is an error the
    // save file's commit may not see by itself; its text often says only
    // "Unknown error", so the system's own word is kept.
    errno = 0;
    const bool Written = FFile->flush() && FFile->error() == QFileDevice::NoError;
    const int Cause = errno;
    if (PainterEnded && Written && FFile->commit())
        return true;
    FError = FFile->errorString();
    if (Cause != 0)
        FError = QString::fromLocal8Bit(std::strerror(Cause));
    else if (FError.isEmpty() || FError == QLatin1String("Unknown error"))
        FError = QStringLiteral("The file could not be written whole.");
    FFile->cancelWriting();
    return false;
}
