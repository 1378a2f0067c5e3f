#include "controls/FmtEdit.h"

#include "controls/FmtEditLabel.h"
#include "controls/GuardedCall.h"
#include "controls/UiServices.h"
#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"
#include "platform/QtText.h"

#include <QKeyEvent>
#include <QTimer>

#include <cmath>

namespace {

bool IsDigit(QChar C)
{
    return C >= '0' && C <= '9';
}

// A held value handed to SetValue: numbers as they are, texts read as
// numbers the way a user's entry is.
double NumberOf(const QVariant& V)
{
    if (V.typeId() == QMetaType::QString)
        return StrToFloat(CleanNumberText(V.toString().toStdString()));
    return V.toDouble();
}

bool IsPairValue(const QVariant& V)
{
    return V.typeId() == QMetaType::QString && V.toString().contains('/');
}

} // namespace

TxCustomEdit::TxCustomEdit(QWidget* Parent) : QLineEdit(Parent)
{
    setText("0.0");
}

TxCustomEdit::~TxCustomEdit()
{
    if (FUnitsLabel)
        FUnitsLabel->Unlink(this);
}

void TxCustomEdit::SetFormatStr(const QString& Fmt)
{
    FFormatStr = Fmt;
    FDecimals = FormatDecimals(Fmt.toStdString());
    if (Fmt == "%S" && text() == "0.0")
        clear();
}

void TxCustomEdit::SetUnitsType(TUnitsType Type)
{
    // The value is read with the old conversion before the factor is reset.
    const QVariant Held = HeldValueOrInvalid();
    FUnitsType = Type;
    FFactor = 1.0;
    FZero = 0.0;
    FUnitsValue = ClampUnitIndex(Type, FUnitsValue);
    FUnitsBase = ClampUnitIndex(Type, FUnitsBase);
    ApplyUnits(Held, Held.isValid());
}

void TxCustomEdit::SetUnitsValue(int Index)
{
    const QVariant Held = HeldValueOrInvalid();
    FUnitsValue = ClampUnitIndex(FUnitsType, Index);
    ApplyUnits(Held, Held.isValid());
}

void TxCustomEdit::SetUnitsBase(int Index)
{
    const QVariant Held = HeldValueOrInvalid();
    FUnitsBase = ClampUnitIndex(FUnitsType, Index);
    ApplyUnits(Held, Held.isValid());
}

TFmtEditLabel* TxCustomEdit::UnitsLabel() const
{
    return FUnitsLabel;
}

void TxCustomEdit::SetUnitsLabel(TFmtEditLabel* Label)
{
    if (FUnitsLabel == Label)
        return;
    if (FUnitsLabel)
        FUnitsLabel->Unlink(this);
    FUnitsLabel = Label;
    if (Label)
        Label->Link(this);
}

QVariant TxCustomEdit::HeldValueOrInvalid() const
{
    try {
        return GetValue();
    } catch (const EConvertError&) {
        return {}; // no number to carry over: the text stays as it is
    }
}

void TxCustomEdit::ApplyUnits(const QVariant& Held, bool HeldValid)
{
    const TFormatKind Kind = FormatKind();
    if ((Kind == TFormatKind::Text || Kind == TFormatKind::Integer) && FUnitsType == utNone)
        return;
    std::string Fmt, Label;
    GetConversion(FUnitsType, FUnitsValue, FUnitsBase, Fmt, FZero, FFactor, Label);
    if (FFormatType != ft_Manual && FUnitsType != utNone)
        FFormatStr = ToQ(Fmt);
    if (FormatKind() == TFormatKind::Text)
        return;
    FDecimals = FormatDecimals(FFormatStr.toStdString());
    if (FUnitsLabel)
        FUnitsLabel->setText(ToQ(Label));
    if (!HeldValid)
        return;
    if (IsPairValue(Held) && !FFormatStr.contains('/'))
        FFormatStr = FFormatStr + "/" + FFormatStr;
    SetValue(Held);
}

