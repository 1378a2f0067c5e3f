#include "dialogs/DuctSizeDialog.h"

#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "controls/GuardedCall.h"
#include "controls/KeyNavigation.h"
#include "foundation/SettingsStore.h"
#include "platform/FormPlacement.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* MakeToolButton(const QString& Text, QWidget* Parent)
{
    auto* Button = new QToolButton(Parent);
    Button->setText(Text);
    Button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Button->setAutoRaise(true);
    Button->setMinimumWidth(64);
    return Button;
}

} // namespace

TDuctSizeDialog::TDuctSizeDialog(TSettingsStore& SettingsStore, QWidget* Parent)
    : QDialog(Parent), Store(SettingsStore)
{
    AcceptButton = MakeToolButton("&Accept", this);
    CancelButton = MakeToolButton("&Cancel", this);
    auto* Tools = new QHBoxLayout;
    Tools->setContentsMargins(4, 4, 4, 0);
    Tools->setSpacing(2);
    Tools->addWidget(AcceptButton);
    Tools->addWidget(CancelButton);
    Tools->addStretch();
    Layout = new QVBoxLayout(this);
    Layout->addLayout(Tools);

    connect(AcceptButton, &QToolButton::clicked, this, [this] { GuardedCall(this, [this] { Accept(); }); });
    connect(CancelButton, &QToolButton::clicked, this, [this] { Cancel(); });
    new TKeyNavigation(this);
}

TFmtEdit* TDuctSizeDialog::NewEdit(TFmtEditLabel*& Units)
{
    auto* Edit = new TFmtEdit(this);
    Edit->setMaximumWidth(100);
    Units = new TFmtEditLabel(this);
    Units->setMinimumWidth(40);
    Units->setCursor(Qt::PointingHandCursor);
    Units->setToolTip("Click to change the units");
    Units->setStatusTip(Units->toolTip());
    Edit->SetUnitsLabel(Units);
    Edit->OnExit = [this](TxCustomEdit* Sender) { EditExit(static_cast<TFmtEdit*>(Sender)); };
    FEdits.push_back(Edit);
    return Edit;
}

void TDuctSizeDialog::KeepUnits(TFmtEdit* Edit, const char* Name, int Default)
{
    Edit->SetUnitsValue(Store.ReadInteger(FormSection(this), Name, Default));
    FKeptUnits.emplace_back(Edit, Name);
}

void TDuctSizeDialog::Accept()
{
    for (TFmtEdit* Edit : FEdits) {
        if (!Edit->isEnabled() || !Edit->Modified())
            continue;
        if (!Edit->CommitIfModified()) {
            Edit->setFocus();
            return;
        }
        EditExit(Edit);
    }
    TakeValues();
    done(mrOk);
}

void TDuctSizeDialog::Cancel()
{
    done(mrCancel);
}

void TDuctSizeDialog::done(int Result)
{
    GuardedCall(this, [this] { SaveSettings(); });
    QDialog::done(Result);
}

void TDuctSizeDialog::SaveSettings()
{
    const std::string Section = FormSection(this);
    for (const auto& [Edit, Name] : FKeptUnits)
        Store.WriteInteger(Section, Name, Edit->UnitsValue());
    SaveFormPlacement(Store, this);
}
