#include "foundation/NumberFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>

namespace {

// printf under the "C" locale is the reference for every plain conversion.
template <typename T>
std::string CFormat(const char* Fmt, T V)
{
    char Buf[1024];
    std::snprintf(Buf, sizeof Buf, Fmt, V);
    return Buf;
}

// V lies exactly halfway between two outputs of Fmt ("%[flags][width][.prec]f|e|g"
// with any text around it): printf, which prints exact digits when asked for
// enough of them, shows a 5 one place past the precision and nothing after it.
bool IsExactHalf(const std::string& Fmt, double V)
{
    const std::size_t Percent = Fmt.find('%');
    const std::size_t KindAt = Fmt.find_first_of("feEgG", Percent);
    const std::size_t Dot = Fmt.find('.', Percent);
    int Prec = Dot < KindAt ? std::atoi(Fmt.c_str() + Dot + 1) : 6;
    char Kind = static_cast<char>(Fmt[KindAt] | 0x20);
    if (Kind == 'g') {
        Kind = 'e'; // P significant digits are P - 1 decimals of %e
        Prec = (Prec == 0 ? 1 : Prec) - 1;
    }
    const std::string One = Kind == 'f' ? "%.*f" : "%.*e";
    char Short[1100], Long[1100];
    std::snprintf(Short, sizeof Short, One.c_str(), Prec + 1, std::fabs(V));
    std::snprintf(Long, sizeof Long, One.c_str(), Prec + 40, std::fabs(V));
    std::string A = Short, B = Long;
    const std::size_t ExpA = A.find('e'), ExpB = B.find('e');
    const std::string MantA = A.substr(0, ExpA), MantB = B.substr(0, ExpB);
    return MantA.back() == '5' && MantB.starts_with(MantA) &&
           MantB.find_first_not_of('0', MantA.size()) == std::string::npos &&
           (ExpA == std::string::npos || A.substr(ExpA) == B.substr(ExpB));
}

std::string ConvertErrorText(void (*Action)())
{
    try {
        Action();
    } catch (const EConvertError& E) {
        return E.what();
    }
    return "no EConvertError";
}

} // namespace

// printf's digits, except that an exact half rounds away from zero where
// printf rounds it to the even neighbour: the reference then takes the next
// double away from zero, which printf rounds the same way.
TEST(NumberFormat, FloatConversionsMatchPrintf)
{
    const char* Formats[] = {"%f", "%0.1f", "%0.4f", "%.0f", "%8.2f", "%-8.2f|", "%08.2f",
                             "%+.3f", "% .3f", "%#.0f", "%e", "%.2e", "%E", "%12.3E",
                             "%#.0e", "%g", "%0.6g", "%.3g", "%G", "%#g", "%#.3g",
                             "%.0g", "%10.4g", "%-10g|", "%+g", "%.17g"};
    const double Values[] = {0.0, 1.0, 0.1, 0.5, 1.5, 2.5, 123.456, 99999.95, 999999.5,
                             1e-5, 0.0001, 1e15, 1.5e300, 4.9e-324, 12345.678901, 100,
                             0.000123456, 9.9999996, 1e21, -2.75, -0.001, -123456.789};
    for (const char* Fmt : Formats)
        for (double V : Values) {
            // printf prints "-0.000" for tiny negatives (the formatter drops that sign),
            // and glibc "1.e+06" for 999999.5 in %#g, losing the zeros "#" asks to keep.
            const double Away = std::nextafter(V, V < 0 ? -HUGE_VAL : HUGE_VAL);
            std::string Expected = CFormat(Fmt, IsExactHalf(Fmt, V) ? Away : V);
            if (V < 0 && Expected.find_first_of("123456789") == std::string::npos)
                continue;
            if (std::string(Fmt) == "%#g" && V == 999999.5)
                Expected = "1.00000e+06";
            EXPECT_EQ(FormatFloat(Fmt, V), Expected) << Fmt << " " << V;
        }
}

