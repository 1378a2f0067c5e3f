#pragma once
// The document file (".vtx") and the undo file: one value stream holding the
// version header "GraphDataFile_v2.04", the document properties, the network
// and the design settings. Every older version from "GraphDataFile_v1.00" on
// is read. The main window only calls these and shows the messages they give.

#include "document/DocumentContents.h"

#include <string>
#include <string_view>

// The undo file the editor writes before a block deletion, in the program's
// folder.
inline constexpr std::string_view UndoFileName = "_UndoDelete.dct";

// What a document that lacks a block takes instead.
struct TDocumentDefaults {
    // Documents before "GraphDataFile_v2.02" hold no settings: they take the
    // ones the settings dialog keeps in the settings store.
    TSettings Settings;
    // "GraphDataFile_v1.00" documents hold no properties: they take those of
    // a new document.
    TDocumentProperties Properties;
};

// The bytes of a document in the newest version.
std::string NetworkFileBytes(const TDuctGraph& Network, const TDocumentProperties& Properties,
                             const TSettings& Settings);

// Writes the document to FileName as SaveFileAtomically does (a link's
// target written, permissions kept, a read-only file or one that is not a
// regular file refused): a failure leaves any previous file byte for byte
// and gives the message "Error writing file <name>. <why>" (Reason: why).
TDocumentOutcome WriteNetworkFile(const std::string& FileName, const TDuctGraph& Network,
                                  const TDocumentProperties& Properties, const TSettings& Settings);

// Reads a document into new objects; the open document is not touched. A
// missing file gives "File not found: <name>" and "Error loading <name>";
// an unreadable or damaged one "Error loading <name>" (Reason says what was
// wrong). The network computes with the settings read (or the defaults, for
// documents without settings) from the start.
TDocumentRead ReadNetworkFile(const std::string& FileName, const TDocumentDefaults& Defaults);

// As ReadNetworkFile, from bytes in memory; Name stands in the messages.
TDocumentRead ReadNetworkBytes(std::string Bytes, const std::string& Name,
                               const TDocumentDefaults& Defaults);
