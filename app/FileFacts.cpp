#include "app/FileFacts.h"

#include "foundation/NumberFormat.h"
#include "platform/QtText.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStringList>

namespace {

QString DateText(const QDateTime& Time)
{
    return Time.isValid() ? Time.toString("d MMMM yyyy, HH:mm:ss") : QString("-");
}

// A type the desktop does not know is named after the extension.
QString TypeName(const QFileInfo& Info)
{
    const QMimeType Mime = QMimeDatabase().mimeTypeForFile(Info);
    if (Mime.isValid() && !Mime.isDefault() && !Mime.comment().isEmpty())
        return Mime.comment();
    const QString Extension = Info.suffix().toUpper();
    return Extension.isEmpty() ? QString("File") : Extension + " File";
}

} // namespace

QString FileSizeText(qint64 Bytes)
{
    return ToQ(FormatFloat("%0.2f", static_cast<double>(Bytes) / 1024.0)) +
           " KB (" + QString::number(Bytes) + " bytes)";
}

TFileFacts ReadFileFacts(const QString& FileName)
{
    TFileFacts Facts;
    if (FileName.isEmpty())
        return Facts;
    const QFileInfo Info(FileName);
    Facts.Name = Info.absoluteFilePath();
    Facts.Type = TypeName(Info);
    if (!Info.exists()) {
        Facts.Size = Facts.Created = Facts.Modified = Facts.Accessed = "-";
        return Facts;
    }
    Facts.Size = FileSizeText(Info.size());
    Facts.Created = DateText(Info.birthTime());
    Facts.Modified = DateText(Info.lastModified());
    Facts.Accessed = DateText(Info.lastRead());
    // The owner's write permission, not access(): the attribute is the
    // file's own, whoever runs the program.
    QStringList Attributes;
    if (!Info.permission(QFileDevice::WriteOwner))
        Attributes << "read-only";
    if (Info.isHidden())
        Attributes << "hidden";
    Facts.Attributes = Attributes.join(", ");
    return Facts;
}
