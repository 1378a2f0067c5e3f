#pragma once
// Captions of the air-conditioning boxes: the grid heading, the moist-air
// state's lines, and the lines of the process, mix and bypass items.

#include <array>

inline constexpr std::array<const char*, 3> HeaderCaptions = {"Property", "Value", "Units"};

// Line 1 onward of the moist-air state box.
inline constexpr std::array<const char*, 12> AirStateCaptions = {
    "Name",         "Pressure",     "Dry Bulb",     "Wet Bulb",     "Enthalpy",
    "Abs Humidity", "Rel Humidity", "Dew Point",    "Vap Pressure", "Sat Pressure",
    "Density",      "Specific Heat"};

inline constexpr std::array<const char*, 11> ProcessCaptions = {
    "Name",           "Inlet",         "Outlet",     "Mass Flow", "Inlet Volume", "Outlet Volume",
    "Humidification", "Sensible Heat", "Total Heat", "SHR",       "dh/dW"};

inline constexpr std::array<const char*, 6> MixCaptions = {
    "Name", "Inlet state", "Outlet state", "Mixed state", "Inlet fraction", "Outlet fraction"};

inline constexpr std::array<const char*, 13> BypassCaptions = {
    "Name",          "Inlet",          "Outlet",        "ADP",        "Mass Flow",
    "Inlet Volume",  "Outlet Volume",  "Bypass Factor", "Humidification",
    "Sensible Heat", "Total Heat",     "SHR",           "dh/dW"};
