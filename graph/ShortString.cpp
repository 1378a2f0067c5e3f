#include "graph/ShortString.h"

std::string ToShortString(std::string Text)
{
    if (Text.size() <= MaxShortStringLength)
        return Text;
    std::size_t Cut = MaxShortStringLength;
    // Step back over continuation bytes (10xxxxxx) to a character start.
    while (Cut > 0 && (static_cast<unsigned char>(Text[Cut]) & 0xC0u) == 0x80u)
        --Cut;
    Text.resize(Cut);
    return Text;
}
