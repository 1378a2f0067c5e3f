#pragma once
// Number texts as the user types and sees them: how many decimals a value
// needs, the decimals of a format, and cleaning typed text before conversion.
// All conversions go through NumberFormat, so "." is the decimal separator.

#include <string>
#include <string_view>

// Decimals that show Value with about SigDigs significant digits, at most
// MaxDec. Values with one integer digit count the digits up to the first
// non-zero decimal instead (0.00123 -> 5, 7.25 -> 3). The sign is no digit.
int DecimalsNeeded(int SigDigs, int MaxDec, double Value);

// "%0.Nf" with N = DecimalsNeeded(SigDigs, MaxDec, Value).
std::string AutoFloatFormat(int SigDigs, int MaxDec, double Value);

// The precision after the first "." of a format ("%0.3f" -> 3, "%0.12f" -> 12);
// 0 when no digit follows the point.
int FormatDecimals(std::string_view Fmt);

// S without blanks (spaces and tabs).
std::string StripSpaces(std::string_view S);

// Tidies a number typed by the user so that the strict parser can read it:
// blanks go, a stray sign, point or exponent letter is dropped, an empty text
// becomes "0". A pair "w/h" is cleaned on both sides of its first "/".
std::string CleanNumberText(std::string_view S);

// "a/b" -> A := a, B := b, true; "a" -> A := a, B unchanged, false.
// Raises EConvertError when a part is not a number.
bool SplitSlashPair(std::string_view S, double& A, double& B);

// S with every Old character replaced by New.
std::string ReplaceChar(std::string_view S, char Old, char New);

// A and B formatted and joined with "/". A format that is itself a pair
// ("%0.1f/%0.2f") gives each side its own half; otherwise both use Fmt.
std::string FormatValuePair(std::string_view Fmt, double A, double B);