QString TxCustomEdit::FormatPairForDisplay(double A, double B) const
{
    return ToQ(FormatValuePair(FFormatStr.toStdString(), A, B));
}

QVariant TxCustomEdit::GetValue() const
{
    const QString Text = text();
    switch (FormatKind()) {
    case TFormatKind::Text:
        return FormatText(FFormatStr, Text);
    case TFormatKind::Pair: {
        double A = 0, B = 0;
        if (SplitSlashPair(CleanNumberText(Text.toStdString()), A, B))
            return ToQ(FormatValuePair(FFormatStr.toStdString(), RemoveConversion(A, FFactor, FZero),
                                     RemoveConversion(B, FFactor, FZero)));
        return ToQ(FormatFloat("%0.4g", RemoveConversion(A, FFactor, FZero)));
    }
    case TFormatKind::Integer: {
        const double Held =
            RemoveConversion(StrToFloat(CleanNumberText(Text.toStdString())), FFactor, FZero);
        if (std::isfinite(Held) && std::fabs(Held) < 9e18)
            return QVariant::fromValue<qlonglong>(std::llround(Held));
        return Held;
    }
    case TFormatKind::Fixed:
    case TFormatKind::General:
        break;
    }
    return RemoveConversion(StrToFloat(CleanNumberText(Text.toStdString())), FFactor, FZero);
}

void TxCustomEdit::SetValue(const QVariant& V)
{
    QString Shown;
    switch (FormatKind()) {
    case TFormatKind::Text:
        Shown = FormatText(FFormatStr, V.toString());
        break;
    case TFormatKind::Pair: {
        double A = 0, B = 0;
        if (V.typeId() == QMetaType::QString &&
            SplitSlashPair(CleanNumberText(V.toString().toStdString()), A, B)) {
            Shown = FormatPairForDisplay(ApplyConversion(A, FFactor, FZero),
                                         ApplyConversion(B, FFactor, FZero));
        } else {
            Shown = FormatDisplayNumber(FFormatStr, FFormatType, FSigDigs, FDecimals,
                                        ApplyConversion(NumberOf(V), FFactor, FZero));
        }
        break;
    }
    case TFormatKind::Integer:
    case TFormatKind::Fixed:
    case TFormatKind::General:
        Shown = FormatDisplayNumber(FFormatStr, FFormatType, FSigDigs, FDecimals,
                                    ApplyConversion(NumberOf(V), FFactor, FZero));
        break;
    }
    setText(Shown);
    FLastText = Shown;
}

bool TxCustomEdit::AcceptEdit()
{
    if (!CommitIfModified())
        return false;
    emit textChanged(text());
    setModified(false);
    FLastText = text();
    return true;
}

void TxCustomEdit::UndoEdit()
{
    if (!Modified())
        return;
    setText(FLastText);
    setModified(false);
}

void TxCustomEdit::PutText(const QString& Text)
{
    if (text() != Text)
        setText(Text);
    setModified(true);
}

bool TxCustomEdit::ValidateText(const QString& Text)
{
    const TFormatKind Kind = FormatKind();
    if (Kind == TFormatKind::Text) {
        PutText(FormatText(FFormatStr, Text));
        return true;
    }
    const double Lo = ApplyConversion(FRangeLo, FFactor, FZero);
    const double Hi = ApplyConversion(FRangeHi, FFactor, FZero);
    if (Kind == TFormatKind::Pair) {
        const std::string Clean = CleanNumberText(Text.toStdString());
        const std::size_t Slash = Clean.find('/');
        double A = 0, B = 0;
        const bool HasB = Slash != std::string::npos;
        if (!TryStrToFloat(Clean.substr(0, Slash), A) ||
            (HasB && !TryStrToFloat(Clean.substr(Slash + 1), B))) {
            PutText(FLastText);
            return false;
        }
        bool Ok = CheckRange(A, Lo, Hi);
        if (HasB) {
            Ok = CheckRange(B, Lo, Hi) && Ok;
            PutText(FormatPairForDisplay(A, B));
        } else {
            PutText(ToQ(FormatFloat(FFormatStr.section('/', 0, 0).toStdString(), A)));
        }
        return Ok;
    }
    double X = 0;
    if (!ReadTypedNumber(Text, X)) {
        // Nothing readable was typed: the last accepted text comes back.
        PutText(FLastText);
        return false;
    }
    const bool Ok = CheckRange(X, Lo, Hi);
    PutText(FormatDisplayNumber(FFormatStr, FFormatType, FSigDigs, FDecimals, X));
    return Ok;
}

