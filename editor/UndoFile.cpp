#include "editor/UndoFile.h"

#include "platform/QtText.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

TUndoFile::TUndoFile() : Dir(std::make_unique<QTemporaryDir>(QDir::tempPath() + "/ventrix-undo-XXXXXX")) {}

TUndoFile::~TUndoFile() = default;

bool TUndoFile::IsValid() const { return Dir->isValid(); }

std::string TUndoFile::Folder() const { return IsValid() ? Dir->path().toStdString() : std::string(); }

std::string TUndoFile::FileName() const
{
    return IsValid() ? Dir->filePath(QString::fromUtf8(UndoFileName.data(), UndoFileName.size())).toStdString()
                     : std::string();
}

bool TUndoFile::Exists() const { return IsValid() && QFileInfo(ToQ(FileName())).isFile(); }

TDocumentOutcome TUndoFile::Save(const TDuctGraph& Network, const TDocumentProperties& Properties,
                                 const TSettings& Settings) const
{
    if (!IsValid()) {
        TDocumentOutcome Failed;
        Failed.Reason = Dir->errorString().toStdString();
        Failed.Messages.push_back("Error writing file " + std::string(UndoFileName) + ". " + Failed.Reason);
        return Failed;
    }
    return WriteNetworkFile(FileName(), Network, Properties, Settings);
}

TDocumentOutcome TUndoFile::Restore(std::unique_ptr<TDuctGraph>& Document, TDocumentProperties& Properties,
                                    TSettings& Settings, const TDocumentDefaults& Defaults) const
{
    TDocumentRead Read = ReadNetworkFile(FileName(), Defaults);
    if (Read.Ok)
        AdoptDocument(std::move(Read.Contents), Document, Properties, Settings);
    TDocumentOutcome Outcome;
    Outcome.Ok = Read.Ok;
    Outcome.Messages = std::move(Read.Messages);
    Outcome.Reason = std::move(Read.Reason);
    return Outcome;
}
