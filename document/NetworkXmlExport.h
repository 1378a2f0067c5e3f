#pragma once
// Export of a network to XML: plain text lines, declared ISO-8859-1, with the
// head (title, kind, generator, air state, version, properties, settings)
// and the body (nodes, branches, main fan, fittings). The main window opens
// the file afterwards.

#include "document/DocumentContents.h"

#include <iosfwd>
#include <string>

// The version the export writes and the import needs more than "1.0.0.1" of.
inline constexpr const char* NetworkXmlVersion = "1.0.0.2";

// Writes the whole file to File; Title is the document's file name (empty
// for an unnamed network). Raises EGraphError when the network has no main
// fan (the file would have no fan to name).
void WriteNetworkXml(std::ostream& File, const TDuctGraph& Network, const TDocumentProperties& Properties,
                     const TSettings& Settings, const std::string& Title);

// Writes the file FileName as SaveFileAtomically does, so a failure leaves
// any previous file as it was and gives "Error writing to XML. <why>"
// (Reason: why).
TDocumentOutcome ExportXmlFile(const std::string& FileName, const TDuctGraph& Network,
                               const TDocumentProperties& Properties, const TSettings& Settings,
                               const std::string& Title);
