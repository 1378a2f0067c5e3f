#pragma once
// Typed field definitions behind the rows of an entry grid and the columns
// of a table grid: how a cell's text is shown, read back into held units,
// range-tested and stepped. Plain objects: the grids own them and do the
// drawing and editing.

#include "controls/EditFormat.h"
#include "foundation/Units.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <stdexcept>

// Raised by the grids' row and column operations when the row or column has
// no field of the class the operation needs.
class EFieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TEditorKind : std::uint8_t {
    ekNone = 0,
    ekPropEditor = 1, // "..." button calling the field's handler
    ekPullDown = 2,   // list of the enum items
    ekSpin = 3,       // up and down buttons
    ekCheck = 4,      // check box
};

// The property-editor button's handler: gets the cell's value and answers 1
// (store the changed Value), 2 (nothing to store) or anything else (ignored).
using TPropEditHandler = std::function<int(QVariant& Value)>;

class TField {
public:
    TField(TEditorKind Kind, const QString& Format);
    virtual ~TField() = default;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const QString& FormatStr() const { return FFormatStr; }
    virtual void SetFormatStr(const QString& Format) { FFormatStr = Format; }
    TFormatKind FormatKind() const { return FFormatKind; }

    TEditorKind EditorKind;
    bool Enabled = true;
    bool Editable = true;
    TPropEditHandler PropEditor;

protected:
    QString FFormatStr;
    TFormatKind FFormatKind;
};

class TNumField : public TField {
public:
    TNumField(TEditorKind Kind, const QString& Format, double Lo, double Hi, double Step);

    void SetFormatStr(const QString& Format) override;
    int Decimals() const { return FDecimals; }

    // Held <-> display units (display = held * Factor + Zero).
    double ToDisplay(double Held) const { return ApplyConversion(Held, Factor, Zero); }
    double ToHeld(double Display) const { return RemoveConversion(Display, Factor, Zero); }
    // A held value as the cell shows it, by the format's kind and FormatType.
    QString DisplayText(double Held) const;
    // The cell's text (cleaned as typed numbers are) in held units; false
    // when it is no number.
    bool ReadHeld(const QString& Text, double& Held) const;
    // Held value kept within RangeLo..RangeHi; 0 and 0 mean no range.
    bool HasRange() const { return !(RangeLo == 0 && RangeHi == 0); }
    double Limit(double Held) const;
    // The spin buttons' next value above (Up) or below the held value, in
    // held units; false when the value already sits on that limit.
    bool SpinValue(double Held, bool Up, double& Next) const;
    // Takes Factor and Zero from the units, and their format unless the
    // format type is ft_Manual or the field has no quantity; answers the
    // unit's label.
    virtual QString ApplyUnits();
    // Sets the quantity, its shown and held unit (clamped to the quantity's
    // units) and the format type; Factor and Zero only count for a field
    // without a quantity. ApplyUnits brings them into force.
    void SetUnits(TUnitsType Type, double NewFactor, double NewZero, TFormatType NewFormatType,
                  int ShownUnit, int HeldUnit);

    double RangeLo;
    double RangeHi;
    double Increment;
    std::function<double(double Held)> StepUp;
    std::function<double(double Held)> StepDown;
    TUnitsType UnitsType = utNone;
    int UnitsValue = 0;
    int UnitsBase = 0;
    double Factor = 1.0;
    double Zero = 0.0;
    TFormatType FormatType = ft_Fixed;
    int SigDigs = 5;

private:
    int FDecimals = 0;
};

// A pair of numbers shown as "a/b" (a rectangular duct's width and height).
class TDelimNumField : public TNumField {
public:
    using TNumField::TNumField;

    // A unit's format, when it is a single number's, is taken for both
    // halves of the pair.
    QString ApplyUnits() override;
    QString DisplayPairText(double HeldA, double HeldB) const;
    // "a/b" or a single number, cleaned; B untouched for a single number.
    // False when a part is no number.
    bool ReadHeldPair(const QString& Text, double& HeldA, double& HeldB, bool& IsPair) const;
};

class TEnumField : public TField {
public:
    explicit TEnumField(const QStringList& Texts);
    QStringList Items;
};

class TBoolField : public TField {
public:
    TBoolField();
    static inline const QString CheckedText = "[x]";
    static inline const QString UncheckedText = "[ ]";
};

// The spin step by an increment: the next multiple of Increment above (Up)
// or below Value. Value / Increment within 1e-6 of a whole number counts as
// that number, so 0.3 steps to 0.4 by 0.1 despite binary rounding. An
// increment of 0 leaves Value as it is.
double StepToMultiple(double Value, double Increment, bool Up);
