#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, DecimalsNeededBySizeIgnoringTheSign)
{
    const struct {
        int SigDigs, MaxDec;
        double Value;
        int Expected;
    } Cases[] = {{4, 6, 123.456, 1}, {4, 6, -123.456, 1}, {4, 6, 12345, 0}, {4, 6, 12.5, 2},
                 {4, 6, -12.5, 2},
                 // One integer digit: the position of the first non-zero decimal.
                 {4, 6, 0.00123, 5}, {4, 6, -0.00123, 5}, {4, 6, 7.25, 3}, {4, 6, -7.25, 3},
                 {4, 6, 1.05, 4}, {4, 6, 5.0, 3},
                 // Limited by MaxDec.
                 {4, 2, 0.00123, 2}, {4, 0, 7.25, 0}, {9, 3, 12.5, 3}};
    for (const auto& C : Cases)
        EXPECT_EQ(DecimalsNeeded(C.SigDigs, C.MaxDec, C.Value), C.Expected)
            << C.SigDigs << " " << C.MaxDec << " " << C.Value;
}

TEST(NumberText, AutoFloatFormatAndFormatDecimals)
{
    EXPECT_EQ(AutoFloatFormat(4, 12, 123.456), "%0.1f");
    EXPECT_EQ(AutoFloatFormat(4, 12, 0.00123), "%0.5f");
    EXPECT_EQ(FormatFloat(AutoFloatFormat(4, 12, 0.00123), 0.00123), "0.00123");
    EXPECT_EQ(AutoFloatFormat(4, 12, 98765), "%0.0f");

    const std::pair<const char*, int> Cases[] = {{"%0.3f", 3}, {"%0.12f", 12}, {"%8.10g", 10},
                                                 {"%0.xf", 0}, {"%d", 0},      {"%0.", 0}, {"", 0}};
    for (const auto& [Fmt, Expected] : Cases)
        EXPECT_EQ(FormatDecimals(Fmt), Expected) << Fmt;
}

TEST(NumberText, CleanNumberTextCases)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"1 234,5", "1234,5"}, {"--5", "-5"},      {"1.2.3", "1.23"},     {"e5", "1E5"},
        {"-e5", "-1E5"},       {"3-", "3"},        {"12/ 5", "12/5"},     {"", "0"},
        {"   ", "0"},          {"-", "0"},         {"1e-3", "1E-3"},      {"1e3e4", "1E34"},
        {"1E--5", "1E-5"},     {"2.5E1.5", "2.5E15"}, {"1E400", "1E40"},  {"1E-999", "1E-9"},
        {"1E300", "1E300"},    {"400/300/200", "400/300200"},             {"/5", "0/5"},
        {"- 1.5 / -2..5", "-1.5/-2.5"}};
    for (const auto& [Typed, Cleaned] : Cases)
        EXPECT_EQ(CleanNumberText(Typed), Cleaned) << Typed;
    // What cleaning leaves of anything typed is a number.
    for (const char* Text : {" 12 ", "--3.5", "e2", "1.2.3", "7-", "", "-", "5e-2-", ".5", "1E-400"}) {
        double V = 0;
        EXPECT_TRUE(TryStrToFloat(CleanNumberText(Text), V)) << Text << " -> " << CleanNumberText(Text);
    }
}

TEST(NumberText, SlashPairsAndSmallTextHelpers)
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

    EXPECT_EQ(StripSpaces(" a b\tc "), "abc");
    EXPECT_EQ(ReplaceChar("1,5;2,5", ',', '.'), "1.5;2.5");
    EXPECT_EQ(FormatValuePair("%0.1f", 0.4, 0.25), "0.4/0.3"); // halves away from zero
    EXPECT_EQ(FormatValuePair("%0.1f/%0.2f", 0.4, 0.25), "0.4/0.25");
    EXPECT_EQ(FormatValuePair("%0.0f mm", 400, 250), "400 mm/250 mm");
}
