#include "dialogs/PressureDropForm.h"

#include "controls/EditFieldUnits.h"
#include "controls/FlatPageControl.h"
#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "controls/GuardedCall.h"
#include "controls/KeyNavigation.h"
#include "controls/UiServices.h"
#include "dialogs/BranchLossRow.h"
#include "dialogs/ItemListGrid.h"
#include "dialogs/VentrixFittingDlg.h"
#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The definition lines' own formats, kept while a column shows its held unit.
constexpr const char* DropFormat = "%0.1f";
constexpr const char* LengthFormat = "%0.2f";
constexpr int DropBase = 1;   // Pa
constexpr int LengthBase = 0; // m

// Counts a modal child of the form for as long as it is up.
class TModalScope {
public:
    explicit TModalScope(int& Depth) : Depth(Depth) { ++Depth; }
    ~TModalScope() { --Depth; }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

private:
    int& Depth;
};

QString DefaultDescription(const TDuctBranch& Branch)
{
    switch (Branch.DuctType) {
    case dtRect:
        return ToQ("Rectangular duct: " + FormatFloat("%0.0f", Branch.DuctWidth * 1000.0) + " x " +
                 FormatFloat("%0.0f", Branch.DuctHeight * 1000.0) + " mm");
    case dtSpiral:
        return ToQ("Spiral duct: " + FormatFloat("%0.0f", Branch.Diameter * 1000.0) + " mm");
    case dtFan:
        return "Fan";
    default:
        return QString();
    }
}

template <class TItem>
void MoveItem(std::vector<std::unique_ptr<TItem>>& List, std::size_t From, std::size_t To)
{
    if (From < To)
        std::rotate(List.begin() + From, List.begin() + From + 1, List.begin() + To + 1);
    else if (To < From)
        std::rotate(List.begin() + To, List.begin() + From, List.begin() + From + 1);
}

} // namespace

