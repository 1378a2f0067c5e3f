#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string_view>

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

// The field each letter of a mode's name stands for ('r' the density).
constexpr std::string_view Letters = "tbhwfdvsr";
constexpr double PsyState::*Fields[] = {&PsyState::db, &PsyState::wb, &PsyState::ha,
                                        &PsyState::wa, &PsyState::rh, &PsyState::td,
                                        &PsyState::pv, &PsyState::ps, &PsyState::ro};

double& Field(PsyState& S, char Letter)
{
    return S.*Fields[Letters.find(Letter)];
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
            EXPECT_EQ(SetState(s, ref.P, Field(known, m.Letters[0]), Field(known, m.Letters[1]), m.Mode),
                      psOk);
            ExpectSameState(s, known);

            // Humitrak reads only the pressure and the mode's two fields, and
            // may overwrite its own input.
            PsyState given = known;
            for (char letter : Letters)
                if (letter != m.Letters[0] && letter != m.Letters[1])
                    Field(given, letter) = 1e300;
            Humitrak(given, given, m.Mode);
            ExpectSameState(given, known);
        }
    }
}

TEST(InputModes, ModesNotServedAndPairsThatFixNoStateRaise)
{
    const struct {
        double A, B;
        int Mode, Status;
    } Cases[] = {
        {20.0, 2.339, -1, psBadMode}, {20.0, 2.339, 6, psBadMode}, {20.0, 2.339, 20, psBadMode},
        {20.0, 2.339, 24, psBadMode}, {20.0, 2.339, 27, psBadMode}, {20.0, 2.339, 33, psBadMode},
        // At a wet bulb of 0 °C the enthalpy is the same for every dry bulb.
        {0.0, 9.0, pmBH, psNoState},
        // A saturation pressure no temperature in range has.
        {0.01, 5000.0, pmWS, psNoState}, {1e-12, 0.0, pmVS, psNoState},
        // A relative humidity of zero with vapour present.
        {0.01, 0.0, pmWF, psNoState}, {0.0, 10.0, pmFD, psNoState},
        // A density that air at this wet bulb never has within the range.
        {10.0, 50.0, pmBR, psNoState}};
    for (const auto& C : Cases) {
        PsyState s{};
        try {
            SetState(s, 101.325, C.A, C.B, C.Mode);
            ADD_FAILURE() << "mode " << C.Mode << " gave a state";
        } catch (const EPsyError& e) {
            EXPECT_EQ(e.Status(), C.Status) << "mode " << C.Mode;
        }
        if (C.Status == psBadMode) {
            s.pa = 101.325;
            EXPECT_THROW(Humitrak(s, s, C.Mode), EPsyError);
            EXPECT_EQ(PsyStatus(), psBadMode);
        }
    }
}
