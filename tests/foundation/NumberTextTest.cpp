#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, DecimalsNeededBySize)
{
    EXPECT_EQ(DecimalsNeeded(4, 6, 123.456), 1);
    EXPECT_EQ(DecimalsNeeded(4, 6, 12345), 0);
    EXPECT_EQ(DecimalsNeeded(4, 6, 12.5), 2);
    // One integer digit: the position of the first non-zero decimal.
    EXPECT_EQ(DecimalsNeeded(4, 6, 0.00123), 5);
    EXPECT_EQ(DecimalsNeeded(4, 6, 7.25), 3);
    EXPECT_EQ(DecimalsNeeded(4, 6, 1.05), 4);
    EXPECT_EQ(DecimalsNeeded(4, 6, 5.0), 3);
    // Limited by MaxDec.
    EXPECT_EQ(DecimalsNeeded(4, 2, 0.00123), 2);
    EXPECT_EQ(DecimalsNeeded(4, 0, 7.25), 0);
    EXPECT_EQ(DecimalsNeeded(9, 3, 12.5), 3);
}

TEST(NumberText, DecimalsNeededIgnoresTheSign)
{
    EXPECT_EQ(DecimalsNeeded(4, 6, -123.456), DecimalsNeeded(4, 6, 123.456));
    EXPECT_EQ(DecimalsNeeded(4, 6, -0.00123), 5);
    EXPECT_EQ(DecimalsNeeded(4, 6, -7.25), 3);
    EXPECT_EQ(DecimalsNeeded(4, 6, -12.5), 2);
}

TEST(NumberText, AutoFloatFormatBuildsAFixedFormat)
{
    EXPECT_EQ(AutoFloatFormat(4, 12, 123.456), "%0.1f");
    EXPECT_EQ(AutoFloatFormat(4, 12, 0.00123), "%0.5f");
    EXPECT_EQ(FormatFloat(AutoFloatFormat(4, 12, 0.00123), 0.00123), "0.00123");
    EXPECT_EQ(AutoFloatFormat(4, 12, 98765), "%0.0f");
}

TEST(NumberText, FormatDecimalsReadsThePrecision)
{
    EXPECT_EQ(FormatDecimals("%0.3f"), 3);
    EXPECT_EQ(FormatDecimals("%0.12f"), 12);
    EXPECT_EQ(FormatDecimals("%8.10g"), 10);
    EXPECT_EQ(FormatDecimals("%0.xf"), 0);
    EXPECT_EQ(FormatDecimals("%d"), 0);
    EXPECT_EQ(FormatDecimals("%0."), 0);
    EXPECT_EQ(FormatDecimals(""), 0);
}

TEST(NumberText, CleanNumberTextCases)
{
    EXPECT_EQ(CleanNumberText("1 234,5"), "1234,5");
    EXPECT_EQ(CleanNumberText("--5"), "-5");
    EXPECT_EQ(CleanNumberText("1.2.3"), "1.23");
    EXPECT_EQ(CleanNumberText("e5"), "1E5");
    EXPECT_EQ(CleanNumberText("-e5"), "-1E5");
    EXPECT_EQ(CleanNumberText("3-"), "3");
    EXPECT_EQ(CleanNumberText("12/ 5"), "12/5");
    EXPECT_EQ(CleanNumberText(""), "0");
    EXPECT_EQ(CleanNumberText("   "), "0");
    EXPECT_EQ(CleanNumberText("-"), "0");
    EXPECT_EQ(CleanNumberText("1e-3"), "1E-3");
    EXPECT_EQ(CleanNumberText("1e3e4"), "1E34");
    EXPECT_EQ(CleanNumberText("1E--5"), "1E-5");
    EXPECT_EQ(CleanNumberText("2.5E1.5"), "2.5E15");
    EXPECT_EQ(CleanNumberText("1E400"), "1E40");
    EXPECT_EQ(CleanNumberText("1E-999"), "1E-9");
    EXPECT_EQ(CleanNumberText("1E300"), "1E300");
    EXPECT_EQ(CleanNumberText("400/300/200"), "400/300200");
    EXPECT_EQ(CleanNumberText("/5"), "0/5");
    EXPECT_EQ(CleanNumberText("- 1.5 / -2..5"), "-1.5/-2.5");
}

TEST(NumberText, CleanedTextsParse)
{
    const char* Typed[] = {" 12 ", "--3.5", "e2", "1.2.3", "7-", "", "-", "5e-2-", ".5", "1E-400"};
    for (const char* Text : Typed) {
        double V = 0;
        EXPECT_TRUE(TryStrToFloat(CleanNumberText(Text), V)) << Text << " -> " << CleanNumberText(Text);
    }
}

TEST(NumberText, SplitSlashPair)
{
    double A = 0, B = -1;
    EXPECT_TRUE(SplitSlashPair("400/250.5", A, B));
    EXPECT_DOUBLE_EQ(A, 400);
    EXPECT_DOUBLE_EQ(B, 250.5);
    B = -1;
    EXPECT_FALSE(SplitSlashPair("315", A, B));
    EXPECT_DOUBLE_EQ(A, 315);
    EXPECT_DOUBLE_EQ(B, -1);
    A = 1;
    B = 2;
    EXPECT_THROW(SplitSlashPair("400/x", A, B), EConvertError);
    EXPECT_THROW(SplitSlashPair("400/", A, B), EConvertError);
    EXPECT_DOUBLE_EQ(A, 1); // nothing assigned when a part fails
    EXPECT_DOUBLE_EQ(B, 2);
}

TEST(NumberText, SmallTextHelpers)
{
    EXPECT_EQ(StripSpaces(" a b\tc "), "abc");
    EXPECT_EQ(ReplaceChar("1,5;2,5", ',', '.'), "1.5;2.5");
    EXPECT_EQ(FormatValuePair("%0.1f", 0.4, 0.25), "0.4/0.2");
    EXPECT_EQ(FormatValuePair("%0.1f/%0.2f", 0.4, 0.25), "0.4/0.25");
    EXPECT_EQ(FormatValuePair("%0.0f mm", 400, 250), "400 mm/250 mm");
}
