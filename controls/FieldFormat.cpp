#include "controls/FieldFormat.h"

#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"

#include <cmath>

TFormatKind FormatKindOf(std::string_view Fmt)
{
    const auto Holds = [Fmt](char Lower, char Upper) {
        return Fmt.find(Lower) != std::string_view::npos ||
               Fmt.find(Upper) != std::string_view::npos;
    };
    if (Holds('s', 'S'))
        return TFormatKind::Text;
    if (Fmt.find('/') != std::string_view::npos)
        return TFormatKind::Pair;
    if (Holds('d', 'D'))
        return TFormatKind::Integer;
    if (Holds('f', 'F'))
        return TFormatKind::Fixed;
    return TFormatKind::General;
}

std::string FormatDisplayNumber(double X, std::string_view Fmt, TFormatType Type, int SigDigs)
{
    switch (Type) {
    case ft_Auto:
        return FormatFloat(AutoFloatFormat(SigDigs, 12, X), X);
    case ft_AutoOverride:
        if (X >= std::pow(10.0, 2 - FormatDecimals(Fmt)))
            return FormatFloat(Fmt, X);
        return FormatFloat(AutoFloatFormat(SigDigs, 12, X), X);
    case ft_Fixed:
    case ft_Manual:
        break;
    }
    return FormatFloat(Fmt, X);
}

std::string FormatTextValue(std::string_view Fmt, std::string_view Text)
{
    std::string Out;
    bool Placed = false;
    for (std::size_t I = 0; I < Fmt.size(); ++I) {
        if (Fmt[I] != '%') {
            Out += Fmt[I];
            continue;
        }
        if (I + 1 < Fmt.size() && Fmt[I + 1] == '%') {
            Out += '%';
            ++I;
            continue;
        }
        // Flags, width and precision of the conversion carry no meaning for a
        // cell's text and are skipped.
        std::size_t J = I + 1;
        while (J < Fmt.size() && Fmt[J] != 's' && Fmt[J] != 'S' &&
               std::string_view("-+ #0123456789.").find(Fmt[J]) != std::string_view::npos)
            ++J;
        if (!Placed && J < Fmt.size() && (Fmt[J] == 's' || Fmt[J] == 'S')) {
            Out += Text;
            Placed = true;
            I = J;
            continue;
        }
        Out += Fmt[I];
    }
    return Placed ? Out : std::string(Text);
}

std::string PairFormatOf(std::string_view Fmt)
{
    std::string Out(Fmt);
    if (Fmt.find('/') == std::string_view::npos)
        Out += "/" + std::string(Fmt);
    return Out;
}
