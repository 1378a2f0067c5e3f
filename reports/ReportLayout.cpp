#include "reports/ReportLayout.h"

std::string ReportLayoutValueName(int Index)
{
    static const char* const Margins[] = {"Left margin", "Right margin", "Top margin",
                                          "Bottom margin"};
    if (Index >= 0 && Index < rlX1)
        return Margins[Index];
    return "mX" + std::to_string(Index - rlX1 + 1);
}

TReportLayout& DefaultReportLayout()
{
    static TReportLayout Layout{{2.5, 2.5, 2.5, 2.5, 3.5, 11, 12, 13, 14, 15, 16, 17}};
    return Layout;
}

std::array<TReportLine, ReportLineCount>& ReportLines()
{
    static std::array<TReportLine, ReportLineCount> Lines = [] {
        std::array<TReportLine, ReportLineCount> Initial{};
        for (int i = 0; i <= 6; ++i)
            Initial[i].Shown = true;
        return Initial;
    }();
    return Lines;
}
