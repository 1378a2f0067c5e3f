#include "DocumentTestSupport.h"
#include "tests/HandEncoding.h"

#include "foundation/SettingsStore.h"
#include "foundation/ValueStream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

using namespace doctest;

namespace {

double LocalToday()
{
    const std::time_t Now = std::time(nullptr);
    std::tm Local{};
    localtime_r(&Now, &Local);
    using namespace std::chrono;
    const sys_days Day{year{Local.tm_year + 1900} / (Local.tm_mon + 1) / Local.tm_mday};
    return static_cast<double>((Day - sys_days{year{1899} / 12 / 30}).count());
}

} // namespace

// Five strings and a date, time of day included.
TEST(DocumentPropertiesBlock, BytesByHandAndAHandWrittenBlockFieldByField)
{
    TDocumentProperties P = SampleProperties();
    P.Author = "Zoë Müller";
    P.Date = SixDecember2024 + 0.5;
    THandEncoding Hand;
    Hand.Str(P.ProjectName).Str(P.ProjectNumber).Str(P.Description).Str(P.Author).Str(P.Company).Date(P.Date);
    TValueWriter W;
    P.WriteToWriter(W);
    EXPECT_EQ(W.Bytes(), Hand.Bytes);

    THandEncoding Other;
    Other.Str("Name").Str("Number").Str("Text").Str("Author").Str("Company").Date(40000.25);
    TDocumentProperties Back = SampleProperties();
    TValueReader R(Other.Bytes);
    Back.ReadFromReader(R);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(Back, (TDocumentProperties{"Name", "Number", "Text", "Author", "Company", 40000.25}));
}

// A cut block, or a number where the project number's text belongs, raises
// and leaves the properties.
TEST(DocumentPropertiesBlock, DamagedBlockRaisesAndLeavesPropertiesUnchanged)
{
    TValueWriter W;
    SampleProperties().WriteToWriter(W);
    const std::string Bytes = W.Bytes();
    THandEncoding Wrong;
    Wrong.Str("Name").Int(12);
    ExpectDamagedBlocksRefused(SampleProperties(), {"", Bytes.substr(0, 20), Bytes.substr(0, Bytes.size() - 1), Wrong.Bytes},
                               "properties");
}

TEST(DocumentPropertiesBlock, ImpossibleDateBecomesToday)
{
    for (double Bad : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e7}) {
        TDocumentProperties P = SampleProperties();
        P.Date = Bad;
        TValueWriter W;
        P.WriteToWriter(W);
        TValueReader R(W.Bytes());
        P.ReadFromReader(R);
        EXPECT_NEAR(P.Date, LocalToday(), 1.0) << Bad;
        EXPECT_EQ(P.ProjectName, SampleProperties().ProjectName);
    }
}

TEST(DocumentPropertiesDefaults, SavedDefaultsAndClear)
{
    TMemorySettingsStore Store;
    Store.WriteString("File Properties", "Name", "Standard job");
    Store.WriteString("File Properties", "Number", "000");
    Store.WriteString("File Properties", "Author", "Saved Author");

    // The company never saved is the registered organisation; no description; today.
    TDocumentProperties P = SampleProperties();
    P.Clear(Store, "Machine Owner", "Machine Org");
    EXPECT_EQ(P, (TDocumentProperties{"Standard job", "000", "", "Saved Author", "Machine Org", P.Date}));
    EXPECT_NEAR(P.Date, LocalToday(), 1.0);
    EXPECT_EQ(P.Date, std::floor(P.Date));
    TDocumentProperties Fresh;
    Fresh.LoadDefaults(TMemorySettingsStore(), "Machine Owner", "Machine Org");
    EXPECT_EQ(Fresh.ProjectName + "|" + Fresh.Author, "|Machine Owner");

    // Saved defaults load back, without description or date.
    Store.EraseSection("File Properties");
    SampleProperties().SaveDefaults(Store);
    EXPECT_FALSE(Store.ValueExists("File Properties", "Description"));

    TDocumentProperties Loaded;
    Loaded.LoadDefaults(Store, "Owner", "Org");
    TDocumentProperties Expected = SampleProperties();
    Expected.Description.clear();
    Expected.Date = Loaded.Date;
    EXPECT_EQ(Loaded, Expected);
}

TEST(DocumentPropertiesTexts, ProjectNameAndTitle)
{
    TDocumentProperties P{"A", "7", "main", "", "", 0.0};
    EXPECT_EQ(P.GetTitleText(), "A (7) main");
    P.ProjectName.clear();
    EXPECT_EQ(P.GetProjectName(), "Project");
}

TEST(DocumentPropertiesXml, LinesOfTheElementAndReadingThem)
{
    EXPECT_EQ(XmlOf(SampleProperties()), " <properties>\r\n"
                                         " <projectname>Harbour Offices</projectname>\r\n"
                                         " <projectnumber>HV-2024/17</projectnumber>\r\n"
                                         " <description>Level 2 supply%13%10Revision B%13%10see notes</description>\r\n"
                                         " <author>J. Ng</author>\r\n"
                                         " <company>Smith &amp; Sons &lt;Ducting&gt;</company>\r\n"
                                         " <date>06 12 2024</date>\r\n"
                                         " </properties>\r\n");

    // The time of day is not part of the element; a missing element or
    // value keeps the current one.
    TDocumentProperties Late = SampleProperties();
    Late.Date = SixDecember2024 + 0.75;
    TDocumentProperties P;
    ReadXmlText(P, XmlOf(Late));
    EXPECT_EQ(P, SampleProperties());
    ReadXmlText(P, "<settings/>");
    EXPECT_EQ(P, SampleProperties());
    ReadXmlText(P, "<properties><author>Other</author><date>01 02 2003</date></properties>");
    TDocumentProperties Expected = SampleProperties();
    Expected.Author = "Other";
    Expected.Date = 37653.0; // 1 February 2003
    EXPECT_EQ(P, Expected);
}
