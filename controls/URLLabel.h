#pragma once
// A web link: a blue, underlined label with a hand cursor that opens its URL
// with the desktop when clicked. It shows the URL itself unless a caption of
// its own was set.

#include <QLabel>

#include <functional>

class TURLLabel : public QLabel {
    Q_OBJECT

public:
    explicit TURLLabel(QWidget* Parent = nullptr);

    QString URL() const { return FURL; }
    // A caption that is empty or still shows the old URL follows it.
    void SetURL(const QString& URL);
    QString Caption() const { return text(); }
    // An empty caption shows the URL.
    void SetCaption(const QString& Caption);

    // Runs after the URL was handed to the desktop.
    std::function<void(TURLLabel* Sender)> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    QString FURL;
};
