#pragma once
// Locale-independent number text: "." is always the decimal separator.
// Every place where a number becomes text or text becomes a number uses these.

#include <stdexcept>
#include <string>
#include <string_view>

// Raised when a text is not a number of the requested type.
class EConvertError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Formats one value with a printf-style format holding one conversion,
// such as "%0.3f", "%0.6g", "%.2e", "%d" or "%5.1f" (literal text around the
// conversion is kept). A floating conversion given an integer and "%d" given a
// float both work. An unusable format falls back to "%g".
std::string FormatFloat(std::string_view Fmt, double Value);
std::string FormatInt(std::string_view Fmt, long long Value);

// Shortest text that reads back to the same double ("0.1", "1E-5", "250").
std::string FloatToStr(double Value);
std::string IntToStr(long long Value);

// Strict parsers: optional blanks around, an optional sign, digits with at most
// one ".", an optional exponent "E"/"e" with optional sign and digits. No "inf",
// "nan", hex or thousands separators; the result must be finite.
bool TryStrToFloat(std::string_view Text, double& Value);
bool TryStrToInt(std::string_view Text, int& Value);
// As above; raise EConvertError ("'x' is not a valid floating point value" /
// "'x' is not a valid integer value") on failure.
double StrToFloat(std::string_view Text);
int StrToInt(std::string_view Text);
