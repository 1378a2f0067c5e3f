#include "graph/GraphReport.h"

void TGraphReport::Clear()
{
    TabStops.clear();
    Runs.clear();
}

void TGraphReport::AddLine(const std::string& Text, bool Bold, bool Italic)
{
    Runs.push_back({Text + "\n", Bold, Italic});
}

std::string TGraphReport::PlainText() const
{
    std::string Result;
    for (const TReportRun& Run : Runs)
        Result += Run.Text;
    return Result;
}

std::string PadCell(const std::string& Value, int Width, bool LeftAlign)
{
    if (Width <= 0 || static_cast<int>(Value.size()) >= Width)
        return Value;
    const std::string Fill(static_cast<std::size_t>(Width) - Value.size(), ' ');
    return LeftAlign ? Value + Fill : Fill + Value;
}
