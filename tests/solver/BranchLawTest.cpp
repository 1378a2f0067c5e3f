#include "tests/solver/BalanceNetworks.h"

#include "fittings/FrictionFactor.h"
#include "solver/BranchLaw.h"

#include "tests/support/ExactDoubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace {

// The friction factor at Re, iterated to its own fixed point.
double Settled(double Re, double Roughness, double Diameter)
{
    int Regime = frNoFlow;
    double F = 0.02;
    for (int I = 0; I < 5; ++I)
        F = FrictionFactor(Re, Roughness, Diameter, F, Regime);
    return F;
}

} // namespace

TEST(BranchLaw, FrictionSlopeIsThatOfTheFrictionLaw)
{
    struct TCase {
        std::string Name;
        double Re, Roughness, Diameter;
    };
    const TCase Cases[] = {
        {"laminar", 1000.0, 0.00015, 0.15},
        {"smooth", 1e5, 0.0, 0.15},
        {"Colebrook", 1e5, 0.00015, 0.15},
        {"Colebrook, low", 4000.0, 0.00015, 0.3},
        {"fully rough", 1e8, 0.003, 0.1},
        {"slow flow (0.02)", 50.0, 0.00015, 0.15},
    };
    for (const TCase& C : Cases) {
        const double H = 1e-3;
        const double Up = Settled(C.Re * (1.0 + H), C.Roughness, C.Diameter);
        const double Down = Settled(C.Re * (1.0 - H), C.Roughness, C.Diameter);
        const double Measured = (std::log(Up) - std::log(Down)) / (std::log1p(H) - std::log1p(-H));
        const double F = Settled(C.Re, C.Roughness, C.Diameter);
        EXPECT_NEAR(FrictionSlope(C.Re, C.Roughness, C.Diameter, F), Measured, 0.005) << C.Name;
    }
}

TEST(BranchLaw, SlopeIsThatOfTheBranchDrop)
{
    // Each branch at flow M: the law's slope against the slope of the drop
    // its own hydraulics give either side of M. A fixed pressure drop adds
    // nothing to the slope; near a jump the slope spreads the jump.
    struct TCase {
        std::string Name;
        double Diameter, Length, M; // m, m, kg/s
        std::function<void(TDuctBranch&)> Items;
        double Share; // slope / measured slope expected
    };
    const auto None = [](TDuctBranch&) {};
    const TCase Cases[] = {
        {"turbulent duct", 0.2, 10.0, 0.3, None, 1.0},
        {"laminar duct", 0.15, 100.0, 0.002, None, 1.0},
        {"fixed C", 0.2, 10.0, 0.3,
         [](TDuctBranch& B) { B.FixedCs.push_back(std::make_unique<TFixedC>("Bend", 2.0)); }, 1.0},
        {"fixed dP", 0.2, 10.0, 0.3,
         [](TDuctBranch& B) { B.FixedDps.push_back(std::make_unique<TFixeddP>("Coil", 50.0)); }, 1.0},
        {"outlet terminal", 0.2, 10.0, 0.3, [](TDuctBranch& B) { B.ToFlowNode()->NodeType = ntOutlet; }, 1.0},
        {"turbulent beside its jump", 0.15, 100.0, 1.5 * balance::TurbulentFlow(0.15), None, 1.0},
        // Re 150: the duct's friction is held to 0.3, its terminal's is not.
        {"slow outlet duct", 0.15, 1.0, balance::TurbulentFlow(0.15) * 150.0 / 2300.0,
         [](TDuctBranch& B) { B.ToFlowNode()->NodeType = ntOutlet; }, 1.0},
        {"very slow duct (Re 30)", 0.15, 100.0, balance::TurbulentFlow(0.15) * 30.0 / 2300.0, None, 1.0},
    };
    for (const TCase& C : Cases) {
        TFlowNetwork N;
        TDuctBranch* B = balance::Duct(N, 1, 1, 2, C.Diameter, C.Length, 0.0);
        C.Items(*B);
        N.G.UpdateNodeTerminals(B->ToFlowNode());
        TBranchLaw Law(*B, N.Defaults.roughness);
        auto Drop = [&](double M) {
            Law.Evaluate(M);
            return Law.Evaluate(M); // the lengths follow the friction at M
        };
        const double H = 1e-4;
        const double Measured = (Drop(C.M * (1.0 + H)) - Drop(C.M * (1.0 - H))) / (2.0 * H * C.M);
        Drop(C.M);
        EXPECT_NEAR(Law.Slope() / Measured, C.Share, 0.01) << C.Name;
    }

    // Across the laminar to turbulent jump of a 150 mm duct the slope takes
    // up the jump: well above the slope of either side.
    TFlowNetwork N;
    TDuctBranch* B = balance::Duct(N, 1, 1, 2, 0.15, 100.0, 0.0);
    TBranchLaw Law(*B, N.Defaults.roughness);
    const double Jump = balance::TurbulentFlow(0.15);
    const double Rise = Law.Evaluate(1.001 * Jump) - Law.Evaluate(0.999 * Jump);
    Law.Evaluate(Jump);
    EXPECT_GT(Rise, 0.3);
    EXPECT_GT(Law.Slope(), Rise / (0.5 * Jump)); // spread over less than half its flow
}

