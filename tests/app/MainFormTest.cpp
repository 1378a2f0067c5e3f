#include "MainFormTestSupport.h"

#include "app/FanForm.h"
#include "app/FittingsForm.h"
#include "app/TableForm.h"
#include "controls/EntryGrid.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/PressureDropForm.h"
#include "editor/FlowGraphFrame.h"
#include "platform/MapiControl.h"
#include "reports/PreviewForm.h"
#include "tools/AltBaromForm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalSpy>

#include <algorithm>
#include <functional>
#include <limits>

using namespace apptest;

namespace {

std::vector<int> BranchIds(const TDuctGraph& G)
{
    std::vector<int> Ids;
    for (const auto& B : G.Branches())
        Ids.push_back(B->Id());
    return Ids;
}

// Lets events run until Done holds or the time is up.
template <class TDone>
bool WaitFor(TDone Done, int Milliseconds = 5000)
{
    for (int Waited = 0; !Done() && Waited < Milliseconds; Waited += 20)
        QTest::qWait(20);
    return Done();
}

QString ReadText(const QString& Name)
{
    QFile F(Name);
    return F.open(QIODevice::ReadOnly) ? QString::fromUtf8(F.readAll()) : QString();
}

} // namespace

TEST(MainForm, CommandLineNamesOneDocumentAndAMissingOneLeavesTheNewNetwork)
{
    {
        TProgram P;
        EXPECT_TRUE(P.Main().CommandLineFile().isEmpty());
        EXPECT_EQ(P.Network().BranchCount(), 5);
        EXPECT_TRUE(P.Services.Messages.isEmpty());
    }
    TProgram P({"ventrix", "a", "b.vtx"});
    const QString Expected = QDir::current().absoluteFilePath("a b.vtx");
    EXPECT_EQ(P.Main().CommandLineFile(), Expected);
    EXPECT_EQ(P.Services.Messages, QStringList({"File not found: " + Expected, "Error loading " + Expected}));
    EXPECT_EQ(P.Network().BranchCount(), 5);
    EXPECT_TRUE(P.Main().FileName().isEmpty());
}

TEST(MainForm, SaveGuardAtClose)
{
    struct TCase {
        const char* Name;
        int Answer;
        bool FolderGone;
        bool Closes;
    } Cases[] = {
        {"Cancel keeps the window and the changes", mrCancel, false, false},
        {"No drops the changes", mrNo, false, true},
        {"Yes saves, then closes", mrYes, false, true},
        {"Yes with a save that fails keeps the window", mrYes, true, false},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TProgram P;
        QDir().mkpath(P.Path("sub"));
        const QString Name = P.Path("sub/b.vtx");
        ASSERT_TRUE(P.Main().SaveFile(Name));
        P.Main().MarkChanged();
        if (C.FolderGone) {
            ASSERT_TRUE(QDir().rename(P.Path("sub"), P.Path("gone")));
        }
        P.Services.Answer = C.Answer;
        P.Main().close();
        ASSERT_FALSE(P.Services.Messages.isEmpty());
        EXPECT_EQ(P.Services.Messages.first(), "b.vtx not saved.\nSave now?");
        EXPECT_EQ(P.Main().isVisible(), !C.Closes);
        EXPECT_EQ(!P.Services.Messages.filter("Error writing file " + Name).isEmpty(), C.FolderGone);
        EXPECT_EQ(P.Main().Saved(), C.Answer == mrYes && !C.FolderGone);
        EXPECT_EQ(P.Main().FileName(), Name);
    }
}

TEST(MainForm, AnUnnamedNetworkIsAskedForOnlyOnceWorkedOn)
{
    for (const bool Edited : {false, true}) {
        SCOPED_TRACE(Edited ? "edited" : "as started");
        TProgram P;
        if (Edited)
            P.Main().ActionCalcFlow->trigger();
        P.Services.Answer = mrCancel;
        P.Main().close();
        EXPECT_EQ(P.Services.Messages, Edited ? QStringList{"Untitled not saved.\nSave now?"} : QStringList());
        EXPECT_EQ(P.Main().isVisible(), Edited);
    }
}

