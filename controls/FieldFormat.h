#pragma once
// How a number format reads and how a display value is formatted by it.
// A format's kind decides how a field or edit parses, shows and filters its
// text; the format type decides whether the format is taken as it stands or
// replaced by an automatic one that fits the value.

#include <string>
#include <string_view>

// Stored as these numbers in settings and form data.
enum TFormatType : int { ft_Auto = 0, ft_Fixed = 1, ft_AutoOverride = 2, ft_Manual = 3 };

enum class TFormatKind { Text, Pair, Integer, Fixed, General };

// Tested in this order: "s"/"S" text, "/" pair, "d"/"D" integer, "f"/"F"
// fixed point, anything else ("%0.5g") general.
TFormatKind FormatKindOf(std::string_view Fmt);

// A display value as text: ft_Auto takes the automatic format of SigDigs
// significant digits; ft_Fixed and ft_Manual take Fmt; ft_AutoOverride takes
// Fmt for values of at least 10^(2 - decimals of Fmt), else the automatic one.
std::string FormatDisplayNumber(double X, std::string_view Fmt, TFormatType Type, int SigDigs);

// Text through a "%s" or "%S" format: the first such conversion is replaced by
// Text and "%%" becomes "%"; a format without one gives Text unchanged.
std::string FormatTextValue(std::string_view Fmt, std::string_view Text);

// A pair format for a single-value format: "%0.1f" -> "%0.1f/%0.1f".
std::string PairFormatOf(std::string_view Fmt);
