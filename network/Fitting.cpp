#include "network/Fitting.h"

TFitting TFitting::CopyUnresolved() const
{
    TFitting Copy = *this;
    for (TFittingLink& L : Copy.Links)
        L.Branch = nullptr;
    Copy.Connected = false;
    return Copy;
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
