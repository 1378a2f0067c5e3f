#include "reports/PrintTarget.h"

#include "platform/QtFileSave.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>

TPrintTarget::TPrintTarget(QPrinter& Printer) : FPrinter(Printer) {}

TPrintTarget::~TPrintTarget() = default;

bool TPrintTarget::Open()
{
    if (FPrinter.outputFormat() != QPrinter::PdfFormat)
        return true;
    // The printer's own PDF output writes straight into the target and never
    // says when a write failed; a file device does not tell a write cut
    // short at the disk's end either. Memory holds the PDF until it is
    // whole, and the save then checks every byte.
    FPdf = std::make_unique<QBuffer>();
    if (!FPdf->open(QIODevice::WriteOnly)) {
        FError = FPdf->errorString();
        return false;
    }
    FWriter = std::make_unique<QPdfWriter>(FPdf.get());
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
    if (!FPdf) {
        if (!PainterEnded)
            FError = QStringLiteral("The printer did not accept the job.");
        return PainterEnded;
    }
    FWriter.reset();
    if (!PainterEnded) {
        FError = QStringLiteral("The file could not be written whole.");
        return false;
    }
    return SaveBytesAtomically(FPrinter.outputFileName(), FPdf->data(), &FError);
}
