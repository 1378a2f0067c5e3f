#pragma once
// Hand-built sections, linear tables and short forms of the coefficient
// requests for the tests of the fitting families. On a table whose values are
// a linear function of the axis values, interpolation is exact, so a
// coefficient tells which axis values a leaf computed.

#include "FittingTestData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

inline constexpr double QuarterPi = 0.7853981633974483;

inline TDuctSection RoundSection(double D, double Q = 0.0, double L = 0.0)
{
    TDuctSection S;
    S.D = D;
    S.Q = Q;
    S.L = L;
    S.A = QuarterPi * D * D / 1e6;
    return S;
}

inline TDuctSection RectSection(double H, double W, double Q = 0.0, double L = 0.0)
{
    TDuctSection S;
    S.H = H;
    S.W = W;
    S.Q = Q;
    S.L = L;
    S.A = H * W / 1e6;
    return S;
}

// The five sections of a coefficient request by role; a missing one is all
// zeros.
struct TSecs {
    TDuctSection S = {}, B = {}, B2 = {}, C = {}, Second = {};
};

inline double CoefficientOf(TDuctFitting& F, const TSecs& X, const TFloatVec& Inputs)
{
    return F.GetCoefficient(X.S, X.B, X.B2, X.C, X.Second, Inputs);
}

inline double CoefficientAt(TDuctFitting& F, const TSecs& X, const TFloatVec& AxisValues)
{
    return F.GetCoefficientAt(X.S, X.B, X.B2, X.C, X.Second, AxisValues);
}

inline TFloatVec VelocityRatiosOf(TDuctFitting& F, const TSecs& X)
{
    TFloatVec Ratios = {99};
    F.GetVelocityRatios(X.S, X.B, X.B2, X.C, X.Second, Ratios);
    return Ratios;
}

inline TFloatVec FlowRatiosOf(TDuctFitting& F, const TSecs& X)
{
    TFloatVec Ratios = {99};
    F.GetFlowRatios(X.S, X.B, X.B2, X.C, X.Second, Ratios);
    return Ratios;
}

// A guarded request that fails: 0 with the range warning.
#define EXPECT_CALC_FAILS(Request)                  \
    do {                                            \
        RangeFlag = false;                          \
        EXPECT_EQ((Request), 0.0) << #Request;      \
        EXPECT_TRUE(RangeFlag) << #Request;         \
    } while (0)

inline void ExpectValues(const TFloatVec& Actual, const TFloatVec& Expected, const char* What = "")
{
    ASSERT_EQ(Actual.size(), Expected.size()) << What;
    for (std::size_t i = 0; i < Expected.size(); ++i)
        EXPECT_NEAR(Actual[i], Expected[i], 1e-9 * (1 + std::abs(Expected[i]))) << What << " position " << i;
}

// A fitting of the class whose coefficient is a simple function of its axis
// values (LinearValue), exact anywhere on its wide axes. The 3-D slices have
// Y axes of different lengths, as stored fittings may.
inline TFittingSource LinearSource(const std::string& ClassName, TStringVec PathNames = {})
{
    TFittingSource S;
    S.ClassName = ClassName;
    S.Code = "CD4-1";
    S.Name = ClassName;
    S.CMin = -1e9;
    S.CMax = 1e9;
    S.PathNames = std::move(PathNames);
    const TFloatVec Wide = {-1000, 1000};
    S.XAxis = Wide;
    S.YAxis = Wide;
    S.Table = {{-11000, -9000}, {9000, 11000}};  // x + 10 y
    S.Values = Wide;                               // x
    S.FactorAxis = Wide;
    S.Factors = {-10, 10};                         // z / 100
    S.ZAxis = Wide;
    S.YAxes = {Wide, {-1000, 0, 1000}};
    for (std::size_t k = 0; k < S.ZAxis.size(); ++k) {
        TFloatMat Slice;
        for (double Y : S.YAxes[k])
            Slice.push_back({-1000 + 10 * S.ZAxis[k] + 100 * Y, 1000 + 10 * S.ZAxis[k] + 100 * Y});
        S.Tables.push_back(Slice);  // x + 10 z + 100 y
    }
    S.SizeLimit = 1e9;  // every size on the first table
    S.LargeYAxes = S.YAxes;
    S.LargeTables = S.Tables;
    return S;
}

// The coefficient of LinearSource at the axis values, by the class's layout:
// x; x + 10 y; z (x + 10 y) / 100 at [z, x, y]; x + 10 z + 100 y at [x, z, y].
inline double LinearValue(const std::string& ClassName, const TFloatVec& A)
{
    switch (FindFittingClass(ClassName)->Layout) {
    case fl1Dim:
        return A.at(0);
    case fl2Dim:
        return A.at(0) + 10 * A.at(1);
    case fl2Dim1Dim:
        return A.at(0) * (A.at(1) + 10 * A.at(2)) / 100;
    case fl3Dim:
    case fl3DimBySize:
        return A.at(0) + 10 * A.at(1) + 100 * A.at(2);
    case flConst:
        break;
    }
    return std::nan("");
}

// The axis ranges, and the flow-ratio range, of a fitting; its middle axis values.
inline void ExpectRanges(TDuctFitting& F, const TFloatVec& Mins, const TFloatVec& Maxs, double FlowMin = 0,
                         double FlowMax = 0)
{
    TFloatVec ActualMins = {7}, ActualMaxs = {7};
    F.GetAxisRanges(ActualMins, ActualMaxs);
    EXPECT_EQ(ActualMins, Mins);
    EXPECT_EQ(ActualMaxs, Maxs);
    double Min = 7, Max = 7;
    F.GetFlowRatioRange(Min, Max);
    EXPECT_EQ(Min, FlowMin);
    EXPECT_EQ(Max, FlowMax);
}

inline TFloatVec MidOf(TDuctFitting& F)
{
    TFloatVec Mid = {7};
    F.GetMidAxisValues(Mid);
    return Mid;
}
