#pragma once
// Chooses the psychrometric input mode from the two most recently edited
// air properties that the library accepts as a pair.

#include "airstate/Combin.h"

#include <cstdint>
#include <string_view>

class TAirCombin : public TCombin {
public:
    // The property letters, indexed as the air-state grid's lines less 2:
    // pressure, dry bulb, wet bulb, enthalpy, absolute humidity, relative
    // humidity, dew point, vapour pressure, saturation pressure, density,
    // specific heat, and "z" which no line uses.
    static constexpr std::string_view Letters = "ptbhwfdvsrcz";

    // Starts from dry bulb and wet bulb, mode 0.
    TAirCombin();

    // The property of letter index Index was edited: its letter moves to the
    // front and the pairs are searched again. An index outside Letters
    // changes nothing and returns false.
    bool Execute(int Index);
    using TCombin::Execute;

    // Maps the current pair (in either order) to its input mode; false and
    // mode 0 for a pair the library does not take.
    bool Test() override;
    bool InputMode() { return Test(); }

    std::uint8_t Mode() const { return ModeValue; }

private:
    std::uint8_t ModeValue = 0;
};
