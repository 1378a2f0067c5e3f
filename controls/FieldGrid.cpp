#include "controls/FieldGrid.h"

#include "controls/GridPictures.h"
#include "controls/GuardedCall.h"
#include "controls/InplaceEdit.h"
#include "controls/UiServices.h"
#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"
#include "platform/QtText.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

// A value handed to a number cell: numbers as they are, texts read the way
// a user's entry is (EConvertError when they are no number).
double NumberOf(const QVariant& V)
{
    if (V.typeId() == QMetaType::QString)
        return StrToFloat(CleanNumberText(V.toString().toStdString()));
    return V.toDouble();
}

// A number as it stands in a cell, without the cleaning of typed entries, so
// that an empty cell stays empty when painted.
bool ReadCellNumber(const QString& Text, double& X)
{
    return TryStrToFloat(Text.trimmed().toStdString(), X);
}

// A field whose cells hold one number (a pair field's hold two).
bool IsSingleNumberField(const TField& F)
{
    return dynamic_cast<const TNumField*>(&F) && !dynamic_cast<const TDelimNumField*>(&F);
}

} // namespace

TxFieldGrid::TxFieldGrid(QWidget* Parent) : TxStringGrid(Parent)
{
    FColorEditCol = palette().color(QPalette::Base);
    ColorEditMode = FColorEditCol;
    ColorEditModeText = palette().color(QPalette::Text);

    FPullDownButton = MakeButton("PULLDNPIC");
    FSpinUp = MakeButton("SPINUPPIC");
    FSpinDown = MakeButton("SPINDNPIC");
    FPropButton = MakeButton("PROPEDPIC");
    connect(FPullDownButton, &QToolButton::clicked, this, [this] { ShowPullDown(); });
    connect(FSpinUp, &QToolButton::clicked, this, [this] { GuardedCall(this, [this] { Spin(true); }); });
    connect(FSpinDown, &QToolButton::clicked, this,
            [this] { GuardedCall(this, [this] { Spin(false); }); });
    connect(FPropButton, &QToolButton::clicked, this, [this] { RunPropEditor(); });

    FCheckBox = new QCheckBox(viewport());
    FCheckBox->setFocusPolicy(Qt::NoFocus);
    FCheckBox->setAutoFillBackground(true);
    FCheckBox->hide();
    connect(FCheckBox, &QCheckBox::toggled, this, [this](bool Checked) {
        if (!FShowingEditors && ChangeableField(Col(), Row()))
            GuardedCall(this, [&] { StoreValue(Col(), Row(), Checked); });
    });

    FList = new QListWidget(this);
    FList->setWindowFlags(Qt::Popup);
    FList->setFrameShape(QFrame::NoFrame);
    FList->setUniformItemSizes(true);
    FList->installEventFilter(this);
    connect(FList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* Item) { PickFromList(FList->row(Item)); });
}

TxFieldGrid::~TxFieldGrid()
{
    // The list may still be open; its hiding must not reach a grid that is
    // going away.
    FList->removeEventFilter(this);
}

QToolButton* TxFieldGrid::MakeButton(const QString& Picture)
{
    auto* Button = new QToolButton(viewport());
    Button->setIcon(GridPicture(Picture, palette().color(QPalette::ButtonText)));
    Button->setIconSize({GridPictureSize, GridPictureSize});
    Button->setFocusPolicy(Qt::NoFocus);
    Button->hide();
    return Button;
}

void TxFieldGrid::SetColorEditCol(const QColor& Color)
{
    FColorEditCol = Color;
    viewport()->update();
}

TField* TxFieldGrid::Field(int Index) const
{
    return Index >= 0 && Index < FieldCount() ? FFields[Index].get() : nullptr;
}

TField* TxFieldGrid::ValueField(int Col, int Row) const
{
    return IsValueCell(Col, Row) ? LineField(Col, Row) : nullptr;
}

TField* TxFieldGrid::ChangeableField(int Col, int Row) const
{
    TField* F = ValueField(Col, Row);
    return F && F->Enabled && F->Editable ? F : nullptr;
}

void TxFieldGrid::SetPickedUnits(int Index, int UnitIndex)
{
    auto* N = dynamic_cast<TNumField*>(Field(Index));
    if (!N)
        return;
    N->UnitsValue = ClampUnitIndex(N->UnitsType, UnitIndex);
    ReapplyUnits(Index);
}

// ---- values ----

