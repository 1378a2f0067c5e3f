#pragma once
// Fields of delimited one-line texts, loose dates and line breaks kept on one
// line (as in XML values).

#include <string>
#include <string_view>
#include <vector>

// Trimmed at both ends: every character up to and including the blank goes,
// control characters as well.
std::string_view TrimText(std::string_view S);

// Takes N fields off the front of Rest. Before each field Rest is trimmed;
// Field is the text before the first Delim and Rest what follows it. The last
// field has no Delim after it. Afterwards Field holds field N (empty when
// there are fewer fields) and Rest what follows it.
void SplitAtDelimiter(int N, std::string_view Delim, std::string& Rest, std::string& Field);

// The fields of S between delimiters, each search made on the remaining text
// trimmed at both ends. A trailing delimiter adds no empty field.
std::vector<std::string> SplitToArray(std::string_view S, std::string_view Delim);

// Day, month and year separated by Delim ("24.12.2023" with "."), as a date:
// days since 30 December 1899. A missing, unreadable or impossible day or
// month gives today; a missing year means this year.
double StrToDateLoose(std::string_view S, std::string_view Delim);

// Today's local date in the same count of days, without the time.
double TodayAsDate();

// Every line break (CR LF, or a lone CR or LF) becomes the text "%13%10";
// DecodeLineBreaks turns "%13%10" back into LineBreak.
std::string EncodeLineBreaks(std::string_view S);
std::string DecodeLineBreaks(std::string_view S, std::string_view LineBreak = "\r\n");