TPressureDropForm::TPressureDropForm(TSettingsStore& Settings, TDuctFittingDB& Database, QWidget* MainWindow)
    : QWidget(MainWindow, Qt::Tool), FSettings(Settings), FDatabase(Database)
{
    setObjectName("PressureDropForm");
    setWindowTitle("Pressure drop: ");
    setMinimumSize(380, 260);
    resize(480, 330);
    new TKeyNavigation(this);

    DescLabel = new QLabel;
    PageControl = new TFlatPageControl;

    FittingsGrid = MakeGrid({";;;;;", "Code; %s; ; ;", "Description; %s; ; ;", "C; %0.3f; ;PE;-1000;1000;",
                             "Le, m; %0.2f; ; ;0;1000;", "dP, Pa; %0.1f; ; ;0;500;"});
    FittingsGrid->SetFieldEditable(fcCode, false);
    for (int Col : {int(fcDescription), int(fcLe), int(fcDrop)})
        FittingsGrid->SetFieldEnabled(Col, false);
    FittingsGrid->SetPropEditor(fcC, [this](QVariant&) {
        EditFittingAt(FittingsGrid->Row());
        return 2; // the form has filled the grid itself
    });
    // The C of a fitting comes from its fitting; only the button changes it.
    FittingsGrid->OnCanEditShow = [](TxStringGrid*, int Col, int, bool& Can) { Can = Can && Col != fcC; };
    FittingsGrid->SetColWidth(fcCode, 64);
    FittingsGrid->SetColWidth(fcDescription, 150);
    FittingsGrid->SetStretchColumn(fcDescription);

    CsGrid = MakeGrid({";;;;;", "Description; %s; ; ;", "C; %0.3f; ; ;-1000;1000;", "Le, m; %0.2f; ; ;0;1000;",
                       "dP, Pa; %0.1f; ; ;0;500;"});
    CsGrid->SetFieldEnabled(ccLe, false);
    CsGrid->SetFieldEnabled(ccDrop, false);
    CsGrid->SetColWidth(ccDescription, 150);
    CsGrid->SetStretchColumn(ccDescription);
    CsGrid->OnDoSetData = [this](TxStringGrid*, int Col, int Row) { CsDataChanged(Col, Row); };

    dPsGrid = MakeGrid({";;;;;", "Description; %s; ; ;", "dP, Pa; %0.1f; ; ;0;500;", "Le, m; %0.2f; ; ;0;1000;"});
    dPsGrid->SetFieldEnabled(dcLe, false);
    dPsGrid->SetColWidth(dcDescription, 150);
    dPsGrid->SetStretchColumn(dcDescription);
    dPsGrid->OnDoSetData = [this](TxStringGrid*, int Col, int Row) { DpsDataChanged(Col, Row); };

    const auto Sheet = [](QWidget* Content) {
        auto* Page = new QWidget;
        auto* Layout = new QVBoxLayout(Page);
        Layout->setContentsMargins(2, 2, 2, 2);
        Layout->addWidget(Content);
        return Page;
    };
    FittingsSheet = Sheet(FittingsGrid);
    CsSheet = Sheet(CsGrid);
    dPsSheet = Sheet(dPsGrid);

    const auto NumberEdit = [](const QString& Format, TUnitsType Units, int Unit, double High) {
        auto* Edit = new TFmtEdit;
        Edit->SetFormatType(ft_Manual);
        Edit->SetFormatStr(Format);
        Edit->SetUnitsType(Units);
        Edit->SetUnitsBase(Unit);
        Edit->SetUnitsValue(Unit);
        Edit->SetRangeLo(0.0);
        Edit->SetRangeHi(High);
        Edit->setMaximumWidth(110);
        return Edit;
    };
    const auto UnitLabel = [](TFmtEdit* Edit) {
        auto* Label = new TFmtEditLabel;
        Edit->SetUnitsLabel(Label);
        Label->setText(ToQ(std::string(::UnitLabel(Edit->UnitsType(), Edit->UnitsValue()))));
        return Label;
    };

    // Fan: the main fan's pressure, or an in-line booster's.
    edPGain = NumberEdit("%0.0f", utAirPressDrop, DropBase, 500.0);
    BoosterCaption = new QLabel("In line booster fan");
    BoosterLabel = new QLabel("Off");
    BoosterLabel->setFrameShape(QFrame::Panel);
    BoosterLabel->setFrameShadow(QFrame::Sunken);
    BoosterLabel->setAlignment(Qt::AlignCenter);
    BoosterLabel->setMinimumWidth(44);
    BoosterLabel->setCursor(Qt::PointingHandCursor);
    BoosterLabel->installEventFilter(this);
    FanSwitchLabel = new QLabel("Fan switch");
    FanSheet = new QWidget;
    {
        auto* Grid = new QGridLayout(FanSheet);
        Grid->addWidget(new QLabel("Fan pressure drop"), 0, 0);
        Grid->addWidget(edPGain, 0, 1);
        Grid->addWidget(UnitLabel(edPGain), 0, 2);
        Grid->addWidget(BoosterCaption, 1, 0);
        Grid->addWidget(BoosterLabel, 1, 1, Qt::AlignLeft);
        Grid->addWidget(FanSwitchLabel, 1, 2);
        Grid->setColumnStretch(3, 1);
        Grid->setRowStretch(2, 1);
    }
    edPGain->OnExit = [this](TxCustomEdit*) { GainEdited(); };

    const auto TerminalSheet = [&](TTerminalEdits& T, bool Outlet, const QStringList& Kinds) {
        T.Edits[tfC] = NumberEdit("%0.2f", utNone, 0, 20.0);
        T.Edits[tfVelocity] = NumberEdit("%0.2f", utVelocity, 0, 10.0);
        T.Edits[tfDrop] = NumberEdit("%0.0f", utAirPressDrop, DropBase, 10000.0);
        auto* Page = new QWidget;
        auto* Grid = new QGridLayout(Page);
        const char* Captions[] = {"Coefficient", "Reference velocity", "Reference dP"};
        for (int F = 0; F < 3; ++F) {
            Grid->addWidget(new QLabel(Captions[F]), F, 0);
            Grid->addWidget(T.Edits[F], F, 1);
            if (F > 0)
                Grid->addWidget(UnitLabel(T.Edits[F]), F, 2);
            T.Edits[F]->OnExit = [this, Outlet, F](TxCustomEdit*) { TerminalEdited(Outlet, F); };
        }
        auto* Box = new QVBoxLayout;
        for (int K = 0; K < 3; ++K) {
            T.Kinds[K] = new QCheckBox(Kinds[K]);
            Box->addWidget(T.Kinds[K]);
            connect(T.Kinds[K], &QCheckBox::clicked, this,
                    [this, Outlet, K] { GuardedCall(this, [&] { TerminalKindClicked(Outlet, K); }); });
        }
        Box->addStretch();
        Grid->addLayout(Box, 0, 3, 4, 1);
        Grid->setColumnStretch(2, 1);
        Grid->setRowStretch(3, 1);
        return Page;
    };
    OutletSheet = TerminalSheet(FOutlet, true, {"Diffuser", "Grille", "Plain outlet"});
    InletSheet = TerminalSheet(FInlet, false, {"Grille", "Canopy", "Plain inlet"});
    edOutletC = FOutlet.Edits[tfC];
    edOutletV = FOutlet.Edits[tfVelocity];
    EdOutletdP = FOutlet.Edits[tfDrop];
    CBoDiffuser = FOutlet.Kinds[0];
    CBoGrille = FOutlet.Kinds[1];
    CBoPlain = FOutlet.Kinds[2];
    edInletC = FInlet.Edits[tfC];
    EdInletV = FInlet.Edits[tfVelocity];
    EdInletdP = FInlet.Edits[tfDrop];
    CBiGrille = FInlet.Kinds[0];
    CBiCanopy = FInlet.Kinds[1];
    CBiPlain = FInlet.Kinds[2];

    RichEdit1 = new QTextEdit;
    RichEdit1->setReadOnly(true);
    SummarySheet = Sheet(RichEdit1);

    PageControl->addTab(FittingsSheet, "Fittings");
    PageControl->addTab(CsSheet, "Fixed C's");
    PageControl->addTab(dPsSheet, "Fixed dP's");
    PageControl->addTab(FanSheet, "Fan");
    PageControl->addTab(OutletSheet, "Outlet");
    PageControl->addTab(InletSheet, "Inlet");
    PageControl->addTab(SummarySheet, "Summary");

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(4, 4, 4, 4);
    Layout->addWidget(DescLabel);
    Layout->addWidget(PageControl, 1);

    UnitsChanged(DropBase, LengthBase);
    RestoreFormPlacement(FSettings, this, false, true);
    ShowBranch(nullptr, false);
}

