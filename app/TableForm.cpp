#include "app/TableForm.h"

#include "controls/ColGrid.h"
#include "controls/CopyGridToClipboard.h"
#include "controls/GuardedCall.h"
#include "controls/UiServices.h"
#include "dialogs/BranchSummary.h"
#include "dialogs/GridIdHeader.h"
#include "foundation/EquivDiamTool.h"
#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

TFlowBand FlowBand(double Q, double Qd, double Lo, double Hi, double Warn)
{
    // Each band from the smaller to the larger product: with a negative
    // design flow Lo·Qd lies above Hi·Qd.
    const auto Outside = [Q, Qd](double A, double B) {
        return Q < std::min(A * Qd, B * Qd) || Q > std::max(A * Qd, B * Qd);
    };
    if (Outside(Lo, Hi))
        return TFlowBand::Error;
    if (Outside(1.0 - Warn, 1.0 + Warn))
        return TFlowBand::Warning;
    return TFlowBand::Normal;
}

namespace {

// Colours are 24-bit values; anything above is no colour of ours.
int ReadColour(const TSettingsStore& Store, const std::string& Section, const char* Name, int Value)
{
    return Store.ReadInteger(Section, Name, Value) & 0xFFFFFF;
}

double ReadFraction(const TSettingsStore& Store, const std::string& Section, const char* Name,
                    double Value)
{
    const double Read = Store.ReadFloat(Section, Name, Value);
    return std::isfinite(Read) ? Read : Value;
}

} // namespace

// The column grid with the table's own rules for which cell may be edited,
// telling the table when its current cell moves.
class TBranchTableGrid : public TxColGrid {
public:
    explicit TBranchTableGrid(TTableForm& Owner) : TxColGrid(&Owner), Form(Owner) {}

    // The pressure drop is never typed into: its button opens the
    // pressure-drop form.
    bool IsFieldEditable(int Col, int Row) const override
    {
        return Col != TTableForm::ColDrop && TxColGrid::IsFieldEditable(Col, Row) &&
               Form.CanEditCell(Col, Row);
    }

protected:
    void CurrentCellChanged() override
    {
        TxColGrid::CurrentCellChanged();
        if (!Form.CanEditCell(Col(), Row()))
            PropEditButton()->hide();
        Form.GridCurrentCellChanged();
    }

private:
    TTableForm& Form;
};

TTableForm::TTableForm(TSettingsStore& Store, QWidget* Parent)
    : QWidget(Parent, Qt::Tool), BranchGrid(nullptr), Store(Store),
      Tool(std::make_unique<TEquivDiamTool>())
{
    setObjectName("TableForm");
    BuildGrid();
    WireHeaders();
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(BranchGrid);
    int Width = 2 * BranchGrid->frameWidth() + BranchGrid->verticalScrollBar()->sizeHint().width();
    for (int Col = 0; Col < ColumnCount; ++Col)
        Width += BranchGrid->ColWidth(Col);
    resize(Width, 320);
    LoadSettings();
    FillFromNetwork();
}

TTableForm::~TTableForm()
{
    // The grid tells the form of every move of its current cell, and taking
    // it apart moves it: it goes while the form is still whole, and without
    // the form watching its events, which would reach a half-gone grid.
    BranchGrid->viewport()->removeEventFilter(this);
    BranchGrid->removeEventFilter(this);
    delete BranchGrid;
    BranchGrid = nullptr;
}