TEST(MainForm, CloseKeepsPlacementTableSwitchAndTheDocumentOnTopOfTheRecentFiles)
{
    TProgram P;
    const QString Name = P.Path("kept.vtx");
    ASSERT_TRUE(P.Main().SaveFile(Name));
    // The table shown, its mark gone as when it loses the focus.
    P.Main().ActionTable->setChecked(true);
    P.Main().ActionTable->trigger();
    ASSERT_FALSE(P.Main().ActionTable->isChecked());
    P.Main().ActionTable->trigger();
    P.Main().ActionTable->setChecked(false);
    P.Main().close();
    const TSettingsStore& S = P.Main().Store();
    EXPECT_EQ(S.ReadString("MRU", "0", ""), Name.toStdString());
    EXPECT_TRUE(S.ReadBool("Settings", "TableView", false));
    EXPECT_TRUE(S.ValueExists("MainForm", "Width"));
    EXPECT_TRUE(P.Services.Messages.isEmpty());
}

TEST(MainForm, UndoDeleteRestoresTheNetworkAndKeepsTheName)
{
    TProgram P;
    const QString Name = P.Path("net.vtx");
    ASSERT_TRUE(P.Main().SaveFile(Name));
    TGraphViewFrame& Frame = *P.Main().FlowGraphFrame1;
    // A band round the whole drawing, then Delete from the Edit menu.
    Frame.Image1MouseDown(TMouseButton::Left, ssLeft, 1, 1);
    Frame.Image1MouseMove(ssLeft, 890, 890);
    Frame.Image1MouseUp(TMouseButton::Left, 0, 890, 890);
    ASSERT_TRUE(P.Main().ActionDelete->isEnabled());
    P.Main().ActionDelete->trigger();
    EXPECT_EQ(P.Network().BranchCount(), 0);
    ASSERT_TRUE(P.Main().ActionUndoDelete->isEnabled());

    P.Main().ActionUndoDelete->trigger();
    EXPECT_EQ(P.Network().BranchCount(), 5);
    EXPECT_EQ(P.Main().FileName(), Name);
    EXPECT_EQ(P.Panel(2), "Not Saved");
    EXPECT_FALSE(P.Main().ActionUndoDelete->isEnabled());
    EXPECT_EQ(P.Main().RecentFiles().MRUFind(Name.toStdString()), -1);
}

TEST(MainForm, FailedOpenAndImportChangeNothing)
{
    TProgram P;
    const QString Name = P.Path("first.vtx");
    ASSERT_TRUE(P.Main().SaveFile(Name));
    P.Network().DuctBranch(1)->Name = "kept";
    P.Main().MarkChanged();
    QFile Damaged(P.Path("damaged.vtx"));
    ASSERT_TRUE(Damaged.open(QIODevice::WriteOnly));
    Damaged.write("GraphDataFile_v2.04 and then nonsense");
    Damaged.close();
    QFile Xml(P.Path("old.xml"));
    ASSERT_TRUE(Xml.open(QIODevice::WriteOnly));
    Xml.write("<network><head><version>1.0.0.1</version></head><body/></network>");
    Xml.close();

    P.Services.Answer = mrNo;
    P.Services.ChosenFile = P.Path("damaged.vtx");
    P.Main().ActionOpen->trigger();
    P.Services.ChosenFile = P.Path("old.xml");
    P.Main().ActionImportXML->trigger();
    EXPECT_EQ(P.Network().DuctBranch(1)->Name, "kept");
    EXPECT_EQ(P.Main().FileName(), Name);
    EXPECT_EQ(P.Panel(2), "Not Saved");
    EXPECT_TRUE(P.Services.Messages.filter("Error loading " + P.Path("damaged.vtx")).size() == 1);
    EXPECT_TRUE(P.Services.Messages.contains("Error loading " + P.Path("old.xml") +
                                             ". Can only read versions later than 1.0.0.1."));
}

