#include "airstate/PsyPoint.h"

#include "foundation/AirProperties.h"
#include "psychro/Psychrometrics.h"

TPsyPoint::TPsyPoint(const PsyState& State, const std::string& Prefix, int Number,
                     const std::string& ItemName)
    : TAirconItem(Prefix, Number, ItemName), State(State)
{
}

void TPsyPoint::Calc(int Mode)
{
    PsyState Result = State;
    try {
        Humitrak(Result, State, Mode);
    } catch (const std::exception&) {
        throw EAirStateError(InvalidAirStateText);
    }
    State = Result;
    const std::string Error = MoistAirErrorText(State);
    if (!Error.empty())
        throw EAirStateError(Error);
}
