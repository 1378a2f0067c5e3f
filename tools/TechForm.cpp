#include "tools/TechForm.h"

#include "controls/EntryGrid.h"
#include "controls/GuardedCall.h"
#include "tools/PanelStatusBar.h"
#include "tools/XmlClipText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The window grows by this when its grid needs a scroll bar.
constexpr int ScrollBarAllowance = 19;
constexpr int MaxAlignedHeight = 400;

QToolButton* MakeButton(QWidget* Parent, QAction* Action, const char* Name)
{
    auto* Button = new QToolButton(Parent);
    Button->setObjectName(Name);
    Button->setDefaultAction(Action);
    Button->setAutoRaise(true);
    Button->setIconSize(QSize(16, 16));
    Button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Button->setFocusPolicy(Qt::NoFocus);
    return Button;
}

} // namespace

TTechForm::TTechForm(QWidget* Parent) : TRootForm(Parent)
{
    setMinimumSize(120, 120);

    Grid = new TEntryGrid(this);
    Grid->setObjectName("Grid");
    Grid->SetFixedCols(0);
    Grid->SetColCount(3);
    Grid->SetColWidth(0, 90);
    Grid->SetColWidth(1, 60);
    Grid->SetColWidth(2, 50);
    Grid->Delim = ";";
    Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    OpenAction = EventAction("&Open", TToolGlyph::Open, &TTechForm::OnOpen);
    SaveAction = EventAction("&Save", TToolGlyph::Save, &TTechForm::OnSave);
    SaveAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    CopyAction = EventAction("&Copy", TToolGlyph::Copy, &TTechForm::OnCopy);
    PasteAction = EventAction("&Paste", TToolGlyph::Paste, &TTechForm::OnPaste);
    SolveAction = EventAction("S&olve", TToolGlyph::Solve, &TTechForm::OnSolve);
    SolveAction->setShortcut(QKeySequence(Qt::Key_F9));
    ViewAction = EventAction("&View", TToolGlyph::View, &TTechForm::OnView);
    PrintAction = EventAction("&Print", TToolGlyph::Print, &TTechForm::OnPrint);
    AlignAction = MakeAction("&Align", TToolGlyph::Align, [this] { Align(); });
    ResetAction = EventAction("&Reset", TToolGlyph::Reset, &TTechForm::OnReset);
    AboutAction = EventAction("&About", TToolGlyph::About, &TTechForm::OnAbout);
    HelpAction = EventAction("&Help", TToolGlyph::Help, &TTechForm::OnHelp);
    AcceptAction = MakeAction("&Accept", TToolGlyph::Accept, [this] { AcceptActionExecute(); });
    CancelAction = MakeAction("&Cancel", TToolGlyph::Cancel, [this] { CancelActionExecute(); });

    // Two rows: the row breaks after the print button.
    ToolBar1 = new QWidget(this);
    ToolBar1->setObjectName("ToolBar1");
    auto* Rows = new QVBoxLayout(ToolBar1);
    Rows->setContentsMargins(1, 1, 1, 1);
    Rows->setSpacing(0);
    auto* Row1 = new QHBoxLayout;
    auto* Row2 = new QHBoxLayout;
    for (QHBoxLayout* Row : {Row1, Row2}) {
        Row->setSpacing(0);
        Rows->addLayout(Row);
    }
    ButtonOpen = MakeButton(ToolBar1, OpenAction, "ButtonOpen");
    ButtonSave = MakeButton(ToolBar1, SaveAction, "ButtonSave");
    ButtonCopy = MakeButton(ToolBar1, CopyAction, "ButtonCopy");
    ButtonPaste = MakeButton(ToolBar1, PasteAction, "ButtonPaste");
    ButtonSolve = MakeButton(ToolBar1, SolveAction, "ButtonSolve");
    ButtonView = MakeButton(ToolBar1, ViewAction, "ButtonView");
    ButtonPrint = MakeButton(ToolBar1, PrintAction, "ButtonPrint");
    ButtonAlign = MakeButton(ToolBar1, AlignAction, "ButtonAlign");
    ButtonReset = MakeButton(ToolBar1, ResetAction, "ButtonReset");
    ButtonAbout = MakeButton(ToolBar1, AboutAction, "ButtonAbout");
    ButtonHelp = MakeButton(ToolBar1, HelpAction, "ButtonHelp");
    ButtonCancel = MakeButton(ToolBar1, CancelAction, "ButtonCancel");
    ButtonAccept = MakeButton(ToolBar1, AcceptAction, "ButtonAccept");
    for (QToolButton* B : {ButtonOpen, ButtonSave, ButtonCopy, ButtonPaste, ButtonSolve, ButtonView,
                           ButtonPrint})
        Row1->addWidget(B);
    for (QToolButton* B : {ButtonAlign, ButtonReset, ButtonAbout, ButtonHelp, ButtonCancel,
                           ButtonAccept})
        Row2->addWidget(B);
    Row1->addStretch(1);
    Row2->addStretch(1);
    ButtonReset->hide();
    ButtonAbout->hide();

    StatusBar1 = new TPanelStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->SetPanels({80, 130, 130});
    StatusBar1->SetPanelText(0, "Status");

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(1);
    Layout->addWidget(ToolBar1);
    Layout->addWidget(Grid, 1);
    Layout->addWidget(StatusBar1);

    PopupMenu1 = new QMenu(this);
    CopyXmlItem = PopupMenu1->addAction("Copy to XML");
    connect(CopyXmlItem, &QAction::triggered, this, [this] { GuardedCall(this, [this] { CopyToXml(); }); });
    ActionClip = PopupMenu1->addAction("Clip screen");
    ActionClip->setObjectName("ActionClip");
    connect(ActionClip, &QAction::triggered, this,
            [this] { GuardedCall(this, [this] { ClipScreenAction(); }); });
}

