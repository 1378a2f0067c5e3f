#include "controls/StretchedImage.h"

#include "controls/UiServices.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <cmath>

TStretchedImage::TStretchedImage(QWidget* Parent) : QWidget(Parent) {}

bool TStretchedImage::LoadFromFile(const QString& FileName)
{
    const QString Suffix = QFileInfo(FileName).suffix();
    const QString Extension = Suffix.isEmpty() ? QString() : "." + Suffix;
    const QString Kind = Suffix.toLower();
    if (Kind != "bmp" && Kind != "gif" && Kind != "jpg") {
        ShowMessage(this, Extension + " files not supported...");
        return false;
    }
    QImageReader Reader(FileName, Kind.toLatin1());
    QImage Loaded;
    if (!Reader.read(&Loaded)) {
        ShowMessage(this, "Error loading " + FileName + "\n" + Reader.errorString(), QString(),
                    TMsgKind::Error);
        return false;
    }
    FPicture = Loaded;
    Redraw();
    return true;
}

void TStretchedImage::SetProportional(bool Value)
{
    FProportional = Value;
    Redraw();
}

void TStretchedImage::Redraw()
{
    FBitmap = QPixmap(size().expandedTo(QSize(1, 1)));
    FBitmap.fill(palette().color(backgroundRole()));
    if (!FPicture.isNull()) {
        QRect Target = FBitmap.rect();
        if (FProportional) {
            const double Scale = std::min(double(Target.width()) / FPicture.width(),
                                          double(Target.height()) / FPicture.height());
            const int W = int(std::lround(FPicture.width() * Scale));
            const int H = int(std::lround(FPicture.height() * Scale));
            Target = QRect((Target.width() - W) / 2, (Target.height() - H) / 2, W, H);
        }
        QPainter Painter(&FBitmap);
        Painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Painter.drawImage(Target, FPicture);
    }
    update();
}

void TStretchedImage::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    Painter.drawPixmap(0, 0, FBitmap);
}

void TStretchedImage::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    Redraw();
}