TPressureDropForm::~TPressureDropForm()
{
    // The controls go after this part of the form: nothing they do on their
    // way (an entry stored, an edit left) may reach it.
    for (TItemListGrid* Grid : {FittingsGrid, CsGrid, dPsGrid}) {
        Grid->DropPendingCell();
        Grid->OnDoSetData = nullptr;
        Grid->OnCanEditShow = nullptr;
        Grid->OnAfterRightClick = nullptr;
        Grid->OnRowMoved = nullptr;
        Grid->OnDeleteKey = nullptr;
        Grid->OnContextMenu = nullptr;
    }
    for (TFmtEdit* Edit : {edPGain, edOutletC, edOutletV, EdOutletdP, edInletC, EdInletV, EdInletdP})
        Edit->OnExit = nullptr;
    BoosterLabel->removeEventFilter(this);
    for (QObject* Child : findChildren<QObject*>())
        Child->disconnect(this);
}

TItemListGrid* TPressureDropForm::MakeGrid(const QStringList& Defs)
{
    auto* Grid = new TItemListGrid;
    Grid->ShowItemNumbers = true;
    Grid->SetFieldDefs(Defs);
    Grid->SetColWidth(0, 24);
    Grid->UnitsEditProc = EditFieldUnits;
    Grid->OnAfterRightClick = [this](TxFieldGrid* Sender, int Col) {
        // A unit picked on the heading: the held unit keeps the line's format.
        auto* G = static_cast<TxColGrid*>(Sender);
        if (const auto* N = dynamic_cast<const TNumField*>(G->Field(Col)))
            SetColumnUnits(G, Col, N->UnitsType == utAirPressDrop, N->UnitsValue);
    };
    Grid->OnRowMoved = [this](TItemListGrid* G, int From, int To) { RowMoved(G, From, To); };
    Grid->OnDeleteKey = [this](TItemListGrid* G) { DeleteKeyPressed(G); };
    Grid->OnContextMenu = [this](TItemListGrid* G, const QPoint& Pos) { ShowRowMenu(G, Pos); };
    return Grid;
}

void TPressureDropForm::SetColumnUnits(TxColGrid* Grid, int Col, bool Pressure, int Unit)
{
    auto* N = dynamic_cast<TNumField*>(Grid->Field(Col));
    if (!N)
        return;
    const TUnitsType Type = Pressure ? utAirPressDrop : utLengthBig;
    const int Base = Pressure ? DropBase : LengthBase;
    Unit = ClampUnitIndex(Type, Unit);
    if (Unit == Base)
        N->SetFormatStr(Pressure ? DropFormat : LengthFormat);
    Grid->SetUnits(Col, Type, 1.0, 0.0, Unit == Base ? ft_Manual : ft_Fixed, Unit, Base);
}

TDuctGraph* TPressureDropForm::Network() const
{
    return FBranch ? dynamic_cast<TDuctGraph*>(FBranch->Graph) : nullptr;
}

TVentrixFittingDlg* TPressureDropForm::FittingDialog()
{
    if (FFittingDialog)
        return FFittingDialog;
    if (!FOwnFittingDialog)
        FOwnFittingDialog = new TVentrixFittingDlg(FDatabase, FSettings, this);
    return FOwnFittingDialog;
}

void TPressureDropForm::Fire(const std::function<void()>& Event)
{
    if (Event)
        Event();
}

int TPressureDropForm::Ask(const QString& Text)
{
    TModalScope Modal(FModalDepth);
    return ShowMessage(this, Text, "Confirm", TMsgKind::Confirmation, mbYesNo);
}

int TPressureDropForm::RunFittingDialog(TVentrixFittingDlg& Dialog)
{
    TModalScope Modal(FModalDepth);
    return RunModal(Dialog);
}

// ---- showing a branch ----

void TPressureDropForm::ShowBranch(TDuctBranch* Branch, bool IsFan)
{
    if (Branch != FBranch) {
        for (TTerminalEdits* T : {&FOutlet, &FInlet}) {
            T->Last = tfDrop;
            T->Previous = tfVelocity;
        }
    }
    FBranch = Branch;
    FIsFan = Branch && IsFan;
    FShowing = true;
    if (!FBranch) {
        setWindowTitle("Pressure drop: ");
        DescLabel->clear();
        FRowSerials.clear();
        for (TxColGrid* Grid : {static_cast<TxColGrid*>(FittingsGrid), static_cast<TxColGrid*>(CsGrid),
                                static_cast<TxColGrid*>(dPsGrid)}) {
            SizeRows(Grid, 0);
            for (int Row = 1; Row < Grid->RowCount(); ++Row)
                for (int Col = 1; Col < Grid->ColCount(); ++Col)
                    Grid->SetCell(Col, Row, QString());
        }
        RichEdit1->clear();
        FShowing = false;
        return;
    }
    FSeenFlow = FBranch->VolumeFlow;
    setWindowTitle("Pressure drop: " + ToQ(FBranch->GetName()));
    DescLabel->setText(BranchDescription ? BranchDescription(*FBranch) : DefaultDescription(*FBranch));
    ShowSheets();
    ShowFan();
    ShowTerminal(true);
    ShowTerminal(false);
    RefillFittings();
    RefillCs();
    RefillDps();
    WriteSummary();
    FShowing = false;
}