void TTableForm::BuildGrid()
{
    auto* Grid = new TBranchTableGrid(*this);
    BranchGrid = Grid;
    Grid->setObjectName("BranchGrid");
    Grid->SetOptions(xgoFixedVertLine | xgoFixedHorzLine | xgoVertLine | xgoHorzLine |
                     xgoRangeSelect | xgoColSizing | xgoRowMoving | xgoEditing);
    Grid->SetDefaultColFormatStr("%S");
    // Sizes from 0.05 to 10 m, written as the program writes numbers.
    const QString Limits = ToQ(FloatToStr(TEquivDiamTool::MinSize) + "; " +
                               FloatToStr(TEquivDiamTool::MaxSize));
    Grid->SetFieldDefs({";;;;;",
                        "Caption; %s; ; ;",
                        "Q, m³/s; %0.3f; ; NPE; -100; 100",
                        "Qd, m³/s; %0.3f; ; NPE; -100; 100",
                        "V(a), m/s; %0.2f; ; NPE; -50; 50",
                        "dP, Pa; %0.1f; ; PE; 0; 0",
                        "L, m; %0.2f; ; NPE;  0.1; 500",
                        "De, m; %0.3f; ; PE; " + Limits,
                        "W, m; %0.3f; ; PE; " + Limits,
                        "H, m; %0.3f; ; PE; " + Limits});
    // Held in m³/s, m/s, Pa and m; the sizes shown in mm.
    constexpr int Pascal = 1;
    constexpr int Millimetre = 2;
    Grid->SetUnits(ColFlow, utAirFlowPrim, 1, 0, ft_Fixed, 0, 0);
    Grid->SetUnits(ColDesignFlow, utAirFlowPrim, 1, 0, ft_Fixed, 0, 0);
    Grid->SetUnits(ColVelocity, utVelocity, 1, 0, ft_Fixed, 0, 0);
    Grid->SetUnits(ColDrop, utAirPressDrop, 1, 0, ft_Fixed, Pascal, Pascal);
    Grid->SetUnits(ColLength, utLengthBig, 1, 0, ft_Fixed, 0, 0);
    for (int Col : {ColDiameter, ColWidth, ColHeight}) {
        Grid->SetUnits(Col, utLengthSec, 1, 0, ft_Fixed, Millimetre, 0);
        Grid->SetPropEditor(Col, [this, Col](QVariant& Value) { return SizeCellButton(Col, Value); });
    }
    Grid->SetPropEditor(ColDrop, [this](QVariant&) { return DropCellButton(); });

    InstallGridIdHeader(Grid, FSelRow)->setSectionsMovable(true);
    // Rows as low as the font allows: more branches in view.
    Grid->SetDefaultRowHeight(Grid->fontMetrics().height() + 4);
    Grid->SetColWidth(ColId, 35);
    Grid->SetColWidth(ColName, 110);
    for (int Col = ColFlow; Col < ColumnCount; ++Col)
        Grid->SetColWidth(Col, 62);

    Grid->DefaultDrawing = false;
    Grid->OnDrawCell = [this](TxStringGrid*, QPainter& Painter, int Col, int Row, const QRect& Rect,
                              const TxGridDrawState& State) { DrawCell(Painter, Col, Row, Rect, State); };
    Grid->OnDoSetData = [this](TxStringGrid*, int Col, int Row) { GridDoSetData(Col, Row); };
    Grid->installEventFilter(this);
    Grid->viewport()->installEventFilter(this);
}

void TTableForm::WireHeaders()
{
    QHeaderView* Headings = BranchGrid->horizontalHeader();
    // A heading click sorts: it neither selects the column nor changes its
    // units (the main window gives the table the units of the branch window).
    disconnect(Headings, &QHeaderView::sectionClicked, BranchGrid, nullptr);
    disconnect(Headings, &QHeaderView::sectionPressed, BranchGrid, nullptr);
    disconnect(Headings, &QHeaderView::sectionEntered, BranchGrid, nullptr);
    connect(Headings, &QHeaderView::sectionClicked, this, [this](int Section) {
        GuardedCall(this, [&] { SortByColumn(Section + BranchGrid->FixedCols()); });
    });
    if (QAbstractButton* Corner = GridCornerButton(BranchGrid)) {
        BranchGrid->setCornerButtonEnabled(true);
        disconnect(Corner, nullptr, BranchGrid, nullptr); // no select-all: it sorts by id
        connect(Corner, &QAbstractButton::clicked, this,
                [this] { GuardedCall(this, [this] { SortByColumn(ColId); }); });
    }
    QHeaderView* Ids = BranchGrid->verticalHeader();
    connect(Ids, &QHeaderView::sectionDoubleClicked, this,
            [this](int) { GuardedCall(this, [this] { EditBranchClick(); }); });
    connect(Ids, &QHeaderView::sectionMoved, this, [this, Ids](int, int OldVisual, int NewVisual) {
        // The rows themselves move through the network's list and a refill;
        // the heading goes back to showing rows in order.
        {
            const QSignalBlocker Block(Ids);
            Ids->moveSection(NewVisual, OldVisual);
        }
        GuardedCall(this, [&] { MoveBranchRow(OldVisual + 1, NewVisual + 1); });
    });
}

void TTableForm::SetNetwork(TDuctGraph* Network)
{
    // An entry in progress belongs to the old network's row.
    BranchGrid->DropPendingCell();
    FNetwork = Network;
    FillFromNetwork();
}

