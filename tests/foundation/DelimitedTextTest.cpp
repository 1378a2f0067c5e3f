#include "foundation/DelimitedText.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(DelimitedText, SplitAtDelimiterTakesFieldN)
{
    std::string Rest = " a ; b;c ", Field;
    SplitAtDelimiter(2, ";", Rest, Field);
    EXPECT_EQ(Field, "b");
    EXPECT_EQ(Rest, "c"); // the whole rest was trimmed before the first field
    SplitAtDelimiter(1, ";", Rest, Field);
    EXPECT_EQ(Field, "c");
    EXPECT_EQ(Rest, "");

    Rest = "x;y";
    SplitAtDelimiter(3, ";", Rest, Field);
    EXPECT_EQ(Field, "") << "there is no third field";
    Rest = "x;";
    SplitAtDelimiter(2, ";", Rest, Field);
    EXPECT_EQ(Field, "") << "field 1 must not be passed off as field 2";
    Rest = "x;;z";
    SplitAtDelimiter(2, ";", Rest, Field);
    EXPECT_EQ(Field, "");
    EXPECT_EQ(Rest, "z");
    Rest = "a--b";
    SplitAtDelimiter(2, "--", Rest, Field);
    EXPECT_EQ(Field, "b");
}

TEST(DelimitedText, SplitToArray)
{
    EXPECT_EQ(SplitToArray("a;b;", ";"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitToArray(" a ; b ", ";"), (std::vector<std::string>{"a ", "b"}));
    EXPECT_EQ(SplitToArray(";a;;b", ";"), (std::vector<std::string>{"", "a", "", "b"}));
    EXPECT_EQ(SplitToArray("0.100,0.250,", ","), (std::vector<std::string>{"0.100", "0.250"}));
    EXPECT_TRUE(SplitToArray("   ", ";").empty());
    EXPECT_EQ(SplitToArray("abc", ""), (std::vector<std::string>{"abc"}));
}

TEST(DelimitedText, StrToDateLoose)
{
    EXPECT_DOUBLE_EQ(StrToDateLoose("30.12.1899", "."), 0);
    EXPECT_DOUBLE_EQ(StrToDateLoose("1.1.1900", "."), 2);
    EXPECT_DOUBLE_EQ(StrToDateLoose("24/12/2023", "/"), 45284);
    EXPECT_DOUBLE_EQ(StrToDateLoose(" 29 . 2 . 2024 ", "."), 45351);
    const double Today = TodayAsDate();
    EXPECT_EQ(Today, std::floor(Today));
    EXPECT_GT(Today, 45000); // after 2023
    for (const char* Bad : {"", "12", "x.5.2020", "31.4.2020", "29.2.2023", "1.13.2020", "1.1.-5"})
        EXPECT_DOUBLE_EQ(StrToDateLoose(Bad, "."), Today) << Bad;
    // Without a year: this year.
    const double NewYear = StrToDateLoose("1.1", ".");
    EXPECT_LE(NewYear, Today);
    EXPECT_GT(NewYear, Today - 366);
}

TEST(DelimitedText, LineBreaksRoundTrip)
{
    EXPECT_EQ(EncodeLineBreaks("a\r\nb"), "a%13%10b");
    EXPECT_EQ(EncodeLineBreaks("a\nb\rc\r\n"), "a%13%10b%13%10c%13%10");
    EXPECT_EQ(DecodeLineBreaks("a%13%10b%13%10"), "a\r\nb\r\n");
    EXPECT_EQ(DecodeLineBreaks("a%13%10b", "\n"), "a\nb");
    EXPECT_EQ(DecodeLineBreaks("100%13 %10%"), "100%13 %10%");
    const std::string Text = "Line 1\r\n\r\nLine 3 100%\r\n";
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(Text)), Text);
}
