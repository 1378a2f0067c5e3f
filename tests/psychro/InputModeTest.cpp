#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {
const struct {
    int Mode;
    const char* Letters;
} ServedModes[] = {
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
    EXPECT_NEAR(A.wa, B.wa, 1e-9 * (1.0 + B.wa));
    for (double PsyState::*F : {&PsyState::db, &PsyState::wb, &PsyState::td, &PsyState::ha})
        EXPECT_NEAR(A.*F, B.*F, 1e-6);
    for (double PsyState::*F : {&PsyState::rh, &PsyState::pv, &PsyState::ps, &PsyState::ro, &PsyState::va})
        EXPECT_NEAR(A.*F, B.*F, 1e-8);
    EXPECT_NEAR(A.cp, B.cp, 1e-9);
}

// Above and below freezing, nearly saturated and dry, at sea level and at low
// barometers (60 kPa is about 4200 m, where water boils near 86 °C).
const struct {
    double P, T, Rh;
} References[] = {{101.325, 25.0, 0.5}, {101.325, -10.0, 0.7}, {60.0, 30.0, 0.4},
                                 {101.325, 5.0, 0.9},  {80.0, -25.0, 0.6},   {101.325, 45.0, 0.15},
                                 {60.0, 80.0, 0.8}};
}

TEST(InputModes, EveryModeReproducesAKnownStateFromTwoOfItsProperties)
{
    for (const auto& ref : References) {
        PsyState known;
        ASSERT_EQ(SetState(known, ref.P, ref.T, ref.Rh, pmTF), psOk);
        for (const auto& m : ServedModes) {
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

// Modes not served raise psBadMode, from SetState and from Humitrak alike;
// pairs that fix no state raise psNoState.
TEST(InputModes, ModesNotServedAndPairsThatFixNoStateRaise)
{
    for (int mode : {-1, 6, 20, 24, 27, 33}) {
        PsyState s{};
        s.pa = 101.325;
        EXPECT_THROW(SetState(s, 101.325, 20.0, 2.339, mode), EPsyError);
        EXPECT_THROW(Humitrak(s, s, mode), EPsyError);
        EXPECT_EQ(PsyStatus(), psBadMode) << mode;
    }
    const struct {
        double A, B;
        int Mode;
    } Cases[] = {
        {0.0, 9.0, pmBH},      // at a wet bulb of 0 °C every dry bulb has this enthalpy
        {0.01, 5000.0, pmWS},  // a saturation pressure no temperature in range has
        {1e-12, 0.0, pmVS},
        {0.01, 0.0, pmWF},     // a relative humidity of zero with vapour present
        {0.0, 10.0, pmFD},
        {10.0, 50.0, pmBR}};   // a density air at this wet bulb never has in range
    for (const auto& C : Cases) {
        PsyState s{};
        try {
            SetState(s, 101.325, C.A, C.B, C.Mode);
            ADD_FAILURE() << "mode " << C.Mode << " gave a state";
        } catch (const EPsyError& e) {
            EXPECT_EQ(e.Status(), psNoState) << "mode " << C.Mode;
        }
    }
}
