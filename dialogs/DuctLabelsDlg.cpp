#include "dialogs/DuctLabelsDlg.h"

#include "controls/FlatPageControl.h"
#include "controls/GuardedCall.h"
#include "foundation/SettingsStore.h"
#include "platform/FormPlacement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const BranchCaptions[BranchItemCount] = {"ID",             "Caption",          "Volume flow", "Velocity",
                                                     "Pressure drop", "Equiv diameter", "Spiral/Rect size", "Length"};
const char* const BranchNames[BranchItemCount] = {"Id", "Capt", "Vol", "Vel", "dP", "Dia", "Dims", "Len"};
// The settings names follow the box names, except the first ("ID").
const char* const BranchValues[BranchItemCount] = {"ID", "Capt", "Vol", "Vel", "dP", "Dia", "Dims", "Len"};
const char* const NodeCaptions[NodeItemCount] = {"ID", "Caption", "Rel pressure"};
const char* const NodeNames[NodeItemCount] = {"Id", "Capt", "RelP"};

constexpr const char* Heading1 = "Show on LABEL...";
constexpr const char* Heading2 = "Show on HINT...";

QLabel* Heading(const char* Text, QWidget* Parent)
{
    auto* L = new QLabel(Text, Parent);
    QFont F = L->font();
    F.setBold(true);
    L->setFont(F);
    return L;
}

template <std::size_t N>
QWidget* BoxPage(const char* const (&Captions)[N], const char* const (&Names)[N], const char* LabelPrefix,
                 const char* HintPrefix, std::array<QCheckBox*, N>& Labels, std::array<QCheckBox*, N>& Hints)
{
    auto* Page = new QWidget;
    auto* Grid = new QGridLayout(Page);
    Grid->setContentsMargins(12, 10, 12, 10);
    Grid->setHorizontalSpacing(24);
    Grid->setVerticalSpacing(4);
    Grid->addWidget(Heading(Heading1, Page), 0, 0);
    Grid->addWidget(Heading(Heading2, Page), 0, 1);
    for (std::size_t I = 0; I < N; ++I) {
        Labels[I] = new QCheckBox(Captions[I], Page);
        Labels[I]->setObjectName(QString(LabelPrefix) + Names[I]);
        Hints[I] = new QCheckBox(Captions[I], Page);
        Hints[I]->setObjectName(QString(HintPrefix) + Names[I]);
        Grid->addWidget(Labels[I], static_cast<int>(I) + 1, 0);
        Grid->addWidget(Hints[I], static_cast<int>(I) + 1, 1);
    }
    Grid->setRowStretch(static_cast<int>(N) + 1, 1);
    Grid->setColumnStretch(2, 1);
    return Page;
}

} // namespace

TDuctLabelsDlg::TDuctLabelsDlg(TSettingsStore& SettingsStore, QWidget* Parent)
    : QDialog(Parent, Qt::Tool), Store(SettingsStore)
{
    setObjectName("DuctLabelsDlg");
    setWindowTitle("Duct Labels");
    setSizeGripEnabled(true);

    auto* Pages = new TFlatPageControl(this);
    Pages->addTab(DuctsPage(), "Ducts");
    Pages->addTab(NodesPage(), "Nodes");

    ResetButton = new QPushButton("&Reset", this);
    CloseButton = new QPushButton("&Close", this);
    CloseButton->setDefault(true);
    connect(ResetButton, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { ResetClick(); }); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { accept(); });

    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(ResetButton);
    Buttons->addStretch(1);
    Buttons->addWidget(CloseButton);
    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Pages, 1);
    Layout->addLayout(Buttons);

    for (auto* Boxes : {&BranchLabelBoxes, &BranchHintBoxes})
        for (QCheckBox* Box : *Boxes)
            connect(Box, &QCheckBox::toggled, this, [this] { TakeBoxes(); });
    for (auto* Boxes : {&NodeLabelBoxes, &NodeHintBoxes})
        for (QCheckBox* Box : *Boxes)
            connect(Box, &QCheckBox::toggled, this, [this] { TakeBoxes(); });

    LoadSettings();
    adjustSize();
    RestoreFormPlacement(Store, this, false, true);
}

