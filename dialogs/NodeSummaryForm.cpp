#include "dialogs/NodeSummaryForm.h"

#include "controls/ColGrid.h"
#include "controls/CopyGridToClipboard.h"
#include "controls/EditFieldUnits.h"
#include "controls/GuardedCall.h"
#include "dialogs/GridIdHeader.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int ColId = 0;
constexpr int ColPressure = 2;
// Unit index of utAirPressDrop in which relative pressures are held (Pa).
constexpr int PascalUnit = 1;

// Colours are stored in the 0x00BBGGRR order of the other tables.
int ColorValue(const QColor& Color)
{
    return Color.red() | (Color.green() << 8) | (Color.blue() << 16);
}

QColor ColorFromValue(int Value)
{
    return QColor(Value & 0xFF, (Value >> 8) & 0xFF, (Value >> 16) & 0xFF);
}

} // namespace

TNodeSummaryForm::TNodeSummaryForm(TDuctGraph& Graph, TSettingsStore& SettingsStore, QWidget* Parent)
    : QDialog(Parent), FGraph(&Graph), Store(SettingsStore)
{
    setObjectName("NodeSummaryForm");
    setWindowTitle("Nodes");

    NodeGrid = new TxColGrid(this);
    NodeGrid->SetOptions(xgoFixedVertLine | xgoFixedHorzLine | xgoVertLine | xgoHorzLine |
                         xgoRangeSelect | xgoColSizing);
    NodeGrid->SetDefaultColFormatStr("%S");
    NodeGrid->SetFieldDefs({";;;;;", "Caption; %s; ; ;", "Rel Press,Pa; %0.1f; ; NPE; 0; 0",
                            "Type; enum; ; "});
    NodeGrid->SetUnits(ColPressure, utAirPressDrop, 1.0, 0.0, ft_Fixed, PascalUnit, PascalUnit);
    NodeGrid->SetEnumStrings(3, {NodeTypeText(ntCommon), NodeTypeText(ntOutlet),
                                 NodeTypeText(ntInlet), NodeTypeText(ntSink)});
    NodeGrid->SetFieldEditable(3, false);

    // Rows as low as the font allows, so that the ids beside them line up
    // with the cells' text.
    NodeGrid->SetDefaultRowHeight(NodeGrid->fontMetrics().height() + 4);
    TGridIdHeader* Ids = InstallGridIdHeader(NodeGrid, CurrentRow);
    Ids->setDefaultSectionSize(NodeGrid->DefaultRowHeight());
    NodeGrid->SetColWidth(ColId, 35);
    NodeGrid->SetColWidth(1, 150);
    NodeGrid->SetColWidth(2, 90);
    NodeGrid->SetColWidth(3, 80);

    // The pressure column's units change on a right click on its heading;
    // a left click on any heading sorts.
    NodeGrid->UnitsEditProc = [this](TxFieldGrid* Grid, int Index, int X, int Y, TField* Field) {
        if (!FRightHeadingClick)
            return;
        FRightHeadingClick = false;
        EditFieldUnits(Grid, Index, X, Y, Field);
    };
    NodeGrid->horizontalHeader()->viewport()->installEventFilter(this);
    connect(NodeGrid->horizontalHeader(), &QHeaderView::sectionPressed, this, [this](int Section) {
        FRightHeadingClick = false;
        GuardedCall(this, [&] { SortByColumn(Section + NodeGrid->FixedCols()); });
    });
    if (QAbstractButton* Corner = GridCornerButton(NodeGrid)) {
        NodeGrid->setCornerButtonEnabled(true);
        disconnect(Corner, nullptr, NodeGrid, nullptr); // no select-all: it sorts by id
        connect(Corner, &QAbstractButton::pressed, this,
                [this] { GuardedCall(this, [this] { SortByColumn(ColId); }); });
    }
    connect(Ids, &QHeaderView::sectionDoubleClicked, this, [this](int Section) {
        GuardedCall(this, [&] { PickRow(Section + NodeGrid->FixedRows()); });
    });
    NodeGrid->viewport()->installEventFilter(this);
    NodeGrid->OnSelectCell = [this](TxStringGrid*, int, int Row, bool&) {
        CurrentRow = Row;
        NodeGrid->viewport()->update();
        NodeGrid->verticalHeader()->viewport()->update();
    };
    NodeGrid->OnDrawCell = [this](TxStringGrid*, QPainter& Painter, int Col, int Row,
                                  const QRect& Rect, const TxGridDrawState&) {
        if (Row == CurrentRow)
            NodeGridDrawCell(Painter, Col, Row, Rect);
    };

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(NodeGrid);
    resize(380, 420);
    CurrentRowColor = ColorFromValue(DefaultCurrentRowColor);
    LoadSettings();
}

