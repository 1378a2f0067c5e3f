#pragma once
// The shown page of the report preview: the page picture at its display size
// with the shown margin and column lines dashed over it. Mouse actions on it
// are handed on in picture coordinates.

#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

class TPageView : public QWidget {
    Q_OBJECT
public:
    // A dashed line across the picture, at a display pixel.
    struct TMark {
        bool Horizontal = false;
        int At = 0;
    };

    explicit TPageView(QWidget* Parent = nullptr);

    // The picture drawn with its top-left corner at Origin of the widget.
    void SetPage(const QImage& Picture, QPoint Origin);
    void SetMarks(std::vector<TMark> Marks);

    const QImage& Picture() const { return FPicture; }
    QPoint Origin() const { return FOrigin; }
    const std::vector<TMark>& Marks() const { return FMarks; }

    // Positions relative to the picture's top-left corner.
    std::function<void(QPoint Pos, Qt::MouseButton Button)> OnPress;
    std::function<void(QPoint Pos, Qt::MouseButtons Buttons)> OnMove;
    std::function<void(QPoint Pos, Qt::MouseButton Button)> OnRelease;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    QPoint InPicture(const QMouseEvent* Event) const;

    QImage FPicture;
    QPoint FOrigin;
    std::vector<TMark> FMarks;
};
