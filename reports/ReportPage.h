#pragma once
// One page of a previewed report, kept as a recorded drawing and rasterised
// only when it is shown or exported. Text is measured at the preview's 96
// dots per inch whatever the screen says, so pages look the same everywhere.

#include <QPicture>
#include <QSize>

class QImage;

inline constexpr int PreviewDpi = 96;

class TReportPage : public QPicture {
public:
    explicit TReportPage(QSize Size);

    QSize PageSize() const { return FSize; }
    // The page on white paper, scaled to Size.
    QImage Render(QSize Size) const;

protected:
    int metric(PaintDeviceMetric Metric) const override;

private:
    QSize FSize;
};