void TPressureDropForm::ShowSheets()
{
    bool Fittings = true, Fan = false, Outlet = false, Inlet = false, Booster = false;
    if (FIsFan) {
        Fittings = false;
        Fan = true;
    } else if (FBranch->FromFlowNode()->NodeType == ntInlet) {
        Inlet = true;
    } else if (FBranch->ToFlowNode()->NodeType != ntOutlet) {
        Fan = true;
        Booster = true;
    } else {
        Outlet = true;
    }
    QWidget* Active = PageControl->currentWidget();
    const auto Show = [&](QWidget* Sheet, bool Visible) {
        PageControl->setTabVisible(PageControl->indexOf(Sheet), Visible);
    };
    Show(FittingsSheet, Fittings);
    Show(CsSheet, Fittings);
    Show(FanSheet, Fan);
    Show(OutletSheet, Outlet);
    Show(InletSheet, Inlet);
    for (QWidget* W : {static_cast<QWidget*>(BoosterCaption), static_cast<QWidget*>(BoosterLabel),
                       static_cast<QWidget*>(FanSwitchLabel)})
        W->setVisible(Booster);
    // A terminal branch opens on its terminal when the sheet shown went.
    if ((Inlet || Outlet) && (Active == FanSheet || Active == OutletSheet || Active == InletSheet))
        PageControl->setCurrentWidget(Inlet ? InletSheet : OutletSheet);
    else if (!PageControl->isTabVisible(PageControl->indexOf(Active)))
        PageControl->setCurrentWidget(Fittings ? FittingsSheet : dPsSheet);
}

void TPressureDropForm::ShowFan()
{
    edPGain->SetValue(FBranch->PressureGain);
    BoosterLabel->setText(FBranch->Booster ? "On" : "Off");
}

void TPressureDropForm::ShowTerminal(bool Outlet)
{
    TTerminalEdits& T = Outlet ? FOutlet : FInlet;
    const TFixedEndFitting* End = Outlet ? FBranch->OutletTerminal.get() : FBranch->InletTerminal.get();
    const double Values[3] = {End ? End->C : 0.0, End ? End->RefVelocity : 0.0, End ? End->RefDrop : 0.0};
    for (int F = 0; F < 3; ++F) {
        T.Edits[F]->SetValue(Values[F]);
        T.Edits[F]->setEnabled(End != nullptr);
    }
    const TFlowNode* Node = Outlet ? FBranch->ToFlowNode() : FBranch->FromFlowNode();
    const int Kind = Outlet ? static_cast<int>(Node->OutletKind) : static_cast<int>(Node->InletKind);
    for (int K = 0; K < 3; ++K)
        T.Kinds[K]->setChecked(K == Kind);
}

void TPressureDropForm::SizeRows(TxColGrid* Grid, int Items)
{
    Grid->SetRowCount(1 + std::max(Items + 1, MinItemRows));
    for (int Row = 1; Row < Grid->RowCount(); ++Row)
        Grid->SetCell(0, Row, QString::number(Row));
}

void TPressureDropForm::RefillFittings()
{
    FRowSerials.clear();
    if (!FBranch)
        return;
    if (TDuctGraph* Net = Network())
        Net->CollectFittings(FBranch);
    const auto& Fittings = FBranch->LinkedFittings;
    const int Count = static_cast<int>(Fittings.size());
    const TBranchAir Air = BranchAirOf(*FBranch);
    FittingsGrid->BeginUpdate();
    SizeRows(FittingsGrid, Count);
    for (int Row = 1; Row < FittingsGrid->RowCount(); ++Row) {
        if (Row > Count) {
            for (int Col = fcCode; Col <= fcDrop; ++Col)
                FittingsGrid->SetCell(Col, Row, QString());
            continue;
        }
        const TFitting& F = *Fittings[Row - 1];
        const double C = FBranch->LinkedFittingValues[Row - 1].first;
        const TLossRow Loss = CoefficientLoss(C, Air);
        FRowSerials.push_back(F.Serial);
        FittingsGrid->SetCell(fcCode, Row, ToQ(F.Code));
        FittingsGrid->SetCell(fcDescription, Row, ToQ(F.Caption));
        FittingsGrid->SetCellValue(fcC, Row, C);
        FittingsGrid->SetCellValue(fcLe, Row, Loss.EquivLength);
        FittingsGrid->SetCellValue(fcDrop, Row, Loss.Drop);
    }
    FittingsGrid->EndUpdate();
}

void TPressureDropForm::RefillCs()
{
    if (!FBranch)
        return;
    const auto& Items = FBranch->FixedCs;
    const int Count = static_cast<int>(Items.size());
    CsGrid->BeginUpdate();
    SizeRows(CsGrid, Count);
    for (int Row = 1; Row < CsGrid->RowCount(); ++Row) {
        if (Row > Count) {
            for (int Col = ccDescription; Col <= ccDrop; ++Col)
                CsGrid->SetCell(Col, Row, QString());
            continue;
        }
        const TFixedC& Item = *Items[Row - 1];
        CsGrid->SetCell(ccDescription, Row, ToQ(Item.Caption));
        CsGrid->SetCellValue(ccC, Row, Item.C);
        CsGrid->SetCellValue(ccLe, Row, Item.EquivLength);
        CsGrid->SetCellValue(ccDrop, Row, Item.Drop);
    }
    CsGrid->EndUpdate();
}

