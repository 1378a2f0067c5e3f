#include "controls/FieldLine.h"

#include "foundation/DelimitedText.h"
#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"
#include "platform/QtText.h"

namespace {

TEditorKind EditorOf(const QString& Word)
{
    if (Word.compare("PE", Qt::CaseInsensitive) == 0)
        return ekPropEditor;
    if (Word.compare("Spin", Qt::CaseInsensitive) == 0)
        return ekSpin;
    return ekNone;
}

// An empty part reads as Default.
bool ReadNumberPart(const QString& Part, double Default, double& Value)
{
    if (Part.isEmpty()) {
        Value = Default;
        return true;
    }
    return TryStrToFloat(Part.toStdString(), Value);
}

} // namespace

QString InitialCellText(const TField& Field)
{
    if (const auto* Enum = dynamic_cast<const TEnumField*>(&Field))
        return Enum->Items.value(0);
    if (dynamic_cast<const TBoolField*>(&Field))
        return TBoolField::UncheckedText;
    if (!dynamic_cast<const TNumField*>(&Field))
        return {};
    const std::string Fmt = Field.FormatStr().toStdString();
    switch (Field.FormatKind()) {
    case TFormatKind::Pair: return ToQ(FormatValuePair(Fmt, 0, 0));
    case TFormatKind::Integer: return ToQ(FormatInt(Fmt, 0));
    case TFormatKind::Fixed: return ToQ(FormatFloat(Fmt, 0.0));
    default: return {};
    }
}

TFieldLine ParseFieldLine(const QString& Line, const QString& Delim)
{
    TFieldLine Result;
    for (const std::string& Part : SplitToArray(Line.toStdString(), Delim.toStdString()))
        Result.Parts << ToQ(std::string(TrimText(Part)));
    const qsizetype Given = Result.Parts.size();
    QStringList& Parts = Result.Parts;
    while (Parts.size() < 5)
        Parts << QString();
    const QString Format = Parts[1];

    if (Format.contains('d') || Format.contains('f')) {
        while (Parts.size() < 7)
            Parts << QString();
        double Lo = 0, Hi = 0, Step = 1.0;
        if (ReadNumberPart(Parts[4], 0, Lo) && ReadNumberPart(Parts[5], 0, Hi) &&
            ReadNumberPart(Parts[6], 1.0, Step)) {
            const TEditorKind Kind = EditorOf(Parts[3]);
            if (Format.contains('/'))
                Result.Field = std::make_unique<TDelimNumField>(Kind, Format, Lo, Hi, Step);
            else
                Result.Field = std::make_unique<TNumField>(Kind, Format, Lo, Hi, Step);
        } else {
            Result.Error = "Error initialising " + Parts[0];
            Result.Field = std::make_unique<TField>(ekNone, "%s");
        }
    } else if (Format.compare("enum", Qt::CaseInsensitive) == 0) {
        // The items are the given parts after the unit text; empty parts at
        // the end (a trailing delimiter, padding) are no items.
        QStringList Items = Parts.mid(3, std::max<qsizetype>(0, Given - 3));
        while (!Items.isEmpty() && Items.back().isEmpty())
            Items.removeLast();
        Result.Field = std::make_unique<TEnumField>(Items);
    } else if (Format.compare("check", Qt::CaseInsensitive) == 0) {
        Result.Field = std::make_unique<TBoolField>();
    } else {
        Result.Field = std::make_unique<TField>(EditorOf(Parts[3]), Format);
    }
    Parts[1] = InitialCellText(*Result.Field);
    return Result;
}
