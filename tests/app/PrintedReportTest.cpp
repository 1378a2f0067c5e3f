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
#include <QFile>
#include <QFileInfo>
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
    // The branch name is wider than its column: it wraps there.
    EXPECT_TRUE(Text.contains(QRegularExpression("Damped\\s+Volume damper\\s+25 Pa.*\\n\\s*duct\\s*\\n")))
        << Text.toStdString();
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

// The printer is kept while the program runs: a second print to the file an
// earlier one wrote (another network's report) shows the print dialog first
// and replaces nothing unless a target is chosen there.
TEST(PrintedReport, ASecondPrintToTheSameFileShowsThePrintDialogFirst)
{
    const struct {
        const char* Name;
        bool Chosen;   // the dialog is accepted with another file
        bool Same;     // accepted with the same file
    } Cases[] = {{"cancelled", false, false}, {"another file chosen", true, false}, {"the same file again", false, true}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TProgram P;
        QPrinter& Printer = ReportPrinter();
        Printer.setOutputFormat(QPrinter::PdfFormat);
        Printer.setPageSize(QPageSize(QPageSize::A4));
        const QString First = P.Path("office.pdf");
        const QString Other = P.Path("other.pdf");
        Printer.setOutputFileName(First);
        P.Main().ActionSizeEqualFriction->trigger(); // a report needs a solved network
        PrintReportFromPreview(P);
        ASSERT_TRUE(QFileInfo::exists(First));
        EXPECT_EQ(P.Services.PrintDialogs, 0) << "the file was set: no dialog";
        QFile::remove(First);
        ASSERT_TRUE(QFile(First).open(QIODevice::WriteOnly)); // stands for the first report

        P.Main().ActionNew->trigger(); // another network
        P.Main().ActionSizeEqualFriction->trigger();
        P.Services.OnPrintSetup = [&](QPrinter& Chosen) {
            if (C.Chosen)
                Chosen.setOutputFileName(Other);
            return C.Chosen || C.Same;
        };
        PrintReportFromPreview(P);
        EXPECT_EQ(P.Services.PrintDialogs, 1);
        EXPECT_EQ(QFileInfo(First).size() == 0, !C.Same) << "the first report replaced only when chosen again";
        EXPECT_EQ(QFileInfo::exists(Other), C.Chosen);
        Printer.setOutputFileName(QString());
    }
}

// No cell of the printed fittings table prints over its neighbour: a long
// description and a long list of ducts wrap within their columns, every word
// whole. Checked on the words' positions read back from the PDF.
TEST(PrintedReport, FittingsTableCellsStayWithinTheirColumns)
{
    TProgram P;
    TDuctGraph& G = P.Network();
    const QString Description = "Elbow, round, smooth radius, 90 degrees, r/D = 1.5 beside the plant room riser";
    const auto AddFitting = [&G](const QString& Caption, const std::vector<int>& Ids) {
        auto F = std::make_unique<TFitting>(Caption.toStdString(), "CD3-1");
        for (int Id : Ids) {
            F->Links.push_back({Id, nullptr});
            F->Roles.push_back("c");
        }
        G.Fittings.push_back(std::move(F));
    };
    std::vector<int> All;
    for (const auto& B : G.Branches())
        All.push_back(B->Id());
    AddFitting(Description, {All[1]});
    AddFitting("Straight-through run", All);
    P.Main().MarkChanged();
    P.Main().ActionSizeEqualFriction->trigger();
    ASSERT_LT(G.Status, ssNotSolved);
    const QString Pdf = P.Path("fittings.pdf");
    PrintReportToPdf(P, Pdf);

    std::vector<TPdfWord> Words;
    const TPdfWord* Header = nullptr;
    for (int Page = 1; Page <= PdfInfo(Pdf, "Pages").toInt() && !Header; ++Page) {
        Words = PdfWords(Pdf, Page);
        for (const TPdfWord& W : Words)
            if (W.Text == "Ducting" && !Header)
                Header = &W;
    }
    ASSERT_NE(Header, nullptr) << PdfLayoutText(Pdf).toStdString();
    // The column starts: the header words on the header's line.
    std::vector<double> Starts;
    for (const char* Caption : {"Description", "Ducting", "C", "Warnings"})
        for (const TPdfWord& W : Words)
            if (W.Text == Caption && std::abs(W.Box.top() - Header->Box.top()) < 1.0)
                Starts.push_back(W.Box.left());
    ASSERT_GE(Starts.size(), 3u);
    // The table: the lines below its header, down to the next heading (a
    // word's box may reach into the line above).
    const double Below = Header->Box.center().y();
    double Bottom = 1e9;
    for (const TPdfWord& W : Words)
        if (W.Text == "Fixed" && W.Box.top() > Below)
            Bottom = std::min(Bottom, W.Box.center().y());
    QStringList Table;
    for (const TPdfWord& W : Words) {
        if (W.Box.top() <= Below || W.Box.center().y() >= Bottom)
            continue;
        Table << W.Text;
        // A word left of a column ends clear of it (a point at least).
        for (const double X : Starts)
            EXPECT_FALSE(W.Box.left() < X - 0.5 && W.Box.right() > X - 1.0)
                << W.Text.toStdString() << " runs into the column at " << X;
    }
    for (const QString& Word : Description.split(' '))
        EXPECT_TRUE(Table.contains(Word)) << Word.toStdString() << " in " << Table.join(' ').toStdString();
}
