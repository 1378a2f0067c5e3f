#include "ControlsTestSupport.h"

#include "controls/EditFormat.h"

#include <gtest/gtest.h>

TEST(EditFormat, FormatKindsAreTestedInOrder)
{
    const std::pair<const char*, TFormatKind> Cases[] = {
        {"%s", TFormatKind::Text},          {"%S/%d", TFormatKind::Text},
        {"%0.1f/%0.1f", TFormatKind::Pair}, {"%d", TFormatKind::Integer},
        {"%0.2F", TFormatKind::Fixed},      {"%0.5g", TFormatKind::General},
        {"", TFormatKind::General}};
    for (const auto& [Fmt, Kind] : Cases)
        EXPECT_EQ(FormatKindOf(Fmt), Kind) << Fmt;
}

TEST(EditFormat, TextFormatterTakesWidthPrecisionAndEscapes)
{
    const struct {
        const char* Fmt;
        const char* Text;
        const char* Expected;
    } Cases[] = {
        {"%s", "Fan", "Fan"},        {"%S", "Fan", "Fan"},          {"[%5s]", "ab", "[   ab]"},
        {"[%-5s]", "ab", "[ab   ]"}, {"%.2s", "abcdef", "ab"},      {"100%% %s", "x", "100% x"},
        {"%s %s", "a", "a %s"},      {"%d %s", "a", "%d a"},        {"no format", "a", "no format"},
        {"%s", "50%", "50%"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FormatText(C.Fmt, C.Text), C.Expected) << C.Fmt;
    // A damaged width pads no further than any window could show.
    EXPECT_EQ(FormatText("%99999s", "a").size(), 512);
}
