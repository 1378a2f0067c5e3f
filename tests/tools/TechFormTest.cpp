#include "ToolsTestSupport.h"

#include "controls/EntryGrid.h"
#include "tools/TechForm.h"

#include "tests/FileSizeLimit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <optional>
#include <string>
#include <vector>

namespace {

QStringList SheetLines(int Count)
{
    QStringList Lines{"Property;Value;Units", "Name;%S"};
    for (int I = 2; I <= Count; ++I)
        Lines << "Volume flow rate " + QString::number(I) + ";%0.2f;m3/s;;0;0";
    return Lines;
}

struct TechForm : testing::Test {
    TToolServices Services;
    TTechForm Form;

    TechForm()
    {
        Form.SetLines(SheetLines(4));
        TToolServices::Show(Form);
    }
};

} // namespace

TEST_F(TechForm, ActionsCarryCaptionsHintsAndTheirEvents)
{
    QStringList Ran;
    const struct {
        QAction* Action;
        const char* Caption;
        TTechForm::TTechEvent TTechForm::*Event;
    } Cases[] = {
        {Form.OpenAction, "&Open", &TTechForm::OnOpen},     {Form.SaveAction, "&Save", &TTechForm::OnSave},
        {Form.CopyAction, "&Copy", &TTechForm::OnCopy},     {Form.PasteAction, "&Paste", &TTechForm::OnPaste},
        {Form.SolveAction, "S&olve", &TTechForm::OnSolve},  {Form.ViewAction, "&View", &TTechForm::OnView},
        {Form.PrintAction, "&Print", &TTechForm::OnPrint},  {Form.ResetAction, "&Reset", &TTechForm::OnReset},
        {Form.AboutAction, "&About", &TTechForm::OnAbout},  {Form.HelpAction, "&Help", &TTechForm::OnHelp},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(C.Action->text(), C.Caption);
        EXPECT_EQ(C.Action->toolTip(), QString(C.Caption).remove('&'));
        C.Action->trigger(); // nothing assigned: nothing happens
        Form.*C.Event = [&Ran, &C](TTechForm*) { Ran << C.Caption; };
        C.Action->trigger();
    }
    EXPECT_EQ(Ran.size(), 10);
    EXPECT_EQ(Ran.first(), "&Open");
    EXPECT_EQ(Ran.last(), "&Help");

    Ran.clear();
    QTest::keyClick(&Form, Qt::Key_F9);
    QTest::keyClick(&Form, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(Ran, (QStringList{"S&olve", "&Save"}));
    EXPECT_EQ(Form.AlignAction->text(), "&Align");
    EXPECT_FALSE(Form.ButtonReset->isVisibleTo(&Form));
    EXPECT_FALSE(Form.ButtonAbout->isVisibleTo(&Form));
}

TEST_F(TechForm, SetDataFillsTheLinesItHasValuesFor)
{
    Form.SetData({QString("Duct"), 1.5, 2.25});
    EXPECT_EQ(Form.LineCount(), 4);
    EXPECT_EQ(Services.Messages, QStringList{"DataCount<>LineCount"});
    EXPECT_EQ(Form.Grid->Cell(1, 1), "Duct");
    EXPECT_DOUBLE_EQ(Form.GetValue(3), 2.25);
    EXPECT_EQ(Form.Grid->Cell(1, 4), "0.00");

    Form.SetData({QString("Duct"), 1.0, 2.0, 3.0});
    EXPECT_EQ(Services.Messages.size(), 1);
    EXPECT_DOUBLE_EQ(Form.GetValue(4), 3.0);
    Form.SetLineEnabled(2, false);
    EXPECT_FALSE(Form.GetLineEnabled(2));
}

TEST_F(TechForm, AlignFitsTheGridAndStopsAt400Pixels)
{
    Form.Align();
    const QSize Short = Form.size();
    EXPECT_LT(Short.height(), 400);
    const QFontMetrics Metrics = Form.Grid->fontMetrics();
    EXPECT_EQ(Form.Grid->ColWidth(0), Metrics.horizontalAdvance("Volume flow rate 4") + 10);
    EXPECT_EQ(Form.Grid->ColWidth(1), 50 + 25); // short values: at least 50, plus 25
    EXPECT_EQ(Form.Grid->ColWidth(2), 50 + 15);

    Form.SetLines(SheetLines(40));
    Form.Align();
    EXPECT_EQ(Form.height(), 400);
    const int Wider = Metrics.horizontalAdvance("Volume flow rate 40") - Metrics.horizontalAdvance("Volume flow rate 4");
    EXPECT_EQ(Form.width(), Short.width() + Wider + 19);
}

TEST_F(TechForm, XmlCopyIsWellFormedWhateverTheTexts)
{
    Form.SetLines({"Property;Value;Units", "Name;%S", "A&B;%s;<u>", "2 \"in\";%s;a\"b"});
    Form.Grid->SetCell(1, 1, "A&B");
    Form.Grid->SetCell(1, 2, "x<y & z");
    Form.CopyToXml();
    const QString Text = QApplication::clipboard()->text();
    EXPECT_TRUE(Text.startsWith("<?xml version=\"1.0\"?>\r\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\""));
    pugi::xml_document Doc;
    ASSERT_TRUE(Doc.load_string(Text.toStdString().c_str())) << Text.toStdString();
    const pugi::xml_node Root = Doc.document_element();
    EXPECT_STREQ(Root.name(), "A_B");
    EXPECT_STREQ(Root.child("A_B").text().get(), "x<y & z");
    EXPECT_STREQ(Root.child("A_B").attribute("Units").value(), "<u>");
    EXPECT_STREQ(Root.child("_2__in_").attribute("Units").value(), "a\"b");
}

TEST_F(TechForm, AcceptCommitsTheEntryInProgress)
{
    int Stored = 0;
    Form.Grid->OnDoSetData = [&](TxStringGrid*, int, int) { ++Stored; };
    Form.Grid->SetCurrentCell(1, 2);
    Form.Grid->setFocus();
    QTest::keyClick(QApplication::focusWidget(), '7');
    Form.AcceptAction->trigger();
    EXPECT_EQ(Stored, 1);
    EXPECT_DOUBLE_EQ(Form.GetValue(2), 7.0);
    EXPECT_EQ(Form.ModalResult(), mrOk);
    Form.CancelAction->trigger();
    EXPECT_EQ(Form.ModalResult(), mrCancel);
}

TEST_F(TechForm, PopupMenuOutsideTheUnitsColumn)
{
    QStringList Shown;
    TUiServices S = UiServices();
    S.PopupMenu = [&](QMenu& Menu, const QPoint&) {
        for (QAction* A : Menu.actions())
            Shown << A->text();
        return static_cast<QAction*>(nullptr);
    };
    TScopedUiServices Scope(S);
    Form.Grid->SetUnits(2, utAirFlowPrim, 1, 0, ft_Fixed, 0, 0);
    for (int Col : {2, 0}) {
        const QPoint At = Form.Grid->viewport()->mapToGlobal(Form.Grid->CellRect(Col, 2).center());
        QContextMenuEvent Event(QContextMenuEvent::Mouse, Form.mapFromGlobal(At), At);
        QApplication::sendEvent(&Form, &Event);
    }
    EXPECT_EQ(Shown, (QStringList{"Copy to XML", "Clip screen"}));
}

TEST_F(TechForm, ClipScreenSavesTheFramedWindowAsAJpegAndFillsTheClipboard)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Form.ClipScreen(Dir.path() + "/", "shot", 0.5));
    const QImage Saved(Dir.filePath("shot.jpg"), "JPG");
    // The whole window as the screen shows it, its frame included.
    const QSize Full = Form.frameGeometry().size();
    ASSERT_GT(Full.width(), Form.width()) << "the window has a frame";
    EXPECT_EQ(Saved.size(), QSize(qRound(Full.width() * 0.5), qRound(Full.height() * 0.5)));
    EXPECT_EQ(QApplication::clipboard()->image().size(), Saved.size());

}

