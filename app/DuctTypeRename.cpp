#include "app/DuctTypeRename.h"

#include "network/FlowEnums.h"

QString NameForDuctType(const QString& Name, int OldType, int NewType)
{
    const QString OldWord = QString::fromUtf8(DuctTypeWord(OldType));
    const QString NewWord = QString::fromUtf8(DuctTypeWord(NewType));
    if (OldType == NewType || OldWord.isEmpty() || NewWord.isEmpty() ||
        !Name.contains(OldWord, Qt::CaseInsensitive))
        return Name;
    return QString(Name).replace(OldWord, NewWord, Qt::CaseInsensitive);
}