// ---- rows

void TTableForm::FillFromNetwork()
{
    BranchGrid->HideEditor();
    FFilling = true;
    int Count = 0;
    if (FNetwork)
        for (const auto& B : FNetwork->Branches())
            Count += B->FromNode->IsActive() && B->ToNode->IsActive() ? 1 : 0;
    BranchGrid->BeginUpdate();
    BranchGrid->SetRowCount(std::max(2, Count + 1));
    if (Count == 0)
        for (int Col = 0; Col < ColumnCount; ++Col)
            BranchGrid->SetCell(Col, 1, QString());
    int Row = 1;
    if (FNetwork)
        for (const auto& B : FNetwork->Branches())
            if (B->FromNode->IsActive() && B->ToNode->IsActive())
                WriteRow(Row++, static_cast<const TDuctBranch&>(*B));
    BranchGrid->EndUpdate();
    RebuildRowIndex();
    FSelRow = BranchGrid->Row();
    FSelCol = BranchGrid->Col();
    FFilling = false;
    Repaint();
}

QVariant TTableForm::CellValue(int Col, const TDuctBranch& Branch) const
{
    // A circular duct and the main fan have no sides; a duct without a
    // diameter no size at all.
    const bool NoSize = Branch.Diameter == 0.0;
    const bool NoSides = NoSize || Branch.DuctType == dtSpiral || (FNetwork && &Branch == FNetwork->MainFan);
    switch (Col) {
    case ColId: return QString::number(Branch.Id());
    case ColName: return ToQ(Branch.Name);
    case ColFlow: return Branch.VolumeFlow;
    case ColDesignFlow: return Branch.DesignFlow;
    // "V(a)": the actual velocity in the duct, which the velocity edit sets
    // and the sort orders by.
    case ColVelocity: return Branch.DuctVelocity;
    case ColDrop: return Branch.TotalDrop;
    case ColLength: return Branch.Length;
    case ColDiameter: return NoSize ? QVariant(QString("-")) : QVariant(Branch.Diameter);
    case ColWidth: return NoSides ? QVariant(QString("-")) : QVariant(Branch.DuctWidth);
    case ColHeight: return NoSides ? QVariant(QString("-")) : QVariant(Branch.DuctHeight);
    default: return QString();
    }
}

QString TTableForm::CellText(int Col, const TDuctBranch& Branch) const
{
    const QVariant V = CellValue(Col, Branch);
    if (V.typeId() != QMetaType::Double)
        return V.toString();
    const auto* Field = dynamic_cast<const TNumField*>(BranchGrid->Field(Col));
    return Field ? Field->DisplayText(V.toDouble()) : ToQ(FloatToStr(V.toDouble()));
}

void TTableForm::WriteCell(int Col, int Row, const TDuctBranch& Branch)
{
    // Numbers go in with their value, so that a change of units shows the
    // branch's value and not its rounded text converted.
    const QVariant V = CellValue(Col, Branch);
    if (V.typeId() == QMetaType::Double)
        BranchGrid->SetCellValue(Col, Row, V);
    else
        BranchGrid->SetCell(Col, Row, V.toString());
}

void TTableForm::WriteRow(int Row, const TDuctBranch& Branch)
{
    for (int Col = 0; Col < ColumnCount; ++Col)
        WriteCell(Col, Row, Branch);
}

void TTableForm::WriteVelocity(int Row, const TDuctBranch& Branch)
{
    WriteCell(ColVelocity, Row, Branch);
}

void TTableForm::WriteSizes(int Row, const TDuctBranch& Branch)
{
    for (int Col : {ColDiameter, ColWidth, ColHeight})
        WriteCell(Col, Row, Branch);
}

void TTableForm::ShowBranchInRow(int Row, const TDuctBranch& Branch)
{
    if (Row < 1 || Row >= BranchGrid->RowCount())
        return;
    const QString OldId = BranchGrid->Cell(ColId, Row);
    WriteRow(Row, Branch);
    IndexRow(Row, OldId);
}

void TTableForm::AppendBranch(const TDuctBranch& Branch)
{
    if (!BranchGrid->Cell(ColId, 1).isEmpty())
        BranchGrid->SetRowCount(BranchGrid->RowCount() + 1);
    ShowBranchInRow(BranchGrid->RowCount() - 1, Branch);
}