QWidget* TDuctLabelsDlg::DuctsPage()
{
    return BoxPage(BranchCaptions, BranchNames, "BL", "BH", BranchLabelBoxes, BranchHintBoxes);
}

QWidget* TDuctLabelsDlg::NodesPage()
{
    return BoxPage(NodeCaptions, NodeNames, "NL", "NH", NodeLabelBoxes, NodeHintBoxes);
}

bool TDuctLabelsDlg::BranchLabelShowsData() const
{
    const auto& L = FTexts.Choice.BranchLabel;
    return L[biVolume] || L[biVelocity] || L[biPressureDrop] || L[biDiameter] || L[biDims] || L[biLength];
}

void TDuctLabelsDlg::ShowChoice(const TLabelChoice& Choice)
{
    Showing = true;
    for (int I = 0; I < BranchItemCount; ++I) {
        BranchLabelBoxes[I]->setChecked(Choice.BranchLabel[I]);
        BranchHintBoxes[I]->setChecked(Choice.BranchHint[I]);
    }
    for (int I = 0; I < NodeItemCount; ++I) {
        NodeLabelBoxes[I]->setChecked(Choice.NodeLabel[I]);
        NodeHintBoxes[I]->setChecked(Choice.NodeHint[I]);
    }
    Showing = false;
    TakeBoxes();
}

void TDuctLabelsDlg::TakeBoxes()
{
    if (Showing)
        return;
    TLabelChoice& C = FTexts.Choice;
    for (int I = 0; I < BranchItemCount; ++I) {
        C.BranchLabel[I] = BranchLabelBoxes[I]->isChecked();
        C.BranchHint[I] = BranchHintBoxes[I]->isChecked();
    }
    for (int I = 0; I < NodeItemCount; ++I) {
        C.NodeLabel[I] = NodeLabelBoxes[I]->isChecked();
        C.NodeHint[I] = NodeHintBoxes[I]->isChecked();
    }
}

void TDuctLabelsDlg::ResetClick() { ShowChoice(TLabelChoice::Defaults()); }

void TDuctLabelsDlg::LoadSettings()
{
    const std::string Section = FormSection(this);
    const TLabelChoice Defaults = TLabelChoice::Defaults();
    TLabelChoice C;
    for (int I = 0; I < BranchItemCount; ++I) {
        C.BranchLabel[I] = Store.ReadBool(Section, std::string("BranchLabel") + BranchValues[I], Defaults.BranchLabel[I]);
        C.BranchHint[I] = Store.ReadBool(Section, std::string("BranchHint") + BranchValues[I], Defaults.BranchHint[I]);
    }
    for (int I = 0; I < NodeItemCount; ++I) {
        C.NodeLabel[I] = Store.ReadBool(Section, std::string("NodeLabel") + NodeNames[I], Defaults.NodeLabel[I]);
        C.NodeHint[I] = Store.ReadBool(Section, std::string("NodeHint") + NodeNames[I], Defaults.NodeHint[I]);
    }
    ShowChoice(C);
}

void TDuctLabelsDlg::SaveSettings()
{
    const std::string Section = FormSection(this);
    const TLabelChoice& C = FTexts.Choice;
    for (int I = 0; I < BranchItemCount; ++I) {
        Store.WriteBool(Section, std::string("BranchLabel") + BranchValues[I], C.BranchLabel[I]);
        Store.WriteBool(Section, std::string("BranchHint") + BranchValues[I], C.BranchHint[I]);
    }
    for (int I = 0; I < NodeItemCount; ++I) {
        Store.WriteBool(Section, std::string("NodeLabel") + NodeNames[I], C.NodeLabel[I]);
        Store.WriteBool(Section, std::string("NodeHint") + NodeNames[I], C.NodeHint[I]);
    }
    SaveFormPlacement(Store, this);
}

void TDuctLabelsDlg::done(int Result)
{
    GuardedCall(this, [this] { SaveSettings(); });
    QDialog::done(Result);
}