QVariant TxFieldGrid::FieldValue(const TField& F, const QString& Text) const
{
    if (const auto* P = dynamic_cast<const TDelimNumField*>(&F)) {
        const QString T = Text.trimmed().isEmpty() ? QString("0.0/0.0") : Text;
        double A = 0, B = 0;
        bool IsPair = false;
        if (!P->ReadHeldPair(T, A, B, IsPair))
            throw EConvertError("'" + T.toStdString() + "' is not a valid floating point value");
        // Held values keep every digit: the shown format suits the display
        // unit, not the held one.
        if (IsPair)
            return ToQ(FloatToStr(A) + "/" + FloatToStr(B));
        return ToQ(FloatToStr(A));
    }
    if (const auto* N = dynamic_cast<const TNumField*>(&F)) {
        double Held = 0;
        if (!N->ReadHeld(Text, Held))
            throw EConvertError("'" + Text.toStdString() + "' is not a valid floating point value");
        if (N->FormatKind() == TFormatKind::Integer && std::fabs(Held) < 9e18)
            return QVariant::fromValue<qlonglong>(std::llround(Held));
        return Held;
    }
    if (const auto* E = dynamic_cast<const TEnumField*>(&F))
        return static_cast<int>(E->Items.indexOf(Text));
    if (dynamic_cast<const TBoolField*>(&F))
        return Text == TBoolField::CheckedText;
    return Text;
}

bool TxFieldGrid::FieldText(const TField& F, const QVariant& V, QString& Text) const
{
    if (const auto* P = dynamic_cast<const TDelimNumField*>(&F)) {
        double A = 0, B = 0;
        if (V.typeId() == QMetaType::QString && V.toString().contains('/')) {
            SplitSlashPair(CleanNumberText(V.toString().toStdString()), A, B);
            Text = P->DisplayPairText(A, B);
        } else {
            Text = FormatDisplayNumber(P->FormatStr().section('/', 0, 0), P->FormatType, P->SigDigs,
                                       P->Decimals(), P->ToDisplay(NumberOf(V)));
        }
        return true;
    }
    if (const auto* N = dynamic_cast<const TNumField*>(&F)) {
        Text = N->DisplayText(NumberOf(V));
        return true;
    }
    if (const auto* E = dynamic_cast<const TEnumField*>(&F)) {
        bool Ok = false;
        const int Index = V.toInt(&Ok);
        if (!Ok || Index < 0 || Index >= E->Items.size())
            return false;
        Text = E->Items[Index];
        return true;
    }
    if (dynamic_cast<const TBoolField*>(&F)) {
        Text = V.toBool() ? TBoolField::CheckedText : TBoolField::UncheckedText;
        return true;
    }
    if (F.FormatKind() == TFormatKind::Text)
        Text = FormatText(F.FormatStr(), V.toString());
    else
        Text = FormatDisplayNumber(F.FormatStr(), ft_Fixed, 5,
                                   FormatDecimals(F.FormatStr().toStdString()), NumberOf(V));
    return true;
}

QString TxFieldGrid::ShownText(const TField& F, const QString& Text) const
{
    const auto* N = dynamic_cast<const TNumField*>(&F);
    if (!N || Text.isEmpty())
        return Text;
    double A = 0, B = 0;
    if (dynamic_cast<const TDelimNumField*>(&F)) {
        if (!Text.contains('/'))
            return ReadCellNumber(Text, A) ? ToQ(FormatFloat(F.FormatStr().section('/', 0, 0).toStdString(), A))
                                           : Text;
        if (!ReadCellNumber(Text.section('/', 0, 0), A) || !ReadCellNumber(Text.section('/', 1), B))
            return Text;
        return ToQ(FormatValuePair(F.FormatStr().toStdString(), A, B));
    }
    if (!ReadCellNumber(Text, A))
        return Text;
    return FormatDisplayNumber(F.FormatStr(), N->FormatType, N->SigDigs, N->Decimals(), A);
}

void TxFieldGrid::StoreValue(int Col, int Row, const QVariant& V)
{
    const TField* F = ValueField(Col, Row);
    QString Text;
    if (!F || !FieldText(*F, V, Text))
        return;
    PutCell(F, Col, Row, Text, V);
    SetData(Col, Row);
}

QVariant TxFieldGrid::ReadCellValue(int Col, int Row) const
{
    const TField* F = ValueField(Col, Row);
    if (!F)
        return Cell(Col, Row);
    // A number written by the program reads back whole: its text is
    // rounded to the shown unit's format.
    const double Held = CellHeld(Col, Row);
    if (std::isfinite(Held) && IsSingleNumberField(*F)) {
        if (F->FormatKind() == TFormatKind::Integer && std::fabs(Held) < 9e18)
            return QVariant::fromValue<qlonglong>(std::llround(Held));
        return Held;
    }
    return FieldValue(*F, Cell(Col, Row));
}