void TTableForm::DeleteRow(int Row)
{
    if (Row < 1 || Row >= BranchGrid->RowCount())
        return;
    FDeletingRows = true;
    if (BranchGrid->RowCount() > 2) {
        BranchGrid->DeleteRow(Row);
    } else {
        for (int Col = 0; Col < ColumnCount; ++Col)
            BranchGrid->SetCell(Col, Row, QString());
    }
    RebuildRowIndex();
    FSelRow = BranchGrid->Row();
    FSelCol = BranchGrid->Col();
    FDeletingRows = false;
    Repaint();
}

void TTableForm::RebuildRowIndex()
{
    FRowOfId.clear();
    FRowOfId.reserve(static_cast<std::size_t>(BranchGrid->RowCount()));
    for (int Row = 1; Row < BranchGrid->RowCount(); ++Row) {
        bool IsId = false;
        const int Id = BranchGrid->Cell(ColId, Row).toInt(&IsId);
        if (IsId)
            FRowOfId.emplace(Id, Row); // the first row of a repeated id stays
    }
}

void TTableForm::IndexRow(int Row, const QString& OldIdText)
{
    const QString NewIdText = BranchGrid->Cell(ColId, Row);
    if (NewIdText == OldIdText)
        return;
    bool IsId = false;
    const int OldId = OldIdText.toInt(&IsId);
    if (IsId) {
        const auto It = FRowOfId.find(OldId);
        if (It != FRowOfId.end() && It->second == Row) {
            // The old id may stand in a later row too.
            RebuildRowIndex();
            return;
        }
    }
    const int Id = NewIdText.toInt(&IsId);
    if (!IsId)
        return;
    const auto [It, Added] = FRowOfId.emplace(Id, Row);
    if (!Added && It->second > Row)
        It->second = Row;
}

int TTableForm::FindBranchRow(const TBranch* Branch) const
{
    if (!Branch)
        return -1;
    const auto It = FRowOfId.find(Branch->Id());
    return It == FRowOfId.end() ? -1 : It->second;
}

TDuctBranch* TTableForm::BranchAtRow(int Row) const
{
    if (!FNetwork || !BranchGrid || Row < 1 || Row >= BranchGrid->RowCount())
        return nullptr;
    bool IsId = false;
    const int Id = BranchGrid->Cell(ColId, Row).toInt(&IsId);
    return IsId ? FNetwork->DuctBranch(Id) : nullptr;
}

TDuctBranch* TTableForm::TableBranch() const
{
    return BranchAtRow(FSelRow);
}

// ---- selection

void TTableForm::SetCurrentRow(int Row)
{
    if (Row < 1 || Row >= BranchGrid->RowCount())
        return;
    FSilentSelect = true;
    BranchGrid->SetCurrentCell(BranchGrid->Col(), Row);
    FSilentSelect = false;
    FSelRow = BranchGrid->Row();
    FSelCol = BranchGrid->Col();
    BranchGrid->scrollTo(BranchGrid->currentIndex());
    Repaint();
}

void TTableForm::SelectBranchAtRow(int Row)
{
    if (Row < 1 || Row >= BranchGrid->RowCount())
        return;
    if (Row != BranchGrid->Row())
        SetCurrentRow(Row);
    if (OnSelectBranch)
        OnSelectBranch(BranchAtRow(Row));
    Repaint();
}

void TTableForm::GridCurrentCellChanged()
{
    if (!BranchGrid)
        return;
    const int Row = BranchGrid->Row();
    const int Col = BranchGrid->Col();
    if (Row == FSelRow && Col == FSelCol)
        return;
    const bool RowChanged = Row != FSelRow;
    FSelRow = Row;
    FSelCol = Col;
    if (RowChanged && !IsSilent())
        GuardedCall(this, [&] { SelectBranchAtRow(Row); });
    Repaint();
}

void TTableForm::EndEdit()
{
    BranchGrid->HideEditor();
}

void TTableForm::Repaint()
{
    BranchGrid->viewport()->update();
    BranchGrid->verticalHeader()->viewport()->update();
}

// ---- editing

bool TTableForm::CanEditCell(int Col, int Row) const
{
    const TDuctBranch* B = BranchAtRow(Row);
    if (!B || Col < ColName || Col >= ColumnCount)
        return false;
    if (FNetwork->LeakBranch == B)
        return false;
    if (B->Kind != bkCommon &&
        (Col == ColVelocity || Col == ColDiameter || Col == ColWidth || Col == ColHeight))
        return false;
    if (B->DuctType == dtSpiral && (Col == ColWidth || Col == ColHeight))
        return false;
    return true;
}