void TPressureDropForm::RefillDps()
{
    if (!FBranch)
        return;
    const auto& Items = FBranch->FixedDps;
    const int Count = static_cast<int>(Items.size());
    dPsGrid->BeginUpdate();
    SizeRows(dPsGrid, Count);
    for (int Row = 1; Row < dPsGrid->RowCount(); ++Row) {
        if (Row > Count) {
            for (int Col = dcDescription; Col <= dcLe; ++Col)
                dPsGrid->SetCell(Col, Row, QString());
            continue;
        }
        const TFixeddP& Item = *Items[Row - 1];
        dPsGrid->SetCell(dcDescription, Row, ToQ(Item.Caption));
        dPsGrid->SetCellValue(dcDrop, Row, Item.Drop);
        dPsGrid->SetCellValue(dcLe, Row, Item.EquivLength);
    }
    dPsGrid->EndUpdate();
}

void TPressureDropForm::RefreshFixedGrids()
{
    RefillCs();
    RefillDps();
    if (FBranch) {
        ShowTerminal(true);
        ShowTerminal(false);
    }
}

void TPressureDropForm::UnitsChanged(int PressureUnit, int LengthUnit)
{
    FPressureUnit = ClampUnitIndex(utAirPressDrop, PressureUnit);
    FLengthUnit = ClampUnitIndex(utLengthBig, LengthUnit);
    SetColumnUnits(FittingsGrid, fcLe, false, FLengthUnit);
    SetColumnUnits(FittingsGrid, fcDrop, true, FPressureUnit);
    SetColumnUnits(CsGrid, ccLe, false, FLengthUnit);
    SetColumnUnits(CsGrid, ccDrop, true, FPressureUnit);
    SetColumnUnits(dPsGrid, dcDrop, true, FPressureUnit);
    SetColumnUnits(dPsGrid, dcLe, false, FLengthUnit);
    if (FBranch) {
        RefillFittings();
        RefillCs();
        RefillDps();
    }
    WriteSummary();
}

// ---- recalculation and summary ----

void TPressureDropForm::Recalculate()
{
    if (!FBranch)
        return;
    if (TDuctGraph* Net = Network())
        Net->CollectFittings(FBranch);
    double Sum = 0.0;
    for (const auto& Values : FBranch->LinkedFittingValues)
        Sum += Values.first;
    FBranch->FittingsCSum = Sum;
    FBranch->RecalcLosses();
    Fire(OnPressureDropChanged);
    if (FBranch->VolumeFlow != FSeenFlow) {
        FSeenFlow = FBranch->VolumeFlow;
        Fire(OnFlowChanged);
    }
    WriteSummary();
}

QString TPressureDropForm::DropText(double Pa) const
{
    std::string Fmt, Label;
    double Zero = 0.0, Factor = 1.0;
    GetConversion(utAirPressDrop, FPressureUnit, DropBase, Fmt, Zero, Factor, Label);
    if (FPressureUnit == DropBase)
        Fmt = DropFormat;
    return ToQ(FormatFloat(Fmt, ApplyConversion(Pa, Factor, Zero)));
}

QString TPressureDropForm::LengthText(double Metres) const
{
    std::string Fmt, Label;
    double Zero = 0.0, Factor = 1.0;
    GetConversion(utLengthBig, FLengthUnit, LengthBase, Fmt, Zero, Factor, Label);
    return ToQ(FormatFloat(Fmt, ApplyConversion(Metres, Factor, Zero)));
}

void TPressureDropForm::WriteSummary()
{
    RichEdit1->clear();
    if (!FBranch)
        return;
    const TDuctBranch& B = *FBranch;
    QTextCursor Cursor(RichEdit1->document());
    // Stops at 80 and 120 points; each line carries them.
    QTextBlockFormat Stops;
    Stops.setTabPositions({QTextOption::Tab(107, QTextOption::LeftTab), QTextOption::Tab(160, QTextOption::LeftTab)});
    Cursor.setBlockFormat(Stops);
    QTextCharFormat Bold;
    Bold.setFontWeight(QFont::Bold);
    Cursor.insertText("\tdP," + ToQ(std::string(UnitLabel(utAirPressDrop, FPressureUnit))) + "\tLe," +
                          ToQ(std::string(UnitLabel(utLengthBig, FLengthUnit))),
                      Bold);
    const QTextCharFormat Plain;
    const auto Line = [&](const char* Label, const QString& Values) {
        Cursor.insertBlock(Stops);
        Cursor.insertText(QString(Label) + Values, Plain);
    };
    const auto Part = [&](const char* Label, double Drop, double Length) {
        if (Drop != 0.0 || Length != 0.0)
            Line(Label, DropText(Drop) + "\t" + LengthText(Length));
    };
    Part("   Fittings\t", B.FittingsDrop, B.LeFittings);
    Part("   Fixed Cs\t", B.FixedCSum, B.LeC);
    Part("   Fixed dPs\t", B.FixedDpSum, B.LeDp);
    const bool Fan = FIsFan || B.Kind != bkCommon;
    if (!Fan) {
        double Terminals = 0.0;
        if (B.OutletApplies()) {
            Part("   Outlet\t", B.OutletTermDrop, B.OutletTerminal->EquivLength);
            Terminals += B.OutletTermDrop;
        } else if (B.InletApplies()) {
            Part("   Inlet\t", B.InletTermDrop, B.InletTerminal->EquivLength);
            Terminals += B.InletTermDrop;
        }
        const double Friction = B.FrictionDrop - B.FittingsDrop - B.FixedCSum - B.FixedDpSum - Terminals;
        Part("   Duct friction\t", Friction, B.Length);
        if (B.DamperDrop != 0.0)
            Line("   Balancing DP\t", DropText(B.DamperDrop));
    }
    if (Fan || (B.Booster && B.PressureGain != 0.0)) {
        Line("   Fan\t", "- " + DropText(B.PressureGain));
        Line("   Total\t", DropText(B.TotalDrop));
    } else {
        Line("   Total\t", DropText(B.TotalDrop) + "\t" + LengthText(B.TotalLength));
    }
}