TEST(BranchLaw, FixedDropAddsNoSlopeAtAnyFlow)
{
    // A fixed drop stands for an equivalent length that grows as 1/m²: at a
    // slow flow it is nearly all of the branch's length. The slope must
    // still be that of the same duct without it, not a rounding remainder
    // of its drop over the flow.
    const double Flows[] = {0.3, 1e-3, 1e-8, 1e-14, 1e-20}; // kg/s
    const double Drops[] = {0.3, 5.0, 10.0};                // Pa
    for (const double Drop : Drops) {
        for (const double M : Flows) {
            TFlowNetwork N;
            TDuctBranch* Plain = balance::Duct(N, 1, 1, 2, 0.2, 10.0, 0.0);
            TDuctBranch* Damped = balance::Duct(N, 2, 1, 2, 0.2, 10.0, 0.0);
            Damped->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", Drop));
            Damped->Booster = true;
            Damped->PressureGain = 20.0;
            TBranchLaw PlainLaw(*Plain, N.Defaults.roughness);
            TBranchLaw DampedLaw(*Damped, N.Defaults.roughness);
            for (int Settle = 0; Settle < 2; ++Settle) {
                PlainLaw.Evaluate(M);
                DampedLaw.Evaluate(M);
            }
            const double Expected = PlainLaw.Slope(false);
            EXPECT_NEAR(DampedLaw.Slope(false), Expected, 1e-9 * Expected + 1e-9)
                << Drop << " Pa at " << M << " kg/s";
        }
    }
}

namespace {

// The mass flow (kg/s) at which a round duct of Diameter carries Re.
double FlowAtRe(double Re, double Diameter)
{
    return balance::TurbulentFlow(Diameter) * Re / TurbulentReynolds;
}

} // namespace

TEST(BranchLaw, DropIsAFunctionOfTheFlowAlone)
{
    // 150 mm at roughness 0.15 mm, Re 1.424e6: between the flows at which
    // √f·Re·rr passes 200 for Colebrook's factor and for the rough-wall
    // one. A factor that picks its law from its own last value alternates
    // there call by call, and the drop with it.
    TFlowNetwork N;
    N.Defaults.roughness = 0.00015;
    TDuctBranch* B = balance::Duct(N, 1, 1, 2, 0.15, 100.0, 0.0);
    const double Rho = N.G.AirDensity;
    B->SetVolumeFlow(FlowAtRe(1.424e6, 0.15) / Rho);
    B->RecalcLosses();
    const double First = B->TotalDrop;
    for (int Again = 1; Again <= 3; ++Again) {
        B->RecalcLosses();
        EXPECT_EQ(Exact(B->TotalDrop), Exact(First)) << "recomputation " << Again;
    }

    // Through the onset of fully rough flow (Re about 1.43e6 here) and the
    // doubling after it, the drop rises with every step of the flow: the
    // factor does not step down where the rough-wall law takes over.
    double Before = 0.0;
    for (double Re = 1.2e6; Re <= 3.2e6; Re *= 1.002) {
        B->SetVolumeFlow(FlowAtRe(Re, 0.15) / Rho);
        B->RecalcLosses();
        ASSERT_GT(B->TotalDrop, Before) << "Re " << Re;
        Before = B->TotalDrop;
    }
}

TEST(BranchLaw, EquivalentLengthsFollowTheFactorAtTheNewFlow)
{
    // A 2.0 C-value item stands for C·D/f of duct at the factor of the
    // flow it is computed at; a flow that turns turbulent in one step
    // changes the factor from 0.064 to about 0.025, and a length stated in
    // the old one would be 2.5 times too short.
    TFlowNetwork N;
    TDuctBranch* B = balance::Duct(N, 1, 1, 2, 0.2, 10.0, 0.0);
    B->FixedCs.push_back(std::make_unique<TFixedC>("Bend", 2.0));
    const double Rho = N.G.AirDensity;
    for (double Re : {1000.0, 1e5, 1000.0}) {
        B->SetVolumeFlow(FlowAtRe(Re, 0.2) / Rho);
        B->RecalcLosses();
        ASSERT_GT(B->FrictionFactor, 0.0);
        EXPECT_NEAR(B->FixedCs.front()->EquivLength, 2.0 * 0.2 / B->FrictionFactor, 1e-9) << "Re " << Re;
    }
}

