#include "platform/IniText.h"

namespace {

char HexDigit(unsigned Value)
{
    return "0123456789ABCDEF"[Value & 0xF];
}

bool IsHexDigit(char16_t Char)
{
    return (Char >= '0' && Char <= '9') || (Char >= 'a' && Char <= 'f') || (Char >= 'A' && Char <= 'F');
}

// A key or section name: letters, digits, "_", "-" and "." as they are, "/"
// (a nested key) as "\", everything else as %XX or %UXXXX.
void AppendKey(const QString& Key, QByteArray& Out)
{
    for (const QChar Char : Key) {
        const char16_t Code = Char.unicode();
        if (Code == '/') {
            Out += '\\';
        } else if ((Code >= 'a' && Code <= 'z') || (Code >= 'A' && Code <= 'Z') || (Code >= '0' && Code <= '9') ||
                   Code == '_' || Code == '-' || Code == '.') {
            Out += static_cast<char>(Code);
        } else if (Code <= 0xFF) {
            Out += '%';
            Out += HexDigit(Code >> 4);
            Out += HexDigit(Code);
        } else {
            Out += "%U";
            for (int Shift = 12; Shift >= 0; Shift -= 4)
                Out += HexDigit(Code >> Shift);
        }
    }
}

// A value: backslash escapes for quotes, backslashes and control characters,
// UTF-8 for the rest, quoted when it holds a separator or a blank at an end.
// A text starting with "@" would read as a typed value: the "@" is doubled.
void AppendValue(const QString& Value, QByteArray& Out)
{
    const qsizetype Start = Out.size();
    if (Value.startsWith(QLatin1Char('@')))
        Out += '@';
    bool NeedsQuotes = false;
    // A hexadecimal escape reads on through any hex digit after it.
    bool EscapeHexDigit = false;
    qsizetype Run = 0; // start of the characters not yet appended
    const auto Flush = [&](qsizetype End) {
        Out += Value.mid(Run, End - Run).toUtf8();
        Run = End + 1;
    };
    for (qsizetype I = 0; I < Value.size(); ++I) {
        const char16_t Code = Value[I].unicode();
        if (Code == ';' || Code == ',' || Code == '=')
            NeedsQuotes = true;
        const char* Escape = nullptr;
        switch (Code) {
        case '\a': Escape = "\\a"; break;
        case '\b': Escape = "\\b"; break;
        case '\f': Escape = "\\f"; break;
        case '\n': Escape = "\\n"; break;
        case '\r': Escape = "\\r"; break;
        case '\t': Escape = "\\t"; break;
        case '\v': Escape = "\\v"; break;
        case '"': Escape = "\\\""; break;
        case '\\': Escape = "\\\\"; break;
        default: break;
        }
        const bool Hex = Code <= 0x1F || (EscapeHexDigit && IsHexDigit(Code));
        if (!Escape && !Hex) {
            EscapeHexDigit = false;
            continue;
        }
        Flush(I);
        if (Escape) {
            Out += Escape;
            EscapeHexDigit = false;
        } else {
            Out += "\\x";
            Out += QByteArray::number(static_cast<int>(Code), 16);
            EscapeHexDigit = true;
        }
    }
    Flush(Value.size());
    if (NeedsQuotes || (Start < Out.size() && (Out.at(Start) == ' ' || Out.back() == ' '))) {
        Out.insert(Start, '"');
        Out += '"';
    }
}

} // namespace

QByteArray IniText(const QMap<QString, QString>& Values)
{
    // Section by section; the keys without one form [General], first.
    QMap<QString, QMap<QString, QString>> Sections;
    for (auto It = Values.cbegin(); It != Values.cend(); ++It) {
        const qsizetype Slash = It.key().indexOf(QLatin1Char('/'));
        if (Slash < 0)
            Sections[QString()][It.key()] = It.value();
        else
            Sections[It.key().left(Slash)][It.key().mid(Slash + 1)] = It.value();
    }
    QByteArray Out;
    for (auto Section = Sections.cbegin(); Section != Sections.cend(); ++Section) {
        if (!Out.isEmpty())
            Out += '\n';
        QByteArray Name;
        AppendKey(Section.key(), Name);
        if (Name.isEmpty())
            Name = "General";
        else if (Name.compare("general", Qt::CaseInsensitive) == 0)
            Name.prepend('%'); // a section of that name, not the loose keys
        Out += '[' + Name + "]\n";
        for (auto Key = Section->cbegin(); Key != Section->cend(); ++Key) {
            AppendKey(Key.key(), Out);
            Out += '=';
            AppendValue(Key.value(), Out);
            Out += '\n';
        }
    }
    return Out;
}
