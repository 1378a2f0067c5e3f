#pragma once
// The base of the table families whose leaves are stated as rules
// (FittingLeafRule.h): it turns the sections into CalcC's values, and into
// the axis values they determine, through the leaf's rule. TRule is the
// family's rule type, with the fields Sections and Ratios and the number of
// axis values as AxisCount.

#include "fittings/DuctFitting.h"
#include "fittings/FittingLeafRule.h"

template <class TRule>
class TDuctFitRuled : public TDuctFitting {
public:
    // CalcC of the values the rule builds from the sections and inputs.
    double CalcCForSections(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            const TFloatVec& Inputs) override
    {
        Rule.Sections(Ordered(S, B, B2, C, Second), Inputs, SectionInputs);
        return CalcC(SectionInputs);
    }

    // The rule's axis values; without a rule, -1 for every axis.
    void CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            TFloatVec& Ratios) override
    {
        if (Rule.Ratios)
            Rule.Ratios(Ordered(S, B, B2, C, Second), Ratios);
        else
            Ratios.assign(TRule::AxisCount, -1.0);
    }

protected:
    TDuctFitRuled(TValueReader& Reader, const TRule& LeafRule) : TDuctFitting(Reader), Rule(LeafRule)
    {
    }

    // The sections in the roles the rule reads them in: as given, unless the
    // family lets the path names exchange them.
    virtual TFitSections Ordered(const TDuctSection& S, const TDuctSection& B,
                                 const TDuctSection& B2, const TDuctSection& C,
                                 const TDuctSection& Second) const
    {
        return {S, B, B2, C, Second};
    }

    const TRule Rule;
    // Reused for the values built from the sections, so that a coefficient
    // request allocates nothing after the first.
    TFloatVec SectionInputs;
};
