#include "network/Fitting.h"

#include "foundation/NumberFormat.h"
#include "network/FlowGraph.h"

namespace {

int FittingSerialCounter = 0;

} // namespace

void ResetFittingSerial()
{
    FittingSerialCounter = 0;
}

int NextFittingSerial()
{
    return ++FittingSerialCounter;
}

TFitting::TFitting() : Serial(NextFittingSerial())
{
}

TFitting::TFitting(std::string FittingCaption, std::string FittingCode)
    : Serial(NextFittingSerial()), Code(std::move(FittingCode)), Caption(std::move(FittingCaption))
{
}

void TFitting::Assign(const TFitting& Source)
{
    if (&Source == this)
        return;
    Caption = Source.Caption;
    Code = Source.Code;
    Warning = Source.Warning;
    Selected = Source.Selected;
    Transition = Source.Transition;
    Junction = Source.Junction;
    Info = Source.Info;
    Roles = Source.Roles;
    CValues = Source.CValues;
    CValues2 = Source.CValues2;
    Remarks = Source.Remarks;
    Links = Source.Links;
    FlowRatios = Source.FlowRatios;
    VelocityRatios = Source.VelocityRatios;
    Connected = false;
}

TFitting TFitting::CopyUnresolved() const
{
    TFitting Copy;
    Copy.Assign(*this);
    for (TFittingLink& L : Copy.Links)
        L.Branch = nullptr;
    return Copy;
}

void TFitting::MatchArraysToLinks()
{
    // Roles are left alone: a record whose roles do not match its links
    // computes nothing (Calculate checks it).
    const std::size_t N = Links.size();
    CValues.resize(N, 0.0);
    CValues2.resize(N, 0.0);
    Remarks.resize(N);
    FlowRatios.resize(N);
    VelocityRatios.resize(N);
}

// ---------------------------------------------------------------- links

void TFitting::ResolveLinks(TFlowGraph& Network, bool ClearMissing)
{
    Connected = true;
    for (TFittingLink& L : Links) {
        L.Branch = L.BranchId == -1 ? nullptr : Network.FlowBranch(L.BranchId);
        if (L.Branch)
            continue;
        Connected = false;
        if (ClearMissing)
            L.BranchId = -1;
    }
    if (!Connected)
        Network.LinksValid = false;
}

bool TFitting::ForgetBranch(const TFlowBranch* Branch)
{
    bool Named = false;
    for (TFittingLink& L : Links) {
        if (L.Branch == Branch) {
            L.Branch = nullptr;
            Named = true;
        }
    }
    if (Named)
        Connected = false;
    return Named;
}

bool TFitting::LinksTo(const TFlowBranch* Branch) const
{
    for (const TFittingLink& L : Links)
        if (L.Branch == Branch)
            return true;
    return false;
}

void TFitting::RenumberLinks(int OldId, int NewId)
{
    for (TFittingLink& L : Links) {
        if (L.BranchId != OldId)
            continue;
        L.BranchId = NewId;
        L.Branch = nullptr;
        Connected = false;
    }
}

bool TFitting::FindBranchLink(int BranchId, double& C) const
{
    for (std::size_t I = 0; I < Links.size(); ++I) {
        if (Links[I].BranchId != BranchId)
            continue;
        C = I < CValues.size() ? CValues[I] : 0.0;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- texts

std::string TFitting::GetWarningText() const
{
    if (!Connected)
        return "Not connected";
    return Warning ? "Range" : "";
}

std::string TFitting::GetLinksText() const
{
    std::string Text;
    for (const TFittingLink& L : Links) {
        if (L.Branch)
            Text += L.Branch->GetName() + "; ";
        else if (L.BranchId != -1)
            Text += IntToStr(L.BranchId) + "; ";
    }
    return Text;
}

std::string TFitting::GetCValuesText() const
{
    std::string Text;
    for (std::size_t I = 0; I < Links.size(); ++I) {
        const std::string Role = I < Roles.size() ? Roles[I] : std::string();
        const double C = I < CValues.size() ? CValues[I] : 0.0;
        Text += "C" + Role + FormatFloat("=%0.3f; ", C);
    }
    return Text;
}
