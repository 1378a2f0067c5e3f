#include "reports/RepSettingsForm.h"

#include "foundation/SettingsStore.h"
#include "platform/FormPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

constexpr const char* Section = "Settings";

} // namespace

TRepSettingsForm::TRepSettingsForm(TSettingsStore& Settings, QWidget* Parent)
    : QWidget(Parent, Qt::Tool), FSettings(Settings)
{
    setObjectName(QStringLiteral("RepSettingsForm"));
    setWindowTitle(QStringLiteral("Report Settings"));
    auto* Column = new QVBoxLayout(this);
    CBGraphic = new QCheckBox(QStringLiteral("Include Graphic"), this);
    CBGraphic->setObjectName(QStringLiteral("CBGraphic"));
    CBFittings = new QCheckBox(QStringLiteral("Include Fittings"), this);
    CBFittings->setObjectName(QStringLiteral("CBFittings"));
    Column->addWidget(CBGraphic);
    Column->addWidget(CBFittings);
    Column->addStretch(1);

    RestoreFormPlacement(FSettings, this, false, false);
    CBGraphic->setChecked(FSettings.ReadBool(Section, "RepGraphic", true));
    CBFittings->setChecked(FSettings.ReadBool(Section, "RepFittings", true));
}

void TRepSettingsForm::closeEvent(QCloseEvent* Event)
{
    SaveFormPlacement(FSettings, this);
    FSettings.WriteBool(Section, "RepGraphic", CBGraphic->isChecked());
    FSettings.WriteBool(Section, "RepFittings", CBFittings->isChecked());
    QWidget::closeEvent(Event);
}

void TRepSettingsForm::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(Event);
}
