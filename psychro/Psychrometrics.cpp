#include "psychro/Psychrometrics.h"

#include "psychro/InputModes.h"
#include "psychro/StateCompletion.h"

int SetState(PsyState& Result, double P, double A, double B, int Mode)
{
    int status = psOk;
    try {
        const TDryBulbHumidity known = ReduceInputPair(P, A, B, Mode);
        Result = CompleteState(P, known.T, known.W, status);
    } catch (const EPsyError& e) {
        SetPsyStatus(e.Status());
        throw;
    }
    SetPsyStatus(status);
    return status;
}

void Humitrak(PsyState& Result, const PsyState& State, int Mode)
{
    const char* letters = InputModeLetters(Mode);
    if (!letters) {
        SetPsyStatus(psBadMode);
        throw EPsyError(psBadMode, "Input mode not served");
    }
    PsyState computed;
    SetState(computed, State.pa, InputModeField(State, letters[0]), InputModeField(State, letters[1]), Mode);
    Result = computed;
}

double WetBulb(double P, double A, double B, int Mode)
{
    PsyState s;
    SetState(s, P, A, B, Mode);
    return s.wb;
}

double Density(double P, double A, double B, int Mode)
{
    PsyState s;
    SetState(s, P, A, B, Mode);
    return s.ro;
}
