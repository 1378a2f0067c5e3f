#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace {
struct TMode {
    int Mode;
    const char* Letters;
};

const TMode ServedModes[] = {
    {pmTB, "tb"}, {pmTH, "th"}, {pmTW, "tw"}, {pmTF, "tf"}, {pmTD, "td"}, {pmTV, "tv"},
    {pmTR, "tr"}, {pmBH, "bh"}, {pmBW, "bw"}, {pmBF, "bf"}, {pmBD, "bd"}, {pmBV, "bv"},
    {pmBS, "bs"}, {pmBR, "br"}, {pmHW, "hw"}, {pmHF, "hf"}, {pmHD, "hd"}, {pmHV, "hv"},
    {pmHS, "hs"}, {pmWF, "wf"}, {pmWS, "ws"}, {pmFD, "fd"}, {pmFV, "fv"}, {pmFS, "fs"},
    {pmDS, "ds"}, {pmVS, "vs"}};

double& FieldRef(PsyState& S, char Letter)
{
    switch (Letter) {
    case 't': return S.db;
    case 'b': return S.wb;
    case 'h': return S.ha;
    case 'w': return S.wa;
    case 'f': return S.rh;
    case 'd': return S.td;
    case 'v': return S.pv;
    case 's': return S.ps;
    default: return S.ro;
    }
}

double Field(PsyState S, char Letter)
{
    return FieldRef(S, Letter);
}

void ExpectSameState(const PsyState& A, const PsyState& B)
{
    EXPECT_DOUBLE_EQ(A.pa, B.pa);
    EXPECT_NEAR(A.db, B.db, 1e-6);
    EXPECT_NEAR(A.wb, B.wb, 1e-6);
    EXPECT_NEAR(A.td, B.td, 1e-6);
    EXPECT_NEAR(A.ha, B.ha, 1e-6);
    EXPECT_NEAR(A.wa, B.wa, 1e-9 * (1.0 + B.wa));
    EXPECT_NEAR(A.rh, B.rh, 1e-8);
    EXPECT_NEAR(A.pv, B.pv, 1e-8);
    EXPECT_NEAR(A.ps, B.ps, 1e-8);
    EXPECT_NEAR(A.ro, B.ro, 1e-8);
    EXPECT_NEAR(A.cp, B.cp, 1e-9);
    EXPECT_NEAR(A.va, B.va, 1e-8);
}

struct TReference {
    double P, T, Rh;
};

// Above and below freezing, nearly saturated and dry, at sea level and at low
// barometers (60 kPa is about 4200 m, where water boils near 86 °C).
const TReference References[] = {{101.325, 25.0, 0.5}, {101.325, -10.0, 0.7}, {60.0, 30.0, 0.4},
                                 {101.325, 5.0, 0.9},  {80.0, -25.0, 0.6},   {101.325, 45.0, 0.15},
                                 {60.0, 80.0, 0.8}};
}

TEST(InputModes, EveryModeReproducesAKnownStateFromTwoOfItsProperties)
{
    for (const TReference& ref : References) {
        PsyState known;
        ASSERT_EQ(SetState(known, ref.P, ref.T, ref.Rh, pmTF), psOk);
        for (const TMode& m : ServedModes) {
            SCOPED_TRACE(testing::Message() << "P " << ref.P << " t " << ref.T << " mode " << m.Letters);
            PsyState s;
            EXPECT_EQ(SetState(s, ref.P, Field(known, m.Letters[0]), Field(known, m.Letters[1]), m.Mode), psOk);
            ExpectSameState(s, known);
        }
    }
}

TEST(InputModes, HumitrakReadsTheModesFieldsAndMayOverwriteItsInput)
{
    PsyState known;
    SetState(known, 90.0, 22.0, 0.35, pmTF);
    for (const TMode& m : ServedModes) {
        SCOPED_TRACE(m.Letters);
        // Only the pressure and the two named fields may matter.
        PsyState given = known;
        for (char letter : {'t', 'b', 'h', 'w', 'f', 'd', 'v', 's', 'r'})
            if (letter != m.Letters[0] && letter != m.Letters[1])
                FieldRef(given, letter) = 1e300;
        Humitrak(given, given, m.Mode);
        ExpectSameState(given, known);
    }
}

TEST(InputModes, ModesNotServedRaise)
{
    PsyState s{};
    s.pa = 101.325;
    for (int mode : {-1, 6, 20, 24, 27, 33}) {
        try {
            SetState(s, 101.325, 20.0, 2.339, mode);
            ADD_FAILURE() << "mode " << mode;
        } catch (const EPsyError& e) {
            EXPECT_EQ(e.Status(), psBadMode);
        }
        EXPECT_THROW(Humitrak(s, s, mode), EPsyError);
        EXPECT_EQ(PsyStatus(), psBadMode);
    }
}

TEST(InputModes, PairsThatFixNoStateRaise)
{
    PsyState s;
    const auto expectNoState = [&](double P, double A, double B, int Mode) {
        try {
            SetState(s, P, A, B, Mode);
            ADD_FAILURE() << "mode " << Mode << " gave a state";
        } catch (const EPsyError& e) {
            EXPECT_EQ(e.Status(), psNoState) << "mode " << Mode;
        }
    };
    // At a wet bulb of 0 °C the enthalpy is the same for every dry bulb.
    expectNoState(101.325, 0.0, 9.0, pmBH);
    // A saturation pressure no temperature in range has.
    expectNoState(101.325, 0.01, 5000.0, pmWS);
    expectNoState(101.325, 1e-12, 0.0, pmVS);
    // A relative humidity of zero with vapour present.
    expectNoState(101.325, 0.01, 0.0, pmWF);
    expectNoState(101.325, 0.0, 10.0, pmFD);
    // A density that air at this wet bulb never has within the range.
    expectNoState(101.325, 10.0, 50.0, pmBR);
}
