#pragma once
// Loss items a branch owns: fixed pressure drops ("Fixed dP's"), fixed loss
// coefficients ("Fixed C's") and the terminal item of an outlet or inlet
// branch. Every loss enters the branch as an equivalent length of straight
// duct. Here are the items' values; their calculations belong with the
// branch hydraulics.

#include <string>
#include <utility>

class TFixedFitting {
public:
    TFixedFitting() = default;
    explicit TFixedFitting(std::string ItemCaption) : Caption(std::move(ItemCaption)) {}
    virtual ~TFixedFitting() = default;
    TFixedFitting(const TFixedFitting&) = default;
    TFixedFitting& operator=(const TFixedFitting&) = default;

    std::string Caption;
    double EquivLength = 0.0; // m
    double Drop = 0.0;        // Pa
};

// A fixed pressure drop given in Pa (Drop is the user's value).
class TFixeddP : public TFixedFitting {
public:
    TFixeddP() = default;
    TFixeddP(std::string ItemCaption, double ItemDrop) : TFixedFitting(std::move(ItemCaption))
    {
        Drop = ItemDrop;
    }
};

// A fixed loss coefficient on the velocity pressure.
class TFixedC : public TFixedFitting {
public:
    TFixedC() = default;
    TFixedC(std::string ItemCaption, double ItemC) : TFixedFitting(std::move(ItemCaption)), C(ItemC) {}

    double C = 0.0;
};

// The terminal of an Outlet or Inlet branch: its loss coefficient and the
// reference drop it has at the reference velocity at standard density
// (RefDrop = 0.5 * 1.2 * C * RefVelocity²).
class TFixedEndFitting : public TFixedFitting {
public:
    TFixedEndFitting() = default;
    explicit TFixedEndFitting(std::string ItemCaption) : TFixedFitting(std::move(ItemCaption)) {}

    double C = 0.0;
    double RefVelocity = 0.0; // m/s
    double RefDrop = 0.0;     // Pa
};