void TxFieldGrid::WriteCellValue(int Col, int Row, const QVariant& V)
{
    const TField* F = ValueField(Col, Row);
    QString Text = V.toString();
    if (F && !FieldText(*F, V, Text))
        return;
    PutCell(F, Col, Row, Text, V);
}

void TxFieldGrid::PutCell(const TField* F, int Col, int Row, const QString& Text, const QVariant& V)
{
    const double Held = F && IsSingleNumberField(*F) ? NumberOf(V) : std::nan("");
    if (std::isfinite(Held))
        SetCellHeld(Col, Row, Text, Held);
    else
        SetCell(Col, Row, Text);
}

// ---- row and column operations ----

void TxFieldGrid::SetPropEditor(int Index, const TPropEditHandler& Handler)
{
    const char* Action = "Error setting property editor, ";
    auto& F = IndexFieldAs<TField>(Index, Action);
    // Lists and checks have editors of their own.
    if (dynamic_cast<TEnumField*>(&F) || dynamic_cast<TBoolField*>(&F))
        throw EFieldError(Action + (IndexName() + IntToStr(Index)));
    F.EditorKind = ekPropEditor;
    F.PropEditor = Handler;
    RefreshEditors();
}

void TxFieldGrid::SetEnumStrings(int Index, const QStringList& Items)
{
    IndexFieldAs<TEnumField>(Index, "Error setting enum strings, ").Items = Items;
    viewport()->update();
}

void TxFieldGrid::SetIndexEnabled(int Index, bool Enabled)
{
    IndexFieldAs<TField>(Index, "Error setting enabled ").Enabled = Enabled;
    if (!Enabled && IsPendingIndex(Index))
        DropPendingCell();
    RefreshEditors();
    viewport()->update();
}

void TxFieldGrid::SetIndexEditable(int Index, bool Editable)
{
    IndexFieldAs<TField>(Index, "Error setting editable ").Editable = Editable;
    if (!Editable && IsPendingIndex(Index))
        DropPendingCell();
    RefreshEditors();
}

double TxFieldGrid::GetRangeHi(int Index) const
{
    const auto& N = IndexFieldAs<TNumField>(Index, "Error getting range hi, ");
    return N.ToDisplay(N.RangeHi);
}

double TxFieldGrid::GetRangeLo(int Index) const
{
    const auto& N = IndexFieldAs<TNumField>(Index, "Error getting range lo, ");
    return N.ToDisplay(N.RangeLo);
}

TFieldLine TxFieldGrid::ParseLine(const QString& Line)
{
    TFieldLine Parsed = ParseFieldLine(Line, Delim);
    if (!Parsed.Error.isEmpty())
        ShowMessage(this, Parsed.Error, "Error", TMsgKind::Error, mbOK);
    return Parsed;
}

// ---- editors ----

bool TxFieldGrid::CanEditShow()
{
    const TField* F = ChangeableField(Col(), Row());
    if (!F || dynamic_cast<const TEnumField*>(F) || dynamic_cast<const TBoolField*>(F))
        return false;
    return TxStringGrid::CanEditShow();
}

void TxFieldGrid::ApplyEditorFormat(TxInplaceEdit& Editor, int Col, int Row)
{
    const TField* F = ValueField(Col, Row);
    if (!F) {
        TxStringGrid::ApplyEditorFormat(Editor, Col, Row);
        return;
    }
    Editor.SetFormatStr(F->FormatStr());
    const auto* N = dynamic_cast<const TNumField*>(F);
    Editor.SetFormatType(N ? N->FormatType : ft_Fixed);
    Editor.SetSigDigs(N ? N->SigDigs : 5);
    Editor.SetFactor(N ? N->Factor : 1.0);
    Editor.SetZero(N ? N->Zero : 0.0);
    Editor.SetRangeLo(N ? N->RangeLo : 0.0);
    Editor.SetRangeHi(N ? N->RangeHi : 0.0);
}

void TxFieldGrid::PrepareEditor(TxInplaceEdit& Editor, int Col, int Row)
{
    ApplyEditorFormat(Editor, Col, Row);
    QPalette P = Editor.palette();
    P.setColor(QPalette::Base, ColorEditMode);
    P.setColor(QPalette::Text, ColorEditModeText);
    Editor.setPalette(P);
    Editor.setAutoFillBackground(true);
}

