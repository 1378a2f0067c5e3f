#pragma once
// Text written into the XML files the program exports. Those files declare
// ISO-8859-1, while every string in memory is UTF-8: the text must be
// re-encoded, and the characters that XML reserves must be escaped so that a
// name such as "Smith & Sons <Ducting>" or "Zone 2 °C" reads back unchanged.

#include <string>
#include <string_view>

// Utf8 as element text or attribute value of an ISO-8859-1 file: "&", "<",
// ">" and '"' as entities; characters up to U+00FF as their single byte;
// characters beyond as numeric references ("&#8364;"). Control characters
// that XML 1.0 does not allow (all below U+0020 except tab, LF and CR) are
// left out, and a byte that starts no well-formed UTF-8 sequence is written
// as U+FFFD's reference.
std::string XmlEscapedText(std::string_view Utf8);

// Value in the printf-style Format ("%0.3f") as an exported file writes it:
// a value that is not a finite number is written as 0, as the document file
// writes it, so that every number of the file reads back.
std::string XmlNumberText(std::string_view Format, double Value);
