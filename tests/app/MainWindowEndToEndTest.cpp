// The program as a user drives it, headless: a new network, solved,
// saved, reopened, exported and imported, printed to PDF, and its
// diagnostic page read back by an HTML parser.

#include "MainFormTestSupport.h"

#include "editor/FlowGraphFrame.h"
#include "editor/GraphCanvas.h"
#include "tests/support/PdfReadBack.h"

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QToolButton>
#include <QRegularExpression>

#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <cmath>
#include <map>
#include <ostream>

using namespace apptest;

namespace {

struct TBranchFacts {
    std::string Name;
    double Diameter, Width, Height, Flow, DesignFlow;
    // Equal to the XML file's precision (millimetres, litres per second).
    bool operator==(const TBranchFacts& O) const
    {
        const auto Near = [](double A, double B) { return std::abs(A - B) <= 0.0005 + 1e-12; };
        return Name == O.Name && Near(Diameter, O.Diameter) && Near(Width, O.Width) && Near(Height, O.Height) &&
               Near(Flow, O.Flow) && Near(DesignFlow, O.DesignFlow);
    }
};

void PrintTo(const TBranchFacts& F, std::ostream* Out)
{
    *Out << F.Name << " D " << F.Diameter << " W " << F.Width << " H " << F.Height << " Q " << F.Flow << " Qd "
         << F.DesignFlow;
}

std::map<int, TBranchFacts> Facts(const TDuctGraph& G, bool WithFlows)
{
    std::map<int, TBranchFacts> Out;
    for (const auto& Item : G.Branches()) {
        if (Item->Id() < 0)
            continue;
        const auto& B = static_cast<const TDuctBranch&>(*Item);
        Out[B.Id()] = {B.Name, B.Diameter, B.DuctWidth, B.DuctHeight, WithFlows ? B.VolumeFlow : 0.0,
                       B.DesignFlow};
    }
    return Out;
}

// An HTML page as libxml2's HTML parser reads it, with its complaints.
struct THtmlPage {
    htmlDocPtr Doc = nullptr;
    QStringList Errors;

    explicit THtmlPage(const QByteArray& Text)
    {
        xmlSetStructuredErrorFunc(this, [](void* Self, xmlErrorPtr E) {
            static_cast<THtmlPage*>(Self)->Errors << QString::fromUtf8(E->message).trimmed();
        });
        Doc = htmlReadMemory(Text.constData(), static_cast<int>(Text.size()), "diagnostic.htm", "UTF-8",
                             HTML_PARSE_NONET);
        xmlSetStructuredErrorFunc(nullptr, nullptr);
    }
    ~THtmlPage() { xmlFreeDoc(Doc); }

    // The nodes of an XPath expression, from Context (the document when
    // null).
    std::vector<xmlNodePtr> Nodes(const char* Path, xmlNodePtr Context = nullptr) const
    {
        std::vector<xmlNodePtr> Found;
        xmlXPathContextPtr X = xmlXPathNewContext(Doc);
        if (Context)
            X->node = Context;
        if (xmlXPathObjectPtr R = xmlXPathEvalExpression(BAD_CAST Path, X)) {
            if (R->nodesetval)
                for (int I = 0; I < R->nodesetval->nodeNr; ++I)
                    Found.push_back(R->nodesetval->nodeTab[I]);
            xmlXPathFreeObject(R);
        }
        xmlXPathFreeContext(X);
        return Found;
    }

    static QString Text(xmlNodePtr Node)
    {
        xmlChar* T = xmlNodeGetContent(Node);
        const QString S = QString::fromUtf8(reinterpret_cast<const char*>(T));
        xmlFree(T);
        return S;
    }
};

} // namespace

