#include "editor/CalibrateScaleForm.h"

#include "controls/FmtEdit.h"
#include "controls/GuardedCall.h"
#include "controls/UiServices.h"
#include "foundation/SettingsStore.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr const char* Section = "ScaleSettings";

const char* const HelpText =
    "This tool allows you to set the scale\r\nfactor for the graphic.  To use, enter\r\na known length "
    "and click the calibrate\r\nbutton.  Now click the start and end\r\npoints on the graphic.  The "
    "scale factor\r\nwill be automatically calculated as you\r\nclick the 2nd point...";

} // namespace

TCalibrateScaleForm::TCalibrateScaleForm(TSettingsStore& Settings, QWidget* Parent)
    : TToolWindow(Settings, "CalibrateScaleForm", "Calibrate Scale", Parent)
{
    setMinimumSize(300, 160);
    auto* Tools = new QToolBar(this);
    AcceptBtn = new QToolButton(this);
    AcceptBtn->setText("&Accept");
    CancelBtn = new QToolButton(this);
    CancelBtn->setText("&Cancel");
    HelpBtn = new QToolButton(this);
    HelpBtn->setText("&Help");
    Tools->addWidget(AcceptBtn);
    Tools->addWidget(CancelBtn);
    Tools->addWidget(HelpBtn);

    EdLength = new TFmtEdit(this);
    EdLength->SetFormatStr("%0.1f");
    EdLength->SetRangeLo(0.5);
    EdLength->SetRangeHi(10000);
    StartBtn = new QPushButton("Calibration", this);
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    StatusScale = new QLabel(this);
    StatusPoints = new QLabel(this);
    StatusBar->addWidget(StatusScale, 1);
    StatusBar->addWidget(StatusPoints, 1);

    auto* Fields = new QGridLayout;
    Fields->addWidget(new QLabel("Length", this), 0, 0);
    Fields->addWidget(EdLength, 0, 1);
    Fields->addWidget(new QLabel("m", this), 0, 2);
    Fields->addWidget(StartBtn, 1, 0, 1, 3);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Tools);
    Layout->addLayout(Fields);
    Layout->addStretch(1);
    Layout->addWidget(StatusBar);
    Fields->setContentsMargins(9, 0, 9, 0);

    EdLength->SetValue(Settings.ReadFloat(Section, "Length", 10.0));
    EdLength->OnExit = [this](TxCustomEdit*) { CalcScale(); };
    connect(StartBtn, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { StartBtnClick(); }); });
    connect(AcceptBtn, &QToolButton::clicked, this, [this] { GuardedCall(this, [this] { AcceptBtnClick(); }); });
    connect(CancelBtn, &QToolButton::clicked, this, [this] { GuardedCall(this, [this] { CancelBtnClick(); }); });
    connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
    ShowStatus();
    RestorePlacement();
}

TCalibrateScaleForm::~TCalibrateScaleForm() { SaveSettings(); }

double TCalibrateScaleForm::Length() const
{
    try {
        return EdLength->GetValue().toDouble();
    } catch (const std::exception&) {
        return 0.0;
    }
}

void TCalibrateScaleForm::SetPoints(QPoint First, QPoint Second)
{
    // No length can be measured between one point and itself: a scale of 0
    // would set every length drawn to scale to 0.
    if (First == Second) {
        ShowMessage(this, "The two calibration points coincide.\nPick two different points.", windowTitle(),
                    TMsgKind::Warning);
        return;
    }
    Point1 = First;
    Point2 = Second;
    CalcScale();
}

void TCalibrateScaleForm::CalcScale()
{
    const double Dx = Point2.x() - Point1.x();
    const double Dy = Point2.y() - Point1.y();
    const double D = std::sqrt(Dx * Dx + Dy * Dy);
    if (D != 0.0)
        Scale = Length() / D;
    ShowStatus();
}

void TCalibrateScaleForm::ShowStatus()
{
    StatusScale->setText(QString::asprintf("Scale : %0.4f m/pixel", Scale));
    StatusPoints->setText(
        QString::asprintf("(%d : %d) - (%d : %d)", Point1.x(), Point1.y(), Point2.x(), Point2.y()));
}

void TCalibrateScaleForm::CommitLength()
{
    if (EdLength->Modified() && EdLength->AcceptEdit())
        CalcScale();
}

void TCalibrateScaleForm::SaveSettings() const { Settings.WriteFloat(Section, "Length", Length()); }

void TCalibrateScaleForm::StartBtnClick()
{
    CommitLength();
    if (OnStartPicking)
        OnStartPicking();
}

void TCalibrateScaleForm::AcceptBtnClick()
{
    CommitLength();
    if (OnStopPicking)
        OnStopPicking();
    if (OnApplyScale)
        OnApplyScale();
    close();
}

void TCalibrateScaleForm::CancelBtnClick()
{
    if (OnStopPicking)
        OnStopPicking();
    close();
}

void TCalibrateScaleForm::HelpBtnClick() { ShowMessage(this, HelpText, windowTitle()); }

void TCalibrateScaleForm::changeEvent(QEvent* Event)
{
    TToolWindow::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && isActiveWindow())
        ShowStatus();
}

void TCalibrateScaleForm::showEvent(QShowEvent* Event)
{
    TToolWindow::showEvent(Event);
    ShowStatus();
}
