#include "tools/XmlClipText.h"

namespace {

bool IsAsciiLetter(QChar C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

// Letters of Latin-1 and beyond, as XML names take them (the symbols and
// punctuation below U+00C0, the multiplication and division signs excluded).
bool IsNameLetter(QChar C)
{
    if (IsAsciiLetter(C))
        return true;
    const char16_t U = C.unicode();
    return U >= 0xC0 && U != 0xD7 && U != 0xF7 && C.isLetter();
}

bool IsNameChar(QChar C)
{
    return IsNameLetter(C) || (C >= '0' && C <= '9') || C == '_' || C == '-' || C == '.' ||
           (C.unicode() >= 0x300 && C.isMark());
}

} // namespace

QString XmlEscaped(const QString& Text)
{
    QString Out;
    Out.reserve(Text.size());
    for (const QChar C : Text) {
        switch (C.unicode()) {
        case '&': Out += "&amp;"; break;
        case '<': Out += "&lt;"; break;
        case '>': Out += "&gt;"; break;
        case '"': Out += "&quot;"; break;
        default:
            // XML has no place for other control characters.
            if (C.unicode() >= 0x20 || C == '\t' || C == '\n' || C == '\r')
                Out += C;
            break;
        }
    }
    return Out;
}

QString XmlElementName(const QString& Text)
{
    QString Name;
    Name.reserve(Text.size() + 1);
    for (const QChar C : Text)
        Name += IsNameChar(C) ? C : QChar('_');
    if (Name.isEmpty() || !(IsNameLetter(Name[0]) || Name[0] == '_'))
        Name.prepend('_');
    return Name;
}