// ---- fixed items ----

void TPressureDropForm::CsDataChanged(int Col, int Row)
{
    if (!FBranch || Row < 1)
        return;
    auto& Items = FBranch->FixedCs;
    const std::size_t Index = static_cast<std::size_t>(Row - 1);
    const QString Text = CsGrid->Cell(Col, Row).trimmed();
    while (Items.size() <= Index) {
        const bool Typed = Col == ccDescription && Items.size() == Index && !Text.isEmpty();
        Items.push_back(std::make_unique<TFixedC>(Typed ? Text.toStdString() : "Fixed C Fitting", 0.0));
    }
    TFixedC& Item = *Items[Index];
    if (Col == ccDescription) {
        Item.Caption = Text.toStdString();
    } else if (Col == ccC) {
        Item.C = CsGrid->GetCellValue(Col, Row).toDouble();
        const TLossRow Loss = CoefficientLoss(Item.C, WithStandIns(BranchAirOf(*FBranch)));
        Item.EquivLength = Loss.EquivLength;
        Item.Drop = Loss.Drop;
    }
    RefillCs();
    Recalculate();
    Fire(OnFixedItemsChanged);
}

void TPressureDropForm::DpsDataChanged(int Col, int Row)
{
    if (!FBranch || Row < 1)
        return;
    auto& Items = FBranch->FixedDps;
    const std::size_t Index = static_cast<std::size_t>(Row - 1);
    const QString Text = dPsGrid->Cell(Col, Row).trimmed();
    while (Items.size() <= Index) {
        const bool Typed = Col == dcDescription && Items.size() == Index && !Text.isEmpty();
        Items.push_back(std::make_unique<TFixeddP>(Typed ? Text.toStdString() : "Fixed dP Fitting", 0.0));
    }
    TFixeddP& Item = *Items[Index];
    if (Col == dcDescription) {
        Item.Caption = Text.toStdString();
    } else if (Col == dcDrop) {
        Item.Drop = dPsGrid->GetCellValue(Col, Row).toDouble();
        Item.EquivLength = DropLoss(Item.Drop, WithStandIns(BranchAirOf(*FBranch))).EquivLength;
    }
    RefillDps();
    Recalculate();
    Fire(OnFixedItemsChanged);
}

bool TPressureDropForm::PurgeEmptyFixedItems()
{
    if (!FBranch)
        return false;
    const std::size_t Before = FBranch->FixedCs.size() + FBranch->FixedDps.size();
    std::erase_if(FBranch->FixedCs, [](const auto& Item) { return Item->Caption.empty() && Item->C == 0.0; });
    std::erase_if(FBranch->FixedDps, [](const auto& Item) { return Item->Caption.empty() && Item->Drop == 0.0; });
    return FBranch->FixedCs.size() + FBranch->FixedDps.size() != Before;
}

// ---- fittings ----

TFitting* TPressureDropForm::RowFitting(int Row) const
{
    const TDuctGraph* Net = Network();
    if (!Net || Row < 1 || Row > static_cast<int>(FRowSerials.size()))
        return nullptr;
    const int Serial = FRowSerials[Row - 1];
    for (const auto& F : Net->Fittings)
        if (F->Serial == Serial)
            return F.get();
    return nullptr;
}

int TPressureDropForm::FittingRow(const TFitting* Fitting) const
{
    if (!Fitting)
        return -1;
    const auto It = std::find(FRowSerials.begin(), FRowSerials.end(), Fitting->Serial);
    return It == FRowSerials.end() ? -1 : static_cast<int>(It - FRowSerials.begin()) + 1;
}

void TPressureDropForm::FittingsChangedInNetwork()
{
    if (TDuctGraph* Net = Network()) {
        Net->ResolveFittingLinks(false);
        Net->CalcFittingsC();
        Net->CalcFittingSums();
    }
}

bool TPressureDropForm::PurgeUncodedFittings()
{
    TDuctGraph* Net = Network();
    if (!Net)
        return false;
    std::vector<TFitting*> Uncoded;
    for (const auto& F : Net->Fittings)
        if (F->Code.empty())
            Uncoded.push_back(F.get());
    for (TFitting* F : Uncoded)
        Net->DeleteFitting(F);
    if (Uncoded.empty())
        return false;
    Fire(OnFittingsListChanged);
    return true;
}

