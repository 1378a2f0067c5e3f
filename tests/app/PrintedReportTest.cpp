// The body of the printed report read back from the PDF file: the fittings
// table with its Warnings column, the fixed pressure drops, the two Include
// switches of "Report Settings" and the drawing tiled across pages.

#include "MainFormTestSupport.h"

#include "editor/FlowGraphFrame.h"
#include "network/FixedFitting.h"
#include "reports/RepSettingsForm.h"
#include "tests/support/PdfReadBack.h"

#include <QAction>
#include <QCheckBox>
#include <QRegularExpression>

#include <map>

using namespace apptest;

namespace {

// The pages (from 1) that show a picture, with their picture count.
std::map<int, int> PicturesByPage(const QString& Pdf)
{
    std::map<int, int> Pages;
    const QStringList Lines = PdfToolOutput("pdfimages", {"-list", Pdf}).split('\n');
    for (const QString& Line : Lines.mid(2)) { // two heading lines
        bool Number = false;
        const int Page = Line.simplified().section(' ', 0, 0).toInt(&Number);
        if (Number)
            ++Pages[Page];
    }
    return Pages;
}

} // namespace

TEST(PrintedReport, FittingsFixedDropsIncludeSwitchesAndTiledDrawing)
{
    TProgram P;
    TMainForm& M = P.Main();
    TDuctGraph& G = P.Network();
    ASSERT_GE(G.BranchCount(), 3);
    auto* Elbowed = static_cast<TDuctBranch*>(G.Branches()[1].get());
    auto* Damped = static_cast<TDuctBranch*>(G.Branches()[3].get());
    Damped->Name = "Damped duct";
    Damped->FixedDps.push_back(std::make_unique<TFixeddP>("Volume damper", 25.0));
    const auto AddFitting = [&G](const char* Caption, int BranchId) {
        auto F = std::make_unique<TFitting>(Caption, "CD3-1");
        F->Links.push_back({BranchId, nullptr});
        F->Roles.push_back("c");
        G.Fittings.push_back(std::move(F));
    };
    AddFitting("Elbow", Elbowed->Id());
    AddFitting("Lost elbow", 9999); // its duct is gone: "Not connected"
    // A drawing far wider than the paper: printed in tiles.
    M.FlowGraphFrame1->SetDrawingSize(2600, 900);
    G.Nodes().back()->X = 2500;
    M.FlowGraphFrame1->RedrawGraph();
    M.MarkChanged();
    M.ActionSizeEqualFriction->trigger();
    ASSERT_LT(G.Status, ssNotSolved) << "the report needs a solved network";

    const QString Full = P.Path("full.pdf");
    PrintReportToPdf(P, Full);
    const QString Text = PdfLayoutText(Full);
    EXPECT_TRUE(Text.contains(QRegularExpression("Code\\s+Description\\s+Ducting\\s+C Values\\s+Warnings")))
        << Text.toStdString();
    EXPECT_TRUE(Text.contains(QRegularExpression("CD3-1\\s+Lost elbow.*Not connected"))) << Text.toStdString();
    EXPECT_TRUE(Text.contains("Fixed pressure drops"));
    EXPECT_TRUE(Text.contains(QRegularExpression("Damped duct\\s+Volume damper\\s+25")));
    // Tiles on pages of their own, the arrows naming the neighbours.
    const std::map<int, int> Pictures = PicturesByPage(Full);
    int Tiles = 0;
    for (const auto& [Page, Count] : Pictures)
        Tiles += Page > 1 ? Count : 0;
    EXPECT_GE(Tiles, 2) << "the drawing in tiles";
    EXPECT_TRUE(Text.contains("------->"));
    EXPECT_TRUE(Text.contains("<-------"));

    // Both Include switches off: neither the fittings nor the drawing.
    ASSERT_NE(M.RepSettingsForm, nullptr);
    M.RepSettingsForm->CBFittings->setChecked(false);
    M.RepSettingsForm->CBGraphic->setChecked(false);
    const QString Bare = P.Path("bare.pdf");
    PrintReportToPdf(P, Bare);
    const QString BareText = PdfLayoutText(Bare);
    EXPECT_TRUE(BareText.contains("Ventrix Report"));
    for (const char* Gone : {"Warnings", "Lost elbow", "Fixed pressure drops", "Volume damper", "------->"})
        EXPECT_FALSE(BareText.contains(Gone)) << Gone;
    EXPECT_EQ(PdfInfo(Bare, "Pages"), "1");
    const std::map<int, int> BarePictures = PicturesByPage(Bare);
    EXPECT_LE(BarePictures.size(), 1u) << "the logo at most";
    EXPECT_EQ(BarePictures.count(2), 0u);

    // No fitting with a warning: no Warnings column.
    M.RepSettingsForm->CBFittings->setChecked(true);
    G.Fittings.pop_back();
    G.Fittings.front()->Warning = false; // the elbow's coefficient in its range
    const QString Connected = P.Path("connected.pdf");
    PrintReportToPdf(P, Connected);
    const QString ConnectedText = PdfLayoutText(Connected);
    EXPECT_TRUE(ConnectedText.contains(QRegularExpression("Code\\s+Description\\s+Ducting\\s+C Values")));
    EXPECT_FALSE(ConnectedText.contains("Warnings")) << ConnectedText.toStdString();
}