TEST(MainWindowEndToEnd, DrawSolveSaveReopenExchangePrintAndDiagnose)
{
    TProgram P;
    TMainForm& M = P.Main();

    // ---- a network drawn with the mouse: the new document's network
    // banded and deleted, then a fan, a duct from it, two diffusers on
    // spiral ducts and a return grille into the fan.
    M.ActionNew->trigger();
    QWidget* Canvas = M.FlowGraphFrame1->Image1;
    const auto Drag = [&](QPoint From, QPoint To, Qt::KeyboardModifiers Keys = Qt::NoModifier) {
        QTest::mousePress(Canvas, Qt::LeftButton, Keys, From);
        for (int Step = 1; Step <= 4; ++Step)
            QTest::mouseMove(Canvas, From + (To - From) * Step / 4);
        QTest::mouseRelease(Canvas, Qt::LeftButton, Keys, To);
    };
    Drag({2, 2}, {880, 880});
    M.ActionDelete->trigger();
    ASSERT_EQ(P.Network().BranchCount(), 0);
    M.FlowGraphFrame1->MainFanBtn->click();
    Drag({200, 200}, {200, 200});
    ASSERT_NE(P.Network().MainFan, nullptr);
    const QPoint FanIn(P.Network().MainFan->FromNode->X, P.Network().MainFan->FromNode->Y);
    const QPoint FanOut(P.Network().MainFan->ToNode->X, P.Network().MainFan->ToNode->Y);
    Drag(FanOut, FanOut + QPoint(150, 0), Qt::ControlModifier);
    Drag(FanOut + QPoint(150, 0), FanOut + QPoint(250, -80), Qt::AltModifier);
    Drag(FanOut + QPoint(150, 0), FanOut + QPoint(250, 80), Qt::AltModifier);
    Drag(FanIn, FanIn - QPoint(120, 0), Qt::ShiftModifier | Qt::AltModifier);
    ASSERT_EQ(P.Network().BranchCount(), 5);
    int Outlets = 0;
    for (const auto& N : P.Network().Nodes())
        Outlets += static_cast<const TFlowNode&>(*N).NodeType == ntOutlet ? 1 : 0;
    EXPECT_EQ(Outlets, 2);

    // ---- balance, then size by equal friction (F9).
    M.ActionCalcFlow->trigger();
    QTest::keyClick(&M, Qt::Key_F9);
    EXPECT_EQ(P.Panel(0), "Equal Friction");
    const QString Loss = QString::asprintf("%0.0f Pa", -P.Network().MainFan->TotalDrop);
    EXPECT_TRUE(P.Panel(1) == "Solved (" + Loss + ")" || P.Panel(1) == "Within tolerance (" + Loss + ")")
        << P.Panel(1).toStdString();
    EXPECT_EQ(P.Panel(2), "Not Saved");
    const auto Solved = Facts(P.Network(), true);
    const TSolveStatus Status = P.Network().Status;

    // ---- save (Ctrl+S asks for a name), new, reopen from the recent files.
    const QString Name = P.Path("plant room.vtx");
    P.Services.ChosenFile = Name;
    QTest::keyClick(&M, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(P.Panel(2), "Saved");
    EXPECT_EQ(M.FileName(), Name);
    M.ActionNew->trigger();
    EXPECT_TRUE(M.FileName().isEmpty());
    EXPECT_EQ(P.Panel(1), "Not solved (0 Pa)");
    EXPECT_EQ(P.Network().BranchCount(), 5);
    ASSERT_FALSE(M.RecentFilesMenu->actions().isEmpty());
    EXPECT_EQ(M.RecentFilesMenu->actions().first()->text(), Name);
    M.RecentFilesMenu->actions().first()->trigger();
    EXPECT_EQ(M.FileName(), Name);
    EXPECT_EQ(Facts(P.Network(), true), Solved);
    EXPECT_EQ(P.Network().Method, smEqualFriction);
    EXPECT_EQ(P.Network().Status, Status);
    EXPECT_EQ(P.Panel(0), "Equal Friction");
    EXPECT_EQ(P.Panel(1).left(P.Panel(1).indexOf(" (")), QString(SolveStatusText(Status)));
    EXPECT_EQ(P.Panel(2), "Saved");

    // ---- export and import: same ids, names and sizes; the ".vtx" name.
    const QString Xml = P.Path("plant room.xml");
    P.Services.ChosenFile = Xml;
    M.ActionExportXML->trigger();
    EXPECT_EQ(P.Services.Opened, QStringList{Xml});
    P.Services.ChosenFile = Xml;
    M.ActionImportXML->trigger();
    auto Imported = Facts(P.Network(), false);
    auto Expected = Solved;
    for (auto& [Id, F] : Expected)
        F.Flow = 0.0;
    EXPECT_EQ(Imported, Expected);
    EXPECT_EQ(M.FileName(), Name);
    EXPECT_TRUE(P.Panel(1).startsWith("Not solved ("));
    EXPECT_EQ(P.Panel(2), "Not Saved");

    // ---- sized again and printed to a PDF file from the preview.
    QTest::keyClick(&M, Qt::Key_F9);
    const QString Pdf = P.Path("report.pdf");
    PrintReportToPdf(P, Pdf);
    const QString Report = PdfLayoutText(Pdf);
    EXPECT_TRUE(Report.contains("Ventrix Report"));
    EXPECT_TRUE(Report.contains("Fan Volume Flow = "));
    EXPECT_TRUE(Report.contains("Fan Total Pressure = "));
    const QRegularExpression Header("Caption\\s+Q,\\s*m³/s\\s+Qd,\\s*m³/s\\s+V\\(a\\),\\s*m/s\\s+dP,\\s*Pa\\s+L,\\s*m");
    EXPECT_TRUE(Report.contains(Header)) << Report.toStdString();
    EXPECT_TRUE(Report.contains("Duct pressure loss = " + QString::asprintf("%0.0f Pa", -P.Network().MainFan->TotalDrop)));

    // ---- the diagnostic page (Ctrl+D) of the balanced network with a
    // fitting, a terminal without design flow and a name that is markup.
    TDuctGraph& G = P.Network();
    auto Elbow = std::make_unique<TFitting>("Elbow", "CD3-1");
    Elbow->Links.push_back({G.Branches()[1]->Id(), nullptr});
    Elbow->Roles.push_back("c");
    G.Fittings.push_back(std::move(Elbow));
    G.Branches()[0]->Name = "<b>&\"";
    static_cast<TDuctBranch&>(*G.Branches()[4]).DesignFlow = 0.0;
    M.MarkChanged();
    M.ActionCalcFlow->trigger();
    QTest::keyClick(&M, Qt::Key_D, Qt::ControlModifier);
    const QString Folder = P.Dir.path() + "/data/";
    ASSERT_EQ(P.Services.Opened.last(), Folder + "diagnostic.htm");
    QFile PageFile(Folder + "diagnostic.htm");
    ASSERT_TRUE(PageFile.open(QIODevice::ReadOnly));
    const THtmlPage Page(PageFile.readAll());
    ASSERT_NE(Page.Doc, nullptr);
    // The one complaint is the airflow paragraph's own "&nbsp This".
    EXPECT_EQ(Page.Errors, QStringList{"htmlParseEntityRef: expecting ';'"});
    const auto Tables = Page.Nodes("//table");
    EXPECT_EQ(Tables.size(), 6u);
    const int Cells[] = {4, 5, 6, 6, 4, 4};
    for (std::size_t T = 0; T < Tables.size() && T < 6; ++T) {
        SCOPED_TRACE(T);
        const auto Rows = Page.Nodes("./tr", Tables[T]);
        EXPECT_GE(Rows.size(), 2u);
        for (xmlNodePtr Row : Rows)
            EXPECT_EQ(Page.Nodes("./th|./td", Row).size(), static_cast<std::size_t>(Cells[T]));
    }
    EXPECT_TRUE(Page.Nodes("//b").empty());
    bool NameShown = false;
    for (xmlNodePtr Cell : Page.Nodes("//td"))
        NameShown = NameShown || Page.Text(Cell).contains("<b>&\"");
    EXPECT_TRUE(NameShown);
    const auto Images = Page.Nodes("//img[@src='drawnet.gif']");
    ASSERT_EQ(Images.size(), 1u);
    xmlChar* Height = xmlGetProp(Images[0], BAD_CAST "height");
    const int PictureHeight = QString::fromUtf8(reinterpret_cast<const char*>(Height)).toInt();
    xmlFree(Height);
    EXPECT_EQ(QImageReader(Folder + "drawnet.gif").size(), QSize(800, PictureHeight));

    EXPECT_TRUE(P.Services.Messages.isEmpty()) << P.Services.Messages.join(" | ").toStdString();
}