TEST(NumberFormat, IntegerConversionsMatchPrintf)
{
    const char* Formats[] = {"%lld", "%5lld", "%-5lld|", "%05lld", "%+lld", "%.3lld", "%8.3lld",
                             "%lli", "%.0lld"};
    const long long Values[] = {0, 7, -7, 42, -1234, 2147483647, -2147483648LL,
                                std::numeric_limits<long long>::min(),
                                std::numeric_limits<long long>::max()};
    for (const char* CFmt : Formats) {
        // Our formats carry no length modifier; "ll" is only for the reference.
        std::string Fmt = CFmt;
        Fmt.erase(Fmt.find("ll"), 2);
        for (long long V : Values)
            EXPECT_EQ(FormatInt(Fmt, V), CFormat(CFmt, V)) << Fmt << " " << V;
    }
    EXPECT_EQ(FormatInt("%u", 5), "5");
    EXPECT_EQ(FormatInt("%u", -1), "18446744073709551615");
}

TEST(NumberFormat, FormatsBeyondPlainPrintf)
{
    const double Inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* Fmt;
        double V;
        const char* Expected;
    } Cases[] = {
        {"v = %0.2f m/s", 3.14159, "v = 3.14 m/s"},
        {"%0.04g", 1234.5678, "1235"}, // the grids write the precision this way
        {"%0.1f%%", 45.25, "45.3%"},
        // Exact halves round away from zero in every conversion, as whole
        // numbers do; 1.005 lies below its half in binary and rounds down.
        {"%0.0f", 12.5, "13"}, {"%0.0f", 13.5, "14"}, {"%0.0f", -12.5, "-13"}, {"%0.0f", 0.5, "1"},
        {"%0.2f", 0.125, "0.13"}, {"%0.2f", 1.005, "1.00"}, {"%0.1f", 9.95, "9.9"}, {"%0.1f", 99.75, "99.8"},
        {"%.1e", 125, "1.3e+02"}, {"%.0e", 2.5, "3e+00"}, {"%.1e", 9.75, "9.8e+00"}, {"%.1e", 99.5, "1.0e+02"},
        {"%.0e", 9.5, "1e+01"}, {"%.0e", 2.5e15, "3e+15"},
        {"%.2g", 12.5, "13"}, {"%.1g", 0.25, "0.3"}, {"%.1g", 9.5, "1e+01"}, {"%g", 2.5, "2.5"},
        {"%0.4g", 1234.5, "1235"}, {"%.3g", 1250, "1.25e+03"}, {"%.2g", 1250, "1.3e+03"},
        // Integer conversions of floats: halves round away from zero.
        {"%d", 2.5, "3"}, {"%d", -2.5, "-3"}, {"%5d", 41.7, "   42"},
        {"%d", 1e20, "100000000000000000000"},
        // A value rounded to zero has no sign.
        {"%0.1f", -0.04, "0.0"}, {"%0.1f", -0.0, "0.0"}, {"%0.1f", -0.06, "-0.1"},
        {"%.2e", -1e-300, "-1.00e-300"},
        // Unusable formats fall back to %g, and never pad without limit.
        {"", 0.25, "0.25"}, {"no conversion", 0.25, "0.25"}, {"%s", 0.25, "0.25"},
        {"%0.2f and %0.2f", 0.25, "0.25"}, {"%0.2", 0.25, "0.25"},
        {"%99999999999f", 0.25, "0.25"}, {"%.99999f", 0.25, "0.25"},
        {"%0.2f", Inf, "inf"}, {"%06.2f", -Inf, "  -inf"}, {"%G", std::nan(""), "NAN"},
        {"%d", Inf, "inf"}};
    for (const auto& C : Cases)
        EXPECT_EQ(FormatFloat(C.Fmt, C.V), C.Expected) << C.Fmt << " " << C.V;
    EXPECT_EQ(FormatInt("%0.2f", 12), "12.00");
    EXPECT_EQ(FormatInt("%ld", 12), "12");
    EXPECT_EQ(FormatInt("%x", 255), "255");
}

