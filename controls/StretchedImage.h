#pragma once
// A picture (bitmap, GIF or JPEG file) stretched over the control, keeping
// its proportions and centred when Proportional is set.

#include <QImage>
#include <QPixmap>
#include <QWidget>

class TStretchedImage : public QWidget {
    Q_OBJECT

public:
    explicit TStretchedImage(QWidget* Parent = nullptr);

    // By the extension, in any case: ".bmp", ".gif" or ".jpg". Another
    // extension or an unreadable file is reported and keeps the picture
    // shown before. False when nothing was loaded.
    bool LoadFromFile(const QString& FileName);
    // Draws the picture into the control's bitmap again.
    void Redraw();

    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    const QImage& Picture() const { return FPicture; }
    // What the control shows: its own size, the picture drawn in.
    const QPixmap& Bitmap() const { return FBitmap; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    QImage FPicture;
    QPixmap FBitmap;
    bool FProportional = false;
};
