#include "document/FittingInputCheck.h"

#include "fittings/DuctFitSummary.h"
#include "fittings/DuctFittingDB.h"
#include "fittings/FittingKeys.h"
#include "foundation/DelimitedText.h"
#include "foundation/WarningSink.h"
#include "network/FlowGraph.h"

#include <map>

namespace {

// The base code of every database entry, lower case, with the key of its
// first entry (whose own inputs the base code shares).
std::map<std::string, std::string> FirstKeyOfBaseCodes(const TDuctFittingDB& Database)
{
    std::map<std::string, std::string> Keys;
    for (const std::string& Key : Database.Codes())
        Keys.emplace(LowerCaseText(FittingBaseCode(Key)), Key);
    return Keys;
}

// The lower-case name of every base code of the database, with its code.
std::map<std::string, std::string> CodeOfNames(TDuctFittingDB& Database,
                                               const std::map<std::string, std::string>& FirstKeys)
{
    std::map<std::string, std::string> Codes;
    for (const auto& [Base, Key] : FirstKeys)
        if (const TDuctFitting* Fit = Database.SelectFitting(Key, false))
            Codes.emplace(LowerCaseText(std::string(TrimText(Fit->Name))), Base);
    return Codes;
}

// The fitting's path of link I: the path its role names, else the I-th.
std::size_t PathOf(const TFitting& Fitting, const TDuctFitSummary& Summary, std::size_t I)
{
    if (I < Fitting.Roles.size())
        for (std::size_t P = 0; P < Summary.Paths.size(); ++P)
            if (SameText(Summary.Paths[P], Fitting.Roles[I]))
                return P;
    return I;
}

// The axis values the fitting dialog stores for link I: one per axis name of
// its path (none for a path without an entry of its own).
std::size_t AxisCount(const TFitting& Fitting, const TDuctFitSummary& Summary, std::size_t I)
{
    const std::size_t P = PathOf(Fitting, Summary, I);
    return P < Summary.AxisNamesByPath.size() ? Summary.AxisNamesByPath[P].size() : 0;
}

bool InputsFit(const TFitting& Fitting, const TDuctFitSummary& Summary, const TDuctFitting& First,
               const std::map<std::string, std::string>& CodeOfName)
{
    const auto Named = CodeOfName.find(LowerCaseText(std::string(TrimText(Fitting.Caption))));
    if (Named != CodeOfName.end() && !SameText(Named->second, FittingBaseCode(Fitting.Code)))
        return false;
    if (!Fitting.Info.empty() && Fitting.Info.size() != First.InputNames.size())
        return false;
    // A row left empty stores nothing (a link not yet computed).
    for (std::size_t I = 0; I < Fitting.FlowRatios.size(); ++I)
        if (!Fitting.FlowRatios[I].empty() && Fitting.FlowRatios[I].size() != AxisCount(Fitting, Summary, I))
            return false;
    return true;
}

// Earlier XML exports wrote a row without values as one 0: on a path
// without an axis it is the empty row it stood for.
void DropEmptyRowPlaceholders(TFitting& Fitting, const TDuctFitSummary& Summary)
{
    for (std::size_t I = 0; I < Fitting.FlowRatios.size(); ++I) {
        if (AxisCount(Fitting, Summary, I) != 0 || Fitting.FlowRatios[I] != TFloatVec{0.0})
            continue;
        Fitting.FlowRatios[I].clear();
        if (I < Fitting.VelocityRatios.size())
            Fitting.VelocityRatios[I].clear();
    }
}

// A caption that names no fitting of the database is the user's own and stays.
void TakeDefaults(TFitting& Fitting, const TDuctFitSummary& Summary, const TDuctFitting& First,
                  const std::map<std::string, std::string>& CodeOfName)
{
    const std::string Caption = LowerCaseText(std::string(TrimText(Fitting.Caption)));
    if (Caption.empty() || CodeOfName.count(Caption))
        Fitting.Caption = Summary.Name;
    if (!Fitting.Info.empty())
        Fitting.Info = First.InputDefaults;
    for (std::size_t I = 0; I < Fitting.FlowRatios.size(); ++I) {
        const std::size_t P = PathOf(Fitting, Summary, I);
        Fitting.FlowRatios[I] = P < Summary.AxisDefaultsByPath.size() ? Summary.AxisDefaultsByPath[P] : TFloatVec();
        Fitting.FlowRatios[I].resize(AxisCount(Fitting, Summary, I), 0.0);
        if (I < Fitting.VelocityRatios.size())
            Fitting.VelocityRatios[I].assign(Fitting.FlowRatios[I].size(), -1.0);
    }
}

// Each code once, in the order met, with its count when it is more than one
// ("CD3-1 (250), CR3-1"): a document of many such fittings would otherwise
// list them all.
std::string CodesCounted(const std::vector<std::string>& Codes)
{
    std::vector<std::pair<std::string, int>> Counted;
    std::map<std::string, std::size_t> Where;
    for (const std::string& Code : Codes) {
        const auto [It, Fresh] = Where.try_emplace(Code, Counted.size());
        if (Fresh)
            Counted.emplace_back(Code, 0);
        ++Counted[It->second].second;
    }
    std::string Text;
    for (const auto& [Code, Count] : Counted)
        Text += (Text.empty() ? "" : ", ") + Code + (Count > 1 ? " (" + std::to_string(Count) + ")" : "");
    return Text;
}

} // namespace

std::vector<std::string> MatchFittingInputsToDatabase(TFlowGraph& Network, TDuctFittingDB* Database)
{
    std::vector<std::string> Changed;
    if (!Database || Network.Fittings.empty())
        return Changed;
    const std::map<std::string, std::string> FirstKeys = FirstKeyOfBaseCodes(*Database);
    const std::map<std::string, std::string> CodeOfName = CodeOfNames(*Database, FirstKeys);
    std::map<std::string, TDuctFitSummary> Summaries;

    for (const auto& Fitting : Network.Fittings) {
        const auto First = FirstKeys.find(LowerCaseText(FittingBaseCode(Fitting->Code)));
        if (First == FirstKeys.end())
            continue; // not in the database: computing it says so
        // A summary reads every entry of its code from the data file: once
        // per code, however many fittings share it.
        const auto [Cached, Fresh] = Summaries.try_emplace(First->first);
        TDuctFitSummary& Summary = Cached->second;
        if (Fresh)
            Database->GetFittingInfo(FittingBaseCode(Fitting->Code), Summary);
        DropEmptyRowPlaceholders(*Fitting, Summary);
        const TDuctFitting* FirstFit = Database->SelectFitting(First->second, false);
        if (!FirstFit || InputsFit(*Fitting, Summary, *FirstFit, CodeOfName))
            continue;
        TakeDefaults(*Fitting, Summary, *FirstFit, CodeOfName);
        Changed.push_back(Fitting->Code);
    }
    if (!Changed.empty())
        ShowWarning("Warning", "Duct fitting inputs do not fit database, defaults taken : " + CodesCounted(Changed));
    return Changed;
}
