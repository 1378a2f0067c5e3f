#pragma once
// One moist-air state point: an item holding the library's state record that
// recalculates it from the two properties an input mode names.

#include "airstate/AirconItem.h"
#include "psychro/PsyState.h"

#include <stdexcept>

// A state that the library cannot compute or that fails the air-state checks;
// the message is the text to show.
class EAirStateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* InvalidAirStateText = "Invalid air state";

class TPsyPoint : public TAirconItem {
public:
    TPsyPoint(const PsyState& State, const std::string& Prefix, int Number, const std::string& ItemName);

    // The whole state from its pressure and the two fields Mode names. A
    // state the library cannot compute raises "Invalid air state" and leaves
    // the record as it was; a computed state that fails the checks of
    // MoistAirErrorText is kept and raises that check's text.
    void Calc(int Mode);

    PsyState State;
};
