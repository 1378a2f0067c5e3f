#pragma once
// Typed field definitions behind the rows of an entry grid and the columns
// of a table grid: how a cell's text is shown, read back into held units,
// range-tested and stepped. Plain objects: the grids own them and do the
// drawing and editing.

#include "controls/FieldFormat.h"
#include "foundation/Units.h"

#include <QVariant>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
    TField(TEditorKind Kind, std::string Format);
    virtual ~TField() = default;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const std::string& FormatStr() const { return FFormatStr; }
    virtual void SetFormatStr(std::string Format);
    TFormatKind FormatKind() const { return FormatKindOf(FFormatStr); }

    TEditorKind EditorKind;
    bool Enabled = true;
    bool Editable = true;
    TPropEditHandler PropEditor;

protected:
    std::string FFormatStr;
};

class TNumField : public TField {
public:
    TNumField(TEditorKind Kind, std::string Format, double Lo, double Hi, double Step);

    void SetFormatStr(std::string Format) override;
    int Decimals() const { return FDecimals; }

    // Held <-> display units (display = held * Factor + Zero).
    double ToDisplay(double Held) const;
    double ToHeld(double Display) const;
    // A held value as the cell shows it, by the format's kind and FormatType.
    std::string DisplayText(double Held) const;
    // The cell's text (cleaned as typed numbers are) in held units; false
    // when it is no number.
    bool ReadHeld(std::string_view Text, double& Held) const;
    // Held value kept within RangeLo..RangeHi; 0 and 0 mean no range.
    bool HasRange() const { return !(RangeLo == 0 && RangeHi == 0); }
    double Limit(double Held) const;
    // The spin buttons' next value above (Up) or below the held value, in
    // held units; false when the value already sits on that limit.
    bool SpinValue(double Held, bool Up, double& Next) const;
    // Units of the field: format (unless ft_Manual or utNone), Factor and
    // Zero from the units; answers the unit's label.
    std::string ApplyUnits();

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

    std::string DisplayPairText(double HeldA, double HeldB) const;
    // "a/b" or a single number, cleaned; B untouched for a single number.
    // False when a part is no number.
    bool ReadHeldPair(std::string_view Text, double& HeldA, double& HeldB, bool& IsPair) const;
};

class TEnumField : public TField {
public:
    explicit TEnumField(std::vector<std::string> Texts);
    // Index of Text among the items, or -1.
    int IndexOf(std::string_view Text) const;

    std::vector<std::string> Items;
};

class TBoolField : public TField {
public:
    TBoolField();
    static constexpr std::string_view CheckedText = "[x]";
    static constexpr std::string_view UncheckedText = "[ ]";
};

// The spin step with the increment: the next multiple of Increment above
// (Up) or below Value. Value / Increment within 1e-6 of a whole number counts
// as that number, so 0.3 steps to 0.4 by 0.1 despite binary rounding. An
// increment of 0 gives Value unchanged.
double StepToMultiple(double Value, double Increment, bool Up);
