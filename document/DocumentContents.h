#pragma once
// A document read from a file (a ".vtx" document, the undo file or an XML
// export): its network, properties and settings, held apart from the open
// document until all of it was read. A failed read therefore leaves the open
// document exactly as it was; a successful one is swapped in by AdoptDocument.

#include "document/DocumentProperties.h"
#include "graph/GraphDataVersion.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <memory>
#include <string>
#include <vector>

struct TDocumentContents {
    std::unique_ptr<TDuctGraph> Network;
    // The settings the document brought; Network computes with them (they
    // live on the heap so that moving the contents keeps that link).
    std::unique_ptr<TSettings> Settings;
    TDocumentProperties Properties;
    TGraphDataVersion Version = gdvNewest;
};

// What an open, save, export or import tells the user.
struct TDocumentOutcome {
    bool Ok = false;
    // The messages to show, in order ("File not found: ...", "Error loading
    // ..."); empty after a success.
    std::vector<std::string> Messages;
    // Why it failed, in the words of the part that failed; for a detail line.
    std::string Reason;
};

struct TDocumentRead : TDocumentOutcome {
    TDocumentContents Contents; // complete when Ok, empty otherwise
};

// The outcome of a read that failed with this one message.
TDocumentRead FailedRead(std::string Message, std::string Reason);
// The outcome of a read that gave Contents.
TDocumentRead SuccessfulRead(TDocumentContents&& Contents);

// Makes Read (the contents of a successful read) the open document: the network replaces Document, the
// properties and settings take the places of Properties and Settings, and
// the network computes with Settings from then on. Nothing here can fail, so
// the open document is never left half replaced.
void AdoptDocument(TDocumentContents&& Read, std::unique_ptr<TDuctGraph>& Document,
                   TDocumentProperties& Properties, TSettings& Settings) noexcept;
