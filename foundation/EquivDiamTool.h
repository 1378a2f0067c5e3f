#pragma once
// Relates the four size figures of a rectangular duct: equivalent round
// diameter, height, width (metres) and aspect ratio (height / width). Given any
// two of them it computes the other two. Each user keeps an instance of its own.

#include "foundation/Root.h"

#include <cstdint>

class TEquivDiamTool {
public:
    // Codes of the figures that may be given.
    static constexpr int kdDiameter = 0;
    static constexpr int kdHeight = 1;
    static constexpr int kdWidth = 2;
    static constexpr int kdAspect = 3;

    // Sizes searched for or derived are kept within these limits (metres).
    static constexpr double MinSize = 0.05;
    static constexpr double MaxSize = 10.0;

    TEquivDiamTool();

    // The tool's root finder calls back into this object.
    TEquivDiamTool(const TEquivDiamTool&) = delete;
    TEquivDiamTool& operator=(const TEquivDiamTool&) = delete;

    // Equivalent diameter of an H by W rectangle: 1.3 (HW)^0.625 / (H+W)^0.25;
    // 0 when either side is not positive (a vanishing side has no area).
    static double EquivDiameter(double Height, double Width);

    // Stores the four figures and the two given codes (Known1 the most recent);
    // a Known2 equal to Known1 becomes the diameter.
    void SetValues(int Known1, int Known2, double Diameter, double Height, double Width,
                   double Aspect);

    // SetValues, then computes the two figures not given and hands all four back.
    void Solve(double& Diameter, double& Height, double& Width, double& Aspect, int Known1,
               int Known2);

    void GetValues(double& Diameter, double& Height, double& Width, double& Aspect, int& Known1,
                   int& Known2) const;

    // Each stores one figure, makes it the most recently given one, and
    // recomputes the others.
    void SetDiameter(double Value);
    void SetHeight(double Value);
    void SetWidth(double Value);
    void SetAspect(double Value);

    double Diameter() const { return FDiameter; }
    double Height() const { return FHeight; }
    double Width() const { return FWidth; }
    double Aspect() const { return FAspect; }
    int Known1() const { return FKnown1; }
    int Known2() const { return FKnown2; }

private:
    bool IsKnown(int Code) const { return FKnown1 == Code || FKnown2 == Code; }
    void MarkKnown(int Code);
    void Compute();
    void FromHeightAndWidth();
    void FromDiameterAndAspect();
    void SolveHeight();
    void SolveWidth();
    double SearchSide(double Other, double Start);
    bool SearchSucceeded(double Side) const;
    double Residual(double Side) const;
    void UpdateAspect();

    TRoot Root;
    double Other = 0.0; // the known side held fixed while the other is sought
    double FDiameter = 0.0;
    double FHeight = 0.0;
    double FWidth = 0.0;
    double FAspect = 0.0;
    std::uint8_t FKnown1 = kdDiameter;
    std::uint8_t FKnown2 = kdDiameter;
};
