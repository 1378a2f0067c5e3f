// The kept report layout in the settings section "Report".
#include "reports/StdReport.h"

#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "platform/FormPlacement.h"

#include <cmath>

namespace {

constexpr const char* Section = "Report";
// No paper the program prints on is larger: a value beyond is damaged.
constexpr double LargestPaperCm = 150;

} // namespace

void LoadReportMargins(const TSettingsStore& Settings)
{
    TKeptReportLayout& Kept = KeptReportLayout();
    const TReportLayout& Default = DefaultReportLayout();
    for (int i = 0; i < ReportLineCount; ++i) {
        const std::string Text = Settings.ReadString(Section, ReportLayoutValueName(i),
                                                     FloatToStr(Default.Values[i]));
        double Value = 0;
        const bool Usable = TryStrToFloat(Text, Value) && std::isfinite(Value) && Value >= 0 &&
                            Value <= LargestPaperCm;
        Kept.Layout.Values[i] = Usable ? Value : Default.Values[i];
    }
    const int Zoom = Settings.ReadInteger(Section, "Zoom", 0);
    Kept.Zoom = Zoom == 1 ? 1 : 0;
    RestoreFont(Settings, Section, Kept.Font, Kept.Color);
}

void SaveReportMargins(TSettingsStore& Settings)
{
    const TKeptReportLayout& Kept = KeptReportLayout();
    Settings.EraseSection(Section);
    for (int i = 0; i < ReportLineCount; ++i)
        Settings.WriteString(Section, ReportLayoutValueName(i), FloatToStr(Kept.Layout.Values[i]));
    Settings.WriteInteger(Section, "Zoom", Kept.Zoom);
    SaveFont(Settings, Section, Kept.Font, Kept.Color);
}
