#pragma once
// Outcome of the psychrometric library's last call.
//
// Codes 1 and 2 come with a computed state that the caller checks and shows;
// codes 3 and up are raised as EPsyError and the call returns nothing.

enum TPsyStatusCode : int {
    psOk = 0,
    // An input or a computed temperature lies outside -100..200 °C, the
    // pressure outside 20..200 kPa, or an altitude outside -5000..11000 m.
    // A result that would lie beyond the temperature range is set to its limit.
    psOutOfRange = 1,
    // Relative humidity above 1 or below 0, wet bulb above dry bulb or a
    // negative humidity ratio: a state that air cannot be in.
    psUnphysical = 2,
    // Raised: a non-finite input, a pressure not above zero, or a vapour
    // pressure at or above the total pressure.
    psUndefined = 3,
    // Raised: the two given properties fix no state within the range.
    psNoState = 4,
    // Raised: the input mode is not one the library serves.
    psBadMode = 5
};

// Status of the last library call (0 success).
int PsyStatus();

// Used by the library's entry points only.
void SetPsyStatus(int Status);

// The more serious of two returned statuses.
inline int WorseStatus(int A, int B) { return A > B ? A : B; }
