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

TEST(DocumentPropertiesBlock, FiveStringsAndADate)
{
    TDocumentProperties P = SampleProperties();
    P.Author = "Zoë Müller";
    P.Date = SixDecember2024 + 0.5;
    TValueWriter W;
    P.WriteToWriter(W);

    TValueReader R(W.Bytes());
    for (const std::string& Text : {P.ProjectName, P.ProjectNumber, P.Description, P.Author, P.Company})
        EXPECT_EQ(R.ReadString(), Text);
    EXPECT_EQ(R.NextTag(), vaDate);
    EXPECT_EQ(R.ReadDate(), P.Date);
    EXPECT_TRUE(R.AtEnd());

    TDocumentProperties Back;
    TValueReader Again(W.Bytes());
    Back.ReadFromReader(Again);
    EXPECT_EQ(Back, P);
}

TEST(DocumentPropertiesBlock, BytesByHandAndAHandWrittenBlockFieldByField)
{
    const TDocumentProperties P = SampleProperties();
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
    EXPECT_EQ(Back.ProjectName, "Name");
    EXPECT_EQ(Back.ProjectNumber, "Number");
    EXPECT_EQ(Back.Description, "Text");
    EXPECT_EQ(Back.Author, "Author");
    EXPECT_EQ(Back.Company, "Company");
    EXPECT_EQ(Back.Date, 40000.25);
}

TEST(DocumentPropertiesBlock, DamagedBlockRaisesAndLeavesPropertiesUnchanged)
{
    TValueWriter W;
    SampleProperties().WriteToWriter(W);
    const std::string Bytes = W.Bytes();
    for (std::size_t Cut : {std::size_t(0), std::size_t(20), Bytes.size() - 1}) {
        TDocumentProperties P;
        P.ProjectName = "Kept";
        TValueReader R(Bytes.substr(0, Cut));
        EXPECT_THROW(P.ReadFromReader(R), EStreamError) << Cut;
        EXPECT_EQ(P.ProjectName, "Kept");
        EXPECT_TRUE(P.Author.empty());
    }

    TValueWriter Wrong;
    Wrong.WriteString("Name");
    Wrong.WriteInteger(12); // a number where the project number's text belongs
    TValueReader R(Wrong.Bytes());
    TDocumentProperties P = SampleProperties();
    try {
        P.ReadFromReader(R);
        FAIL() << "a number was read as text";
    } catch (const EStreamError& E) {
        EXPECT_NE(std::string(E.what()).find("properties"), std::string::npos) << E.what();
    }
    EXPECT_EQ(P, SampleProperties());
}

TEST(DocumentPropertiesBlock, ImpossibleDateBecomesToday)
{
    for (double Bad : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e7}) {
        TDocumentProperties P = SampleProperties();
        P.Date = Bad;
        TValueWriter W;
        P.WriteToWriter(W);
        TDocumentProperties Back;
        TValueReader R(W.Bytes());
        Back.ReadFromReader(R);
        EXPECT_NEAR(Back.Date, LocalToday(), 1.0) << Bad;
        EXPECT_EQ(Back.ProjectName, P.ProjectName);
    }
}

TEST(DocumentPropertiesDefaults, SavedDefaultsAndClear)
{
    TMemorySettingsStore Store;
    Store.WriteString("File Properties", "Name", "Standard job");
    Store.WriteString("File Properties", "Number", "000");
    Store.WriteString("File Properties", "Author", "Saved Author");

    TDocumentProperties P = SampleProperties();
    P.Clear(Store, "Machine Owner", "Machine Org");
    EXPECT_EQ(P.ProjectName, "Standard job");
    EXPECT_EQ(P.ProjectNumber, "000");
    EXPECT_EQ(P.Author, "Saved Author");
    EXPECT_EQ(P.Company, "Machine Org"); // never saved: the registered organisation
    EXPECT_TRUE(P.Description.empty());
    EXPECT_NEAR(P.Date, LocalToday(), 1.0);
    EXPECT_EQ(P.Date, std::floor(P.Date));

    TDocumentProperties Fresh;
    Fresh.LoadDefaults(TMemorySettingsStore(), "Machine Owner", "Machine Org");
    EXPECT_TRUE(Fresh.ProjectName.empty());
    EXPECT_EQ(Fresh.Author, "Machine Owner");

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
    TDocumentProperties P = SampleProperties();
    EXPECT_EQ(P.GetProjectName(), "Harbour Offices");
    P.ProjectName.clear();
    EXPECT_EQ(P.GetProjectName(), "Project");
    P.ProjectName = std::string("A");
    P.ProjectNumber = "7";
    P.Description = "main";
    EXPECT_EQ(P.GetTitleText(), "A (7) main");
}

TEST(DocumentPropertiesXml, LinesOfTheElement)
{
    EXPECT_EQ(XmlOf(SampleProperties()), " <properties>\r\n"
                                         " <projectname>Harbour Offices</projectname>\r\n"
                                         " <projectnumber>HV-2024/17</projectnumber>\r\n"
                                         " <description>Level 2 supply%13%10Revision B%13%10see notes</description>\r\n"
                                         " <author>J. Ng</author>\r\n"
                                         " <company>Smith &amp; Sons &lt;Ducting&gt;</company>\r\n"
                                         " <date>06 12 2024</date>\r\n"
                                         " </properties>\r\n");

    // The time of day is not part of the element.
    TDocumentProperties Late = SampleProperties();
    Late.Date = SixDecember2024 + 0.75;
    TDocumentProperties FromLate;
    ReadXmlText(FromLate, XmlOf(Late));
    EXPECT_EQ(FromLate, SampleProperties());
}

TEST(DocumentPropertiesXml, MissingElementOrValueKeepsCurrent)
{
    TDocumentProperties P = SampleProperties();
    ReadXmlText(P, "<settings/>");
    EXPECT_EQ(P, SampleProperties());

    ReadXmlText(P, "<properties><author>Other</author><date>01 02 2003</date></properties>");
    TDocumentProperties Expected = SampleProperties();
    Expected.Author = "Other";
    Expected.Date = 37653.0; // 1 February 2003
    EXPECT_EQ(P, Expected);
}
