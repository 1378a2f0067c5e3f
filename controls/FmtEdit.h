#pragma once
// The numeric edit every dialog types numbers into. It holds a value in base
// units (UnitsBase of UnitsType) and shows it in the unit the user picked
// (UnitsValue) with a number format; keystrokes are filtered by the kind of
// the format, a typed value is range-checked when it is committed (Enter,
// leaving the edit, AcceptEdit), and Esc restores the text the edit had when
// it got the focus. A TFmtEditLabel beside it shows the unit and lets the user
// pick another one.

#include "controls/EditFormat.h"
#include "foundation/Units.h"

#include <QLineEdit>
#include <QPointer>
#include <QVariant>

#include <functional>

class TFmtEditLabel;

class TxCustomEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TxCustomEdit(QWidget* Parent = nullptr);
    ~TxCustomEdit() override;

    // Setting these at run time only stores them: the text follows at the
    // next SetValue or units change. "%S" clears a text that reads "0.0".
    QString FormatStr() const { return FFormatStr; }
    void SetFormatStr(const QString& Fmt);
    TFormatType FormatType() const { return FFormatType; }
    void SetFormatType(TFormatType Type) { FFormatType = Type; }
    int SigDigs() const { return FSigDigs; }
    void SetSigDigs(int Digits) { FSigDigs = Digits; }
    TFormatKind FormatKind() const { return FormatKindOf(FFormatStr); }
    int Decimals() const { return FDecimals; }

    // Changing the units keeps the value and shows it in the new unit, with
    // the unit's format unless FormatType is ft_Manual.
    TUnitsType UnitsType() const { return FUnitsType; }
    void SetUnitsType(TUnitsType Type);
    int UnitsValue() const { return FUnitsValue; }
    void SetUnitsValue(int Index);
    int UnitsBase() const { return FUnitsBase; }
    void SetUnitsBase(int Index);
    // Display = held * Factor + Zero. Set by the units; an edit without a
    // quantity (utNone) keeps what its owner sets.
    double Factor() const { return FFactor; }
    void SetFactor(double Value) { FFactor = Value; }
    double Zero() const { return FZero; }
    void SetZero(double Value) { FZero = Value; }

    // Range in held units; 0 and 0: none.
    double RangeLo() const { return FRangeLo; }
    void SetRangeLo(double Value) { FRangeLo = Value; }
    double RangeHi() const { return FRangeHi; }
    void SetRangeHi(double Value) { FRangeHi = Value; }

    // The label showing the unit; linking makes the label list this edit.
    TFmtEditLabel* UnitsLabel() const;
    void SetUnitsLabel(TFmtEditLabel* Label);

    // The last accepted text: what Esc restores.
    QString LastText() const { return FLastText; }
    bool Modified() const { return isModified(); }
    void SetModified(bool Value) { setModified(Value); }

    // The value in held units: text for the text and pair kinds, an integer
    // for the integer kind, else a double. Raises EConvertError when the text
    // is no number.
    QVariant GetValue() const;
    // GetValue, or an invalid value when the text is no number.
    QVariant HeldValueOrInvalid() const;
    // Shows V (held units) in the display unit and format.
    void SetValue(const QVariant& V);
    // Commits a pending entry, fires textChanged and clears Modified.
    // Dialogs call it on OK. False when the entry was refused.
    bool AcceptEdit();

    // Whether typed characters are taken at all.
    virtual bool IsEditable() const { return true; }
    // Back to LastText when modified.
    virtual void UndoEdit();
    // Tidies Text into the edit: cleaned, range-checked and formatted. False
    // when it is out of range (the limit is then shown) or no number (the
    // last accepted text comes back).
    virtual bool ValidateText(const QString& Text);
    // A refused key or value: a beep.
    virtual void InputRejected();
    // Validates a modified entry; on failure the edit keeps the focus and
    // stays modified. False when the entry was refused.
    virtual bool CommitIfModified();

    // Fired after the user picked another unit through the label.
    std::function<void(TxCustomEdit* Sender)> OnUnitsEdited;
    // A click in the edit, and leaving it (after its entry was committed).
    std::function<void(TxCustomEdit* Sender)> OnClick;
    std::function<void(TxCustomEdit* Sender)> OnExit;

protected:
    bool event(QEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    friend class TFmtEditLabel;
    bool AcceptsCharacter(QChar C) const;
    // Shows Held again after a units change (read before the change).
    void ApplyUnits(const QVariant& Held, bool HeldValid);
    QString FormatPairForDisplay(double A, double B) const;
    // Replaces the text, keeping the entry marked as modified.
    void PutText(const QString& Text);

    QString FFormatStr = "%0.1f";
    TFormatType FFormatType = ft_Fixed;
    int FSigDigs = 5;
    int FDecimals = 1;
    TUnitsType FUnitsType = utNone;
    int FUnitsValue = 0;
    int FUnitsBase = 0;
    double FFactor = 1.0;
    double FZero = 0.0;
    double FRangeLo = 0.0;
    double FRangeHi = 0.0;
    QPointer<TFmtEditLabel> FUnitsLabel;
    QString FLastText = "0.0";
};

// The published numeric edit.
class TFmtEdit : public TxCustomEdit {
    Q_OBJECT
    Q_PROPERTY(QString FormatStr READ FormatStr WRITE SetFormatStr)
    Q_PROPERTY(int FormatType READ FormatTypeIndex WRITE SetFormatTypeIndex)
    Q_PROPERTY(int SigDigs READ SigDigs WRITE SetSigDigs)
    Q_PROPERTY(int UnitsType READ UnitsTypeIndex WRITE SetUnitsTypeIndex)
    Q_PROPERTY(int UnitsBase READ UnitsBase WRITE SetUnitsBase)
    Q_PROPERTY(int UnitsValue READ UnitsValue WRITE SetUnitsValue)
    Q_PROPERTY(double RangeHi READ RangeHi WRITE SetRangeHi)
    Q_PROPERTY(double RangeLo READ RangeLo WRITE SetRangeLo)

public:
    using TxCustomEdit::TxCustomEdit;

private:
    int FormatTypeIndex() const { return FormatType(); }
    void SetFormatTypeIndex(int Type);
    int UnitsTypeIndex() const { return UnitsType(); }
    void SetUnitsTypeIndex(int Type) { SetUnitsType(UnitsTypeOf(Type)); }
};
