#include "dialogs/FittingPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

TFittingPicture::TFittingPicture(QWidget* Parent) : TStretchedImage(Parent)
{
    SetProportional(true);
    setAutoFillBackground(true);
    QPalette P = palette();
    P.setColor(QPalette::Window, Qt::white);
    setPalette(P);
}

QString TFittingPicture::PictureFile(const QString& Folder, const QString& BaseCode)
{
    const QString Name = BaseCode + ".gif";
    const QString Exact = QDir(Folder).filePath(Name);
    if (QFileInfo::exists(Exact))
        return Exact;
    const QStringList Files = QDir(Folder).entryList(QDir::Files);
    for (const QString& File : Files)
        if (File.compare(Name, Qt::CaseInsensitive) == 0)
            return QDir(Folder).filePath(File);
    return Exact;
}

bool TFittingPicture::ShowCode(const QString& Folder, const QString& BaseCode)
{
    const QString File = PictureFile(Folder, BaseCode);
    if (File == FFileName)
        return FShowing && FMissingText.isEmpty();
    FFileName = File;
    FShowing = true;
    // Read once here so that a damaged file is said in the picture area:
    // loading only what reads keeps the control's own message box away.
    QImageReader Reader(File, "gif");
    if (!QFileInfo::exists(File) || !Reader.canRead() || !LoadFromFile(File)) {
        FMissingText = "Picture not found: " + QDir::toNativeSeparators(File);
        update();
        return false;
    }
    FMissingText.clear();
    update();
    return true;
}

void TFittingPicture::Clear()
{
    FFileName.clear();
    FMissingText.clear();
    FShowing = false;
    update();
}

void TFittingPicture::paintEvent(QPaintEvent* Event)
{
    if (FShowing && FMissingText.isEmpty()) {
        TStretchedImage::paintEvent(Event);
        return;
    }
    QPainter Painter(this);
    Painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!FMissingText.isEmpty()) {
        Painter.setPen(palette().color(QPalette::WindowText));
        Painter.drawText(rect().adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap, FMissingText);
    }
}
