#include "document/DocumentProperties.h"

#include "foundation/DayCount.h"
#include "foundation/DelimitedText.h"
#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "foundation/ValueStream.h"
#include "foundation/XmlHelpers.h"
#include "foundation/XmlText.h"

#include <chrono>
#include <cmath>
#include <ostream>

namespace {

// The calendar a document date may name: 1 January 0001 to 31 December 9999.
constexpr double FirstDate = -693593.0;
constexpr double EndDate = 2958466.0;

bool IsCalendarDate(double Date)
{
    return std::isfinite(Date) && Date >= FirstDate && Date < EndDate;
}

// "dd mm yyyy"; the whole days count, the time of day does not.
std::string DateText(double Date)
{
    const std::chrono::year_month_day Day = CivilDate(static_cast<long>(std::trunc(Date)));
    return FormatInt("%02d", static_cast<unsigned>(Day.day())) + ' ' +
           FormatInt("%02d", static_cast<unsigned>(Day.month())) + ' ' +
           FormatInt("%04d", static_cast<int>(Day.year()));
}

void WriteElement(std::ostream& File, std::string_view Indent, const char* Name,
                  const std::string& Text)
{
    File << Indent << '<' << Name << '>' << XmlEscapedText(Text) << "</" << Name << ">\r\n";
}

} // namespace

void TDocumentProperties::Clear(const TSettingsStore& Store, const std::string& Owner,
                                const std::string& Organization)
{
    LoadDefaults(Store, Owner, Organization);
    Description.clear();
    Date = TodayAsDate();
}

void TDocumentProperties::LoadDefaults(const TSettingsStore& Store, const std::string& Owner,
                                       const std::string& Organization)
{
    const std::string Section(StoreSection);
    ProjectName = Store.ReadString(Section, "Name", std::string());
    ProjectNumber = Store.ReadString(Section, "Number", std::string());
    Author = Store.ReadString(Section, "Author", Owner);
    Company = Store.ReadString(Section, "Company", Organization);
}

void TDocumentProperties::SaveDefaults(TSettingsStore& Store) const
{
    const std::string Section(StoreSection);
    Store.WriteString(Section, "Name", ProjectName);
    Store.WriteString(Section, "Number", ProjectNumber);
    Store.WriteString(Section, "Author", Author);
    Store.WriteString(Section, "Company", Company);
}

void TDocumentProperties::WriteToWriter(TValueWriter& Writer) const
{
    Writer.WriteString(ProjectName);
    Writer.WriteString(ProjectNumber);
    Writer.WriteString(Description);
    Writer.WriteString(Author);
    Writer.WriteString(Company);
    Writer.WriteDate(Date);
}

void TDocumentProperties::ReadFromReader(TValueReader& Reader)
{
    TDocumentProperties Read;
    try {
        Read.ProjectName = Reader.ReadString();
        Read.ProjectNumber = Reader.ReadString();
        Read.Description = Reader.ReadString();
        Read.Author = Reader.ReadString();
        Read.Company = Reader.ReadString();
        Read.Date = Reader.ReadDate();
    } catch (const EStreamError& Error) {
        throw EStreamError(std::string("Damaged document properties block: ") + Error.what());
    }
    if (!IsCalendarDate(Read.Date))
        Read.Date = TodayAsDate();
    *this = std::move(Read);
}

std::string TDocumentProperties::GetProjectName() const
{
    return ProjectName.empty() ? std::string("Project") : ProjectName;
}

std::string TDocumentProperties::GetTitleText() const
{
    return ProjectName + " (" + ProjectNumber + ") " + Description;
}

void TDocumentProperties::WriteXml(std::ostream& File, std::string_view Indent) const
{
    File << Indent << "<properties>\r\n";
    WriteElement(File, Indent, "projectname", ProjectName);
    WriteElement(File, Indent, "projectnumber", ProjectNumber);
    WriteElement(File, Indent, "description", EncodeLineBreaks(Description));
    WriteElement(File, Indent, "author", Author);
    WriteElement(File, Indent, "company", Company);
    WriteElement(File, Indent, "date", IsCalendarDate(Date) ? DateText(Date) : DateText(TodayAsDate()));
    File << Indent << "</properties>\r\n";
}

void TDocumentProperties::ReadXml(const pugi::xml_node& Parent)
{
    const pugi::xml_node Element = FindChildNode(Parent, "properties", false);
    if (!Element)
        return;
    TDocumentProperties Read = *this;
    Read.ProjectName = GetChildNodeText(Element, "projectname", Read.ProjectName);
    Read.ProjectNumber = GetChildNodeText(Element, "projectnumber", Read.ProjectNumber);
    if (const pugi::xml_node Node = FindChildNode(Element, "description", false))
        Read.Description = DecodeLineBreaks(GetNodeText(Node));
    Read.Author = GetChildNodeText(Element, "author", Read.Author);
    Read.Company = GetChildNodeText(Element, "company", Read.Company);
    if (const pugi::xml_node Node = FindChildNode(Element, "date", false))
        Read.Date = StrToDateLoose(GetNodeText(Node), " ");
    *this = std::move(Read);
}