// An import keeps the nodes where the export had them, however far beyond
// the new drawing's first size: it grows before the nodes snap to the grid.
TEST(MainForm, ImportKeepsNodesBeyondTheFirstDrawingSize)
{
    TProgram P;
    const TFlowNode& First = *P.Network().FlowNode(1);
    const QPoint Start(First.X, First.Y);
    P.Network().FlowNode(5)->X = 1300;
    P.Network().FlowNode(5)->Y = 1500;
    ASSERT_TRUE(P.Main().ExportXMLFile(P.Path("wide.xml")));
    ASSERT_TRUE(P.Main().ImportXMLFile(P.Path("wide.xml")));
    // The drawing may move to the origin as a whole; the nodes keep their
    // places to each other.
    const TFlowNode& Far = *P.Network().FlowNode(5);
    const TFlowNode& Near = *P.Network().FlowNode(1);
    EXPECT_EQ(QPoint(Far.X - Near.X, Far.Y - Near.Y), QPoint(1300, 1500) - Start);
    EXPECT_GE(P.Network().Width, Far.X + 40);
    EXPECT_GE(P.Network().Height, Far.Y + 40);
}

TEST(MainForm, SaveAfterAnImportAsksForANameWhenThatDocumentExists)
{
    TProgram P;
    const QString Existing = P.Path("plan.vtx");
    ASSERT_TRUE(P.Main().SaveFile(Existing));
    ASSERT_TRUE(P.Main().ExportXMLFile(P.Path("plan.xml")));
    const QByteArray Before = ReadText(Existing).toUtf8();
    ASSERT_TRUE(P.Main().ImportXMLFile(P.Path("plan.xml")));
    EXPECT_EQ(P.Main().FileName(), Existing);

    P.Services.ChosenFile = P.Path("copy.vtx");
    P.Main().ActionSave->trigger();
    EXPECT_EQ(P.Services.FileDialogs, 1);
    EXPECT_EQ(P.Main().FileName(), P.Path("copy.vtx"));
    EXPECT_EQ(ReadText(Existing).toUtf8(), Before);
    // Once saved under its own name, Save writes it without asking.
    P.Main().MarkChanged();
    P.Main().ActionSave->trigger();
    EXPECT_EQ(P.Services.FileDialogs, 1);
    EXPECT_TRUE(P.Main().Saved());
}

