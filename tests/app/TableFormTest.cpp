#include "AppTestSupport.h"

#include "app/DuctTypeRename.h"
#include "app/TableForm.h"
#include "controls/ColGrid.h"
#include "controls/InplaceEdit.h"
#include "foundation/EquivDiamTool.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TForm = TTableForm;

// A table over a network, its events recorded the way the main window
// answers them: a rename sets the name, a deletion removes the row and then
// the branch.
struct TTable {
    enum TKind { DefaultNetwork, FourDucts };

    // The default network, or four ducts named A, B, C and D in list order.
    explicit TTable(TKind Kind = DefaultNetwork) : Network(Kind == DefaultNetwork)
    {
        if (Kind == FourDucts)
            for (int I = 0; I < 4; ++I) {
                auto* B = static_cast<TDuctBranch*>(Network.AddBranch(I + 1, I + 1, I + 2));
                B->Name = std::string(1, char('A' + I));
                B->SetDuctType(dtRect, 0.0, 1.0, 0.1);
            }
    }

    TMemorySettingsStore Store;
    TDuctGraph Network;
    QStringList Asked;
    int Answer = mrYes;
    QStringList MenuItems;
    QString MenuPick;
    TScopedUiServices Services{Make()};
    std::unique_ptr<TForm> Form;
    std::vector<std::string> Renames;
    std::vector<int> Selected, Deleted, Edited, Redrawn;
    int Changes = 0;
    int Deactivations = 0;

    void Create()
    {
        Form = std::make_unique<TForm>(Store);
        Form->OnChanged = [this] { ++Changes; };
        Form->OnSelectBranch = [this](TDuctBranch* B) { Selected.push_back(B ? B->Id() : 0); };
        Form->OnBranchEdited = [this](TDuctBranch* B) { Edited.push_back(B->Id()); };
        Form->OnRedrawBranch = [this](TDuctBranch* B) { Redrawn.push_back(B->Id()); };
        Form->OnRenameBranch = [this](TDuctBranch* B, const std::string& Name) {
            Renames.push_back(Name);
            B->Name = Name;
        };
        Form->OnDeleteBranch = [this](TDuctBranch* B) {
            Deleted.push_back(B->Id());
            Form->Deleting = true;
            Form->DeleteRow(Form->FindBranchRow(B));
            Form->Deleting = false;
            Network.DeleteBranch(B);
        };
        Form->OnDeactivate = [this] { ++Deactivations; };
        Form->SetNetwork(&Network);
    }
    void Show()
    {
        if (!Form)
            Create();
        TScriptedServices::Show(*Form);
        Grid()->setFocus();
    }

    TxColGrid* Grid() const { return Form->BranchGrid; }
    QString Cell(int Col, int Row) const { return Grid()->Cell(Col, Row); }
    int RowOf(int Id) const { return Form->FindBranchRow(Network.FindBranch(Id)); }
    QStringList Column(int Col) const
    {
        QStringList Texts;
        for (int Row = 1; Row < Grid()->RowCount(); ++Row)
            Texts << Cell(Col, Row);
        return Texts;
    }
    QStringList BranchNames() const
    {
        QStringList Names;
        for (const auto& B : Network.Branches())
            Names << QString::fromStdString(B->Name);
        return Names;
    }
    // Types Text into the cell's editor and presses Enter, as a user does.
    void Type(int Col, int Row, const QString& Text)
    {
        Grid()->SetCurrentCell(Col, Row);
        Grid()->ShowEditor();
        ASSERT_TRUE(Grid()->EditorMode());
        TypeInto(Grid()->InplaceEditor(), Text);
        QTest::keyClick(Grid()->InplaceEditor(), Qt::Key_Return);
        QApplication::processEvents(); // the grid closes its editor after the key
    }
private:
    TUiServices Make()
    {
        TUiServices S = DefaultUiServices();
        S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
            Asked << Text;
            return Answer;
        };
        S.Beep = [] {};
        S.PopupMenu = [this](QMenu& Menu, const QPoint&) -> QAction* {
            QAction* Pick = nullptr;
            for (QAction* A : Menu.actions()) {
                MenuItems << (A->isSeparator() ? QString("-") : A->text());
                if (!A->isSeparator() && A->text() == MenuPick)
                    Pick = A;
            }
            return Pick;
        };
        return S;
    }
};

} // namespace

