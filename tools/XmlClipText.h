#pragma once
// Pieces of the XML texts the tool windows copy to the clipboard: names and
// texts taken from the grid must never break the document.

#include <QString>

// Text for element content or a double-quoted attribute: "&", "<", ">" and
// '"' as entities; control characters XML cannot hold are left out.
QString XmlEscaped(const QString& Text);

// A valid element name made from Text: blanks and other characters a name
// cannot hold become "_", and a name that would start with a digit, "-" or
// "." gets a leading "_". An empty text gives "_".
QString XmlElementName(const QString& Text);

// Line end of the copied texts.
inline constexpr const char* XmlLineEnd = "\r\n";
