#pragma once
// Import of a network from an XML export: the file is parsed into a DOM
// (pugixml) and rebuilt into a new network, properties and settings; the
// open document is not touched until AdoptDocument.

#include "document/DocumentContents.h"

#include <string>
#include <string_view>

// Reads the XML file FileName. A missing file gives "File not found:
// <name>"; any other failure "Error loading <name>. <reason>", the version
// check's reason being "Can only read versions later than 1.0.0.1.". The
// properties start from Current (a missing value keeps it), the settings
// from the factory values.
TDocumentRead ImportXmlFile(const std::string& FileName, const TDocumentProperties& Current);

// As ImportXmlFile, from the text of a file; Name stands in the messages.
TDocumentRead ImportNetworkXmlText(std::string_view Text, const std::string& Name,
                                   const TDocumentProperties& Current);
