#pragma once
// The diagnostic page: a complete listing of the network as an XHTML page in
// UTF-8 (branches with their fittings, airflow differences, fittings, nodes,
// meshes and basic branches), framed with the document's title and a picture
// of the drawing. Every line ends in CR LF. Names, captions and codes are
// escaped, so whatever a user typed reads as text.

#include <ostream>
#include <string>

class TDuctGraph;
class TDocumentProperties;

// The six tables. The branches re-collect their fittings on the way.
void WriteDiagnosticHtml(TDuctGraph& Network, std::ostream& Out);

struct TDiagnosticPicture {
    int Width = 0;  // pixels of the picture as written
    int Height = 0;
};

// The whole page around the tables: heading, status warning, tables, the
// picture line with its size, the file name and the closing notice.
void WriteDiagnosticPage(TDuctGraph& Network, const TDocumentProperties& Properties,
                         const std::string& FileName, TDiagnosticPicture Picture,
                         std::ostream& Out);

// The size of the picture for a drawing extent (the rectangle round the
// nodes with its margin): 800 pixels wide, the extent's ratio kept; an
// extent narrower than 400 pixels is widened by 400 first. The height is
// held to MaxDiagnosticPictureHeight (the width shrinks with it).
inline constexpr int DiagnosticPictureWidth = 800;
inline constexpr int MaxDiagnosticPictureHeight = 8000;
struct TDiagnosticExtent {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// The extent actually drawn (widened when narrow) and the picture's size.
TDiagnosticExtent DiagnosticDrawnExtent(TDiagnosticExtent Extent);
TDiagnosticPicture DiagnosticPictureSize(TDiagnosticExtent Extent);

// Text as HTML element text or attribute value: & < > " escaped.
std::string HtmlText(const std::string& Utf8);