void TTableForm::GridDoSetData(int Col, int Row)
{
    TDuctBranch* B = BranchAtRow(Row);
    if (FSizeEdited && Col == FSizeEditedCol && Row == FSizeEditedRow) {
        // The size came from the dialog and is in the branch already; the
        // row shows the branch again (a type change may empty W and H).
        FSizeEdited = false;
        if (B)
            ShowBranchInRow(Row, *B);
        if (B && OnBranchEdited)
            OnBranchEdited(B);
        if (OnChanged)
            OnChanged();
        return;
    }
    FSizeEdited = false;
    // A cell left as it showed the branch (an editor opened and closed)
    // changes nothing: its rounded text must not replace the value.
    if (!B || (Col != ColName && BranchGrid->Cell(Col, Row) == CellText(Col, *B)))
        return;
    const auto Value = [&] { return BranchGrid->GetCellValue(Col, Row).toDouble(); };
    switch (Col) {
    case ColName: {
        const QString Name = ToQ(B->Name);
        const QString Typed = BranchGrid->Cell(ColName, Row);
        if (Typed.compare(Name, Qt::CaseInsensitive) == 0) {
            BranchGrid->SetCell(ColName, Row, Name);
            return;
        }
        if (OnRenameBranch)
            OnRenameBranch(B, Typed.toStdString());
        BranchGrid->SetCell(ColName, Row, ToQ(B->Name));
        break;
    }
    case ColFlow:
        B->SetVolumeFlow(Value());
        WriteVelocity(Row, *B);
        break;
    case ColDesignFlow:
        // A terminal takes only what the solve commands can: the cell shows
        // what was taken.
        B->SetDesignFlowFromWindow(Value());
        B->MarkEdited();
        WriteCell(ColDesignFlow, Row, *B);
        break;
    case ColVelocity:
        B->SetVelocity(Value());
        break;
    case ColLength:
        B->Length = Value();
        break;
    case ColDiameter:
    case ColWidth:
    case ColHeight:
        ApplySize(*B, Col, Value());
        WriteSizes(Row, *B);
        WriteVelocity(Row, *B);
        break;
    default:
        break;
    }
    if (OnBranchEdited)
        OnBranchEdited(B);
    if (OnChanged)
        OnChanged();
}

void TTableForm::ApplySize(TDuctBranch& Branch, int Col, double Value)
{
    Tool->SetValues(Branch.Keep1, Branch.Keep2, Branch.Diameter, Branch.DuctHeight,
                    Branch.DuctWidth, Branch.Aspect);
    if (Col == ColDiameter)
        Tool->SetDiameter(Value);
    else if (Col == ColWidth)
        Tool->SetWidth(Value);
    else
        Tool->SetHeight(Value);
    int Known1 = 0, Known2 = 0;
    Tool->GetValues(Branch.Diameter, Branch.DuctHeight, Branch.DuctWidth, Branch.Aspect, Known1,
                    Known2);
    Branch.Keep1 = static_cast<std::uint8_t>(Known1);
    Branch.Keep2 = static_cast<std::uint8_t>(Known2);
    Branch.CalcArea();
    Branch.CalcDuctArea();
    Branch.CalcVelocity();
}

int TTableForm::SizeCellButton(int Col, QVariant& Value)
{
    const int Row = FSelRow;
    TDuctBranch* B = BranchAtRow(Row);
    if (!B || B->Kind != bkCommon || !CanEditCell(Col, Row) || !OnEditDuctSize)
        return 2;
    const int OldType = B->DuctType;
    double Cell = B->Diameter;
    if (OnEditDuctSize(B, Cell) != mrOk)
        return 2;
    const std::string Renamed = RenamedForDuctType(B->Name, OldType, B->DuctType);
    if (Renamed != B->Name && OnRenameBranch)
        OnRenameBranch(B, Renamed);
    if (OnRedrawBranch)
        OnRedrawBranch(B);
    ShowBranchInRow(Row, *B);
    FSizeEdited = true;
    FSizeEditedCol = Col;
    FSizeEditedRow = Row;
    Value = Col == ColWidth ? B->DuctWidth : Col == ColHeight ? B->DuctHeight : Cell;
    return 1;
}

int TTableForm::DropCellButton()
{
    TDuctBranch* B = TableBranch();
    if (B && CanEditCell(ColDrop, FSelRow) && OnOpenPressureDrop)
        OnOpenPressureDrop(B);
    // The form keeps the focus.
    return 0;
}

