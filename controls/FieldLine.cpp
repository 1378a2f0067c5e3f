#include "controls/FieldLine.h"

#include "foundation/DelimitedText.h"
#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameWord(std::string_view A, std::string_view B)
{
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
               return std::tolower(static_cast<unsigned char>(X)) ==
                      std::tolower(static_cast<unsigned char>(Y));
           });
}

TEditorKind EditorOf(std::string_view Word)
{
    if (SameWord(Word, "PE"))
        return ekPropEditor;
    if (SameWord(Word, "Spin"))
        return ekSpin;
    return ekNone;
}

// An empty part reads as 0 (the increment's default is the caller's).
bool ReadNumberPart(const std::string& Part, double Default, double& Value)
{
    if (Part.empty()) {
        Value = Default;
        return true;
    }
    return TryStrToFloat(Part, Value);
}

} // namespace

std::string InitialCellText(const TField& Field)
{
    if (const auto* Enum = dynamic_cast<const TEnumField*>(&Field))
        return Enum->Items.empty() ? std::string() : Enum->Items.front();
    if (dynamic_cast<const TBoolField*>(&Field))
        return std::string(TBoolField::UncheckedText);
    if (!dynamic_cast<const TNumField*>(&Field))
        return {};
    switch (Field.FormatKind()) {
    case TFormatKind::Pair: return FormatValuePair(Field.FormatStr(), 0, 0);
    case TFormatKind::Integer: return FormatInt(Field.FormatStr(), 0);
    case TFormatKind::Fixed: return FormatFloat(Field.FormatStr(), 0.0);
    default: return {};
    }
}

TFieldLine ParseFieldLine(std::string_view Line, std::string_view Delim)
{
    TFieldLine Result;
    const std::vector<std::string> Given = SplitToArray(Line, Delim);
    Result.Parts = Given;
    for (auto& Part : Result.Parts)
        Part = std::string(TrimText(Part));
    if (Result.Parts.size() < 5)
        Result.Parts.resize(5);
    auto& Parts = Result.Parts;
    const std::string Format = Parts[1];

    if (Format.find_first_of("df") != std::string::npos) {
        if (Parts.size() < 7)
            Parts.resize(7);
        double Lo = 0, Hi = 0, Step = 1.0;
        if (ReadNumberPart(Parts[4], 0, Lo) && ReadNumberPart(Parts[5], 0, Hi) &&
            ReadNumberPart(Parts[6], 1.0, Step)) {
            const TEditorKind Kind = EditorOf(Parts[3]);
            if (Format.find('/') != std::string::npos)
                Result.Field = std::make_unique<TDelimNumField>(Kind, Format, Lo, Hi, Step);
            else
                Result.Field = std::make_unique<TNumField>(Kind, Format, Lo, Hi, Step);
        } else {
            Result.Error = "Error initialising " + Parts[0];
            Result.Field = std::make_unique<TField>(ekNone, "%s");
        }
    } else if (SameWord(Format, "enum")) {
        // The items are the given parts after the unit text; empty parts at
        // the end (a trailing delimiter, padding) are no items.
        std::vector<std::string> Items;
        for (std::size_t I = 3; I < Result.Parts.size() && I < Given.size(); ++I)
            Items.push_back(Parts[I]);
        while (!Items.empty() && Items.back().empty())
            Items.pop_back();
        Result.Field = std::make_unique<TEnumField>(std::move(Items));
    } else if (SameWord(Format, "check")) {
        Result.Field = std::make_unique<TBoolField>();
    } else {
        Result.Field = std::make_unique<TField>(EditorOf(Parts[3]), Format);
    }
    Parts[1] = InitialCellText(*Result.Field);
    return Result;
}
