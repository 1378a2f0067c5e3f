#include "dialogs/FittingCodeFilter.h"

#include "foundation/NumberFormat.h"
#include "graph/GraphBranch.h"

#include <cctype>

int CategoryOfCode(const std::string& Code)
{
    if (Code.size() < 4)
        return 0;
    const unsigned char Tens = Code[2];
    const unsigned char Units = Code[3];
    if (!std::isdigit(Tens))
        return 0;
    int Category = Tens - '0';
    if (Units != '-') {
        if (!std::isdigit(Units))
            return 0;
        Category = Category * 10 + (Units - '0');
    }
    return Category <= 10 ? Category : 0;
}

std::string FittingFilterPattern(char Function, char Geometry, int Category)
{
    std::string Pattern{Function, Geometry};
    const std::string Number = IntToStr(Category);
    Pattern += Number;
    if (Number.size() < 2)
        Pattern += ' ';
    return Pattern;
}

std::string LinkText(const TBranch& Duct)
{
    return IntToStr(Duct.Id()) + ": " + Duct.GetName();
}

int LinkTextId(const std::string& Text)
{
    const std::size_t Colon = Text.find(':');
    int Id = -1;
    if (Colon == std::string::npos || !TryStrToInt(Text.substr(0, Colon), Id))
        return -1;
    return Id;
}
