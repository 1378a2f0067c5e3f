#include "airstate/Combin.h"

bool TCombin::Execute()
{
    for (std::size_t I = 0; I + 1 < CodeText.size(); ++I)
        for (std::size_t J = I + 1; J < CodeText.size(); ++J) {
            PairText = {CodeText[I], CodeText[J]};
            if (Test())
                return true;
        }
    return false;
}

void TCombin::BringToFront(char Letter)
{
    const std::size_t At = CodeText.find(Letter);
    if (At != std::string::npos)
        CodeText.erase(At, 1);
    CodeText.insert(CodeText.begin(), Letter);
}