TEST(MainForm, SendEmailNeedsASavedDocument)
{
    TProgram P;
    const QString Log = P.Path("mail.log");
    const QString Stub = P.Path("mail.sh");
    QFile Script(Stub);
    ASSERT_TRUE(Script.open(QIODevice::WriteOnly));
    Script.write(("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + Log + "'\n").toUtf8());
    Script.close();
    Script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv(MailCommandVariable, Stub.toUtf8());

    const QString Name = P.Path("sent.vtx");
    ASSERT_TRUE(P.Main().SaveFile(Name));
    P.Main().MarkChanged();
    P.Main().ActionSend->trigger();
    EXPECT_EQ(P.Services.Messages, QStringList{"You must save the file first..."});
    EXPECT_FALSE(QFile::exists(Log));

    P.Main().ActionSave->trigger();
    P.Main().ActionSend->trigger();
    ASSERT_TRUE(WaitFor([&] { return ReadText(Log).endsWith(Name + "\n"); }));
    const QStringList Arguments = ReadText(Log).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(Arguments, QStringList({"--subject", "Duct Network", "--body", "Please find datafile attached...",
                                      "--attach", Name}));
    qunsetenv(MailCommandVariable);
}

TEST(MainForm, SolveCommandsShowMethodAndStatus)
{
    struct TCase {
        const char* Name;
        QAction* TMainForm::*Action;
        bool WithoutFan;
        QString Method;         // panel 0
        TSolveMethod Stored;    // the network's method afterwards
        QString StatusStart;    // panel 1 starts so
    } Cases[] = {
        {"Equal friction on F9", &TMainForm::ActionSizeEqualFriction, false, "Equal Friction", smEqualFriction,
         "Solved ("},
        {"Standard sizes keep their name after the balance", &TMainForm::ActionStandardSize, false,
         "Standard Sizes", smStandardSizes, ""},
        {"Sum Flows shows design flows and stores nothing", &TMainForm::ActionDistributeFlows, false,
         "Design Flows", smVelocity, "Not solved ("},
        {"Balancing without a main fan is a data error", &TMainForm::ActionCalcFlow, true, "Flow Balance",
         smFlowBalance, "Data error"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TProgram P;
        P.Network().Method = smVelocity;
        if (C.WithoutFan)
            P.Network().DeleteBranch(P.Network().MainFan);
        (P.Main().*C.Action)->trigger();
        EXPECT_EQ(P.Panel(0), C.Method);
        EXPECT_EQ(P.Network().Method, C.Stored);
        EXPECT_TRUE(P.Panel(1).startsWith(C.StatusStart)) << P.Panel(1).toStdString();
        EXPECT_EQ(P.Panel(2), "Not Saved");
        EXPECT_EQ(P.Services.Messages.isEmpty(), !C.WithoutFan);
    }
}

// The status panel shows its whole text, the figure's closing bracket too.
TEST(MainForm, TheStatusPanelFitsTheStatusItShows)
{
    TProgram P;
    P.Main().resize(1200, 650);
    const struct {
        const char* Name;
        TSolveStatus Status;
        bool LinksValid;
        double FanDrop; // Pa
    } Cases[] = {
        {"solved", ssSolved, true, -235.0},
        {"a large fan pressure", ssSolved, true, -12345.6},
        {"within tolerance with a fittings warning", ssWithinTolerance, false, -2345.0},
        {"back to a short one", ssNotSolved, true, 0.0},
    };
    for (const auto& C : Cases) {
        P.Network().Status = C.Status;
        P.Network().LinksValid = C.LinksValid;
        P.Network().MainFan->TotalDrop = C.FanDrop;
        P.Main().ShowSolvedStatus();
        QLabel* Status = P.Main().StatusPanels[1];
        EXPECT_TRUE(Status->text().endsWith(" Pa)")) << C.Name << ": " << Status->text().toStdString();
        EXPECT_GE(Status->width(), Status->sizeHint().width()) << C.Name << ": " << Status->text().toStdString();
    }
}

TEST(MainForm, FanLinesAndStatusFollowTheSolve)
{
    TProgram P;
    EXPECT_EQ(P.Panel(1), "Not solved (0 Pa)");
    QTest::keyClick(&P.Main(), Qt::Key_F9);
    const TDuctBranch& Fan = *P.Network().MainFan;
    const QString Loss = QString::asprintf("%0.0f Pa", -Fan.TotalDrop);
    EXPECT_EQ(P.Panel(1), "Solved (" + Loss + ")");
    P.Main().ActionFanPressure->trigger();
    const auto* Form = P.Main().findChild<QWidget*>("FanForm");
    ASSERT_NE(Form, nullptr);
    EXPECT_EQ(Form->findChild<QLabel*>("PtLabel")->text(), "Duct pressure loss = " + Loss);
    EXPECT_TRUE(Form->findChild<QLabel*>("FanQLabel")->text().startsWith("Fan Volume Flow = "));
    P.Main().MarkChanged();
    P.Main().UpdateFanLabels();
    EXPECT_EQ(Form->findChild<QLabel*>("PtLabel")->text(), "Duct pressure loss - Pa");
    EXPECT_EQ(Form->findChild<QLabel*>("FanQLabel")->text(), QString("Fan Volume Flow  - m³/s"));
}

TEST(MainForm, RenumberAfterASolveDropsTheSinkAndFollowsTheTable)
{
    TProgram P;
    P.Main().ActionCalcFlow->trigger();
    ASSERT_NE(P.Network().FindSinkNode(), nullptr);
    // The table in name order, last name first.
    P.Network().SortBranches(1, false);
    P.Main().RefreshResults();
    std::vector<const TBranch*> Rows;
    for (int Row = 1; Row <= P.Main().TableRowCount(); ++Row)
        Rows.push_back(P.Network().FindBranch(P.Main().TableBranchId(Row)));
    ASSERT_EQ(Rows.size(), 5u);
    ASSERT_NE(Rows.front()->Id(), 1);

    P.Services.Answer = mrYes;
    P.Main().ActionRenumber->trigger();
    EXPECT_EQ(P.Network().FindSinkNode(), nullptr);
    EXPECT_EQ(BranchIds(P.Network()), (std::vector<int>{1, 2, 3, 4, 5}));
    for (int Row = 1; Row <= 5; ++Row)
        EXPECT_EQ(Rows[static_cast<std::size_t>(Row - 1)]->Id(), Row);
    EXPECT_EQ(P.Panel(2), "Not Saved");
}

TEST(MainForm, PrintReportRefusesAnUnsolvedNetwork)
{
    TProgram P;
    P.Main().ActionPrintReport->trigger();
    EXPECT_EQ(P.Services.Messages, QStringList{"Duct network must be solved first.."});
}

TEST(MainForm, FramePasteEnablesTheMenuItemAndItsKey)
{
    TProgram P;
    TGraphViewFrame& Frame = *P.Main().FlowGraphFrame1;
    EXPECT_FALSE(P.Main().ActionPaste->isEnabled());
    Frame.EnableAction(Frame.gvfActionPaste, true);
    EXPECT_TRUE(P.Main().ActionPaste->isEnabled());
    EXPECT_EQ(P.Main().ActionPaste->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    QSignalSpy Pasted(Frame.gvfActionPaste, &QAction::triggered);
    QTest::keyClick(&P.Main(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pasted.count(), 1);
}

TEST(MainForm, DiagnosticPageAndPictureGoIntoTheUserDataFolder)
{
    TProgram P;
    // Nodes over 100..320 x 100..250.
    int I = 0;
    for (const auto& N : P.Network().Nodes()) {
        N->X = I == 0 ? 100 : I == 1 ? 320 : 100 + 40 * I;
        N->Y = I == 0 ? 100 : I == 1 ? 250 : 120 + 10 * I;
        ++I;
    }
    P.Main().FlowGraphFrame1->RedrawGraph();
    QTest::keyClick(&P.Main(), Qt::Key_D, Qt::ControlModifier);
    const QString Folder = P.Dir.path() + "/data/";
    EXPECT_EQ(P.Services.Opened, QStringList{Folder + "diagnostic.htm"});
    const QString Page = ReadText(Folder + "diagnostic.htm");
    EXPECT_TRUE(Page.contains("<p class=\"warn\">Warning: Not solved</p>"));
    EXPECT_TRUE(Page.contains("src=\"drawnet.gif\" alt=\"drawing\" width=\"800\" height=\"613\">"));
    QImageReader Gif(Folder + "drawnet.gif");
    EXPECT_EQ(Gif.size(), QSize(800, 613));
    for (const char* Companion : {"diagnostic.css", "diaglogo.png", "help/help.htm", "help/tutorial.htm"})
        EXPECT_TRUE(QFile::exists(Folder + Companion)) << Companion;
}

TEST(MainForm, DiagnosticWriteFailureIsShown)
{
    TProgram P;
    const QString Folder = P.Dir.path() + "/data/";
    QDir().mkpath(Folder + "diagnostic.htm"); // a folder where the page should go
    P.Main().ActionDiagnostic->trigger();
    ASSERT_EQ(P.Services.Messages.size(), 1);
    EXPECT_TRUE(P.Services.Messages.first().startsWith("Error writing file " + Folder + "diagnostic.htm\n"));
    EXPECT_TRUE(P.Services.Opened.isEmpty());
}

TEST(MainForm, BarometerChangesTheNetworkOnlyWhenAccepted)
{
    for (const int Result : {int(mrCancel), int(mrOk)}) {
        TProgram P;
        ASSERT_TRUE(P.Main().SaveFile(P.Path("air.vtx")));
        P.Services.OnModal = [&](QDialog& Dialog) {
            auto* Barometer = dynamic_cast<TAltBaromForm*>(&Dialog);
            EXPECT_NE(Barometer, nullptr);
            if (Barometer) {
                EXPECT_NEAR(Barometer->Pressure(), 101.325, 1e-9);
                Barometer->SetPressure(90.0);
            }
            return Result;
        };
        P.Main().ActionBarometer->trigger();
        EXPECT_NEAR(P.Network().GetBarometerKPa(), Result == mrOk ? 90.0 : 101.325, 1e-9);
        EXPECT_EQ(P.Main().Saved(), Result != mrOk);
    }
}

TEST(MainForm, DeletingABranchFreesItsFittingsAndNoBranchKeepsThem)
{
    TProgram P;
    TDuctGraph& G = P.Network();
    auto Fitting = [&](std::vector<int> Ids) {
        auto F = std::make_unique<TFitting>("Elbow", "CD3-1");
        for (int Id : Ids) {
            F->Links.push_back({Id, nullptr});
            F->Roles.push_back("c");
        }
        G.Fittings.push_back(std::move(F));
        return G.Fittings.back().get();
    };
    const int Gone = G.Branches()[0]->Id();
    const int Neighbour = G.Branches()[1]->Id();
    const int Other = G.Branches()[2]->Id();
    Fitting({Gone, Neighbour});
    TFitting* Kept = Fitting({Other});
    G.ResolveFittingLinks(false);
    ASSERT_EQ(G.FlowBranch(Neighbour)->LinkedFittings.size(), 1u);

    TGraphViewFrame& Frame = *P.Main().FlowGraphFrame1;
    Frame.SelectBranch(G.FindBranch(Gone));
    Frame.gvfDeleteBranchClick();
    EXPECT_EQ(G.FindBranch(Gone), nullptr);
    ASSERT_EQ(G.Fittings.size(), 1u);
    EXPECT_EQ(G.Fittings.front().get(), Kept);
    EXPECT_TRUE(G.FlowBranch(Neighbour)->LinkedFittings.empty());
    EXPECT_EQ(G.FlowBranch(Other)->LinkedFittings, std::vector<TFitting*>{Kept});
    EXPECT_EQ(P.Main().FindBranchRow(G.FindBranch(Neighbour)), 1);
    EXPECT_TRUE(P.Main().ActionUndoDelete->isEnabled());
}

// Whichever way the branch the branch window shows is deleted, the window
// lets it go and hides; the drawing then selects the branch that the table's
// current row and the main window's current branch name.
TEST(MainForm, DeletingTheBranchTheWindowShowsHidesItAndTheViewsAgree)
{
    enum class TWay { BranchPopup, NodePopup, Band, TableKey, Merge };
    const struct {
        const char* Name;
        TWay Way;
    } Cases[] = {{"the branch's pop-up", TWay::BranchPopup},
                 {"its node's pop-up", TWay::NodePopup},
                 {"a band and Delete", TWay::Band},
                 {"the table's Delete key", TWay::TableKey},
                 {"a node dropped on its other end", TWay::Merge}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TProgram P;
        P.Services.Answer = mrYes;
        TMainForm& M = P.Main();
        TFlowGraphFrame& Frame = *M.FlowGraphFrame1;
        // Branch 4, the supply duct from node 4 (220, 100) to node 5 (340, 100).
        auto* Duct = static_cast<TDuctBranch*>(P.Network().FindBranch(4));
        ASSERT_NE(Duct, nullptr);
        Frame.SelectBranch(Duct);
        Frame.gvfEditBranchClick();
        TDuctBranchForm& Window = *Frame.BranchForm();
        ASSERT_TRUE(Window.isVisible());
        ASSERT_EQ(Window.Branch(), Duct);
        const QPoint Handle((Duct->FromNode->X + Duct->ToNode->X) / 2, Duct->FromNode->Y);
        const QPoint To(Duct->ToNode->X, Duct->ToNode->Y);
        const QPoint From(Duct->FromNode->X, Duct->FromNode->Y);
        const auto Press = [&](TMouseButton Button, TShiftState Keys, QPoint At, QPoint Release) {
            Frame.Image1MouseDown(Button, Keys, At.x(), At.y());
            Frame.Image1MouseMove(Keys, Release.x(), Release.y());
            Frame.Image1MouseUp(Button, 0, Release.x(), Release.y());
        };
        switch (C.Way) {
        case TWay::BranchPopup:
            P.Services.MenuChoice = "&Delete";
            Press(TMouseButton::Right, ssRight, Handle, Handle);
            break;
        case TWay::NodePopup:
            P.Services.MenuChoice = "&Delete";
            Press(TMouseButton::Right, ssRight, To, To);
            break;
        case TWay::Band:
            Press(TMouseButton::Left, ssLeft, Handle - QPoint(20, 20), Handle + QPoint(20, 20));
            M.ActionDelete->trigger();
            break;
        case TWay::TableKey:
            M.BranchSelected(Duct);
            M.TableForm->DeleteKeyPress();
            break;
        case TWay::Merge:
            Press(TMouseButton::Left, ssLeft, To, From);
            break;
        }
        EXPECT_EQ(P.Network().FindBranch(4), nullptr);
        EXPECT_FALSE(Window.isVisible());
        EXPECT_NE(Window.Branch(), Duct);
        ASSERT_NE(M.CurrentBranch(), nullptr);
        EXPECT_EQ(Frame.SelectedBranch(), M.CurrentBranch());
        EXPECT_EQ(M.TableBranchId(M.CurrentTableRow()), M.CurrentBranch()->Id());
    }
}

TEST(MainForm, AFlowThePressureDropFormMeetsIsShownInTheBranchWindow)
{
    TProgram P;
    TMainForm& M = P.Main();
    auto* B = static_cast<TDuctBranch*>(P.Network().Branches()[1].get());
    M.FlowGraphFrame1->SelectBranch(B);
    M.FlowGraphFrame1->gvfEditBranchClick();
    TDuctBranchForm* Window = M.FlowGraphFrame1->BranchForm();
    ASSERT_NE(Window, nullptr);
    ASSERT_EQ(Window->Branch(), B);
    Window->OpenPressureDrop(B);
    ASSERT_NE(M.PressureDropForm, nullptr);
    ASSERT_EQ(M.PressureDropForm->Branch(), B);

    B->SetVolumeFlow(B->VolumeFlow + 0.123); // changed where the branch window did not see it
    M.PressureDropForm->Recalculate();      // as every change made in the form ends
    EXPECT_NEAR(Window->Grid->GetValue(1, TDuctBranchForm::RowVolumeFlow).toDouble(), B->VolumeFlow, 5e-4);
}

TEST(MainForm, ASolvedDocumentWithABackgroundOpensAndUndoesAsSolved)
{
    TProgram P;
    const QString Picture = P.Path("plan.png");
    QImage Plan(200, 100, QImage::Format_RGB32);
    Plan.fill(Qt::white);
    ASSERT_TRUE(Plan.save(Picture));
    P.Network().BackFileName = Picture.toStdString();
    P.Main().ActionSizeEqualFriction->trigger();
    const QString Name = P.Path("net.vtx");
    ASSERT_TRUE(P.Main().SaveFile(Name));
    auto ShowsSolved = [&](const char* Saved) {
        EXPECT_EQ(P.Panel(0), "Equal Friction");
        EXPECT_TRUE(P.Panel(1).startsWith("Solved (")) << P.Panel(1).toStdString();
        EXPECT_EQ(P.Panel(2), Saved);
    };

    ASSERT_TRUE(P.Main().LoadFile(Name));
    ASSERT_FALSE(P.Main().FlowGraphFrame1->BackPicture().isNull());
    ShowsSolved("Saved");

    TGraphViewFrame& Frame = *P.Main().FlowGraphFrame1;
    Frame.Image1MouseDown(TMouseButton::Left, ssLeft, 1, 1);
    Frame.Image1MouseMove(ssLeft, 890, 890);
    Frame.Image1MouseUp(TMouseButton::Left, 0, 890, 890);
    P.Main().ActionDelete->trigger();
    P.Main().ActionUndoDelete->trigger();
    ShowsSolved("Not Saved");
}

TEST(MainForm, ToolWindowsTakeTheirCornerKeepTheirPlaceAndTheirOwnTitles)
{
    {
        TProgram P;
        P.Main().ActionFanPressure->trigger();
        const QWidget* Drawing = P.Main().FlowGraphFrame1->ScrollBox1;
        const QRect Area(Drawing->mapToGlobal(QPoint(0, 0)), Drawing->size());
        const QWidget* Fan = P.Main().FanForm;
        EXPECT_GT(Fan->x(), Area.center().x()); // the upper right corner
        EXPECT_LT(Fan->y(), Area.center().y());
        P.Main().ActionFittings->trigger();
        QWidget* Fittings = P.Main().FittingsForm;
        Fittings->setGeometry(131, 147, 333, 222);
        P.Main().close();
        const TSettingsStore& S = P.Main().Store();
        EXPECT_EQ(S.ReadInteger("FittingsForm", "Left", -1), Fittings->x());
        EXPECT_EQ(S.ReadInteger("FittingsForm", "Width", -1), 333);
    }
}

TEST(ProgramMain, TheProgramIsNamedWithoutADisplayNameForTheTitles)
{
    const QString Name = QCoreApplication::applicationName();
    const QString Organization = QCoreApplication::organizationName();
    SetProgramIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), "Ventrix");
    EXPECT_EQ(QCoreApplication::organizationName(), "Brellamonte");
    // Qt can only be asked whether a display name was set through the name
    // it gives when none was: the application's name, whatever it is now.
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe")
        << "a display name was set: the desktop would append it to every window's title";
    QCoreApplication::setApplicationName(Name);
    QCoreApplication::setOrganizationName(Organization);
}

TEST(ProgramMain, WithoutADisplayItSaysSoAndHowToStartItUnderXvfb)
{
    const struct {
        const char* Variable; // set in the environment, or none
        std::vector<std::string> Arguments;
        bool Says;
    } Cases[] = {{nullptr, {"Ventrix"}, true},
                 {"DISPLAY", {"Ventrix"}, false},
                 {"WAYLAND_DISPLAY", {"Ventrix"}, false},
                 {"QT_QPA_PLATFORM", {"Ventrix"}, false},
                 {nullptr, {"Ventrix", "-platform", "offscreen"}, false}};
    for (const auto& C : Cases) {
        const std::string Text = NoDisplayText("/opt/v/Ventrix", C.Arguments, [&](const char* Name) {
            return C.Variable && std::string(Name) == C.Variable ? std::string(":0") : std::string();
        });
        EXPECT_EQ(!Text.empty(), C.Says) << (C.Variable ? C.Variable : "none");
        if (C.Says) {
            EXPECT_NE(Text.find("desktop session or a virtual display"), std::string::npos);
            EXPECT_NE(Text.find("xvfb-run -a -s \"-screen 0 1280x1024x24\" /opt/v/Ventrix"), std::string::npos);
        }
    }
}

// The status panel gives the fan's pressure in brackets only when there is
// one to give: after "Main fan not found" the kept status stands alone, and
// a drop that is no number is not shown.
TEST(MainForm, StatusWithoutAFigureHasNoBrackets)
{
    const struct {
        const char* Scenario;
        std::function<void(TProgram&)> Change;
        QString Status;
    } Cases[] = {
        {"the kept status after the fan is gone",
         [](TProgram& P) {
             P.Network().Status = ssSolved;
             P.Network().DeleteBranch(P.Network().MainFan);
             P.Main().ActionSizeEqualFriction->trigger();
         },
         "Solved"},
        {"a fan drop that is no number",
         [](TProgram& P) {
             P.Network().Status = ssDataError;
             P.Network().MainFan->TotalDrop = std::numeric_limits<double>::quiet_NaN();
             P.Main().RefreshResults();
         },
         "Data error"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TProgram P;
        C.Change(P);
        EXPECT_EQ(P.Panel(1), C.Status);
    }
}

// A store whose file cannot be written.
class TUnwritableStore : public TMemorySettingsStore {
public:
    std::string Commit() override { return "The settings could not be saved to x.ini.\nRead-only file system"; }
};

TEST(MainForm, SettingsThatCannotBeKeptAreToldAtClose)
{
    TProgram P({"ventrix"}, std::make_unique<TUnwritableStore>());
    P.Main().close();
    EXPECT_EQ(P.Services.Messages, QStringList{"The settings could not be saved to x.ini.\nRead-only file system"});
}

TEST(MainForm, AnUndoFileThatCannotBeWrittenSaysWhyAndTheDeletionGoesWithoutUndo)
{
    TProgram P;
    const QString UndoName = QString::fromStdString(P.Main().UndoFile().FileName());
    ASSERT_TRUE(QDir().mkpath(UndoName)); // a folder where the file should go
    TDuctGraph& G = P.Network();
    const int Count = G.BranchCount();
    P.Main().FlowGraphFrame1->SelectBranch(G.Branches()[0].get());
    P.Main().FlowGraphFrame1->gvfDeleteBranchClick();
    ASSERT_EQ(P.Services.Messages.size(), 1);
    const QStringList Lines = P.Services.Messages[0].split('\n');
    ASSERT_EQ(Lines.size(), 2);
    EXPECT_TRUE(Lines[0].startsWith("Error writing file " + UndoName + ". ")) << Lines[0].toStdString();
    EXPECT_GT(Lines[0].size(), ("Error writing file " + UndoName + ". ").size());
    EXPECT_EQ(Lines[1], "This deletion cannot be undone.");
    EXPECT_EQ(G.BranchCount(), Count - 1);
    EXPECT_FALSE(P.Main().ActionUndoDelete->isEnabled());
}
