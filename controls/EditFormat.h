#pragma once
// How an edit or a grid field turns its format text into shown text: the
// kind of a format, the format a number takes by the format type, the range
// check of a typed value, and a small "%s" formatter (numbers go through the
// foundation's formatter; no format ever reaches printf).

#include <QString>

// How the shown format of a number is chosen.
enum TFormatType : int {
    ft_Auto = 0,         // decimals for SigDigs significant digits
    ft_Fixed = 1,        // the format as it stands
    ft_AutoOverride = 2, // the format for large values, ft_Auto below 10^(2 - decimals)
    ft_Manual = 3,       // as ft_Fixed, and a units change keeps the format
};

// What a format text edits, tested in this order: "s"/"S" text, "/" a pair
// of numbers, "d"/"D" an integer, "f"/"F" fixed-point, anything else general.
enum class TFormatKind { Text, Pair, Integer, Fixed, General };
TFormatKind FormatKindOf(const QString& Fmt);

// Fmt with its first "%s" (or "%S", with optional "-", width and precision)
// replaced by Text and every "%%" by "%". Anything else stays as written.
QString FormatText(const QString& Fmt, const QString& Text);

// The format a display value X of a fixed-point or general format takes:
// ft_Auto: AutoFloatFormat(SigDigs, 12, X); ft_Fixed and ft_Manual: Fmt;
// ft_AutoOverride: Fmt when X >= 10^(2 - Decimals), else the automatic one.
QString DisplayFormat(const QString& Fmt, TFormatType Type, int SigDigs, int Decimals, double X);

// A display value as text: an integer format rounds to the nearest integer,
// the text kind formats the number's text, others use DisplayFormat.
QString FormatDisplayNumber(const QString& Fmt, TFormatType Type, int SigDigs, int Decimals,
                            double X);

// Range check of a display value against Lo..Hi (display units). No range
// when both are 0 or they lie within 1e-5. A value past a limit passes when
// within 0.5 % of a non-zero limit; otherwise X becomes the limit and the
// check fails.
bool CheckRange(double& X, double Lo, double Hi);

// The number of a text as typed (after CleanNumberText); false when even the
// cleaned text is no number (".", "-.", "1e").
bool ReadTypedNumber(const QString& Text, double& Value);
