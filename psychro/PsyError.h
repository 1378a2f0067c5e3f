#pragma once
// Raised by the psychrometric library when its inputs define no air state.

#include <stdexcept>
#include <string>

class EPsyError : public std::runtime_error {
public:
    EPsyError(int Status, const std::string& Message)
        : std::runtime_error(Message), Code(Status) {}

    // The TPsyStatusCode that PsyStatus reports after this error.
    int Status() const { return Code; }

private:
    int Code;
};
