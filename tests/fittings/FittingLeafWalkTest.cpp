// Walks every leaf class of the table families with hand-built sections:
// sections -> axis values -> coefficient, and the axis values (and for
// junctions the flow ratios) the sections determine. The expected values are
// worked out by hand from the sizes in the rows, which guards each leaf's
// rule against a transcription slip.

#include "FamilyTestData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <typeinfo>

namespace {

struct TWalk {
    const char* Class;
    TSecs Sec;
    TFloatVec Inputs;
    TFloatVec Axes;    // the axis values looked up: x; x, y; z, x, y; or x, z, y
    TFloatVec Ratios;  // GetVelocityRatios, -1 where the sections determine nothing
    TStringVec Paths = {};
    // Junctions only: stored axis values, the axis values a lookup at them
    // uses (the flow ratios still come from the sections), and the flow
    // ratios of the sections.
    TFloatVec Stored = {};
    TFloatVec AtAxes = {};
    TFloatVec Flows = {};
};

const double Pi = 4 * QuarterPi;
// Effective duct lengths: a 1000 mm round outlet below 13 m/s, and a 200 mm
// one at 20 m/s (0.2 pi m3/s).
const double LrefD1000 = std::sqrt(785398.1633974483) / 350.0;
const double LrefD200Fast = std::sqrt(10000.0 * Pi) * 20.0 / 4500.0;
// Area ratios that do not come out round.
const double Rect200x400OverD200 = 80000.0 / 31415.926535897932;
const double Rect300x400OverD200 = 120000.0 / 31415.926535897932;
const double D250OverRect300x500 = 49087.385212340517 / 150000.0;
const double A400 = QuarterPi * 400 * 400;  // mm2

// Reynolds number of standard air in thousands, worked out independently.
double ReThousands(double VelocityMs, double DiameterMm)
{
    return 1.2 * VelocityMs * DiameterMm / 1000.0 / 1.8114e-5 / 1000.0;
}

TDuctSection WithD(TDuctSection S, double D)
{
    S.D = D;
    return S;
}

const std::vector<TWalk>& Walks()
{
    // Junctions. Round tee: straight 400 (0.75), branch 200 (0.25), common
    // 400 (1.0). Rectangular tee 300 high: straight 400 wide, branch 200,
    // common 800. Crosses: branches of 0.2 and 0.3 off a common 1.0.
    const TSecs RoundTee = {.S = RoundSection(400, 0.75), .B = RoundSection(200, 0.25), .C = RoundSection(400, 1.0)};
    const TSecs RectTee = {.S = RectSection(300, 400, 0.6), .B = RectSection(300, 200, 0.2),
                           .C = RectSection(300, 800, 0.8)};
    const TSecs Wye = {.B = RoundSection(200, 0.3), .B2 = RoundSection(300, 0.5), .C = RoundSection(400, 0.8)};
    const TSecs RoundCross = {.S = RoundSection(400, 0.5), .B = RoundSection(200, 0.2),
                              .B2 = RoundSection(200, 0.3), .C = RoundSection(400, 1.0)};
    const TSecs RectCross = {.S = RectSection(300, 600, 0.5), .B = RectSection(300, 300, 0.2),
                             .B2 = RectSection(300, 300, 0.3), .C = RectSection(300, 600, 1.0)};
    const TFloatVec Z5Y6 = {0.5, 0.6};

    static const std::vector<TWalk> Rows = {
        // One-dimensional.
        {"TDuctFitD", {.S = RoundSection(250)}, {}, {250}, {-1}},
        {"TDuctFitL", {}, {3}, {3}, {-1}},
        {"TDuctFitAngle", {}, {45}, {45}, {-1}},
        {"TDuctFitrD", {.S = RoundSection(300)}, {150}, {0.5}, {-1}},
        {"TDuctFitDorD", {.S = RoundSection(200)}, {150}, {0.75}, {-1}},
        {"TDuctFithD", {.S = RoundSection(400)}, {100}, {0.25}, {-1}},
        {"TDuctFitAbAo", {}, {0.35, 1.0}, {0.35}, {-1}},
        {"TDuctFitDeD", {.S = RoundSection(200)}, {300}, {1.5}, {-1}},
        {"TDuctFitLD0", {}, {600, 200}, {3.0}, {-1}},
        {"TDuctFitLD", {.S = RoundSection(500)}, {50}, {0.1}, {-1}},
        {"TDuctFitLH", {.S = RectSection(300, 800)}, {900}, {3.0}, {-1}},
        {"TDuctFitHW", {.S = RectSection(300, 600)}, {}, {0.5}, {0.5}},
        {"TDuctFitQbQc", {.B = RoundSection(200, 0.3), .C = RoundSection(400, 1.2)}, {}, {0.25}, {}, {}, {0.8},
         {0.25}, {}},
        {"TDuctFitQsQc", {.S = RoundSection(300, 0.9), .C = RoundSection(400, 1.2)}, {}, {0.75}, {}, {}, {0.8},
         {0.75}, {}},
        {"TDuctFitDbDc", {.B = RoundSection(200), .C = RoundSection(400)}, {}, {0.25}, {0.25}},
        // 2 m3/s in a 1000 mm duct is 2.55 m/s: the low-velocity form.
        {"TDuctFitLmDQ", {.S = RoundSection(1000, 2.0, 2.0 * LrefD1000)}, {}, {2.0}, {2.0}},
        {"TDuctFitLmDQ", {.S = RoundSection(200, 0.2 * Pi, 3.0 * LrefD200Fast)}, {}, {3.0}, {3.0}},
        {"TDuctFitHWbWc", {.B = RectSection(300, 200), .C = RectSection(300, 800)}, {}, {0.25}, {0.25}},
        // De of 200 x 600 is 300.
        {"TDuctFitH0W0L", {.S = RectSection(200, 600)}, {900}, {3.0}, {-1}},

        // Two-dimensional with a factor: [z, x, y]. 500 x 500 at 1 m3/s is
        // 4 m/s, Dh 500 mm.
        {"TDuctFitHWRA", {.S = RectSection(400, 200)}, {300, 90}, {90, 2.0, 1.5}, {-1, 2.0, -1}},
        {"TDuctFitHWLQ", {.S = RectSection(500, 500, 1.0)}, {1000}, {ReThousands(4, 500), 2.0, 1.0},
         {ReThousands(4, 500), -1, 1.0}},

        // Two-dimensional geometric: [x, y]. D0 = 200 from S, D1 = 100 from
        // Second: area ratio 4; with first path "1" the two change roles.
        {"TDuctFitD0D1A", {.S = RoundSection(200), .Second = RoundSection(100)}, {30}, {30, 4.0}, {-1, 4.0}},
        {"TDuctFitD0D1A", {.S = RoundSection(200), .Second = RoundSection(100)}, {30}, {30, 4.0}, {-1, 4.0},
         {"0", "1"}},
        {"TDuctFitD0D1A", {.S = RoundSection(200), .Second = RoundSection(100)}, {30}, {30, 0.25}, {-1, 0.25},
         {"1", "0"}},
        {"TDuctFitD1D0A", {.S = RoundSection(200)}, {100, 45}, {45, 0.25}, {-1, -1}},
        {"TDuctFitD0D1n", {.S = RoundSection(200)}, {100, 0.5}, {0.5, 0.25}, {-1, -1}},
        // A diameter ratio, not an area ratio.
        {"TDuctFitDD0A", {.S = RoundSection(100)}, {200, 60}, {60, 2.0}, {-1, -1}},
        {"TDuctFitDLt", {.S = RoundSection(400)}, {100, 8}, {0.25, 0.02}, {-1, -1}},
        {"TDuctFitD0H1W1L", {.S = RoundSection(200), .Second = RectSection(200, 400)}, {600},
         {3.0, Rect200x400OverD200}, {-1, Rect200x400OverD200}},
        {"TDuctFitD0H1W1A", {.S = RoundSection(200), .Second = RectSection(200, 400)}, {20},
         {20, 1.0 / Rect200x400OverD200}, {-1, 1.0 / Rect200x400OverD200}},
        // The round duct is the second link here: path "c" puts it back in
        // the D0 place.
        {"TDuctFitD0H1W1A", {.S = RectSection(200, 400), .Second = RoundSection(200)}, {20},
         {20, 1.0 / Rect200x400OverD200}, {-1, 1.0 / Rect200x400OverD200}, {"s", "c"}},
        {"TDuctFitD0rL", {.S = RoundSection(250)}, {125, 500}, {2.0, 0.5}, {-1, -1}},
        // 0.1 pi m3/s in a 200 mm duct: 10 m/s, so V = 5 gives 0.5.
        {"TDuctFitVQDAngle", {.S = RoundSection(200, 0.1 * Pi)}, {5, 30}, {0.5, 30}, {-1, -1}},
        {"TDuctFitHWAngle", {.S = RectSection(300, 600)}, {45}, {0.5, 45}, {0.5, -1}},
        // A square 400 duct has Dh = 400.
        {"TDuctFitHWLAngle", {.S = RectSection(400, 400)}, {800, 60}, {60, 2.0}, {-1, -1}},
        {"TDuctFitHWLt", {.S = RectSection(400, 400)}, {800, 20}, {2.0, 0.05}, {-1, -1}},
        {"TDuctFitLHW", {.S = RectSection(200, 500)}, {600}, {3.0, 2.5}, {-1, 2.5}},
        {"TDuctFitHWr", {.S = RectSection(300, 600)}, {450}, {0.5, 0.75}, {0.5, -1}},
        {"TDuctFitHWL", {.S = RectSection(300, 600)}, {1200}, {0.5, 2.0}, {0.5, -1}},
        {"TDuctFitAngleHW", {.S = RectSection(600, 300)}, {90}, {90, 2.0}, {-1, 2.0}},
        {"TDuctFitAngleLD", {.S = RoundSection(400)}, {60, 40}, {60, 0.1}, {-1, -1}},
        {"TDuctFitLDAngle", {.S = RoundSection(400)}, {60, 30}, {0.15, 30}, {-1, -1}},
        {"TDuctFitHWh", {.S = RectSection(400, 800)}, {100}, {0.25, 0.5}, {-1, 0.5}},
        {"TDuctFitH0W0H1W1n", {.S = RectSection(400, 500)}, {200, 250, 0.3}, {0.3, 0.25}, {-1, -1}},
        // 200 x 200 in 400 x 500; L = 100 over Dh(200, 200) = 200.
        {"TDuctFitH0W0H1W1L", {.S = RectSection(400, 500)}, {200, 200, 100}, {0.2, 0.5}, {-1, -1}},
        // 4 blades of 500 over the perimeter 2 (300 + 500).
        {"TDuctFitHWNAngle", {.S = RectSection(300, 500)}, {4, 30}, {30, 1.25}, {-1, -1}},
        {"TDuctFitH0W0D1r", {.S = RectSection(300, 400), .Second = RoundSection(200)}, {30},
         {0.15, Rect300x400OverD200}, {-1, Rect300x400OverD200}},
        {"TDuctFitHWoW1", {.S = RectSection(250, 500), .Second = RectSection(250, 750)}, {}, {1.5, 0.5}, {1.5, 0.5}},
        // Leaves without path order ignore the path names.
        {"TDuctFitHWoW1", {.S = RectSection(250, 500), .Second = RectSection(250, 750)}, {}, {1.5, 0.5}, {1.5, 0.5},
         {"1", "0"}},
        {"TDuctFitHW1Wo", {.S = RectSection(250, 500), .Second = RectSection(250, 1000)}, {}, {0.5, 0.25},
         {0.5, 0.25}},
        {"TDuctFitH0W0H1W1Angle", {.S = RectSection(400, 600), .Second = RectSection(300, 400)}, {30}, {30, 2.0},
         {-1, 2.0}},
        // The inputs are read from position 2 on.
        {"TDuctFitH1W1HoWoAngle", {.S = RectSection(300, 400)}, {0, 0, 400, 600, 20}, {0.5, 20}, {-1, -1}},
        {"TDuctFitHoWoH1W1Angle", {.S = RectSection(400, 600)}, {0, 0, 300, 400, 15}, {2.0, 15}, {-1, -1}},
        {"TDuctFitHoH1W1L", {.S = RectSection(200, 500), .Second = RectSection(400, 500)}, {600}, {3.0, 2.0},
         {-1, 2.0}},
        {"TDuctFitHoWoH1W1L", {.S = RectSection(400, 400), .Second = RectSection(400, 800)}, {1200}, {3.0, 2.0},
         {-1, 2.0}},
        {"TDuctFitH0W0D1Angle", {.S = RectSection(300, 400), .Second = RoundSection(200)}, {45},
         {45, Rect300x400OverD200}, {-1, Rect300x400OverD200}},
        {"TDuctFitH0W0D1Angle", {.S = RoundSection(200), .Second = RectSection(300, 400)}, {45},
         {45, Rect300x400OverD200}, {-1, Rect300x400OverD200}, {"b"}},
        {"TDuctFitHrL", {.S = RectSection(400, 600)}, {100, 800}, {2.0, 0.25}, {-1, -1}},
        {"TDuctFitntd", {}, {0.6, 2, 4}, {0.6, 0.5}, {-1, -1}},
        {"TDuctFitH0H1WAngle", {.S = RectSection(300, 500), .Second = RectSection(600, 500)}, {15}, {15, 0.5},
         {-1, 0.5}},
        // 500 x 500 outlet at 3.25 m3/s: 13 m/s, the low-velocity form, so
        // the effective length is 500 / 350 m and 20/7 m is twice it; at
        // 4.5 m3/s, 18 m/s, it is 500 x 18 / 4500 = 2 m.
        {"TDuctFitHoWoHbWbLmQ", {.S = RectSection(500, 500, 3.25, 20.0 / 7.0)}, {400, 500}, {2.0, 0.8}, {2.0, -1}},
        {"TDuctFitHoWoHbWbLmQ", {.S = RectSection(500, 500, 4.5, 3.0)}, {250, 500}, {1.5, 0.5}, {1.5, -1}},

        // Two-dimensional junctions: [flow ratio, area ratio].
        {"TDuctFitDbDcQbQc", {.B = RoundSection(200, 0.1), .C = RoundSection(400, 0.4)}, {}, {0.25, 0.25}, {0.25},
         {}, {0.5}, {0.25, 0.5}, {0.25}},
        {"TDuctFitHWbWcQbQc", {.B = RectSection(300, 200, 0.2), .C = RectSection(300, 800, 0.8)}, {}, {0.25, 0.25},
         {0.25}, {}, {0.5}, {0.25, 0.5}, {0.25}},
        {"TDuctFitDsDcQsQc", {.S = RoundSection(300, 0.6), .C = RoundSection(400, 1.0)}, {}, {0.6, 0.5625},
         {0.5625}, {}, {0.5}, {0.6, 0.5}, {0.6}},
        {"TDuctFitHbWbHcWcQbQc", {.B = RectSection(200, 300, 0.15), .C = RectSection(400, 600, 0.6)}, {},
         {0.25, 0.25}, {0.25}, {}, {0.5}, {0.25, 0.5}, {0.25}},
        {"TDuctFitHcWcDbQbQc", {.B = RoundSection(250, 0.3), .C = RectSection(300, 500, 1.0)}, {},
         {0.3, D250OverRect300x500}, {D250OverRect300x500}, {}, {0.5}, {0.3, 0.5}, {0.3}},
        {"TDuctFitHsWsHcWcQsQc", {.S = RectSection(300, 400, 0.7), .C = RectSection(400, 600, 1.0)}, {},
         {0.7, 0.5}, {0.5}, {}, {0.5}, {0.7, 0.5}, {0.7}},
        {"TDuctFitHWsWcQsQc", {.S = RectSection(300, 450, 0.45), .C = RectSection(300, 600, 0.6)}, {},
         {0.75, 0.75}, {0.75}, {}, {0.5}, {0.75, 0.5}, {0.75}},

        // Three-dimensional geometric: [x, z, y]. Round 400 first link and
        // 400 x 500 second; L = 800, angle 30.
        {"TDuctFitH1W1D0LA", {.S = RoundSection(400), .Second = RectSection(400, 500)}, {800, 30},
         {30, A400 / 200000, 2.0}, {-1, A400 / 200000, -1}},
        {"TDuctFitH0W0D1LA", {.S = RectSection(400, 500), .Second = RoundSection(400)}, {800, 30},
         {30, 200000 / A400, 2.0}, {-1, 200000 / A400, -1}},
        // A 50 mm bar across 400 x 500 at 100 mm from the wall, 4 m/s.
        {"TDuctFitHWdyQ", {.S = RectSection(400, 500, 0.8)}, {50, 100}, {0.125, 0.25, ReThousands(4, 50)},
         {-1, -1, -1}},
        // A 50 mm bar, 400 mm long, in a 400 mm duct at 200 mm; 1 m3/s.
        {"TDuctFitDdyLQ", {.S = RoundSection(400, 1.0)}, {50, 200, 400},
         {20000 / A400, 0.5, ReThousands(1e6 / A400, 50)}, {-1, -1, -1}},
        // 400 x 400 (Dh 400) to 200 x 400, L = 600.
        {"TDuctFitH0W0H1W1LA", {.S = RectSection(400, 400), .Second = RectSection(200, 400)}, {600, 45},
         {45, 2.0, 1.5}, {-1, 2.0, -1}},
        // 400 x 400 at 1.0 m3/s (6.25 m/s) to H1 = 200, W = 400; the
        // section's own D field feeds its velocity ratio.
        {"TDuctFitH0H1WAQ", {.S = WithD(RectSection(400, 400, 1.0), 437.4)}, {200, 400, 60},
         {60, 0.5, ReThousands(6.25, 400)}, {-1, -1, ReThousands(6.25, 437.4)}},
        // 400 x 600 (Dh 480) at 1.2 m3/s (5 m/s) to 300 x 400.
        {"TDuctFitH0W0H1W1AQ", {.S = RectSection(400, 600, 1.2)}, {300, 400, 20}, {20, 0.5, ReThousands(5, 480)},
         {-1, -1, 0}},
        // V = 2 m/s over 4 m/s in 400 x 500; input A = 30.
        {"TDuctFitVQHWA", {.S = RectSection(400, 500, 0.8)}, {2, 30}, {0.5, 0.8, 30}, {-1, 0.8, -1}},

        // Three-dimensional junctions: [flow ratio, z, y]; a link stores
        // [z, y], a cross [z] with its second flow ratio on y.
        {"TDuctFitDsDcDbQbQc", RoundTee, {}, {0.25, 1.0, 0.25}, {1.0, 0.25}, {}, Z5Y6, {0.25, 0.5, 0.6},
         {0.75, 0.25}},
        {"TDuctFitDsDcDbQsQc", RoundTee, {}, {0.75, 1.0, 0.25}, {1.0, 0.25}, {}, Z5Y6, {0.75, 0.5, 0.6},
         {0.75, 0.25}},
        // The same on the first table of two by size (LinearSource keeps
        // every size on it).
        {"TDuctFitDsDcDbQbQcBySize", RoundTee, {}, {0.25, 1.0, 0.25}, {1.0, 0.25}, {}, Z5Y6, {0.25, 0.5, 0.6},
         {0.75, 0.25}},
        {"TDuctFitDsDcDbQsQcBySize", RoundTee, {}, {0.75, 1.0, 0.25}, {1.0, 0.25}, {}, Z5Y6, {0.75, 0.5, 0.6},
         {0.75, 0.25}},
        // Straight 300, branch 200 (0.2) off a common 400 (0.8).
        {"TDuctFitDsDb1DcQb1Qc",
         {.S = RoundSection(300, 0.6), .B = RoundSection(200, 0.2), .C = RoundSection(400, 0.8)}, {},
         {0.25, 0.5625, 0.25}, {0.5625, 0.25}, {}, Z5Y6, {0.25, 0.5, 0.6}, {0.75, 0.25}},
        {"TDuctFitDb1Db2DcQb1Qc", Wye, {}, {0.375, 0.25, 0.5625}, {0.25, 0.5625}, {}, Z5Y6, {0.375, 0.5, 0.6},
         {0.375, 0.625}},
        {"TDuctFitDb1Db2DcQb2Qc", Wye, {}, {0.625, 0.25, 0.5625}, {0.25, 0.5625}, {}, Z5Y6, {0.625, 0.5, 0.6},
         {0.375, 0.625}},
        {"TDuctFitHWbWcWsQbQc", RectTee, {}, {0.25, 0.5, 0.25}, {0.5, 0.25}, {}, Z5Y6, {0.25, 0.5, 0.6},
         {0.75, 0.25}},
        {"TDuctFitHWbWcWsQsQc", RectTee, {}, {0.75, 0.5, 0.25}, {0.5, 0.25}, {}, Z5Y6, {0.75, 0.5, 0.6},
         {0.75, 0.25}},
        {"TDuctFitHWWbQb1Qb2Qc", RectCross, {}, {0.2, 0.5, 1.5}, {0.5}, {}, {0.5}, {0.2, 0.5, 1.5}, {0.2}},
        {"TDuctFitHWWbQb1Qb2QcQs", RectCross, {}, {0.5, 0.5, 1.5}, {0.5}, {}, {0.5}, {0.5, 0.5, 1.5}, {0.2}},
        {"TDuctFitDcDbQb1Qb2Qc", RoundCross, {}, {0.2, 0.25, 1.5}, {0.25}, {}, {0.5}, {0.2, 0.5, 1.5}, {0.2}},
        {"TDuctFitDcDbQb1Qb2QcQs", RoundCross, {}, {0.5, 0.25, 1.5}, {0.25}, {}, {0.5}, {0.5, 0.5, 1.5}, {0.2}},
    };
    return Rows;
}

TEST(FittingLeaves, EveryLeafTurnsSectionsIntoItsAxisValues)
{
    for (const TWalk& R : Walks()) {
        SCOPED_TRACE(R.Class);
        const auto F = MakeFitting(LinearSource(R.Class, R.Paths));
        const double C = CoefficientOf(*F, R.Sec, R.Inputs);
        EXPECT_FALSE(RangeFlag);
        ExpectValues(F->LastInputs, R.Axes, "axis values");
        EXPECT_NEAR(C, LinearValue(R.Class, R.Axes), 1e-6 * (1 + std::abs(C)));
        ExpectValues(VelocityRatiosOf(*F, R.Sec), R.Ratios, "velocity ratios");

        // Missing sections give zero ratios, never a failure.
        TFloatVec Zeros = R.Ratios;
        for (double& V : Zeros)
            V = V == -1 ? -1 : 0;
        ExpectValues(VelocityRatiosOf(*F, {}), Zeros, "ratios of missing sections");

        // One input short, or none at all, is a failed calculation.
        EXPECT_THROW(F->CalcC({}), EFittingCalcError);
        if (!R.Inputs.empty()) {
            const TFloatVec Short(R.Inputs.begin(), R.Inputs.end() - 1);
            EXPECT_CALC_FAILS(CoefficientOf(*F, R.Sec, Short));
        }
        if (R.Stored.empty())
            continue;

        // Junctions: the flow ratio comes from the sections, also at stored
        // axis values, and a still common duct gives none.
        const double At = CoefficientAt(*F, R.Sec, R.Stored);
        ExpectValues(F->LastInputs, R.AtAxes, "axis values at stored values");
        EXPECT_NEAR(At, LinearValue(R.Class, R.AtAxes), 1e-6 * (1 + std::abs(At)));
        EXPECT_NEAR(F->FlowRatio(R.Sec.S, R.Sec.B, R.Sec.B2, R.Sec.C, R.Sec.Second), R.Axes[0], 1e-9);
        ExpectValues(FlowRatiosOf(*F, R.Sec), R.Flows, "flow ratios");
        if (R.AtAxes.size() > 1)
            EXPECT_CALC_FAILS(CoefficientAt(*F, R.Sec, {}));
        TSecs Still = R.Sec;
        Still.C.Q = 0;
        EXPECT_CALC_FAILS(CoefficientOf(*F, Still, R.Inputs));
        EXPECT_CALC_FAILS(CoefficientAt(*F, Still, R.Stored));
        EXPECT_TRUE(FlowRatiosOf(*F, Still).empty());
    }
}

TEST(FittingLeaves, ZeroSizesFailWithTheWarning)
{
    struct TBad {
        const char* Class;
        TSecs Sec;
        TFloatVec Values;  // the inputs, or with At the stored axis values
        bool At = false;
    };
    const std::vector<TBad> Rows = {
        {"TDuctFitrD", {}, {150}},                                                   // no diameter
        {"TDuctFitrD", {}, {}, true},                                                // no stored value
        {"TDuctFitrD", {}, {std::nan("")}, true},                                    // not a number
        {"TDuctFitAbAo", {}, {0.35, 0.0}},
        {"TDuctFitLH", {.S = RectSection(0, 300)}, {900}},
        {"TDuctFitHW", {.S = RectSection(300, 0)}, {}},
        {"TDuctFitDbDc", {.B = RoundSection(200)}, {}},
        {"TDuctFitHWbWc", {.B = RectSection(0, 200), .C = RectSection(0, 800)}, {}},  // H cancels but is 0
        {"TDuctFitH0W0L", {.S = RectSection(0, 0)}, {900}},
        {"TDuctFitLmDQ", {}, {}},
        {"TDuctFitHWRA", {.S = RectSection(400, 0, 1)}, {300, 90}},
        {"TDuctFitHWLQ", {.S = RectSection(400, 0, 1)}, {300}},
        {"TDuctFitHWRA", {}, {1, 2}, true},
        {"TDuctFitDD0A", {}, {200, 60}},
        {"TDuctFitHWLt", {.S = RectSection(0, 0)}, {800, 20}},
        {"TDuctFitVQDAngle", {.S = RoundSection(200, 0.0)}, {5, 30}},                  // a still duct
        {"TDuctFitH0H1WAngle", {.S = RectSection(300, 0), .Second = RectSection(600, 0)}, {15}},
        {"TDuctFitHoH1W1L", {.S = RectSection(200, 500), .Second = RectSection(400, 0)}, {600}},
        {"TDuctFitHoWoHbWbLmQ", {.S = RectSection(0, 500, 1.0, 3)}, {400, 500}},
        {"TDuctFitH1W1D0LA", {}, {800, 30}},
        {"TDuctFitH0W0D1LA", {}, {800, 30}},
        {"TDuctFitHWdyQ", {}, {50, 100}},
        {"TDuctFitDdyLQ", {}, {50, 200, 400}},
        {"TDuctFitH0W0H1W1LA", {}, {600, 45}},
        {"TDuctFitH0H1WAQ", {}, {200, 400, 60}},
        {"TDuctFitH0W0H1W1AQ", {}, {300, 400, 20}},
        {"TDuctFitVQHWA", {.S = RectSection(400, 500, 0.0)}, {2, 30}},
        {"TDuctFitH1W1D0LA", {}, {1, 2}, true},
        // A cross whose evaluated branch carries no flow cannot form Qb2 / Qb.
        {"TDuctFitDcDbQb1Qb2Qc",
         {.B = RoundSection(200, 0), .B2 = RoundSection(200, 0.3), .C = RoundSection(400, 1)}, {0.5}, true},
    };
    for (const TBad& R : Rows) {
        SCOPED_TRACE(R.Class);
        const auto F = MakeFitting(LinearSource(R.Class));
        if (R.At)
            EXPECT_CALC_FAILS(CoefficientAt(*F, R.Sec, R.Values));
        else
            EXPECT_CALC_FAILS(CoefficientOf(*F, R.Sec, R.Values));
    }

    // CalcC itself refuses a sequence one value shorter than the class reads.
    const auto Outlet = MakeFitting(LinearSource("TDuctFitH0W0L"));
    EXPECT_THROW(Outlet->CalcC({200, 600}), EFittingCalcError);
    EXPECT_NEAR(Outlet->CalcC({200, 600, 900}), 3.0, 1e-12);
    const auto Damper = MakeFitting(LinearSource("TDuctFitHWNAngle"));
    EXPECT_THROW(Damper->CalcC({300, 500, 4}), EFittingCalcError);
    EXPECT_NEAR(Damper->CalcC({300, 500, 4, 30}), LinearValue("TDuctFitHWNAngle", {30, 1.25}), 1e-9);
}

TEST(FittingLeaves, EveryTableClassIsWalkedAndCreatesItsOwnClass)
{
    std::set<std::string> Walked;
    for (const TWalk& R : Walks())
        Walked.insert(R.Class);
    std::size_t Tables = 0;
    for (const TFittingClass& Class : FittingClasses()) {
        if (Class.Layout == flConst)
            continue;
        ++Tables;
        SCOPED_TRACE(Class.Name);
        EXPECT_TRUE(Walked.count(Class.Name));
        // The row's reader makes an object of the class it names (an
        // Itanium-mangled global class name is its length and the name).
        const auto F = MakeFitting(LinearSource(Class.Name));
        const TDuctFitting& Object = *F;
        const std::string Name = Class.Name;
        EXPECT_EQ(typeid(Object).name(), std::to_string(Name.size()) + Name);
    }
    EXPECT_EQ(Tables, 83u);
    EXPECT_EQ(Walked.size(), Tables);
    EXPECT_NE(FindFittingClass("tductfitconst"), nullptr);
    for (const char* Root : {"TDuctFit1Dim", "TDuctFit2Dim", "TDuctFit3Dim", "TDuctFit2Dim1Dim",
                             "TDuctFit3DimFlowRatioTop", "TDuctFit3DimFlowRatioTopQbQc",
                             "TDuctFit3DimFlowRatioTopAndInsideLeft",
                             "TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo", "TDuctFit2DimFlowTop"})
        EXPECT_EQ(FindFittingClass(Root), nullptr) << Root;
}

} // namespace
