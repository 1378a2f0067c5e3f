#include "network/FixedFitting.h"

#include "foundation/ValueStream.h"
#include "network/FlowBranch.h"
#include "network/RecordReader.h"

#include <cmath>

namespace {

// The terminal's reference state: standard density 1.2 kg/m³, so that
// RefDrop = 0.5·1.2·C·RefVelocity².
constexpr double HalfStandardDensity = 0.6;
// A "GraphDataFile_v2.00" terminal takes this reference drop, Pa.
constexpr double OldTerminalRefDrop = 50.0;

// 8·f·Le·m²/(π²·ρ·D⁵): the drop of a length of this duct. The callers make
// sure that ρ and D are positive.
double LengthDrop(double Friction, double Le, double MassFlow, double Density, double Diameter)
{
    const double D2 = Diameter * Diameter;
    return 8.0 * Friction * Le * MassFlow * MassFlow / (PiSquared * Density * D2 * D2 * Diameter);
}

} // namespace

// ---------------------------------------------------------------- common

TFixedFitting::TFixedFitting(TValueReader& Reader)
{
    Caption = Reader.ReadString();
    EquivLength = ReadFiniteFloat(Reader);
    Drop = ReadFiniteFloat(Reader);
}

void TFixedFitting::WriteData(TValueWriter& Writer) const
{
    Writer.WriteString(Caption);
    Writer.WriteFloat(EquivLength);
    Writer.WriteFloat(Drop);
}

// ---------------------------------------------------------------- fixed dP

void TFixeddP::CalcEquivLength(double, double Density, double MassFlow, double Friction, double Diameter,
                               double)
{
    // A duct of no size (a fan) still turns its drop into some length, that
    // of a plain 0.3 m duct.
    const double D = Diameter > 0.0 ? Diameter : 0.3;
    const double F = Friction > 0.0 ? Friction : 0.02;
    if (std::fabs(MassFlow) > 1e-100 && std::isfinite(MassFlow)) {
        const double D2 = D * D;
        EquivLength = PiSquared * Drop * Density * D2 * D2 * D / (8.0 * F * MassFlow * MassFlow);
    } else {
        EquivLength = 0.0;
    }
}

// ---------------------------------------------------------------- fixed C

TFixedC::TFixedC(TValueReader& Reader) : TFixedFitting(Reader)
{
    C = ReadFiniteFloat(Reader);
}

void TFixedC::CalcEquivLength(double, double Density, double MassFlow, double Friction, double Diameter,
                              double)
{
    if (Friction != 0.0 && Diameter > 0.0 && Density > 0.0) {
        EquivLength = C * Diameter / Friction;
        Drop = LengthDrop(Friction, EquivLength, MassFlow, Density, Diameter);
    } else {
        EquivLength = 0.0;
    }
}

void TFixedC::WriteData(TValueWriter& Writer) const
{
    TFixedFitting::WriteData(Writer);
    Writer.WriteFloat(C);
}

// ---------------------------------------------------------------- terminal

TFixedEndFitting::TFixedEndFitting(TValueReader& Reader, TGraphDataVersion Version) : TFixedFitting(Reader)
{
    if (Version == gdv200)
        Reader.ReadInteger();
    C = ReadFiniteFloat(Reader);
    RefVelocity = ReadFiniteFloat(Reader);
    RefDrop = ReadFiniteFloat(Reader);
    if (Version == gdv200) {
        RefDrop = OldTerminalRefDrop;
        SetEndValue(evC, evRefDrop);
    }
}

void TFixedEndFitting::CalcEquivLength(double, double Density, double MassFlow, double F, double Diameter,
                                       double)
{
    EquivLength = 0.0;
    Drop = 0.0;
    if (F != 0.0 && std::isfinite(F) && Diameter > 0.0 && Density > 0.0) {
        EquivLength = C * Diameter / F;
        Drop = LengthDrop(F, EquivLength, MassFlow, Density, Diameter);
    }
}

void TFixedEndFitting::WriteData(TValueWriter& Writer) const
{
    TFixedFitting::WriteData(Writer);
    Writer.WriteFloat(C);
    Writer.WriteFloat(RefVelocity);
    Writer.WriteFloat(RefDrop);
}

void TFixedEndFitting::SetEndValue(int Changed, int Fixed)
{
    if (Changed == Fixed || Changed < evC || Changed > evRefDrop || Fixed < evC || Fixed > evRefDrop)
        return;
    switch (3 - Changed - Fixed) {
    case evRefVelocity: {
        // A negative drop or coefficient has no velocity: 0, as for zero.
        const double Ratio = C != 0.0 ? RefDrop / (HalfStandardDensity * C) : 0.0;
        RefVelocity = Ratio > 0.0 ? std::sqrt(Ratio) : 0.0;
        break;
    }
    case evRefDrop:
        RefDrop = HalfStandardDensity * C * RefVelocity * RefVelocity;
        break;
    default:
        C = RefVelocity != 0.0 ? RefDrop / (HalfStandardDensity * RefVelocity * RefVelocity) : 0.0;
        break;
    }
}
