#pragma once
// Loss items a branch owns: fixed pressure drops ("Fixed dP's"), fixed loss
// coefficients ("Fixed C's") and the terminal item of an outlet or inlet
// branch. Every loss enters the branch as an equivalent length of straight
// duct of the branch's diameter and friction factor.

#include "foundation/BlockPool.h"
#include "graph/GraphDataVersion.h"

#include <string>
#include <utility>

class TValueReader;
class TValueWriter;

class TFixedFitting {
public:
    VENTRIX_NETWORK_POOLED
    TFixedFitting() = default;
    explicit TFixedFitting(std::string ItemCaption) : Caption(std::move(ItemCaption)) {}
    // Reads the caption, EquivLength and Drop. Raises EStreamError for a
    // damaged record or a value that is not finite.
    explicit TFixedFitting(TValueReader& Reader);
    virtual ~TFixedFitting() = default;
    TFixedFitting(const TFixedFitting&) = default;
    TFixedFitting& operator=(const TFixedFitting&) = default;

    std::string Caption;
    double EquivLength = 0.0; // m
    double Drop = 0.0;        // Pa

    // The item's equivalent length (and, for the computed items, its drop)
    // on a branch with this air (°C, kg/m³), mass flow (kg/s), Darcy friction
    // factor and diameter (m). Roughness (m) is the duct roughness of the
    // design settings; only the terminal uses it.
    virtual void CalcEquivLength(double DryBulb, double Density, double MassFlow, double Friction,
                                 double Diameter, double Roughness) = 0;
    // Caption, EquivLength, Drop; the derived items add their values.
    virtual void WriteData(TValueWriter& Writer) const;
};

// A fixed pressure drop given in Pa (Drop is the user's value).
class TFixeddP : public TFixedFitting {
public:
    TFixeddP() = default;
    TFixeddP(std::string ItemCaption, double ItemDrop) : TFixedFitting(std::move(ItemCaption))
    {
        Drop = ItemDrop;
    }
    explicit TFixeddP(TValueReader& Reader) : TFixedFitting(Reader) {}

    // The length that loses Drop: π²·Drop·ρ·D⁵/(8·f·m²), with a diameter not
    // above 0 taken as 0.3 m and a factor not above 0 as 0.02; 0 without flow.
    void CalcEquivLength(double DryBulb, double Density, double MassFlow, double Friction,
                         double Diameter, double Roughness) override;
};

// A fixed loss coefficient on the velocity pressure.
class TFixedC : public TFixedFitting {
public:
    TFixedC() = default;
    TFixedC(std::string ItemCaption, double ItemC) : TFixedFitting(std::move(ItemCaption)), C(ItemC) {}
    // The common values, then C.
    explicit TFixedC(TValueReader& Reader);

    double C = 0.0;

    // Le := C·D/f and Drop := 8·f·Le·m²/(π²·ρ·D⁵). Without a friction
    // factor, a diameter or a density the length is 0 and the drop keeps its
    // value (a duct of no size has no velocity pressure to refer C to).
    void CalcEquivLength(double DryBulb, double Density, double MassFlow, double Friction,
                         double Diameter, double Roughness) override;
    void WriteData(TValueWriter& Writer) const override;
};

// The terminal of an Outlet or Inlet branch: its loss coefficient and the
// reference drop it has at the reference velocity at standard density
// (RefDrop = 0.5 * 1.2 * C * RefVelocity²).
class TFixedEndFitting : public TFixedFitting {
public:
    // Which of the three terminal values SetEndValue is told about.
    enum TEndValue { evC = 0, evRefVelocity = 1, evRefDrop = 2 };

    TFixedEndFitting() = default;
    explicit TFixedEndFitting(std::string ItemCaption) : TFixedFitting(std::move(ItemCaption)) {}
    // The common values, then C, RefVelocity and RefDrop. A record of a
    // "GraphDataFile_v2.00" document carries one more integer after the
    // common values, which is skipped; its reference drop becomes 50 Pa and
    // the reference velocity follows.
    TFixedEndFitting(TValueReader& Reader, TGraphDataVersion Version);

    double C = 0.0;
    double RefVelocity = 0.0; // m/s
    double RefDrop = 0.0;     // Pa

    // At Friction, the duct's factor at this flow (the one the duct's
    // length is multiplied by, which the branch finds): Le := C·D/f and
    // Drop := 8·f·Le·m²/(π²·ρ·D⁵); both 0 without a factor or a diameter.
    void CalcEquivLength(double DryBulb, double Density, double MassFlow, double Friction,
                         double Diameter, double Roughness) override;
    void WriteData(TValueWriter& Writer) const override;

    // After the user changed the value Changed and kept Fixed, derives the
    // third one from these two (a pair naming the same value twice, or a
    // value outside 0..2, changes nothing):
    //   RefVelocity := √(RefDrop/(0.6·C)), 0 unless the ratio is positive;
    //   RefDrop := 0.6·C·RefVelocity²;
    //   C := RefDrop/(0.6·RefVelocity²), 0 without a velocity.
    void SetEndValue(int Changed, int Fixed);
};