// ---- drawing

TTableForm::TCellLook TTableForm::CellLook(int Col, int Row) const
{
    const QPalette& P = palette();
    TCellLook Look{P.color(QPalette::Base), P.color(QPalette::Text)};
    if (Row == FSelRow) {
        if (Col != ColId)
            Look.Back = ColorFromBgr(clCurrentRow);
        if (Col == FSelCol)
            Look.Ink = ColorFromBgr(clCurrentCellText);
    }
    if (!CanEditCell(Col, Row)) {
        Look.Ink = P.color(QPalette::Disabled, QPalette::Text);
        return Look;
    }
    const TDuctBranch* B = BranchAtRow(Row);
    const TDuctBranch* Fan = FNetwork->MainFan;
    switch (Col) {
    case ColName:
        if (B->PathMark != 0)
            Look.Ink = ColorFromBgr(clIndexRun);
        break;
    case ColVelocity:
        // The ducts where the index run leaves and enters the fan.
        if (B->PathMark != 0 && Fan && (B->FromNode == Fan->ToNode || B->ToNode == Fan->FromNode))
            Look.Ink = P.color(QPalette::Link);
        break;
    case ColDiameter:
        if (B->SizeFixed)
            Look.Ink = ColorFromBgr(clFixedSize);
        break;
    case ColFlow:
        switch (FlowBand(B->VolumeFlow, B->DesignFlow, loFlowFraction, hiFlowFraction, WarnFraction)) {
        case TFlowBand::Error: Look.Ink = ColorFromBgr(clFlowError); break;
        case TFlowBand::Warning: Look.Ink = ColorFromBgr(clFlowWarning); break;
        case TFlowBand::Normal: break;
        }
        break;
    default:
        break;
    }
    return Look;
}

