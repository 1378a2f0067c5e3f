#pragma once
// The one-level undo of deletions: before a deletion the whole document is
// written to "_UndoDelete.dct" (the document format), and Undo Delete reads
// it back as the open document. The file lives in a private folder of this
// running program, so two programs running at once never share it; the
// folder and the file go when their owner (the main window) does.

#include "document/DocumentFile.h"

#include <memory>
#include <string>

class QTemporaryDir;

class TUndoFile {
public:
    TUndoFile();
    ~TUndoFile();
    TUndoFile(const TUndoFile&) = delete;
    TUndoFile& operator=(const TUndoFile&) = delete;

    // The private folder could be made (else nothing is ever written).
    bool IsValid() const;
    std::string Folder() const;
    std::string FileName() const;
    bool Exists() const;

    // Writes the document; Ok is false (with the messages) when it could not.
    TDocumentOutcome Save(const TDuctGraph& Network, const TDocumentProperties& Properties,
                          const TSettings& Settings) const;
    // Reads the undo file and, when it was read whole, makes it the open
    // document; a failed read leaves the open document as it was.
    TDocumentOutcome Restore(std::unique_ptr<TDuctGraph>& Document, TDocumentProperties& Properties,
                             TSettings& Settings, const TDocumentDefaults& Defaults) const;

private:
    std::unique_ptr<QTemporaryDir> Dir;
};
