#include "editor/GridToolBox.h"

#include "controls/FmtEdit.h"
#include "controls/GuardedCall.h"
#include "foundation/SettingsStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr const char* Section = "GridSettings";
constexpr int MinGap = 5;
constexpr int MaxGap = 40;
} // namespace

TGridToolBox::TGridToolBox(TSettingsStore& Settings, QWidget* Parent)
    : TToolWindow(Settings, "GridToolBox", "Grid toolbox", Parent)
{
    CBSnapToGrid = new QCheckBox("Snap to Grid", this);
    CBGridVisible = new QCheckBox("Grid Visible", this);
    EdGridGap = new TFmtEdit(this);
    EdGridGap->SetFormatStr("%d");
    EdGridGap->SetRangeLo(MinGap);
    EdGridGap->SetRangeHi(MaxGap);
    EdGridGap->setMaximumWidth(60);
    SnapAllBtn = new QPushButton("Align all nodes to grid", this);

    auto* Layout = new QGridLayout(this);
    Layout->addWidget(CBSnapToGrid, 0, 0, 1, 3);
    Layout->addWidget(CBGridVisible, 1, 0, 1, 3);
    Layout->addWidget(new QLabel("Grid Spacing", this), 2, 0);
    Layout->addWidget(EdGridGap, 2, 1);
    Layout->addWidget(new QLabel("pixels", this), 2, 2);
    Layout->addWidget(SnapAllBtn, 3, 0, 1, 3);

    LoadSettings();

    connect(CBSnapToGrid, &QCheckBox::clicked, this, [this](bool Checked) {
        SnapToGrid = Checked;
        if (OnSnapChanged)
            GuardedCall(this, OnSnapChanged);
    });
    connect(CBGridVisible, &QCheckBox::clicked, this, [this](bool Checked) {
        GridVisible = Checked;
        if (OnGridVisibleChanged)
            GuardedCall(this, OnGridVisibleChanged);
    });
    EdGridGap->OnExit = [this](TxCustomEdit*) { ApplyGridGap(); };
    connect(SnapAllBtn, &QPushButton::clicked, this, [this] {
        ApplyGridGap();
        if (OnSnapAll)
            GuardedCall(this, OnSnapAll);
    });
    RestorePlacement();
}

TGridToolBox::~TGridToolBox() { SaveSettings(); }

void TGridToolBox::LoadSettings()
{
    SnapToGrid = Settings.ReadBool(Section, "SnapToGrid", true);
    GridVisible = Settings.ReadBool(Section, "GridVisible", false);
    // The gap divides positions: a stored value outside the edit's range is
    // held to it.
    GridGap = std::clamp(Settings.ReadInteger(Section, "GridGap", 10), MinGap, MaxGap);
    OldGridGap = GridGap;
    CBSnapToGrid->setChecked(SnapToGrid);
    CBGridVisible->setChecked(GridVisible);
    EdGridGap->SetValue(GridGap);
}

void TGridToolBox::SaveSettings() const
{
    Settings.WriteBool(Section, "SnapToGrid", SnapToGrid);
    Settings.WriteBool(Section, "GridVisible", GridVisible);
    Settings.WriteInteger(Section, "GridGap", GridGap);
}

void TGridToolBox::ApplyGridGap()
{
    if (!EdGridGap->Modified() || !EdGridGap->AcceptEdit())
        return;
    OldGridGap = GridGap;
    GridGap = std::clamp(EdGridGap->GetValue().toInt(), MinGap, MaxGap);
    if (GridVisible && OnGridGapChanged)
        GuardedCall(this, OnGridGapChanged);
}