void TTableForm::DrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect,
                          const TxGridDrawState& State)
{
    const TCellLook Look = CellLook(Col, Row);
    const bool Current = Row == FSelRow && Col == FSelCol;
    Painter.fillRect(Rect, Look.Back);
    if (State.Selected && !Current) {
        // The other cells of a range, which Delete would take.
        QColor Range = palette().color(QPalette::Highlight);
        Range.setAlpha(60);
        Painter.fillRect(Rect, Range);
    }
    Painter.setPen(Look.Ink);
    // Numbers right-aligned, so that their digits line up down a column.
    const bool Number = Col >= ColFlow;
    Painter.drawText(Rect.adjusted(2, 2, Number ? -4 : 0, 0),
                     (Number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine,
                     BranchGrid->Cell(Col, Row));
    if (Current && BranchGrid->hasFocus()) {
        Painter.setPen(palette().color(QPalette::Highlight));
        Painter.drawRect(Rect.adjusted(0, 0, -1, -1));
    }
}

// ---- commands

void TTableForm::SortByColumn(int Col)
{
    if (Col < 0 || Col >= ColumnCount)
        return;
    BranchGrid->HideEditor();
    TDuctBranch* Current = TableBranch();
    SortAscending[Col] = !SortAscending[Col];
    if (FNetwork)
        FNetwork->SortBranches(Col, SortAscending[Col]);
    FillFromNetwork();
    if (Current)
        SetCurrentRow(FindBranchRow(Current));
}

void TTableForm::MoveBranchRow(int FromRow, int ToRow)
{
    TDuctBranch* Moved = BranchAtRow(FromRow);
    if (!Moved || FromRow == ToRow || ToRow < 1 || ToRow >= BranchGrid->RowCount())
        return;
    BranchGrid->HideEditor();
    const int From = FNetwork->BranchIndex(Moved->Id());
    int To = 0;
    if (ToRow > 1) {
        // The branch shown just above the new row, once the row has moved.
        const TDuctBranch* Above = BranchAtRow(FromRow < ToRow ? ToRow : ToRow - 1);
        if (!Above)
            return;
        To = FNetwork->BranchIndex(Above->Id());
        if (To < From)
            ++To;
    }
    FNetwork->MoveBranch(From, To);
    FillFromNetwork();
    SetCurrentRow(FindBranchRow(Moved));
}

void TTableForm::DeleteKeyPress()
{
    if (!FNetwork || BranchGrid->EditorMode() || BranchGrid->RowCount() <= 2)
        return;
    const QModelIndexList Selected = BranchGrid->selectionModel()->selectedIndexes();
    if (Selected.size() <= 1) {
        const int Row = FSelRow;
        TDuctBranch* B = BranchAtRow(Row);
        if (!B || ShowMessage(this, "Delete Row?", "Confirm", TMsgKind::Confirmation, mbYesNo) != mrYes)
            return;
        SelectBranchAtRow(Row);
        if (OnDeleteBranch)
            OnDeleteBranch(B);
        return;
    }
    std::set<int> Rows;
    for (const QModelIndex& Index : Selected)
        Rows.insert(Index.row() + BranchGrid->FixedRows());
    if (ShowMessage(this, "Delete Rows?", "Confirm", TMsgKind::Confirmation, mbYesNo) != mrYes)
        return;
    // By id: each deletion removes its row, and may remove others.
    std::vector<int> Ids;
    for (auto It = Rows.rbegin(); It != Rows.rend(); ++It)
        if (const TDuctBranch* B = BranchAtRow(*It))
            Ids.push_back(B->Id());
    for (int Id : Ids) {
        if (BranchGrid->RowCount() <= 2)
            break;
        TDuctBranch* B = FNetwork->DuctBranch(Id);
        const int Row = FindBranchRow(B);
        if (Row < 1)
            continue;
        SelectBranchAtRow(Row);
        if (OnDeleteBranch)
            OnDeleteBranch(B);
    }
}

void TTableForm::EditBranchClick()
{
    if (TDuctBranch* B = TableBranch(); B && OnEditBranch)
        OnEditBranch(B);
}

void TTableForm::DeleteBranchClick()
{
    if (TDuctBranch* B = TableBranch(); B && OnDeleteBranch)
        OnDeleteBranch(B);
}

void TTableForm::CompactClick()
{
    Compact = !Compact;
    ApplyCompactWidth();
}

void TTableForm::ApplyCompactWidth()
{
    const QScrollBar* Bar = BranchGrid->verticalScrollBar();
    // What the window adds to the columns: its margins, the grid's frame
    // and the scroll bar.
    const int Allowance = width() - BranchGrid->width() + 2 * BranchGrid->frameWidth() +
                          (Bar->isVisible() ? Bar->width() : 0);
    int Columns = BranchGrid->ColWidth(ColId) + BranchGrid->ColWidth(ColName);
    if (!Compact)
        for (int Col = ColFlow; Col < ColumnCount; ++Col)
            Columns += BranchGrid->ColWidth(Col);
    resize(Allowance + Columns, height());
}

void TTableForm::CopyTextClick()
{
    CopyGridToClipboard(*BranchGrid, "\t");
}

void TTableForm::CopyCsvClick()
{
    CopyGridToClipboard(*BranchGrid, ",");
}

void TTableForm::ShowPopupMenu(const QPoint& GlobalPos)
{
    TDuctBranch* B = TableBranch();
    QMenu Menu(this);
    QAction* Name = Menu.addAction(B ? ToQ(B->Name) : QString());
    QFont Bold = Name->font();
    Bold.setBold(true);
    Name->setFont(Bold);
    QAction* NameSeparator = Menu.addSeparator();
    Name->setVisible(B != nullptr);
    NameSeparator->setVisible(B != nullptr);
    QAction* Edit = Menu.addAction("Edit Branch");
    QAction* Delete = Menu.addAction("Delete Branch");
    Edit->setEnabled(B != nullptr);
    Delete->setEnabled(B != nullptr);
    Menu.addSeparator();
    QAction* CompactItem = Menu.addAction("Compact");
    CompactItem->setCheckable(true);
    CompactItem->setChecked(Compact);
    Menu.addSeparator();
    QAction* CopyText = Menu.addAction("Copy Text");
    QAction* CopyCsv = Menu.addAction("Copy CSV");
    QAction* Chosen = UiServices().PopupMenu(Menu, GlobalPos);
    if (Chosen == Edit)
        EditBranchClick();
    else if (Chosen == Delete)
        DeleteBranchClick();
    else if (Chosen == CompactItem)
        CompactClick();
    else if (Chosen == CopyText)
        CopyTextClick();
    else if (Chosen == CopyCsv)
        CopyCsvClick();
}

// ---- settings

void TTableForm::LoadSettings()
{
    const std::string Section = FormSection(this);
    RestoreFormPlacement(Store, this, false, true);
    for (int Col = 0; Col < ColumnCount; ++Col) {
        const int Width =
            Store.ReadInteger(Section, "BranchGridCol" + std::to_string(Col), BranchGrid->ColWidth(Col));
        if (Width > 0)
            BranchGrid->SetColWidth(Col, Width);
    }
    const int Width = Store.ReadInteger(Section, "TableWidth", width());
    if (Width > 0)
        resize(Width, height());
    Compact = Store.ReadBool(Section, "CompactTable", Compact);
    clCurrentRow = ReadColour(Store, Section, "clCurrentRow", clCurrentRow);
    clCurrentCellText = ReadColour(Store, Section, "clCurrentCellText", clCurrentCellText);
    clFixedSize = ReadColour(Store, Section, "clFixedSize", clFixedSize);
    clIndexRun = ReadColour(Store, Section, "clIndexRun", clIndexRun);
    clFlowError = ReadColour(Store, Section, "clFlowError", clFlowError);
    clFlowWarning = ReadColour(Store, Section, "clFlowWarning", clFlowWarning);
    loFlowFraction = ReadFraction(Store, Section, "loFlowFraction", loFlowFraction);
    hiFlowFraction = ReadFraction(Store, Section, "hiFlowFraction", hiFlowFraction);
    WarnFraction = ReadFraction(Store, Section, "WarnFraction", WarnFraction);
}

void TTableForm::SaveSettings()
{
    const std::string Section = FormSection(this);
    for (int Col = 0; Col < ColumnCount; ++Col)
        Store.WriteInteger(Section, "BranchGridCol" + std::to_string(Col), BranchGrid->ColWidth(Col));
    Store.WriteInteger(Section, "TableWidth", width());
    Store.WriteBool(Section, "CompactTable", Compact);
    Store.WriteInteger(Section, "clCurrentRow", clCurrentRow & 0xFFFFFF);
    Store.WriteInteger(Section, "clCurrentCellText", clCurrentCellText & 0xFFFFFF);
    Store.WriteInteger(Section, "clFixedSize", clFixedSize & 0xFFFFFF);
    Store.WriteInteger(Section, "clIndexRun", clIndexRun & 0xFFFFFF);
    Store.WriteInteger(Section, "clFlowError", clFlowError & 0xFFFFFF);
    Store.WriteInteger(Section, "clFlowWarning", clFlowWarning & 0xFFFFFF);
    Store.WriteFloat(Section, "loFlowFraction", loFlowFraction);
    Store.WriteFloat(Section, "hiFlowFraction", hiFlowFraction);
    Store.WriteFloat(Section, "WarnFraction", WarnFraction);
    SaveFormPlacement(Store, this);
}

// ---- window events

void TTableForm::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() != QEvent::ActivationChange)
        return;
    GuardedCall(this, [this] {
        if (isActiveWindow()) {
            if (Compact)
                ApplyCompactWidth();
            return;
        }
        BranchGrid->HideEditor();
        if (OnDeactivate)
            OnDeactivate();
        SaveSettings();
    });
}

