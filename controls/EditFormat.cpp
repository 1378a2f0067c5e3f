#include "controls/EditFormat.h"

#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"
#include "platform/QtText.h"

#include <cmath>

namespace {

// Limits beyond which a format only comes from damaged text.
constexpr int MaxTextWidth = 512;

} // namespace

TFormatKind FormatKindOf(const QString& Fmt)
{
    if (Fmt.contains('s', Qt::CaseInsensitive))
        return TFormatKind::Text;
    if (Fmt.contains('/'))
        return TFormatKind::Pair;
    if (Fmt.contains('d', Qt::CaseInsensitive))
        return TFormatKind::Integer;
    if (Fmt.contains('f', Qt::CaseInsensitive))
        return TFormatKind::Fixed;
    return TFormatKind::General;
}

QString FormatText(const QString& Fmt, const QString& Text)
{
    QString Out;
    bool Done = false;
    for (qsizetype I = 0; I < Fmt.size(); ++I) {
        if (Fmt[I] != '%') {
            Out += Fmt[I];
            continue;
        }
        if (I + 1 < Fmt.size() && Fmt[I + 1] == '%') {
            Out += '%';
            ++I;
            continue;
        }
        // "%[-][width][.precision]s" once; any other "%" stays as written.
        qsizetype J = I + 1;
        const bool Left = J < Fmt.size() && Fmt[J] == '-';
        if (Left)
            ++J;
        int Width = 0, Precision = -1;
        while (J < Fmt.size() && Fmt[J].isDigit())
            Width = std::min(Width * 10 + Fmt[J++].digitValue(), MaxTextWidth);
        if (J < Fmt.size() && Fmt[J] == '.') {
            Precision = 0;
            ++J;
            while (J < Fmt.size() && Fmt[J].isDigit())
                Precision = std::min(Precision * 10 + Fmt[J++].digitValue(), MaxTextWidth);
        }
        if (Done || J >= Fmt.size() || (Fmt[J] != 's' && Fmt[J] != 'S')) {
            Out += Fmt[I];
            continue;
        }
        QString Value = Precision >= 0 ? Text.left(Precision) : Text;
        if (Value.size() < Width)
            Value = Left ? Value.leftJustified(Width) : Value.rightJustified(Width);
        Out += Value;
        Done = true;
        I = J;
    }
    return Out;
}

QString DisplayFormat(const QString& Fmt, TFormatType Type, int SigDigs, int Decimals, double X)
{
    switch (Type) {
    case ft_Auto:
        return ToQ(AutoFloatFormat(SigDigs, 12, X));
    case ft_AutoOverride:
        if (X >= std::pow(10.0, 2 - Decimals))
            return Fmt;
        return ToQ(AutoFloatFormat(SigDigs, 12, X));
    case ft_Fixed:
    case ft_Manual:
        break;
    }
    return Fmt;
}

QString FormatDisplayNumber(const QString& Fmt, TFormatType Type, int SigDigs, int Decimals,
                            double X)
{
    switch (FormatKindOf(Fmt)) {
    case TFormatKind::Text:
        return FormatText(Fmt, ToQ(FloatToStr(X)));
    case TFormatKind::Pair:
        return FormatDisplayNumber(Fmt.section('/', 0, 0), Type, SigDigs, Decimals, X);
    case TFormatKind::Integer:
        // llround is only defined within the range of its result.
        if (std::isfinite(X) && std::fabs(X) < 9e18)
            return ToQ(FormatInt(Fmt.toStdString(), std::llround(X)));
        return ToQ(FormatFloat("%0.0f", X));
    case TFormatKind::Fixed:
    case TFormatKind::General:
        break;
    }
    return ToQ(FormatFloat(DisplayFormat(Fmt, Type, SigDigs, Decimals, X).toStdString(), X));
}

bool CheckRange(double& X, double Lo, double Hi)
{
    if (std::fabs(Hi - Lo) <= 1e-5 || (Lo == 0 && Hi == 0))
        return true;
    if (X < Lo) {
        if (Lo != 0 && std::fabs((Lo - X) / Lo) <= 0.005)
            return true;
        X = Lo;
        return false;
    }
    if (X > Hi) {
        if (Hi != 0 && std::fabs((X - Hi) / Hi) <= 0.005)
            return true;
        X = Hi;
        return false;
    }
    return true;
}

bool ReadTypedNumber(const QString& Text, double& Value)
{
    return TryStrToFloat(CleanNumberText(Text.toStdString()), Value);
}
