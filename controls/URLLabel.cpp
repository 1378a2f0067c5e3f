#include "controls/URLLabel.h"

#include "controls/GuardedCall.h"
#include "controls/UiServices.h"

#include <QMouseEvent>

TURLLabel::TURLLabel(QWidget* Parent) : QLabel(Parent)
{
    QFont Font = font();
    Font.setUnderline(true);
    setFont(Font);
    QPalette Palette = palette();
    Palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(Palette);
    setCursor(Qt::PointingHandCursor);
}

void TURLLabel::SetURL(const QString& URL)
{
    if (text().isEmpty() || text() == FURL)
        setText(URL);
    FURL = URL;
}

void TURLLabel::SetCaption(const QString& Caption)
{
    setText(Caption.isEmpty() ? FURL : Caption);
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    QLabel::mouseReleaseEvent(Event);
    if (Event->button() != Qt::LeftButton || !rect().contains(Event->position().toPoint()))
        return;
    if (!FURL.isEmpty())
        UiServices().ShellOpen(FURL);
    if (OnClick)
        GuardedCall(this, [this] { OnClick(this); });
}