QAction* TTechForm::MakeAction(const QString& Caption, TToolGlyph Glyph, std::function<void()> Run)
{
    auto* Action = new QAction(ToolGlyph(Glyph), Caption, this);
    Action->setToolTip(QString(Caption).remove('&'));
    Action->setShortcutContext(Qt::WindowShortcut);
    addAction(Action);
    connect(Action, &QAction::triggered, this, [this, Run = std::move(Run)] { GuardedCall(this, Run); });
    return Action;
}

QAction* TTechForm::EventAction(const QString& Caption, TToolGlyph Glyph, TTechEvent TTechForm::*Event)
{
    return MakeAction(Caption, Glyph, [this, Event] {
        if (const TTechEvent& Handler = this->*Event)
            Handler(this);
    });
}

void TTechForm::SetLines(const QStringList& Lines)
{
    Grid->SetLines(Lines);
    FLineCount = std::max(0, static_cast<int>(Lines.size()) - 1);
}

void TTechForm::SetData(const std::vector<QVariant>& Values)
{
    if (static_cast<int>(Values.size()) != FLineCount)
        OwnMessage("DataCount<>LineCount", TMsgKind::Error);
    const int Count = std::min(static_cast<int>(Values.size()), FLineCount);
    for (int I = 0; I < Count; ++I)
        Grid->SetValue(1, I + 1, Values[static_cast<std::size_t>(I)]);
}

double TTechForm::GetValue(int Line) const
{
    return Grid->GetValue(1, Line).toDouble();
}

bool TTechForm::GetLineEnabled(int Line) const
{
    return Grid->GetRowEnabled(Line);
}

void TTechForm::SetLineEnabled(int Line, bool Enabled)
{
    Grid->SetRowEnabled(Line, Enabled);
}

void TTechForm::CommitGrid()
{
    Grid->HideEditor();
}

void TTechForm::AcceptActionExecute()
{
    CommitGrid();
    SetModalResult(mrOk);
}

void TTechForm::CancelActionExecute()
{
    SetModalResult(mrCancel);
}

void TTechForm::FormDeactivate()
{
    CommitGrid();
}

void TTechForm::Align()
{
    const QFontMetrics Metrics(Grid->font());
    int ColumnsWidth = 0;
    for (int Col = 0; Col < Grid->ColCount(); ++Col) {
        int Widest = 50;
        for (int Row = 0; Row < Grid->RowCount(); ++Row)
            Widest = std::max(Widest, Metrics.horizontalAdvance(Grid->Cell(Col, Row)));
        const int Width = Col == 0 ? std::max(Widest + 10, 90)
                          : Col == 1 ? std::max(Widest + 25, 60)
                                     : Widest + 15;
        Grid->SetColWidth(Col, Width);
        ColumnsWidth += Width;
    }
    if (layout())
        layout()->activate();
    // What lies around the cells: the window's other parts and the grid's frame.
    const int Frame = 2 * Grid->frameWidth();
    int Width = width() - Grid->width() + Frame + ColumnsWidth;
    int Height = height() - Grid->height() + Frame + Grid->RowCount() * Grid->DefaultRowHeight();
    const bool Scrolls = Height > MaxAlignedHeight;
    if (Scrolls) {
        Height = MaxAlignedHeight;
        Width += ScrollBarAllowance;
    }
    Grid->setVerticalScrollBarPolicy(Scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    resize(Width, Height);
}

QString TTechForm::XmlText() const
{
    const QString End = XmlLineEnd;
    QString Text = "<?xml version=\"1.0\"?>" + End +
                   "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                   "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">" +
                   End;
    const QString Root = XmlElementName(Grid->Cell(1, 1));
    Text += "<" + Root + ">" + End;
    for (int Line = 2; Line < Grid->RowCount(); ++Line) {
        const QString Name = XmlElementName(Grid->Cell(0, Line));
        Text += "  <" + Name + " Units=\"" + XmlEscaped(Grid->Cell(2, Line)) + "\">" +
                XmlEscaped(Grid->Cell(1, Line)) + "</" + Name + ">" + End;
    }
    Text += "</" + Root + ">" + End;
    return Text;
}

void TTechForm::CopyToXml()
{
    QApplication::clipboard()->setText(XmlText());
}

void TTechForm::ShowPopupMenu(const QPoint& GlobalPos)
{
    UiServices().PopupMenu(*PopupMenu1, GlobalPos);
}

void TTechForm::contextMenuEvent(QContextMenuEvent* Event)
{
    // A click in the units column changes the line's units instead.
    const QPoint At = Grid->viewport()->mapFromGlobal(Event->globalPos());
    int Col = 0, Row = 0;
    if (Grid->viewport()->rect().contains(At) && Grid->MouseToCell(At, Col, Row) &&
        Col == Grid->UnitsCol && Row >= 1 && Grid->GetUnitsEditable(Row)) {
        Event->accept();
        return;
    }
    Event->accept();
    ShowPopupMenu(Event->globalPos());
}
