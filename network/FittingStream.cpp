// The fitting record of the document stream.

#include "network/Fitting.h"

#include "fittings/FittingKeys.h"
#include "foundation/ValueStream.h"
#include "network/RecordReader.h"

#include <array>

namespace {

// Fittings that were single-link fittings in early documents and join two
// ducts now; a record of one of them with fewer links is widened on reading.
constexpr std::array<const char*, 4> WidenedCodes = {"SD1-2", "SR1-1", "ED2-1", "ER2-1"};

// Documents up to "GraphDataFile_v1.02" store one C-value per link and no
// ratio rows.
bool HasSecondValues(TGraphDataVersion Version)
{
    return Version > gdv102;
}

bool IsWidenedCode(const std::string& Code)
{
    for (const char* Widened : WidenedCodes)
        if (SameText(Code, Widened))
            return true;
    return false;
}

} // namespace

TFitting::TFitting(TValueReader& Reader, TGraphDataVersion Version) : Serial(NextFittingSerial())
{
    Caption = Reader.ReadString();
    Code = Reader.ReadString();
    Transition = Reader.ReadBoolean();
    Junction = Reader.ReadBoolean();

    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        Info.push_back(ReadFiniteFloat(Reader));
    Reader.ReadListEnd();

    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        Roles.push_back(Reader.ReadString());
        Links.push_back({Reader.ReadInteger(), nullptr});
        CValues.push_back(ReadFiniteFloat(Reader));
        CValues2.push_back(HasSecondValues(Version) ? ReadFiniteFloat(Reader) : CValues.back());
    }
    Reader.ReadListEnd();

    if (HasSecondValues(Version)) {
        // One row per link; rows beyond the links have no link to serve and
        // are dropped, links without a row get an empty one.
        Reader.ReadListBegin();
        std::size_t Row = 0;
        while (!Reader.EndOfList()) {
            std::vector<double> Flows;
            std::vector<double> Velocities;
            Reader.ReadListBegin();
            while (!Reader.EndOfList()) {
                Flows.push_back(ReadFiniteFloat(Reader));
                Velocities.push_back(ReadFiniteFloat(Reader));
            }
            Reader.ReadListEnd();
            if (Row < Links.size()) {
                FlowRatios.push_back(std::move(Flows));
                VelocityRatios.push_back(std::move(Velocities));
            }
            ++Row;
        }
        Reader.ReadListEnd();
    }
    MatchArraysToLinks();

    if (Links.size() < 2 && IsWidenedCode(Code)) {
        const std::vector<double> FirstRow = FlowRatios.empty() ? std::vector<double>() : FlowRatios.front();
        Links.resize(2);
        Links[1] = {-1, nullptr};
        CValues.resize(2, 0.0);
        CValues2.resize(2, 0.0);
        CValues[1] = 0.0;
        CValues2[1] = 0.0;
        Roles = {"0", "1"};
        if (!Info.empty())
            Info = {Info.size() > 2 ? Info[2] : Info[0]};
        FlowRatios.assign(2, FirstRow);
        VelocityRatios.assign(2, std::vector<double>(FirstRow.size(), 0.0));
    }
    Remarks.assign(Links.size(), std::string());
}

void TFitting::WriteToWriter(TValueWriter& Writer) const
{
    Writer.WriteString(Caption);
    Writer.WriteString(Code);
    Writer.WriteBoolean(Transition);
    Writer.WriteBoolean(Junction);

    Writer.WriteListBegin();
    for (double V : Info)
        Writer.WriteFloat(V);
    Writer.WriteListEnd();

    auto ValueAt = [](const std::vector<double>& List, std::size_t I) { return I < List.size() ? List[I] : 0.0; };
    Writer.WriteListBegin();
    for (std::size_t I = 0; I < Links.size(); ++I) {
        Writer.WriteString(I < Roles.size() ? Roles[I] : std::string());
        Writer.WriteInteger(Links[I].BranchId);
        Writer.WriteFloat(ValueAt(CValues, I));
        Writer.WriteFloat(ValueAt(CValues2, I));
    }
    Writer.WriteListEnd();

    Writer.WriteListBegin();
    for (std::size_t I = 0; I < Links.size(); ++I) {
        Writer.WriteListBegin();
        if (I < FlowRatios.size()) {
            const std::vector<double>* Velocities = I < VelocityRatios.size() ? &VelocityRatios[I] : nullptr;
            for (std::size_t J = 0; J < FlowRatios[I].size(); ++J) {
                Writer.WriteFloat(FlowRatios[I][J]);
                Writer.WriteFloat(Velocities ? ValueAt(*Velocities, J) : 0.0);
            }
        }
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}