// A picture that cannot be saved says why, as the program's other writers do.
TEST_F(TechForm, ClipScreenThatCannotSaveTellsTheCause)
{
    QTemporaryDir Dir;
    const struct {
        const char* Scenario;
        QString Folder;
        rlim_t FileSizeLimit; // 0: none
        QString Cause;
    } Cases[] = {
        {"a missing folder", Dir.path() + "/no such folder/", 0, "The folder does not exist."},
        {"a disk that fills up", Dir.path() + "/", 512, "The file is too large."},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        Services.Messages.clear();
        std::optional<TFileSizeLimit> Limit;
        if (C.FileSizeLimit)
            Limit.emplace(C.FileSizeLimit);
        EXPECT_FALSE(Form.ClipScreen(C.Folder, "shot", 1.0));
        Limit.reset();
        EXPECT_EQ(Services.Messages, QStringList{"Error writing file " + C.Folder + "shot.jpg\n" + C.Cause});
        EXPECT_FALSE(QFileInfo::exists(C.Folder + "shot.jpg"));
    }
}

TEST(RootForm, ARealModalRunEndsWithTheResultGiven)
{
    TUiServices S = DefaultUiServices();
    S.MessageBox = [](QWidget*, const QString&, const QString&, TMsgKind, int) { return int(mrOk); };
    TScopedUiServices Scope(S);
    const struct {
        std::function<void(TTechForm&)> End;
        int Result;
    } Cases[] = {
        {[](TTechForm& F) { F.AcceptAction->trigger(); }, mrOk},
        {[](TTechForm& F) { F.CancelAction->trigger(); }, mrCancel},
        {[](TTechForm& F) { F.close(); }, mrCancel},
        {[](TTechForm& F) { F.CloseWith(mrOk); }, mrOk},
    };
    for (const auto& C : Cases) {
        TTechForm Form;
        int Closes = 0;
        QObject::connect(&Form, &QDialog::finished, [&] { ++Closes; });
        QTimer::singleShot(0, &Form, [&] { C.End(Form); });
        EXPECT_EQ(RunModal(Form), C.Result);
        EXPECT_EQ(Form.ModalResult(), C.Result);
        EXPECT_EQ(Closes, 1);
        EXPECT_FALSE(Form.isVisible());
    }
}

TEST(RootForm, OnlyTheFirstActivationAfterEachShowingIsTheFirst)
{
    struct TForm : TRootForm {
        std::vector<bool> Firsts;
        void FormActivate() override { Firsts.push_back(FirstActivation()); }
    };
    TToolServices Services;
    TForm Form;
    QWidget Elsewhere;
    TToolServices::Show(Form);
    TToolServices::Show(Elsewhere);
    QApplication::setActiveWindow(&Form); // back, in the same showing
    QApplication::processEvents();
    Form.hide();
    TToolServices::Show(Form); // shown anew
    EXPECT_EQ(Form.Firsts, (std::vector<bool>{true, false, true}));
}
