#include "controls/CmbEdit.h"

#include <QHBoxLayout>

TCmbEdit::TCmbEdit(QWidget* Parent) : QWidget(Parent)
{
    FEdit = new TFmtEdit(this);
    FButton = new TPicPanel(this);
    FButton->setFixedWidth(21);
    FButton->setAutoFillBackground(true);
    auto* Layout = new QHBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(FEdit, 1);
    Layout->addWidget(FButton);
    setFocusProxy(FEdit);
    resize(121, 21);
    FButton->OnClick = [this](TPicPanel*) {
        if (OnButtonClick)
            OnButtonClick(this);
    };
}

QColor TCmbEdit::Color() const
{
    return FEdit->palette().color(QPalette::Base);
}

void TCmbEdit::SetColor(const QColor& Color)
{
    QPalette Palette = FEdit->palette();
    Palette.setColor(QPalette::Base, Color);
    FEdit->setPalette(Palette);
}

QColor TCmbEdit::ButtonColor() const
{
    return FButton->palette().color(QPalette::Window);
}

void TCmbEdit::SetButtonColor(const QColor& Color)
{
    QPalette Palette = FButton->palette();
    Palette.setColor(QPalette::Window, Color);
    FButton->setPalette(Palette);
}

void TCmbEdit::SetHint(const QString& Hint)
{
    FHint = Hint;
    FEdit->setToolTip(FShowHint ? Hint : QString());
}

void TCmbEdit::SetShowHint(bool Show)
{
    FShowHint = Show;
    SetHint(FHint);
}
