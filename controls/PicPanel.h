#pragma once
// A small button made of a panel showing a picture: raised, lowered while
// the mouse is held down on it, and clicked when the mouse is released over
// it. The picture sits at the top left, centred (Center) or stretched over
// the panel (Stretch); with Transparent a picture without an alpha channel
// shows the panel through the colour of its bottom left pixel.

#include <QFrame>
#include <QPixmap>

#include <functional>

class TPicPanel : public QFrame {
    Q_OBJECT

public:
    explicit TPicPanel(QWidget* Parent = nullptr);

    QPixmap Picture() const { return FPicture; }
    void SetPicture(const QPixmap& Picture);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool Pressed() const { return FPressed; }

    std::function<void(TPicPanel* Sender)> OnClick;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    void SetPressed(bool Value);

    QPixmap FPicture;
    QPixmap Shown; // the picture with its transparent colour masked
    bool FCenter = true;
    bool FStretch = false;
    bool FTransparent = false;
    bool FPressed = false;
};