int TxFieldGrid::ButtonAreaWidth(const TField* F) const
{
    if (!F)
        return 0;
    const int Size = std::min(GridPictureSize, DefaultRowHeight());
    switch (F->EditorKind) {
    case ekSpin: return dynamic_cast<const TNumField*>(F) ? 2 * Size : 0;
    case ekPropEditor:
    case ekPullDown: return Size;
    default: return 0;
    }
}

QRect TxFieldGrid::EditorRect(int Col, int Row) const
{
    return CellRect(Col, Row).adjusted(0, 0, -ButtonAreaWidth(ChangeableField(Col, Row)), 0);
}

void TxFieldGrid::HideCellEditors()
{
    for (QWidget* W : {static_cast<QWidget*>(FPullDownButton), static_cast<QWidget*>(FSpinUp),
                       static_cast<QWidget*>(FSpinDown), static_cast<QWidget*>(FPropButton),
                       static_cast<QWidget*>(FCheckBox)})
        W->hide();
}

void TxFieldGrid::CurrentCellChanged()
{
    HideCellEditors();
    const int C = Col(), R = Row();
    const TField* F = ChangeableField(C, R);
    const QRect Cell = CellRect(C, R);
    if (!F || Cell.isEmpty())
        return;
    const int Size = std::min(GridPictureSize, Cell.height());
    const auto Place = [&](QWidget* Button, int FromRight) {
        Button->setGeometry(Cell.right() + 1 - FromRight * Size,
                            Cell.top() + (Cell.height() - Size) / 2, Size, Size);
        Button->show();
        Button->raise();
    };
    FShowingEditors = true;
    switch (F->EditorKind) {
    case ekPullDown:
        if (dynamic_cast<const TEnumField*>(F))
            Place(FPullDownButton, 1);
        break;
    case ekSpin:
        if (dynamic_cast<const TNumField*>(F) && !dynamic_cast<const TDelimNumField*>(F)) {
            Place(FSpinUp, 2);
            Place(FSpinDown, 1);
        }
        break;
    case ekPropEditor:
        Place(FPropButton, 1);
        break;
    case ekCheck:
        if (dynamic_cast<const TBoolField*>(F)) {
            FCheckBox->setChecked(this->Cell(C, R) == TBoolField::CheckedText);
            FCheckBox->setGeometry(Cell);
            FCheckBox->show();
            FCheckBox->raise();
        }
        break;
    default:
        break;
    }
    FShowingEditors = false;
}

void TxFieldGrid::DropEditors()
{
    DropPendingCell();
    HideCellEditors();
    FList->hide();
}

void TxFieldGrid::Spin(bool Up)
{
    const int C = Col(), R = Row();
    const auto* N = dynamic_cast<const TNumField*>(ChangeableField(C, R));
    if (!N || dynamic_cast<const TDelimNumField*>(N))
        return;
    HideEditor();
    double Held = 0, Next = 0;
    if (!N->ReadHeld(Cell(C, R), Held)) {
        MessageBeep();
        return;
    }
    if (N->SpinValue(Held, Up, Next))
        StoreValue(C, R, Next);
}

void TxFieldGrid::RunPropEditor()
{
    const int C = Col(), R = Row();
    const TField* F = ChangeableField(C, R);
    if (!F || !F->PropEditor)
        return;
    HideEditor();
    GuardedCall(this, [&] {
        QVariant Value;
        try {
            Value = FieldValue(*F, Cell(C, R));
        } catch (const EConvertError&) {
            Value = Cell(C, R); // the handler sees what the cell shows
        }
        const int Result = F->PropEditor(Value);
        if (Result == 1)
            StoreValue(C, R, Value);
        if (Result == 1 || Result == 2)
            setFocus();
    });
}

void TxFieldGrid::StepEnum(int Delta)
{
    const int C = Col(), R = Row();
    const auto* E = dynamic_cast<const TEnumField*>(ChangeableField(C, R));
    if (!E || E->Items.isEmpty())
        return;
    const int Count = static_cast<int>(E->Items.size());
    const int Index = static_cast<int>(E->Items.indexOf(Cell(C, R)));
    int Next = 0;
    if (Index < 0)
        Next = Delta > 0 ? 0 : Count - 1;
    else
        Next = ((Index + Delta) % Count + Count) % Count;
    GuardedCall(this, [&] { StoreValue(C, R, Next); });
}

