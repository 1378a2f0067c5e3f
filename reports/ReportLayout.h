#pragma once
// The page layout of a report in centimetres: four margins measured from the
// paper's edges and eight column stops measured from the paper's left edge,
// and the program-wide tables that go with it.

#include <array>
#include <string>

inline constexpr int ReportLineCount = 12;

// Index of each layout value; the preview draws one line per index.
enum TReportLineIndex : int {
    rlLeftMargin = 0,
    rlRightMargin = 1,
    rlTopMargin = 2,
    rlBottomMargin = 3,
    rlX1 = 4, // column stops mX1 .. mX8 are rlX1 .. rlX1 + 7
    rlX8 = 11,
};

struct TReportLayout {
    std::array<double, ReportLineCount> Values{};

    double& LeftMargin() { return Values[rlLeftMargin]; }
    double& RightMargin() { return Values[rlRightMargin]; }
    double& TopMargin() { return Values[rlTopMargin]; }
    double& BottomMargin() { return Values[rlBottomMargin]; }
    // Column stop mX<Number>, Number 1 .. 8.
    double& Stop(int Number) { return Values[rlX1 + Number - 1]; }

    bool operator==(const TReportLayout&) const = default;
};

// The settings name of each value: "Left margin", "Right margin",
// "Top margin", "Bottom margin", "mX1" .. "mX8".
std::string ReportLayoutValueName(int Index);

// The layout "Reset margins" brings back: margins 2.5 cm, stops 3.5, 11, 12,
// 13, 14, 15, 16, 17 until the program sets its own first stops.
TReportLayout& DefaultReportLayout();

// Whether each preview line is shown (drawn and draggable); lines 0 .. 6 at
// first. The reports choose their own.
struct TReportLine {
    bool Shown = false;
};
std::array<TReportLine, ReportLineCount>& ReportLines();

// The top and bottom margins are horizontal lines, all others vertical.
constexpr bool IsHorizontalLine(int Index)
{
    return Index == rlTopMargin || Index == rlBottomMargin;
}