void TxCustomEdit::InputRejected()
{
    MessageBeep();
}

bool TxCustomEdit::CommitIfModified()
{
    if (!Modified() || ValidateText(text()))
        return true;
    // Called while the focus is leaving: take it back once the move is over.
    if (!hasFocus())
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && isEnabled())
                setFocus(Qt::OtherFocusReason);
        });
    InputRejected();
    return false;
}

bool TxCustomEdit::AcceptsCharacter(QChar C) const
{
    switch (FormatKind()) {
    case TFormatKind::Pair:
        return IsDigit(C) || C == '-' || C == '.' || C == '/';
    case TFormatKind::Integer:
        return IsDigit(C) || C == '-';
    case TFormatKind::Fixed:
        return IsDigit(C) || C == '-' || C == '.';
    case TFormatKind::Text:
    case TFormatKind::General:
        break;
    }
    return true;
}

bool TxCustomEdit::event(QEvent* Event)
{
    // A modified edit keeps Esc for itself, also from shortcuts of the window.
    if (Event->type() == QEvent::ShortcutOverride && Modified() &&
        static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape) {
        Event->accept();
        return true;
    }
    return QLineEdit::event(Event);
}

void TxCustomEdit::keyPressEvent(QKeyEvent* Event)
{
    const int Key = Event->key();
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        // A refused entry keeps Enter from the dialog's default button.
        if (!CommitIfModified()) {
            Event->accept();
            return;
        }
        QLineEdit::keyPressEvent(Event);
        return;
    }
    if (Key == Qt::Key_Escape && Modified()) {
        UndoEdit();
        Event->accept();
        return;
    }
    const QString Typed = Event->text();
    const auto Chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const bool Character = !Typed.isEmpty() && Typed[0].isPrint() && !(Event->modifiers() & Chords);
    if (Character && !isReadOnly()) {
        if (!IsEditable()) {
            Event->accept();
            return;
        }
        for (const QChar C : Typed)
            if (!AcceptsCharacter(C)) {
                // Typing counts as editing even when refused: the next Esc
                // undoes the entry rather than closing the dialog.
                setModified(true);
                InputRejected();
                Event->accept();
                return;
            }
    }
    QLineEdit::keyPressEvent(Event);
}

void TxCustomEdit::focusInEvent(QFocusEvent* Event)
{
    // Coming back to an entry in progress keeps what Esc restores.
    if (!Modified())
        FLastText = text();
    QLineEdit::focusInEvent(Event);
}

void TxCustomEdit::focusOutEvent(QFocusEvent* Event)
{
    QLineEdit::focusOutEvent(Event);
    switch (Event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return; // the user only looked elsewhere; the entry goes on
    default:
        break;
    }
    CommitIfModified();
    if (OnExit)
        GuardedCall(this, [this] { OnExit(this); });
}

void TxCustomEdit::mouseReleaseEvent(QMouseEvent* Event)
{
    QLineEdit::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()) &&
        OnClick)
        GuardedCall(this, [this] { OnClick(this); });
}

void TFmtEdit::SetFormatTypeIndex(int Type)
{
    if (Type >= ft_Auto && Type <= ft_Manual)
        SetFormatType(static_cast<TFormatType>(Type));
}