void TNodeSummaryForm::Refill()
{
    PickedBranch = nullptr;
    NodeGrid->HideEditor();
    int Count = 0;
    for (const auto& N : FGraph->Nodes())
        Count += N->IsActive() ? 1 : 0;
    NodeGrid->BeginUpdate();
    NodeGrid->SetRowCount(std::max(2, Count + 1));
    if (Count == 0)
        for (int Col = 0; Col < NodeGrid->ColCount(); ++Col)
            NodeGrid->SetCell(Col, 1, QString());
    int Row = 1;
    for (const auto& Item : FGraph->Nodes()) {
        if (!Item->IsActive())
            continue;
        const auto& N = static_cast<const TFlowNode&>(*Item);
        NodeGrid->SetCell(ColId, Row, QString::number(N.Id()));
        NodeGrid->SetCell(1, Row, ToQ(N.Name));
        NodeGrid->SetCellValue(ColPressure, Row, N.RelPressure);
        NodeGrid->SetCell(3, Row, NodeTypeText(N.NodeType));
        ++Row;
    }
    NodeGrid->EndUpdate();
    CurrentRow = NodeGrid->Row();
}

void TNodeSummaryForm::SortByColumn(int Col)
{
    if (Col < 0 || Col >= ColumnCount)
        return;
    NodeGrid->HideEditor();
    SortDescending[Col] = !SortDescending[Col];
    FGraph->SortNodes(Col, !SortDescending[Col]);
    Refill();
}

void TNodeSummaryForm::PickRow(int Row)
{
    if (Row < 1 || Row >= NodeGrid->RowCount())
        return;
    bool IsId = false;
    const int Id = NodeGrid->Cell(ColId, Row).toInt(&IsId);
    const TNode* Node = IsId ? FGraph->FindNode(Id) : nullptr;
    if (!Node)
        return;
    PickedBranch = Node->Links.empty() ? nullptr : dynamic_cast<TDuctBranch*>(Node->Links.front().Branch);
    done(mrOk);
}

void TNodeSummaryForm::NodeGridDrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect)
{
    if (Col == ColId)
        return; // the bold id is the row heading's
    Painter.fillRect(Rect, CurrentRowColor);
    Painter.setPen(palette().color(QPalette::Text));
    Painter.drawText(Rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     NodeGrid->Cell(Col, Row));
}

void TNodeSummaryForm::Copytext1Click()
{
    CopyGridToClipboard(*NodeGrid, "\t");
}

void TNodeSummaryForm::CopyCSV1Click()
{
    CopyGridToClipboard(*NodeGrid, ",");
}

void TNodeSummaryForm::ShowPopupMenu(const QPoint& GlobalPos)
{
    QMenu Menu(this);
    QAction* CopyText = Menu.addAction("Copy Text");
    QAction* CopyCsv = Menu.addAction("Copy CSV");
    QAction* Chosen = UiServices().PopupMenu(Menu, GlobalPos);
    if (Chosen == CopyText)
        Copytext1Click();
    else if (Chosen == CopyCsv)
        CopyCSV1Click();
}

bool TNodeSummaryForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == NodeGrid->viewport()) {
        if (Event->type() == QEvent::MouseButtonDblClick) {
            const auto* Mouse = static_cast<QMouseEvent*>(Event);
            int Col = 0, Row = 0;
            if (Mouse->button() == Qt::LeftButton) {
                const bool OnCell = NodeGrid->MouseToCell(Mouse->position().toPoint(), Col, Row);
                GuardedCall(this, [&] {
                    if (OnCell)
                        PickRow(Row);
                });
            }
            return true;
        }
        if (Event->type() == QEvent::ContextMenu) {
            const QPoint At = static_cast<QContextMenuEvent*>(Event)->globalPos();
            GuardedCall(this, [&] { ShowPopupMenu(At); });
            return true;
        }
    } else if (Watched == NodeGrid->horizontalHeader()->viewport() &&
               Event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(Event)->button() == Qt::RightButton) {
        FRightHeadingClick = true;
    }
    return QDialog::eventFilter(Watched, Event);
}

void TNodeSummaryForm::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    GuardedCall(this, [this] { Refill(); });
}

void TNodeSummaryForm::done(int Result)
{
    GuardedCall(this, [this] { SaveSettings(); });
    QDialog::done(Result);
}

void TNodeSummaryForm::LoadSettings()
{
    const std::string Section = FormSection(this);
    RestoreFormPlacement(Store, this, false, true);
    for (int Col = 0; Col < NodeGrid->ColCount(); ++Col) {
        const int Width =
            Store.ReadInteger(Section, "NodeGridCol" + std::to_string(Col), NodeGrid->ColWidth(Col));
        if (Width > 0)
            NodeGrid->SetColWidth(Col, Width);
    }
    const int Width = Store.ReadInteger(Section, "TableWidth", width());
    if (Width > 0)
        resize(Width, height());
    CurrentRowColor = ColorFromValue(
        Store.ReadInteger(Section, "clCurrentRow", ColorValue(CurrentRowColor)));
}

void TNodeSummaryForm::SaveSettings()
{
    const std::string Section = FormSection(this);
    for (int Col = 0; Col < NodeGrid->ColCount(); ++Col)
        Store.WriteInteger(Section, "NodeGridCol" + std::to_string(Col), NodeGrid->ColWidth(Col));
    Store.WriteInteger(Section, "TableWidth", width());
    Store.WriteInteger(Section, "clCurrentRow", ColorValue(CurrentRowColor));
    SaveFormPlacement(Store, this);
}
