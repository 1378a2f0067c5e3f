#include "app/FanForm.h"

#include "platform/FormPlacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

TFanForm::TFanForm(TSettingsStore& Settings, QWidget* Parent)
    : QWidget(Parent, Qt::Tool), Settings(Settings)
{
    setObjectName("FanForm");
    setWindowTitle("Fan Pressure");
    auto* Layout = new QVBoxLayout(this);
    auto Line = [&](const char* Name) {
        auto* Label = new QLabel(this);
        Label->setObjectName(Name);
        Label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Layout->addWidget(Label);
        return Label;
    };
    FanQLabel = Line("FanQLabel");
    Pslabel = Line("Pslabel");
    PtLabel = Line("PtLabel");
    Layout->addStretch(1);
    resize(280, 90);
    RestoreFormPlacement(Settings, this, false, true);
}

void TFanForm::closeEvent(QCloseEvent* Event)
{
    SaveFormPlacement(Settings, this);
    QWidget::closeEvent(Event);
}