void TxFieldGrid::ShowPullDown()
{
    const int C = Col(), R = Row();
    const auto* E = dynamic_cast<const TEnumField*>(ChangeableField(C, R));
    const QRect Cell = CellRect(C, R);
    if (!E || Cell.isEmpty())
        return;
    FList->clear();
    FList->addItems(E->Items);
    FList->setCurrentRow(static_cast<int>(E->Items.indexOf(this->Cell(C, R))));
    const int ItemHeight = std::max(1, FList->sizeHintForRow(0) > 0 ? FList->sizeHintForRow(0)
                                                                    : fontMetrics().height());
    int Widest = 0;
    for (const QString& Item : E->Items)
        Widest = std::max(Widest, FList->fontMetrics().horizontalAdvance(Item));
    int Width = Cell.width();
    if (Widest + 8 < 200)
        Width = std::max(Width, Widest + 8);
    const int Shown = std::min<int>(static_cast<int>(E->Items.size()), 5) + 1;
    FList->resize(Width, ItemHeight * Shown);
    FList->move(viewport()->mapToGlobal(Cell.bottomLeft() + QPoint(0, 1)));
    FListCol = C;
    FListRow = R;
    FList->show();
    FList->setFocus(Qt::PopupFocusReason);
}

void TxFieldGrid::PickFromList(int Item)
{
    const int C = FListCol, R = FListRow;
    FList->hide();
    if (C >= 0 && Item >= 0)
        GuardedCall(this, [&] { StoreValue(C, R, Item); });
}

bool TxFieldGrid::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FList) {
        if (Event->type() == QEvent::KeyPress) {
            const int Key = static_cast<QKeyEvent*>(Event)->key();
            if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
                PickFromList(FList->currentRow());
                return true;
            }
            if (Key == Qt::Key_Escape) {
                FList->hide();
                return true;
            }
        } else if (Event->type() == QEvent::Hide) {
            // The click that closed the list opens no editor.
            FListCol = FListRow = -1;
            FNoEditorClick = true;
            setFocus(Qt::PopupFocusReason);
        }
    }
    return TxStringGrid::eventFilter(Watched, Event);
}

// ---- input ----

void TxFieldGrid::keyPressEvent(QKeyEvent* Event)
{
    const int Key = Event->key();
    const int C = Col(), R = Row();
    if (state() != EditingState && Event->modifiers() == Qt::NoModifier) {
        const TField* F = ChangeableField(C, R);
        if (ArrowsStepEnums() && (Key == Qt::Key_Left || Key == Qt::Key_Right) &&
            dynamic_cast<const TEnumField*>(F)) {
            StepEnum(Key == Qt::Key_Right ? 1 : -1);
            Event->accept();
            return;
        }
        if (Key == Qt::Key_Space && dynamic_cast<const TBoolField*>(F)) {
            GuardedCall(this, [&] { StoreValue(C, R, Cell(C, R) != TBoolField::CheckedText); });
            CurrentCellChanged();
            Event->accept();
            return;
        }
    }
    TxStringGrid::keyPressEvent(Event);
}

void TxFieldGrid::mouseDoubleClickEvent(QMouseEvent* Event)
{
    int C = 0, R = 0;
    if (MouseToCell(Event->position().toPoint(), C, R) && C == Col() && R == Row() &&
        dynamic_cast<const TEnumField*>(ChangeableField(C, R))) {
        StepEnum(1);
        Event->accept();
        return;
    }
    TxStringGrid::mouseDoubleClickEvent(Event);
}

// ---- drawing ----

void TxFieldGrid::DrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect,
                           const TxGridDrawState& State)
{
    const QPalette& P = palette();
    const TField* Line = LineField(Col, Row);
    const TField* Value = IsValueCell(Col, Row) ? Line : nullptr;
    QColor Back = P.color(QPalette::Base);
    QColor Ink = P.color(QPalette::Text);
    if (Value && FColorEditCol != Back)
        Back = FColorEditCol;
    if (Line && !Line->Enabled)
        Ink = P.color(QPalette::Disabled, QPalette::Text);
    if (State.Highlighted) {
        Back = P.color(QPalette::Highlight);
        Ink = P.color(QPalette::HighlightedText);
    }
    Painter.fillRect(Rect, Back);
    Painter.setPen(Ink);
    const QString& Text = Cell(Col, Row);
    Painter.drawText(Rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     Value ? ShownText(*Value, Text) : Text);
}