TEST(TableForm, ListsTheActiveBranchesWithTheirSizesOrDashes)
{
    TTable T;
    // Balanced as the main window does it: the solver's tree order is put
    // back afterwards.
    T.Network.Method = smFlowBalance;
    T.Network.SaveBranchOrder();
    T.Network.Solve(); // adds the Sink node and its branches
    T.Network.RestoreBranchOrder();
    ASSERT_EQ(T.Network.Status, ssSolved);
    ASSERT_GT(T.Network.BranchCount(), 5);
    T.Create();
    EXPECT_EQ(T.Column(TForm::ColId), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(T.Column(TForm::ColName),
              QStringList({"Spiral 1", "RA Duct", "Main Fan", "SA Duct", "Spiral 2"}));
    EXPECT_EQ(T.Cell(TForm::ColDesignFlow, 2), "1.000");
    EXPECT_EQ(T.Cell(TForm::ColLength, 2), "10.00");
    // Sizes in mm; a spiral and the main fan have no sides. The balanced
    // fan has a diameter of its own.
    struct TSizes {
        int Id;
        QString De, W, H;
    };
    const TSizes Expected[] = {{1, "200.0", "-", "-"},
                               {2, "546.6", "500.0", "500.0"},
                               {3, QString::number(1000 * T.Network.MainFan->Diameter, 'f', 1), "-", "-"},
                               {5, "200.0", "-", "-"}};
    ASSERT_GT(T.Network.MainFan->Diameter, 0.0);
    for (const TSizes& E : Expected) {
        const int Row = T.RowOf(E.Id);
        EXPECT_EQ(T.Cell(TForm::ColDiameter, Row), E.De) << E.Id;
        EXPECT_EQ(T.Cell(TForm::ColWidth, Row), E.W) << E.Id;
        EXPECT_EQ(T.Cell(TForm::ColHeight, Row), E.H) << E.Id;
    }
    // A duct without a diameter shows no size at all.
    T.Network.DuctBranch(2)->Diameter = 0.0;
    T.Form->ShowBranchInRow(2, *T.Network.DuctBranch(2));
    EXPECT_EQ(T.Cell(TForm::ColDiameter, 2) + T.Cell(TForm::ColWidth, 2) + T.Cell(TForm::ColHeight, 2),
              "---");

    // No listed branch: one empty row.
    T.Form->SetNetwork(nullptr);
    EXPECT_EQ(T.Grid()->RowCount(), 2);
    EXPECT_EQ(T.Cell(TForm::ColId, 1) + T.Cell(TForm::ColName, 1), "");
}

TEST(TableForm, EditableCellsFollowTheBranchAndTheRestAreGrey)
{
    TTable T;
    T.Network.LeakBranch = T.Network.FlowBranch(4); // as if the solver had made it
    T.Show();
    struct TCase {
        int Id, Col;
        bool Editable;
    };
    const TCase Cases[] = {
        {1, TForm::ColFlow, true},      {1, TForm::ColDiameter, true},
        {1, TForm::ColWidth, false},    {1, TForm::ColHeight, false}, // spiral
        {2, TForm::ColWidth, true},     {2, TForm::ColVelocity, true}, // rectangle
        {3, TForm::ColName, true},      {3, TForm::ColDrop, true},    // fan
        {3, TForm::ColVelocity, false}, {3, TForm::ColDiameter, false},
        {4, TForm::ColName, false},     {4, TForm::ColDrop, false}, // leakage
    };
    const QColor Grey = T.Form->palette().color(QPalette::Disabled, QPalette::Text);
    for (const TCase& C : Cases) {
        const int Row = T.RowOf(C.Id);
        EXPECT_EQ(T.Form->CanEditCell(C.Col, Row), C.Editable) << C.Id << "/" << C.Col;
        EXPECT_EQ(T.Form->CellLook(C.Col, Row).Ink == Grey, !C.Editable) << C.Id << "/" << C.Col;
        T.Grid()->SetCurrentCell(C.Col, Row);
        T.Grid()->ShowEditor();
        // The pressure drop is never typed into, only opened by its button.
        EXPECT_EQ(T.Grid()->EditorMode(), C.Editable && C.Col != TForm::ColDrop) << C.Id << "/" << C.Col;
        EXPECT_EQ(T.Grid()->PropEditButton()->isVisible(),
                  C.Editable && (C.Col == TForm::ColDrop || C.Col == TForm::ColDiameter ||
                                 C.Col == TForm::ColWidth))
            << C.Id << "/" << C.Col;
        T.Grid()->HideEditor();
    }
    EXPECT_EQ(T.Changes, 0);
}

TEST(TableForm, TypedValuesGoIntoTheBranchInHeldUnits)
{
    struct TCase {
        int Col;
        int Units; // display unit of the column, -1 as made
        QString Typed;
        double (*Stored)(const TDuctBranch&);
        double Held;
        QString Velocity; // V(a) shown afterwards
    };
    const TCase Cases[] = {
        {TForm::ColFlow, 3, "1000", [](const TDuctBranch& B) { return B.VolumeFlow; }, 1.0, "31.83"},
        {TForm::ColDiameter, -1, "100", [](const TDuctBranch& B) { return B.Diameter; }, 0.1, "38.20"},
        {TForm::ColDesignFlow, -1, "0.25", [](const TDuctBranch& B) { return B.DesignFlow; }, 0.25, "9.55"},
        {TForm::ColLength, 1, "10", [](const TDuctBranch& B) { return B.Length; }, 3.048, "9.55"},
    };
    for (const TCase& C : Cases) {
        TTable T;
        T.Show();
        if (C.Units >= 0)
            T.Grid()->SetUnitsValue(C.Col, C.Units);
        T.Type(C.Col, T.RowOf(1), C.Typed); // "Spiral 1", 0.2 m at 0.3 m³/s
        const TDuctBranch& B = *T.Network.DuctBranch(1);
        EXPECT_NEAR(C.Stored(B), C.Held, 1e-9) << C.Typed.toStdString();
        EXPECT_EQ(T.Cell(TForm::ColVelocity, T.RowOf(1)), C.Velocity) << C.Typed.toStdString();
        EXPECT_EQ(T.Changes, 1);
        EXPECT_EQ(T.Edited, std::vector<int>{1});
    }
}

TEST(TableForm, RenamingIgnoresLetterCase)
{
    struct TCase {
        QString Typed;
        std::vector<std::string> Renames;
        int Changes;
    };
    const TCase Cases[] = {{"spiral 12", {}, 0}, {"Riser 12", {"Riser 12"}, 1}};
    for (const TCase& C : Cases) {
        TTable T;
        T.Network.FlowBranch(1)->Name = "Spiral 12";
        T.Show();
        T.Type(TForm::ColName, T.RowOf(1), C.Typed);
        EXPECT_EQ(T.Renames, C.Renames) << C.Typed.toStdString();
        EXPECT_EQ(T.Changes, C.Changes) << C.Typed.toStdString();
        EXPECT_TRUE(T.Edited.empty() == (C.Changes == 0));
        EXPECT_EQ(T.Cell(TForm::ColName, T.RowOf(1)), QString::fromStdString(T.Network.FlowBranch(1)->Name));
    }
}

TEST(TableForm, SizeButtonRenamesATypeWordAndShowsTheDialogsSizes)
{
    TTable T;
    T.Network.FlowBranch(1)->Name = "Spiral 12";
    T.Show();
    int Dialogs = 0;
    T.Form->OnEditDuctSize = [&](TDuctBranch* B, double& Cell) {
        ++Dialogs;
        B->DuctType = dtRect;
        B->DuctHeight = 0.3;
        B->DuctWidth = 0.4;
        B->Diameter = TEquivDiamTool::EquivDiameter(0.3, 0.4);
        Cell = B->Diameter;
        return int(mrOk);
    };
    const int Row = T.RowOf(1);
    T.Grid()->SetCurrentCell(TForm::ColDiameter, Row);
    ASSERT_TRUE(T.Grid()->PropEditButton()->isVisible());
    QTest::mouseClick(T.Grid()->PropEditButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs, 1);
    EXPECT_EQ(T.Renames, std::vector<std::string>{"Duct 12"});
    EXPECT_EQ(T.Redrawn, std::vector<int>{1});
    EXPECT_EQ(T.Cell(TForm::ColName, Row), "Duct 12");
    EXPECT_EQ(T.Cell(TForm::ColDiameter, Row), "377.7");
    EXPECT_EQ(T.Cell(TForm::ColWidth, Row), "400.0");
    EXPECT_EQ(T.Cell(TForm::ColHeight, Row), "300.0");
    // The dialog's sizes are applied once, not typed again.
    EXPECT_EQ(T.Network.DuctBranch(1)->DuctWidth, 0.4);
    EXPECT_EQ(T.Changes, 1);
    EXPECT_EQ(T.Edited, std::vector<int>{1});

    // A cancelled dialog changes nothing.
    T.Form->OnEditDuctSize = [](TDuctBranch*, double&) { return int(mrCancel); };
    T.Grid()->SetCurrentCell(TForm::ColWidth, Row);
    QTest::mouseClick(T.Grid()->PropEditButton(), Qt::LeftButton);
    EXPECT_EQ(T.Changes, 1);

    // The pressure drop's button opens the pressure-drop form.
    std::vector<int> Opened;
    T.Form->OnOpenPressureDrop = [&](TDuctBranch* B) { Opened.push_back(B->Id()); };
    T.Grid()->SetCurrentCell(TForm::ColDrop, Row);
    QTest::mouseClick(T.Grid()->PropEditButton(), Qt::LeftButton);
    EXPECT_EQ(Opened, std::vector<int>{1});
}

TEST(TableForm, DuctTypeWordsAreReplacedInAnyCase)
{
    struct TCase {
        QString Name;
        int Old, New;
        QString Renamed;
    };
    const TCase Cases[] = {
        {"Spiral 12", dtSpiral, dtRect, "Duct 12"},
        {"spiral SPIRAL", dtSpiral, dtNone, "None None"},
        {"RA Duct", dtRect, dtSpiral, "RA Spiral"},
        {"Riser", dtSpiral, dtRect, "Riser"},
        {"Spiral 3", dtSpiral, dtSpiral, "Spiral 3"},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(NameForDuctType(C.Name, C.Old, C.New), C.Renamed) << C.Name.toStdString();
}

TEST(TableForm, FlowColoursByBandAroundTheDesignFlow)
{
    struct TCase {
        double Q, Qd;
        QColor Ink; // invalid: the normal text colour
    };
    const QColor Warning(94, 0, 0), Error(206, 0, 0);
    const TCase Cases[] = {
        {0.80, 1.0, Warning}, {1.20, 1.0, Warning}, {0.79, 1.0, Error},
        {1.21, 1.0, Error},   {0.95, 1.0, QColor()}, {1.0, 1.0, QColor()},
        {-1.0, -1.0, QColor()}, {-0.9, -1.0, Warning}, {-0.5, -1.0, Error},
    };
    TTable T;
    T.Create();
    const int Row = T.RowOf(2); // not the current row
    ASSERT_NE(Row, T.Form->CurrentRow());
    const QColor Normal = T.Form->palette().color(QPalette::Text);
    for (const TCase& C : Cases) {
        TDuctBranch& B = *T.Network.DuctBranch(2);
        B.VolumeFlow = C.Q;
        B.DesignFlow = C.Qd;
        EXPECT_EQ(T.Form->CellLook(TForm::ColFlow, Row).Ink, C.Ink.isValid() ? C.Ink : Normal)
            << C.Q << " of " << C.Qd;
    }
}

TEST(TableForm, CurrentRowIndexRunAndFixedSizeAreDrawnInTheirColours)
{
    TTable T;
    T.Network.DuctBranch(2)->PathMark = 1;
    T.Network.DuctBranch(2)->SizeFixed = true;
    T.Network.DuctBranch(4)->PathMark = 1; // leaves the fan
    T.Show();
    T.Form->SetCurrentRow(T.RowOf(5));
    const int Row = T.RowOf(2);
    EXPECT_EQ(T.Form->CellLook(TForm::ColName, Row).Ink, QColor(0x3A, 0x6B, 0x38));
    EXPECT_EQ(T.Form->CellLook(TForm::ColDiameter, Row).Ink, QColor(206, 0, 0));
    const QColor Link = T.Form->palette().color(QPalette::Link);
    EXPECT_EQ(T.Form->CellLook(TForm::ColVelocity, Row).Ink, Link); // enters the fan
    EXPECT_EQ(T.Form->CellLook(TForm::ColVelocity, T.RowOf(4)).Ink, Link);
    EXPECT_NE(T.Form->CellLook(TForm::ColVelocity, T.RowOf(1)).Ink, Link);

    // The current row's background, as painted: 0xFCF3E9 is RGB 233, 243, 252.
    const QRect Cell = T.Grid()->CellRect(TForm::ColLength, T.RowOf(5));
    const QImage Shot = T.Grid()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(Shot.pixel(Cell.right() - 2, Cell.bottom() - 2)), QColor(233, 243, 252));
    EXPECT_EQ(T.Form->CellLook(TForm::ColName, T.RowOf(5)).Ink, QColor(0, 0, 0x80)); // current cell
}

TEST(TableForm, DraggedRowMovesItsBranchInTheList)
{
    struct TCase {
        int From, To;
        QStringList Order;
    };
    const TCase Cases[] = {{4, 2, {"A", "D", "B", "C"}}, {1, 3, {"B", "C", "A", "D"}}};
    for (const TCase& C : Cases) {
        TTable T(TTable::FourDucts);
        T.Show();
        QHeaderView* Ids = T.Grid()->verticalHeader();
        Ids->moveSection(C.From - 1, C.To - 1);
        EXPECT_EQ(T.BranchNames(), C.Order) << C.From << " to " << C.To;
        EXPECT_EQ(T.Column(TForm::ColName), C.Order);
        for (int Section = 0; Section < 4; ++Section)
            EXPECT_EQ(Ids->visualIndex(Section), Section);
        EXPECT_EQ(T.Cell(TForm::ColName, T.Form->CurrentRow()), C.Order[C.To - 1]);
        for (const char* Name : {"A", "B", "C", "D"}) {
            const TBranch* B = T.Network.FindBranchByName(Name);
            EXPECT_EQ(T.Cell(TForm::ColName, T.Form->FindBranchRow(B)), Name);
        }
    }
}

TEST(TableForm, HeadingClickSortsTheListFirstAscendingAndKeepsTheCurrentBranch)
{
    TTable T;
    T.Show();
    T.Grid()->SetCurrentCell(TForm::ColName, T.RowOf(4)); // "SA Duct"
    T.Selected.clear();
    QHeaderView* Headings = T.Grid()->horizontalHeader();
    const auto ClickHeading = [&](int Col) {
        const int X = Headings->sectionViewportPosition(Col - 1) + Headings->sectionSize(Col - 1) / 2;
        QTest::mouseClick(Headings->viewport(), Qt::LeftButton, {}, QPoint(X, 5));
    };
    ClickHeading(TForm::ColName);
    EXPECT_EQ(T.Column(TForm::ColName),
              QStringList({"Main Fan", "RA Duct", "SA Duct", "Spiral 1", "Spiral 2"}));
    EXPECT_EQ(T.Form->TableBranch(), T.Network.DuctBranch(4));
    ClickHeading(TForm::ColName);
    EXPECT_EQ(T.BranchNames(), QStringList({"Spiral 2", "Spiral 1", "SA Duct", "RA Duct", "Main Fan"}));
    // Equal keys keep their order: the three ducts of 1.0 m³/s stay in list
    // order around the two spirals.
    ClickHeading(TForm::ColDesignFlow);
    EXPECT_EQ(T.BranchNames(), QStringList({"Spiral 2", "Spiral 1", "SA Duct", "RA Duct", "Main Fan"}));
    EXPECT_EQ(T.Form->TableBranch(), T.Network.DuctBranch(4));
    EXPECT_TRUE(T.Selected.empty()); // the view's selection stands
}

TEST(TableForm, DeleteKeyAsksAndDeletesFromTheLastRowUp)
{
    TTable T(TTable::FourDucts);
    T.Show();
    // One cell: one row.
    T.Grid()->SetCurrentCell(TForm::ColFlow, 2);
    QTest::keyClick(T.Grid(), Qt::Key_Delete);
    EXPECT_EQ(T.Asked, QStringList{"Delete Row?"});
    EXPECT_EQ(T.Deleted, std::vector<int>{2});
    // A range of rows: the last first.
    QItemSelectionModel* Selection = T.Grid()->selectionModel();
    Selection->select(QItemSelection(T.Grid()->model()->index(0, 1), T.Grid()->model()->index(1, 2)),
                      QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(T.Grid(), Qt::Key_Delete);
    EXPECT_EQ(T.Asked.last(), "Delete Rows?");
    EXPECT_EQ(T.Deleted, (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(T.Column(TForm::ColName), QStringList{"D"});
    // The last row asks nothing.
    QTest::keyClick(T.Grid(), Qt::Key_Delete);
    EXPECT_EQ(T.Asked.size(), 2);
    EXPECT_EQ(T.Deleted.size(), 3u);
    // "No" keeps everything.
    TTable U(TTable::FourDucts);
    U.Answer = mrNo;
    U.Show();
    QTest::keyClick(U.Grid(), Qt::Key_Delete);
    EXPECT_TRUE(U.Deleted.empty());
}

TEST(TableForm, PopupMenuOffersTheBranchCommandsInOrder)
{
    TTable T;
    T.Show();
    T.Form->SetCurrentRow(T.RowOf(2));
    const QStringList Items = {"RA Duct", "-", "Edit Branch", "Delete Branch", "-",
                               "Compact", "-", "Copy Text", "Copy CSV"};
    std::vector<int> Opened;
    T.Form->OnEditBranch = [&](TDuctBranch* B) { Opened.push_back(B->Id()); };
    T.MenuPick = "Edit Branch";
    T.Form->ShowPopupMenu({});
    EXPECT_EQ(T.MenuItems, Items);
    EXPECT_EQ(Opened, std::vector<int>{2});

    T.MenuPick = "Copy CSV";
    T.Form->ShowPopupMenu({});
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(",Caption,\"Q,m³/s\""));

    const int Wide = T.Form->width();
    T.MenuPick = "Compact";
    T.Form->ShowPopupMenu({});
    EXPECT_TRUE(T.Form->Compact);
    EXPECT_LT(T.Form->width(), Wide - 400);
    EXPECT_GE(T.Grid()->viewport()->width(), T.Grid()->ColWidth(TForm::ColName));

    T.MenuPick = "Delete Branch";
    T.Form->ShowPopupMenu({});
    EXPECT_EQ(T.Deleted, std::vector<int>{2});
    EXPECT_TRUE(T.Asked.isEmpty());
}

TEST(TableForm, SettingsRoundTripThroughTheStore)
{
    TTable T;
    const std::string S = "TableForm";
    T.Store.WriteInteger(S, "BranchGridCol1", 150);
    T.Store.WriteInteger(S, "TableWidth", 500);
    T.Store.WriteBool(S, "CompactTable", true);
    T.Store.WriteInteger(S, "clCurrentRow", 0x7F123456); // no colour above 24 bits
    T.Store.WriteInteger(S, "clFlowWarning", 0x000080);
    T.Store.WriteString(S, "loFlowFraction", "nan");
    T.Store.WriteFloat(S, "hiFlowFraction", 1.3);
    T.Create();
    EXPECT_EQ(T.Grid()->ColWidth(1), 150);
    EXPECT_EQ(T.Form->width(), 500);
    EXPECT_TRUE(T.Form->Compact);
    EXPECT_EQ(T.Form->clCurrentRow, 0x123456);
    EXPECT_EQ(T.Form->clFlowWarning, 0x000080);
    EXPECT_EQ(T.Form->clFlowError, TForm::DefaultFlowError);
    EXPECT_EQ(T.Form->loFlowFraction, TForm::DefaultLoFlowFraction);
    EXPECT_EQ(T.Form->hiFlowFraction, 1.3);

    T.Form->clIndexRun = 0x00FF00;
    T.Form->WarnFraction = 0.1;
    T.Grid()->SetColWidth(9, 70);
    T.Form->SaveSettings();
    TTable U;
    U.Store = T.Store;
    U.Create();
    for (int Col = 0; Col < TForm::ColumnCount; ++Col)
        EXPECT_EQ(U.Grid()->ColWidth(Col), T.Grid()->ColWidth(Col)) << Col;
    EXPECT_EQ(U.Form->width(), T.Form->width());
    const auto Look = [](const TForm& F) {
        return std::vector<double>{double(F.clCurrentRow),  double(F.clCurrentCellText),
                                   double(F.clFixedSize),   double(F.clIndexRun),
                                   double(F.clFlowError),   double(F.clFlowWarning),
                                   F.loFlowFraction,        F.hiFlowFraction,
                                   F.WarnFraction,          double(F.Compact)};
    };
    EXPECT_EQ(Look(*U.Form), Look(*T.Form));
}

TEST(TableForm, LeavingTheWindowStoresTheEntryAndTellsTheMainWindow)
{
    TTable T;
    T.Show();
    T.Grid()->SetCurrentCell(TForm::ColLength, T.RowOf(2));
    T.Grid()->ShowEditor();
    TypeInto(T.Grid()->InplaceEditor(), "12");
    QWidget Other;
    TScriptedServices::Show(Other);
    EXPECT_EQ(T.Deactivations, 1);
    EXPECT_EQ(T.Network.FlowBranch(2)->Length, 12.0);
    EXPECT_EQ(T.Changes, 1);
    EXPECT_TRUE(T.Store.ValueExists("TableForm", "TableWidth"));
}
