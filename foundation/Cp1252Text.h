#pragma once
// Windows-1252 text, the 8-bit encoding of older data files, to and from the
// program's UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

// Appends Code as UTF-8.
void AppendUtf8(std::string& Out, std::uint32_t Code);

// Every byte as its Windows-1252 character; the five unassigned bytes keep
// their C1 code points, as the system's own conversion does.
std::string Cp1252ToUtf8(std::string_view Bytes);

// UTF-8 text as Windows-1252 bytes into Out; false (Out unspecified) when the
// text is not well-formed UTF-8 or holds a character Windows-1252 lacks.
bool Utf8ToCp1252(std::string_view Utf8, std::string& Out);

// True when Text is well-formed UTF-8 (no overlong forms, surrogates or code
// points beyond U+10FFFF).
bool IsWellFormedUtf8(std::string_view Text);