TEST(NumberFormat, FloatToStrIsShortestAndRoundTrips)
{
    const std::pair<double, const char*> Cases[] = {
        {0.1, "0.1"}, {250, "250"}, {1e-5, "1E-5"}, {0.0001, "0.0001"}, {-1.5e-7, "-1.5E-7"},
        {123456789012345.0, "123456789012345"}, {1e15, "1E15"},
        {0.1 + 0.2, "0.30000000000000004"}, {0.0, "0"}, {-0.0, "0"},
        {-std::numeric_limits<double>::infinity(), "-INF"}, {std::nan(""), "NAN"}};
    for (const auto& [V, Expected] : Cases)
        EXPECT_EQ(FloatToStr(V), Expected);
    const double Samples[] = {0.1 + 0.2, 1.0 / 3, 2.0 / 3e-7, 6.02214076e23, 1.7976931348623157e308,
                              4.9e-324, 2.2250738585072014e-308, -98765.4321, 1e-4 * 3};
    for (double V : Samples) {
        double Back = 0;
        ASSERT_TRUE(TryStrToFloat(FloatToStr(V), Back)) << FloatToStr(V);
        EXPECT_EQ(Back, V) << FloatToStr(V);
    }
    EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
}

TEST(NumberFormat, StrictFloatParserAcceptsPlainNumbersOnly)
{
    const std::pair<const char*, double> Good[] = {
        {"1.5", 1.5}, {" -2.25 ", -2.25}, {"+3", 3}, {".5", 0.5}, {"5.", 5}, {"1E3", 1000},
        {"1e-3", 0.001}, {"2.5E+2", 250}, {"\t7\r\n", 7}, {"0003.10", 3.1}, {"1e-400", 0},
        {"-1e-400", 0}, {"1.7976931348623157e308", 1.7976931348623157e308}};
    for (const auto& [Text, Expected] : Good) {
        double V = -99;
        EXPECT_TRUE(TryStrToFloat(Text, V)) << Text;
        EXPECT_DOUBLE_EQ(V, Expected) << Text;
        EXPECT_DOUBLE_EQ(StrToFloat(Text), Expected) << Text;
    }

    const char* Bad[] = {"", "  ", "-", "+", ".", "1.2.3", "1,5", "1 000", "inf", "-inf", "nan",
                         "NaN", "infinity", "0x10", "1e", "1e+", "e5", "1e5.5", "++1", "+-1",
                         "1-", "1e400", "-1e400", "12abc", "1.5e3x", "1d5"};
    for (const char* Text : Bad) {
        double V = 42;
        EXPECT_FALSE(TryStrToFloat(Text, V)) << Text;
        EXPECT_EQ(V, 42) << "value changed on failure for " << Text;
    }
    EXPECT_EQ(ConvertErrorText([] { StrToFloat("1,5"); }), "'1,5' is not a valid floating point value");
}

TEST(NumberFormat, StrictIntParser)
{
    int V = 0;
    EXPECT_TRUE(TryStrToInt(" +42 ", V));
    EXPECT_EQ(V, 42);
    EXPECT_TRUE(TryStrToInt("-2147483648", V));
    EXPECT_EQ(V, -2147483647 - 1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    const char* Bad[] = {"", "-", "+", "2147483648", "-2147483649", "1.0", "1e3", "0x1F",
                         "$1F", "12 3", "+-3", "--3", "99999999999999999999"};
    for (const char* Text : Bad) {
        V = 7;
        EXPECT_FALSE(TryStrToInt(Text, V)) << Text;
        EXPECT_EQ(V, 7) << Text;
    }
    EXPECT_EQ(ConvertErrorText([] { StrToInt("1.0"); }), "'1.0' is not a valid integer value");
}

namespace {

struct TCommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

TEST(NumberFormat, PointStaysTheDecimalSeparatorUnderACommaLocale)
{
    // Switch the C and C++ locales to comma decimals; every check below is
    // non-fatal so that both are always switched back.
    const std::locale Saved;
    std::locale::global(std::locale(std::locale::classic(), new TCommaDecimals));
    for (const char* Name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German"})
        if (std::setlocale(LC_NUMERIC, Name)) {
            EXPECT_EQ(CFormat("%.1f", 1.5), "1,5") << "the process locale did not take effect";
            break;
        }
    EXPECT_EQ(FormatFloat("%0.1f", 1234.5), "1234.5");
    EXPECT_EQ(FormatFloat("%0.6g", 0.125), "0.125");
    EXPECT_EQ(FormatFloat("%.2e", 1500), "1.50e+03");
    EXPECT_EQ(FormatInt("%d", 1234567), "1234567");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_DOUBLE_EQ(StrToFloat("2.5"), 2.5);
    double V = 0;
    EXPECT_FALSE(TryStrToFloat("2,5", V));
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(Saved);
}