bool TTableForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == BranchGrid && Event->type() == QEvent::ContextMenu) {
        // The menu key: the menu opens at the current cell.
        const QRect Cell = BranchGrid->CellRect(BranchGrid->Col(), BranchGrid->Row());
        const QPoint At = BranchGrid->viewport()->mapToGlobal(Cell.isEmpty() ? QPoint() : Cell.center());
        GuardedCall(this, [&] { ShowPopupMenu(At); });
        return true;
    }
    if (Watched == BranchGrid && Event->type() == QEvent::KeyPress) {
        const auto* Key = static_cast<QKeyEvent*>(Event);
        if (Key->key() == Qt::Key_Delete && Key->modifiers() == Qt::NoModifier &&
            !BranchGrid->EditorMode()) {
            GuardedCall(this, [this] { DeleteKeyPress(); });
            return true;
        }
    } else if (Watched == BranchGrid->viewport()) {
        if (Event->type() == QEvent::MouseButtonDblClick) {
            const auto* Mouse = static_cast<QMouseEvent*>(Event);
            int Col = 0, Row = 0;
            if (Mouse->button() == Qt::LeftButton &&
                BranchGrid->MouseToCell(Mouse->position().toPoint(), Col, Row))
                GuardedCall(this, [this] { EditBranchClick(); });
            return true;
        }
        if (Event->type() == QEvent::ContextMenu) {
            const QPoint At = static_cast<QContextMenuEvent*>(Event)->globalPos();
            GuardedCall(this, [&] { ShowPopupMenu(At); });
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}
