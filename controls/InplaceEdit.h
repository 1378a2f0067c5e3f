#pragma once
// The grids' in-place editor: one line edit per grid, shown over the cell
// being edited and reused for every cell.

#include "controls/FieldFormat.h"

#include <QLineEdit>

// Stand-in with the numeric edit's interface until that edit is in the
// tree: it takes the format and range but checks nothing.
class TxInplaceEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TxInplaceEdit(QWidget* Parent = nullptr) : QLineEdit(Parent) {}

    void SetFormatStr(const QString& Fmt) { FFormatStr = Fmt; }
    QString FormatStr() const { return FFormatStr; }
    void SetFormatType(TFormatType Type) { FFormatType = Type; }
    void SetSigDigs(int Digits) { FSigDigs = Digits; }
    void SetFactor(double Value) { FFactor = Value; }
    void SetZero(double Value) { FZero = Value; }
    void SetRangeLo(double Value) { FRangeLo = Value; }
    void SetRangeHi(double Value) { FRangeHi = Value; }
    virtual bool CommitIfModified() { return true; }
    void SetModified(bool Value) { setModified(Value); }

private:
    QString FFormatStr = "%0.1f";
    TFormatType FFormatType = ft_Fixed;
    int FSigDigs = 5;
    double FFactor = 1.0;
    double FZero = 0.0;
    double FRangeLo = 0.0;
    double FRangeHi = 0.0;
};
