#include "reports/ReportPage.h"

#include <QImage>
#include <QPainter>

TReportPage::TReportPage(QSize Size) : FSize(Size)
{
    setBoundingRect(QRect(QPoint(0, 0), Size));
}

QImage TReportPage::Render(QSize Size) const
{
    QImage Image(Size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    // 96 dpi in dots per metre, so that the picture replays at its own scale.
    const int DotsPerMetre = qRound(PreviewDpi / 0.0254);
    Image.setDotsPerMeterX(DotsPerMetre);
    Image.setDotsPerMeterY(DotsPerMetre);
    Image.fill(Qt::white);
    if (FSize.isEmpty())
        return Image;
    QPainter Painter(&Image);
    Painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    Painter.scale(double(Image.width()) / FSize.width(), double(Image.height()) / FSize.height());
    Painter.drawPicture(0, 0, *this);
    return Image;
}

int TReportPage::metric(PaintDeviceMetric Metric) const
{
    switch (Metric) {
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return PreviewDpi;
    case PdmWidthMM:
        return qRound(FSize.width() * 25.4 / PreviewDpi);
    case PdmHeightMM:
        return qRound(FSize.height() * 25.4 / PreviewDpi);
    default:
        return QPicture::metric(Metric);
    }
}