TEST(BranchLaw, SlowFlowJumpOfATerminalDuctRisesAsTheLawSays)
{
    // A 1 m outlet duct of 150 mm whose terminal has C = 5 (C·D = 0.75 m,
    // beyond 0.4 × its length): across Re 64 its factor jumps from 0.02 to
    // 0.3. The terminal's length is counted in the duct's factor, so the
    // drop must rise there by the duct's own length's share, as the law's
    // bookkeeping has it.
    TFlowNetwork N;
    TDuctBranch* B = balance::Duct(N, 1, 1, 2, 0.15, 1.0, 0.0);
    N.Node(2, ntOutlet);
    N.G.UpdateNodeTerminals(B->ToFlowNode());
    ASSERT_TRUE(B->OutletApplies());
    B->OutletTerminal->C = 5.0;
    TBranchLaw Law(*B, N.Defaults.roughness);
    const double Jump = FlowAtRe(SlowFlowReynolds, 0.15);
    const double Below = Law.Evaluate((1.0 - 1e-7) * Jump);
    const double Above = Law.Evaluate((1.0 + 1e-7) * Jump);
    double AtJump = 0.0;
    double Rise = 0.0;
    ASSERT_TRUE(Law.JumpBetween(1, 2, AtJump, Rise));
    EXPECT_NEAR(AtJump, Jump, 1e-9 * Jump);
    EXPECT_GT(Above, Below);
    EXPECT_NEAR(Above - Below, Rise, 0.01 * Rise);
}

TEST(BranchLaw, SmoothedLawRisesWithoutStepsAndIsTheLawAwayFromItsJumps)
{
    // A 150 mm duct of 100 m, with and without a fixed drop of 1.5 Pa,
    // walked from against the branch through zero to well past Re 2300:
    // the smoothed drop never falls, has no step anywhere (a step between
    // neighbouring flows would show as a slope far above its own), and
    // outside the bands it is the branch's own drop.
    for (const double Fixed : {0.0, 1.5}) {
        TFlowNetwork N;
        TDuctBranch* B = balance::Duct(N, 1, 1, 2, 0.15, 100.0, 0.0);
        if (Fixed > 0.0)
            B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", Fixed));
        TBranchLaw Law(*B, N.Defaults.roughness);
        const double Top = 2.0 * FlowAtRe(TurbulentReynolds, 0.15);
        const double Width = 0.1;
        const int Steps = 20000;
        double Before = -HUGE_VAL;
        double BeforeSlope = 0.0;
        for (int K = -Steps; K <= Steps; ++K) {
            const double M = Top * K / Steps;
            double Slope = 0.0;
            const double Drop = Law.EvaluateSmoothed(M, Width, Slope);
            const std::string At = std::to_string(Fixed) + " Pa fixed, m " + std::to_string(M);
            ASSERT_GE(Drop, Before) << At;
            if (K > -Steps) {
                const double Largest = std::max(Slope, BeforeSlope) * Top / Steps;
                ASSERT_LE(Drop - Before, 1.5 * Largest + 1e-9) << At;
            }
            double AtJump = 0.0;
            if (!Law.InBand(M, Width, 0.0, AtJump)) {
                const double Own = Law.Evaluate(M);
                ASSERT_NEAR(Drop, Own, 1e-12 * std::fabs(Own) + 1e-12) << At;
            }
            Before = Drop;
            BeforeSlope = Slope;
        }
    }
}

TEST(BranchLaw, AFlowThatChangesSignPassesTheFixedDropsJumpFromAnyPiece)
{
    // A damper duct's flow may go from just against the branch to past
    // Re 64 with it in one step: it passed the damper's jump at zero flow
    // all the same (left unseen, a damper at 0.5 Pa flipped over zero flow
    // to the warm start's cap). Without fixed drops there is no jump there.
    struct TCase {
        int From, To;
        double Drop; // Pa
        bool Jump;
    };
    const TCase Cases[] = {{-1, 1, 0.5, true}, {-1, 2, 0.5, true}, {3, -2, 0.5, true}, {-1, 2, 0.0, false},
                           {1, 3, 0.5, false}};
    for (const TCase& C : Cases) {
        TFlowNetwork N;
        TDuctBranch* B = balance::Duct(N, 1, 1, 2, 0.15, 100.0, 0.0);
        if (C.Drop > 0.0)
            B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", C.Drop));
        TBranchLaw Law(*B, N.Defaults.roughness);
        double AtJump = -1.0;
        double Rise = 0.0;
        const std::string Name = std::to_string(C.From) + " to " + std::to_string(C.To) + " at " + std::to_string(C.Drop);
        EXPECT_EQ(Law.JumpBetween(C.From, C.To, AtJump, Rise), C.Jump) << Name;
        if (C.Jump) {
            EXPECT_EQ(AtJump, 0.0) << Name;
            EXPECT_EQ(Rise, 2.0 * C.Drop) << Name;
        }
    }
}
