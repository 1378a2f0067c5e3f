#pragma once
// Small file and path helpers. Paths are UTF-8; the folder delimiter is "/".

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Every line of a text file (LF or CR LF endings, a UTF-8 byte-order mark
// dropped); empty when the file does not exist or cannot be read.
std::vector<std::string> ReadTextFileLines(const std::string& FileName);

// The file name without folder and extension: "/a/b/plan.vtx" -> "plan".
// Both "/" and "\" count as folder delimiters, since documents written on
// other systems may carry such paths.
std::string ExtractFileBaseName(std::string_view Path);

// Path with the platform's folder delimiter "/" appended unless it already
// ends in one; an empty path stays empty.
std::string IncludeTrailingPathDelimiter(std::string_view Path);

// Measures a text in pixels, as the menu or caption that shows it would.
using TTextWidthFunc = std::function<int(std::string_view)>;

// Fits Path into MaxWidth pixels: the file name stays whole and the folder is
// cut to its first characters followed by "~"; when even that does not fit,
// the file name alone. Characters are counted in UTF-8 code points.
std::string ShortenPath(std::string_view Path, int MaxWidth, const TTextWidthFunc& TextWidth);

// A file time as a local date-time (days since 30 December 1899, the time of
// day as the fraction); -1.0 when it cannot be converted.
double FileTimeToDateTime(std::filesystem::file_time_type FileTime);

// All command-line parameters from the first on, joined with single blanks
// and expanded to a full path; empty when there are none.
std::string GetParamFileName(int Argc, const char* const Argv[]);

