#include "editor/ScaleToolBox.h"

#include "controls/CmbEdit.h"
#include "controls/GuardedCall.h"
#include "editor/CalibrateScaleForm.h"
#include "foundation/SettingsStore.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr const char* Section = "ScaleSettings";

// The calibration button's picture: a ruler.
QPixmap RulerPicture()
{
    QPixmap Picture(15, 15);
    Picture.fill(Qt::transparent);
    QPainter P(&Picture);
    P.setPen(QColor(90, 60, 0));
    P.setBrush(QColor(250, 220, 120));
    P.drawRect(1, 4, 13, 6);
    for (int X = 3; X < 14; X += 2)
        P.drawLine(X, 4, X, X % 4 == 1 ? 8 : 6);
    return Picture;
}

} // namespace

TScaleToolBox::TScaleToolBox(TSettingsStore& Settings, QWidget* Parent)
    : TToolWindow(Settings, "ScaleToolBox", "Scale toolbox", Parent)
{
    setMinimumSize(300, 200);
    EdMScale = new TCmbEdit(this);
    EdMScale->SetFormatStr("%0.4f");
    EdMScale->SetRangeLo(0.01);
    EdMScale->SetRangeHi(10);
    EdMScale->SetPicture(RulerPicture());
    EdMScale->SetHint("Calibrate the scale from two points of the drawing");
    CBDrawToScale = new QCheckBox("Auto set length to scale", this);
    ScaleAllBtn = new QPushButton("Adjust ALL network branch lengths", this);

    auto* Layout = new QGridLayout(this);
    Layout->addWidget(new QLabel("Scale Factor", this), 0, 0);
    Layout->addWidget(EdMScale, 0, 1);
    Layout->addWidget(new QLabel("m/pixel", this), 0, 2);
    Layout->addWidget(CBDrawToScale, 1, 0, 1, 3);
    Layout->addWidget(ScaleAllBtn, 2, 0, 1, 3);
    Layout->setRowStretch(3, 1);

    ShownScale = Settings.ReadFloat(Section, "MScale", 0.03);
    EdMScale->SetValue(ShownScale);
    CBDrawToScale->setChecked(Settings.ReadBool(Section, "DrawToScale", false));

    EdMScale->SetOnExit([this](TxCustomEdit*) { CommitScale(); });
    connect(CBDrawToScale, &QCheckBox::clicked, this, [this] {
        if (OnDrawToScaleChanged)
            GuardedCall(this, OnDrawToScaleChanged);
    });
    connect(ScaleAllBtn, &QPushButton::clicked, this, [this] {
        CommitScale();
        if (OnScaleAll)
            GuardedCall(this, OnScaleAll);
    });
    EdMScale->OnButtonClick = [this](TCmbEdit*) {
        if (!CalibrateForm)
            return;
        CommitScale();
        CalibrateForm->Scale = Scale();
        CalibrateForm->show();
        CalibrateForm->raise();
    };
    RestorePlacement();
}

TScaleToolBox::~TScaleToolBox() { SaveSettings(); }

double TScaleToolBox::Scale() const { return ShownScale; }

void TScaleToolBox::SetScale(double Value)
{
    ShownScale = Value;
    EdMScale->SetValue(Value);
}

bool TScaleToolBox::DrawToScale() const { return CBDrawToScale->isChecked(); }

void TScaleToolBox::SetDrawToScale(bool Value) { CBDrawToScale->setChecked(Value); }

void TScaleToolBox::CommitScale()
{
    // Only a typed entry counts: the shown text is rounded to four decimals.
    if (!EdMScale->Modified() || !EdMScale->AcceptEdit())
        return;
    const double Value = EdMScale->GetValue().toDouble();
    if (Value == ShownScale)
        return;
    ShownScale = Value;
    if (OnScaleChanged)
        GuardedCall(this, OnScaleChanged);
}

void TScaleToolBox::SaveSettings() const
{
    Settings.WriteFloat(Section, "MScale", ShownScale);
    Settings.WriteBool(Section, "DrawToScale", DrawToScale());
}

void TScaleToolBox::changeEvent(QEvent* Event)
{
    TToolWindow::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && !isActiveWindow())
        CommitScale();
}
