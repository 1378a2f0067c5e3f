#pragma once
// The graph's text report as runs of text with their bold and italic marks,
// so that a window can show it in a rich-text control later and a test can
// read it as plain text.

#include <string>
#include <vector>

struct TReportRun {
    std::string Text; // one line, ended by "\n"
    bool Bold = false;
    bool Italic = false;
};

class TGraphReport {
public:
    std::vector<int> TabStops; // in the control's units
    std::vector<TReportRun> Runs;

    void Clear();
    // Appends Text as one line.
    void AddLine(const std::string& Text, bool Bold = false, bool Italic = false);
    // Every run joined, marks dropped.
    std::string PlainText() const;
};

// Report cells in the printf manner but independent of the process locale:
// the text of Value right-aligned (or left-aligned) in Width characters.
std::string PadCell(const std::string& Value, int Width, bool LeftAlign = false);
