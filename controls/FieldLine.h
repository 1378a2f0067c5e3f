#pragma once
// Definition lines of grid rows and columns: "caption; format; unit text;
// editor; range low; range high; spin increment", parsed into a field and
// the texts its cells start with.
//
// The format decides the field: one holding "d" or "f" a number (a pair
// with "/"), "enum" a pull-down whose items follow the unit text, "check" a
// check box, anything else a plain field with that format. The editor word
// "PE" gives a property-editor button, "Spin" spin buttons (any case).

#include "controls/Fields.h"

#include <QString>
#include <QStringList>

#include <memory>

struct TFieldLine {
    // The trimmed parts, at least 5 (7 for numbers), part 1 replaced by the
    // initial value text of the cell.
    QStringList Parts;
    std::unique_ptr<TField> Field;
    // "Error initialising <caption>" when a range or increment part was no
    // number; the field is then a plain text field.
    QString Error;

    const QString& Caption() const { return Parts[0]; }
};

TFieldLine ParseFieldLine(const QString& Line, const QString& Delim = ";");

// The text a new cell of the field shows: the pair, integer or fixed format
// applied to zero, an enum's first item, "[ ]" for a check, empty otherwise.
QString InitialCellText(const TField& Field);
