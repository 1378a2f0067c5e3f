#include "network/DocumentProperties.h"

#include "foundation/SettingsStore.h"
#include "foundation/ValueStream.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>
#include <sstream>

namespace {

// 6 December 2024 as days since 30 December 1899.
constexpr double SixDecember2024 = 45632.0;

TDocumentProperties Sample()
{
    TDocumentProperties P;
    P.ProjectName = "Harbour Offices";
    P.ProjectNumber = "HV-2024/17";
    P.Description = "Level 2 supply\r\nRevision B\r\nsee notes";
    P.Author = "J. Ng";
    P.Company = "Smith & Sons <Ducting>";
    P.Date = SixDecember2024;
    return P;
}

double LocalToday()
{
    const std::time_t Now = std::time(nullptr);
    std::tm Local{};
    localtime_r(&Now, &Local);
    using namespace std::chrono;
    const sys_days Day{year{Local.tm_year + 1900} / (Local.tm_mon + 1) / Local.tm_mday};
    return static_cast<double>((Day - sys_days{year{1899} / 12 / 30}).count());
}

std::string XmlOf(const TDocumentProperties& P)
{
    std::ostringstream Out;
    P.WriteXml(Out, " ");
    return Out.str();
}

void ReadXmlText(TDocumentProperties& P, const std::string& Element)
{
    pugi::xml_document Doc;
    const std::string Text = "<head>" + Element + "</head>";
    ASSERT_TRUE(Doc.load_string(Text.c_str())) << Text;
    P.ReadXml(Doc.child("head"));
}

} // namespace

TEST(DocumentPropertiesBlock, FiveStringsAndADate)
{
    TValueWriter W;
    Sample().WriteToWriter(W);

    TValueReader R(W.Bytes());
    EXPECT_EQ(R.ReadString(), "Harbour Offices");
    EXPECT_EQ(R.ReadString(), "HV-2024/17");
    EXPECT_EQ(R.ReadString(), "Level 2 supply\r\nRevision B\r\nsee notes");
    EXPECT_EQ(R.ReadString(), "J. Ng");
    EXPECT_EQ(R.ReadString(), "Smith & Sons <Ducting>");
    EXPECT_EQ(R.NextTag(), vaDate);
    EXPECT_EQ(R.ReadDate(), SixDecember2024);
    EXPECT_TRUE(R.AtEnd());
}

TEST(DocumentPropertiesBlock, RoundTripKeepsMultiLineAndNonAsciiTexts)
{
    TDocumentProperties P = Sample();
    P.Author = "Zoë Müller";
    P.Date = SixDecember2024 + 0.5;
    TValueWriter W;
    P.WriteToWriter(W);

    TDocumentProperties Back;
    TValueReader R(W.Bytes());
    Back.ReadFromReader(R);
    EXPECT_EQ(Back, P);
}

TEST(DocumentPropertiesBlock, DamagedBlockRaisesAndLeavesPropertiesUnchanged)
{
    TValueWriter W;
    Sample().WriteToWriter(W);
    const std::string Bytes = W.Bytes();
    for (std::size_t Cut : {std::size_t(0), std::size_t(20), Bytes.size() - 1}) {
        SCOPED_TRACE(Cut);
        TDocumentProperties P;
        P.ProjectName = "Kept";
        TValueReader R(Bytes.substr(0, Cut));
        EXPECT_THROW(P.ReadFromReader(R), EStreamError);
        EXPECT_EQ(P.ProjectName, "Kept");
        EXPECT_TRUE(P.Author.empty());
    }

    TValueWriter Wrong;
    Wrong.WriteString("Name");
    Wrong.WriteInteger(12); // a number where the project number's text belongs
    TValueReader R(Wrong.Bytes());
    TDocumentProperties P = Sample();
    try {
        P.ReadFromReader(R);
        FAIL() << "a number was read as text";
    } catch (const EStreamError& E) {
        EXPECT_NE(std::string(E.what()).find("properties"), std::string::npos) << E.what();
    }
    EXPECT_EQ(P, Sample());
}

TEST(DocumentPropertiesBlock, ImpossibleDateBecomesToday)
{
    for (double Bad : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e7}) {
        TDocumentProperties P = Sample();
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

TEST(DocumentPropertiesDefaults, ClearTakesSavedDefaultsAndToday)
{
    TMemorySettingsStore Store;
    Store.WriteString("File Properties", "Name", "Standard job");
    Store.WriteString("File Properties", "Number", "000");
    Store.WriteString("File Properties", "Author", "Saved Author");

    TDocumentProperties P = Sample();
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
}

TEST(DocumentPropertiesDefaults, SavedDefaultsLoadBackWithoutDescriptionOrDate)
{
    TMemorySettingsStore Store;
    Sample().SaveDefaults(Store);
    EXPECT_FALSE(Store.ValueExists("File Properties", "Description"));

    TDocumentProperties P;
    P.LoadDefaults(Store, "Owner", "Org");
    EXPECT_EQ(P.ProjectName, Sample().ProjectName);
    EXPECT_EQ(P.ProjectNumber, Sample().ProjectNumber);
    EXPECT_EQ(P.Author, Sample().Author);
    EXPECT_EQ(P.Company, Sample().Company);
    EXPECT_TRUE(P.Description.empty());
}

TEST(DocumentPropertiesTexts, ProjectNameAndTitle)
{
    TDocumentProperties P = Sample();
    EXPECT_EQ(P.GetProjectName(), "Harbour Offices");
    P.ProjectName.clear();
    EXPECT_EQ(P.GetProjectName(), "Project");
    P.ProjectName = "A";
    P.ProjectNumber = "7";
    P.Description = "main";
    EXPECT_EQ(P.GetTitleText(), "A (7) main");
}

TEST(DocumentPropertiesXml, LinesOfTheElement)
{
    const std::string Xml = XmlOf(Sample());
    EXPECT_EQ(Xml, " <properties>\r\n"
                   "  <projectname>Harbour Offices</projectname>\r\n"
                   "  <projectnumber>HV-2024/17</projectnumber>\r\n"
                   "  <description>Level 2 supply%13%10Revision B%13%10see notes</description>\r\n"
                   "  <author>J. Ng</author>\r\n"
                   "  <company>Smith &amp; Sons &lt;Ducting&gt;</company>\r\n"
                   "  <date>06 12 2024</date>\r\n"
                   " </properties>\r\n");
}

TEST(DocumentPropertiesXml, RoundTripThroughTheParser)
{
    TDocumentProperties Back;
    ReadXmlText(Back, XmlOf(Sample()));
    EXPECT_EQ(Back, Sample());

    // The time of day is not part of the element.
    TDocumentProperties Late = Sample();
    Late.Date = SixDecember2024 + 0.75;
    TDocumentProperties FromLate;
    ReadXmlText(FromLate, XmlOf(Late));
    EXPECT_EQ(FromLate.Date, SixDecember2024);
}

TEST(DocumentPropertiesXml, MissingElementOrValueKeepsCurrent)
{
    TDocumentProperties P = Sample();
    ReadXmlText(P, "<settings/>");
    EXPECT_EQ(P, Sample());

    ReadXmlText(P, "<properties><author>Other</author><date>01 02 2003</date></properties>");
    TDocumentProperties Expected = Sample();
    Expected.Author = "Other";
    Expected.Date = 37653.0; // 1 February 2003
    EXPECT_EQ(P, Expected);
}
