#pragma once
// The project properties every document carries: project name and number,
// description, author, company and a date. They are printed in report
// headers and stored in the document (a value-stream block) and the XML
// export (the "properties" element). Name, number, author and company of a
// new document come from the user's saved defaults, author and company
// falling back to the registered owner and organisation of the machine.

#include <iosfwd>
#include <string>
#include <string_view>

namespace pugi {
class xml_node;
}
class TValueReader;
class TValueWriter;
class TSettingsStore;

class TDocumentProperties {
public:
    // Section of the store holding the defaults for new documents.
    static constexpr std::string_view StoreSection = "File Properties";

    std::string ProjectName;
    std::string ProjectNumber;
    std::string Description; // may hold several lines
    std::string Author;
    std::string Company;
    double Date = 0.0; // days since 30 December 1899, the time as the fraction

    // A new document: name, number, author and company from the saved
    // defaults, no description, today's date.
    void Clear(const TSettingsStore& Store, const std::string& Owner,
               const std::string& Organization);

    // The four defaults of the store; author and company fall back to the
    // registered Owner and Organization when never saved.
    void LoadDefaults(const TSettingsStore& Store, const std::string& Owner,
                      const std::string& Organization);
    void SaveDefaults(TSettingsStore& Store) const;

    // Five strings (name, number, description, author, company) and the
    // date. A damaged block raises EStreamError and leaves the properties
    // unchanged; a date that no calendar holds becomes today.
    void WriteToWriter(TValueWriter& Writer) const;
    void ReadFromReader(TValueReader& Reader);

    // The project name, or "Project" when it is empty.
    std::string GetProjectName() const;
    // Name, number in brackets and description: "%s (%s) %s".
    std::string GetTitleText() const;

    // The "properties" element: one text line per value, each prefixed with
    // Indent (the values one blank deeper) and ended by CR LF; line breaks of
    // the description are encoded, the date written "dd mm yyyy".
    void WriteXml(std::ostream& File, std::string_view Indent) const;
    // Reads the "properties" child of Parent (the XML head); a missing
    // element or value keeps the current one.
    void ReadXml(const pugi::xml_node& Parent);

    bool operator==(const TDocumentProperties&) const = default;
};