void TPressureDropForm::EditFittingAt(int Row)
{
    TDuctGraph* Net = Network();
    if (!FBranch || !Net || Row < 1)
        return;
    TFitting* Fitting = RowFitting(Row);
    if (!Fitting && Row <= static_cast<int>(FRowSerials.size())) {
        // The row's fitting went elsewhere: the rows are shown anew instead.
        RefillFittings();
        return;
    }
    if (!Fitting) {
        auto New = std::make_unique<TFitting>("Duct Fitting", "");
        New->Links.push_back({FBranch->Id(), FBranch});
        New->Roles = {"s"};
        New->CValues.assign(1, 0.0);
        New->CValues2.assign(1, 0.0);
        New->Remarks.assign(1, std::string());
        New->FlowRatios.assign(1, {});
        New->VelocityRatios.assign(1, {});
        Fitting = New.get();
        Net->Fittings.push_back(std::move(New));
    }
    const int Serial = Fitting->Serial;
    if (OnFittingSelected)
        OnFittingSelected(Fitting);
    TVentrixFittingDlg& Dialog = *FittingDialog();
    Dialog.SetNetwork(Net);
    Dialog.SetFitting(Fitting);
    Dialog.SetDuct(FBranch);
    RunFittingDialog(Dialog);
    // The dialog keeps no fitting that may go now.
    Dialog.SetFitting(nullptr);
    Dialog.SetDuct(nullptr);

    if (!FBranch)
        return; // the branch went while the dialog was up
    PurgeUncodedFittings();
    FittingsChangedInNetwork();
    RefillFittings();
    Fitting = nullptr;
    for (const auto& F : Net->Fittings)
        if (F->Serial == Serial)
            Fitting = F.get();
    if (Fitting) {
        for (int R = 1; R <= static_cast<int>(FRowSerials.size()); ++R)
            if (FittingsGrid->Cell(fcCode, R) == ToQ(Fitting->Code)) {
                FittingsGrid->SetCurrentCell(fcC, R);
                break;
            }
        if (OnFittingChanged)
            OnFittingChanged(Fitting);
    }
    Recalculate();
}

// ---- deleting and moving rows ----

void TPressureDropForm::DeleteRow(TxColGrid* Grid, int Row)
{
    if (!FBranch || Row < 1)
        return;
    const std::size_t Index = static_cast<std::size_t>(Row - 1);
    if (Grid == FittingsGrid) {
        TFitting* Fitting = RowFitting(Row);
        if (!Fitting)
            return;
        if ((Fitting->Junction || Fitting->Transition) &&
            Ask("This fitting is a junction/transition and affects 2 or more ducts.\n"
                "The entire fitting will be deleted.  Continue?") != mrYes)
            return;
        if (OnFittingDeleted)
            OnFittingDeleted(Fitting);
        Network()->DeleteFitting(Fitting);
        FittingsChangedInNetwork();
        Fire(OnFittingsListChanged);
        RefillFittings();
    } else if (Grid == CsGrid) {
        if (Index >= FBranch->FixedCs.size())
            return;
        FBranch->FixedCs.erase(FBranch->FixedCs.begin() + static_cast<std::ptrdiff_t>(Index));
        RefillCs();
        Fire(OnFixedItemsChanged);
    } else if (Grid == dPsGrid) {
        if (Index >= FBranch->FixedDps.size())
            return;
        FBranch->FixedDps.erase(FBranch->FixedDps.begin() + static_cast<std::ptrdiff_t>(Index));
        RefillDps();
        Fire(OnFixedItemsChanged);
    } else {
        return;
    }
    Recalculate();
}

void TPressureDropForm::ClearAll(TxColGrid* Grid)
{
    if (!FBranch)
        return;
    int Items = 0;
    if (Grid == FittingsGrid)
        Items = static_cast<int>(FRowSerials.size());
    else if (Grid == CsGrid)
        Items = static_cast<int>(FBranch->FixedCs.size());
    else if (Grid == dPsGrid)
        Items = static_cast<int>(FBranch->FixedDps.size());
    for (int Row = Items; Row >= 1 && FBranch; --Row)
        DeleteRow(Grid, Row);
}

void TPressureDropForm::DeleteKeyPressed(TItemListGrid* Grid)
{
    if (Ask("Delete Row?") == mrYes)
        DeleteRow(Grid, Grid->Row());
}

void TPressureDropForm::ShowRowMenu(TItemListGrid* Grid, const QPoint& GlobalPos)
{
    QMenu Menu(this);
    QAction* Clear = Menu.addAction("&Clear All");
    QAction* Delete = Menu.addAction("&Delete Row");
    QAction* Chosen = nullptr;
    {
        TModalScope Modal(FModalDepth);
        Chosen = UiServices().PopupMenu(Menu, GlobalPos);
    }
    if (Chosen == Delete)
        DeleteRow(Grid, Grid->Row());
    else if (Chosen == Clear)
        ClearAll(Grid);
}

