#include "tools/PanelStatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace {

QLabel* MakePanel(QWidget* Parent)
{
    auto* Panel = new QLabel(Parent);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel->setTextFormat(Qt::PlainText);
    Panel->setContentsMargins(2, 0, 2, 0);
    return Panel;
}

} // namespace

TPanelStatusBar::TPanelStatusBar(QWidget* Parent)
    : QFrame(Parent), Layout(new QHBoxLayout(this)), SimpleLabel(MakePanel(this))
{
    Layout->setContentsMargins(0, 1, 0, 0);
    Layout->setSpacing(2);
    Layout->addWidget(SimpleLabel, 1);
    // 19 pixels with the usual small font; more when the font needs it.
    setFixedHeight(std::max(19, fontMetrics().height() + 5));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    ShowMode();
}

void TPanelStatusBar::SetPanels(const std::vector<int>& Widths)
{
    for (QLabel* Panel : Panels)
        delete Panel;
    Panels.clear();
    for (std::size_t I = 0; I < Widths.size(); ++I) {
        QLabel* Panel = MakePanel(this);
        const bool Last = I + 1 == Widths.size();
        if (Last)
            Panel->setMinimumWidth(Widths[I]);
        else
            Panel->setFixedWidth(Widths[I]);
        Panel->setSizePolicy(Last ? QSizePolicy::Ignored : QSizePolicy::Fixed, QSizePolicy::Preferred);
        Layout->addWidget(Panel, Last ? 1 : 0);
        Panels.push_back(Panel);
    }
    ShowMode();
}

QString TPanelStatusBar::PanelText(int Index) const
{
    return Index >= 0 && Index < PanelCount() ? Panels[static_cast<std::size_t>(Index)]->text() : QString();
}

void TPanelStatusBar::SetPanelText(int Index, const QString& Text)
{
    if (Index >= 0 && Index < PanelCount())
        Panels[static_cast<std::size_t>(Index)]->setText(Text);
}

void TPanelStatusBar::SetSimplePanel(bool Value)
{
    Simple = Value;
    ShowMode();
}

QString TPanelStatusBar::SimpleText() const
{
    return SimpleLabel->text();
}

void TPanelStatusBar::SetSimpleText(const QString& Text)
{
    SimpleLabel->setText(Text);
}

void TPanelStatusBar::ShowMode()
{
    SimpleLabel->setVisible(Simple);
    for (QLabel* Panel : Panels)
        Panel->setVisible(!Simple);
}
