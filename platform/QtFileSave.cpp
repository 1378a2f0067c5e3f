#include "platform/QtFileSave.h"

#include "foundation/AtomicSave.h"
#include "platform/QtText.h"

#include <QFile>

#include <string_view>

bool SaveBytesAtomically(const QString& FileName, const QByteArray& Bytes, QString* Error)
{
    try {
        SaveFileAtomically(QFile::encodeName(FileName).toStdString(),
                           std::string_view(Bytes.constData(), static_cast<std::size_t>(Bytes.size())));
    } catch (const EFileSaveError& Failure) {
        if (Error)
            *Error = ToQ(Failure.what());
        return false;
    }
    return true;
}