void TPressureDropForm::RowMoved(TItemListGrid* Grid, int From, int To)
{
    if (!FBranch)
        return;
    const std::size_t I = static_cast<std::size_t>(From - 1);
    std::size_t J = static_cast<std::size_t>(To - 1);
    if (Grid == FittingsGrid) {
        // The branch's fittings keep their order; the rows keep naming theirs.
        if (I < FRowSerials.size() && J < FRowSerials.size()) {
            const int Serial = FRowSerials[I];
            FRowSerials.erase(FRowSerials.begin() + static_cast<std::ptrdiff_t>(I));
            FRowSerials.insert(FRowSerials.begin() + static_cast<std::ptrdiff_t>(J), Serial);
            SizeRows(FittingsGrid, static_cast<int>(FRowSerials.size()));
        } else {
            RefillFittings();
        }
        return;
    }
    if (Grid == CsGrid) {
        auto& Items = FBranch->FixedCs;
        if (I < Items.size()) {
            MoveItem(Items, I, std::min(J, Items.size() - 1));
            Fire(OnFixedItemsChanged);
        }
        RefillCs();
    } else if (Grid == dPsGrid) {
        auto& Items = FBranch->FixedDps;
        if (I < Items.size()) {
            MoveItem(Items, I, std::min(J, Items.size() - 1));
            Fire(OnFixedItemsChanged);
        }
        RefillDps();
    }
}

// ---- fan and terminals ----

void TPressureDropForm::GainEdited()
{
    if (!FBranch || FShowing || !edPGain->Modified())
        return;
    FBranch->PressureGain = edPGain->GetValue().toDouble();
    edPGain->SetValue(FBranch->PressureGain);
    Recalculate();
    Fire(OnFixedItemsChanged);
}

void TPressureDropForm::ToggleBooster()
{
    if (!FBranch)
        return;
    FBranch->Booster = !FBranch->Booster;
    BoosterLabel->setText(FBranch->Booster ? "On" : "Off");
    Recalculate();
    Fire(OnFixedItemsChanged);
}

void TPressureDropForm::TerminalEdited(bool Outlet, int Field)
{
    if (!FBranch || FShowing)
        return;
    TTerminalEdits& T = Outlet ? FOutlet : FInlet;
    TFixedEndFitting* End = Outlet ? FBranch->OutletTerminal.get() : FBranch->InletTerminal.get();
    TFmtEdit* Edit = T.Edits[Field];
    if (!End || !Edit->Modified())
        return;
    const double Value = Edit->GetValue().toDouble();
    if (Field != T.Last) {
        T.Previous = T.Last;
        T.Last = Field;
    }
    switch (Field) {
    case tfC: End->C = Value; break;
    case tfVelocity: End->RefVelocity = Value; break;
    default: End->RefDrop = Value; break;
    }
    // The third value follows from the two edited last.
    End->SetEndValue(T.Last, T.Previous);
    ShowTerminal(Outlet);
    Recalculate();
    Fire(OnFixedItemsChanged);
}

void TPressureDropForm::TerminalKindClicked(bool Outlet, int Kind)
{
    if (!FBranch)
        return;
    TTerminalEdits& T = Outlet ? FOutlet : FInlet;
    for (int K = 0; K < 3; ++K)
        T.Kinds[K]->setChecked(K == Kind);
    if (Outlet)
        FBranch->ToFlowNode()->OutletKind = static_cast<TOutletKind>(Kind);
    else
        FBranch->FromFlowNode()->InletKind = static_cast<TInletKind>(Kind);
    Fire(Outlet ? OnOutletChanged : OnInletChanged);
}

// ---- window events ----

bool TPressureDropForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == BoosterLabel && Event->type() == QEvent::MouseButtonRelease)
        GuardedCall(this, [this] { ToggleBooster(); });
    return QWidget::eventFilter(Watched, Event);
}

void TPressureDropForm::FormActivate()
{
    // Coming back from the form's own dialog or message is no new activation.
    if (FChildActivation) {
        FChildActivation = false;
        return;
    }
    if (FBranch)
        ShowBranch(FBranch, FIsFan);
    Fire(OnClearSelection);
}

void TPressureDropForm::FormDeactivate()
{
    // The form's own modal children take the activation for a moment: the
    // fitting under edit there must not be cleared away.
    bool OwnModal = FModalDepth > 0;
    for (const QWidget* W = QApplication::activeModalWidget(); W && !OwnModal; W = W->parentWidget())
        OwnModal = W == this;
    if (OwnModal) {
        FChildActivation = true;
        return;
    }
    for (TxColGrid* Grid : {static_cast<TxColGrid*>(FittingsGrid), static_cast<TxColGrid*>(CsGrid),
                            static_cast<TxColGrid*>(dPsGrid)})
        Grid->HideEditor();
    const bool Fittings = PurgeUncodedFittings();
    const bool Fixed = PurgeEmptyFixedItems();
    if (Fittings)
        FittingsChangedInNetwork();
    if ((Fittings || Fixed) && FBranch) {
        RefillFittings();
        RefillCs();
        RefillDps();
        Recalculate();
        if (Fixed)
            Fire(OnFixedItemsChanged);
    }
    SaveFormPlacement(FSettings, this);
}

bool TPressureDropForm::event(QEvent* Event)
{
    if (Event->type() == QEvent::WindowActivate)
        GuardedCall(this, [this] { FormActivate(); });
    else if (Event->type() == QEvent::WindowDeactivate)
        GuardedCall(this, [this] { FormDeactivate(); });
    return QWidget::event(Event);
}

void TPressureDropForm::closeEvent(QCloseEvent* Event)
{
    if (FBranch) {
        FBranch->LinkedFittings.clear();
        FBranch->LinkedFittingValues.clear();
    }
    SaveFormPlacement(FSettings, this);
    QWidget::closeEvent(Event);
}
