#pragma once
// A duct or fan branch: a flow branch with its duct geometry.

#include "network/FlowBranch.h"

#include <cstdint>

struct TDuctBranchData {
    double DesignVelocity = 0.0; // m/s
    double DuctHeight = 0.0;     // m
    double DuctWidth = 0.0;      // m
    double Aspect = 1.0;         // height / width
    double DuctVelocity = 0.0;   // m/s, Q/DuctArea
    double DuctArea = 0.0;       // m², height × width of a rectangle, else FlowArea
    // The rectangular dimension sizing keeps: 1 height, 2 width, 3 aspect, 0 none.
    std::uint8_t Keep1 = 0;
    std::uint8_t Keep2 = 3;
    TDuctType DuctType = dtNone;
};

class TDuctBranch : public TFlowBranch, public TDuctBranchData {
public:
    void Init(int NewId, TNode* From, TNode* To) override;
    // The document record after name and label position: kind, diameter,
    // length, the fixed items, the terminals, the losses and flows, the duct
    // geometry (every version gate of the document format). A terminal
    // record stands where the reader expects one: for a to-node that is an
    // Outlet and a from-node that is an Inlet; a branch without its terminal
    // writes the default terminal of the node's kind. Reading raises
    // EGraphError for a kind, duct type or keep outside its enumeration and
    // for a size, length, flow or gain that is not finite.
    void WriteData(TValueWriter& Writer) const override;
    void ReadData(TValueReader& Reader, TGraphDataVersion Version) override;
    std::string ReportRow(bool Detailed) const override;
    std::string ReportHeader(bool Detailed) const override;
    std::string ReportBlankRow(bool Detailed) const override;
    // The flow branch's values and the duct geometry, keeps and type.
    void AssignData(const TBranch& Source) override;
    // "Spiral <old>", else "Duct <old>", else "Fan <old>" in the name (any
    // case, no digit following) takes the new id; then the "Branch " rule.
    void Renumber(int NewId) override;
    // Also the duct velocity.
    void SetVolumeFlow(double Q) override;
    // DuctVelocity := V; the flow velocity follows through the two areas.
    void SetVelocity(double V) override;
    // "Spiral Duct 200 mm diameter", "Rectangular Duct 500 x 300 mm",
    // "Fan Type", "Unknown duct type".
    std::string Caption() const override;

    // The type with the branch's start values (SetupFromDefaults) and the
    // type's default geometry: Spiral D 0.2 m, sides 0.183 m; Rect sides
    // 0.5 m, D 0.5466 m; both aspect 1. Areas and velocities follow.
    void SetDuctType(TDuctType Type, double Gain, double NewLength, double Q);
    // A fan's fixed pressure drops: "Coil" 150 Pa and "Filter" 150 Pa.
    void AddFanDefaults();
    // DuctArea from the type and sizes, then the duct velocity.
    void CalcDuctArea();

    // Also the duct's height and width, and DuctArea as the area.
    TDuctSection FittingSection() const override;
    // DuctVelocity := Q/DuctArea (0 without an area).
    void UpdateDuctVelocity() override;

    // ---- sizing
    // The duct area first, then the flow branch's reset; the duct velocity
    // it gives becomes the design velocity.
    void ResetVelocity() override;
    // Height, width and aspect from the diameter, keeping the dimension
    // KeptDimension names (nothing for a fan, sink or None branch; no
    // diameter clears the sides; a size-fixed duct keeps its geometry).
    void SizeDuct() override;
    // The size at which the flow runs at DuctVelocity: a circular duct from
    // the area, a rectangle keeping its kept dimension, then the
    // (equivalent) diameter and the velocities. Without a velocity, or with
    // a kept dimension that is no size, the present size stays.
    void SizeDuctFromVelocity();
    // The nearest standard size: a circular duct's diameter in steps of
    // ductroundstep, a rectangle's sides in steps of ductrectstep (never
    // rounded away to nothing). Fans, sinks, size-fixed ducts and ducts
    // without a diameter are left alone.
    void RoundToStandard();
    // The rectangular dimension sizing keeps, as the equivalent-diameter
    // tool codes it: Keep1 when set, else Keep2 when set, else the aspect.
    int KeptDimension() const;
};
