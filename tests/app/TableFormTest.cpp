#include "AppTestSupport.h"

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
using TIds = std::vector<int>;

// The table over the default network, or over four ducts named A to D, with
// its events answered as the main window does: a rename sets the name, a
// deletion removes the row and then the branch.
struct TTable {
    enum TKind { DefaultNetwork, FourDucts };
    explicit TTable(TKind Kind = DefaultNetwork) : Network(Kind == DefaultNetwork)
    {
        for (int I = 0; Kind == FourDucts && I < 4; ++I) {
            auto* B = static_cast<TDuctBranch*>(Network.AddBranch(I + 1, I + 1, I + 2));
            B->Name = std::string(1, char('A' + I));
            B->SetDuctType(dtRect, 0.0, 1.0, 0.1);
        }
    }

    TMemorySettingsStore Store;
    TDuctGraph Network;
    QStringList Asked, MenuItems;
    int Answer = mrYes;
    QString MenuPick;
    TScopedUiServices Services{Make()};
    std::unique_ptr<TForm> Form;
    std::vector<std::string> Renames;
    TIds Selected, Deleted, Edited, Redrawn;
    int Changes = 0, Deactivations = 0;

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
    // Types into the cell's editor and presses Enter.
    void Type(int Col, int Row, const QString& Text)
    {
        Grid()->SetCurrentCell(Col, Row);
        Grid()->ShowEditor();
        ASSERT_TRUE(Grid()->EditorMode());
        TypeInto(Grid()->InplaceEditor(), Text);
        QTest::keyClick(Grid()->InplaceEditor(), Qt::Key_Return);
        QApplication::processEvents(); // the editor closes after the key
    }
    void ClickButton(int Col, int Row)
    {
        Grid()->SetCurrentCell(Col, Row);
        ASSERT_TRUE(Grid()->PropEditButton()->isVisible());
        QTest::mouseClick(Grid()->PropEditButton(), Qt::LeftButton);
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
                if (A->text() == MenuPick)
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
    // Balanced as the main window does: the solver's tree order put back.
    T.Network.Method = smFlowBalance;
    T.Network.SaveBranchOrder();
    T.Network.Solve(); // adds the Sink node and its branches
    T.Network.RestoreBranchOrder();
    ASSERT_GT(T.Network.BranchCount(), 5);
    T.Create();
    EXPECT_EQ(T.Column(TForm::ColName), QStringList({"Spiral 1", "RA Duct", "Main Fan", "SA Duct", "Spiral 2"}));
    EXPECT_EQ(T.Column(TForm::ColId), QStringList({"1", "2", "3", "4", "5"}));
    // Sizes in mm: a spiral and the main fan (balanced, with a diameter)
    // have no sides; a duct without a diameter no size.
    const QString Fan = QString::number(1000 * T.Network.MainFan->Diameter, 'f', 1);
    T.Network.DuctBranch(4)->Diameter = 0.0;
    T.Form->ShowBranchInRow(4, *T.Network.DuctBranch(4));
    const QStringList Sizes[] = {{"200.0", "-", "-"}, {"546.6", "500.0", "500.0"}, {Fan, "-", "-"},
                                 {"-", "-", "-"},     {"200.0", "-", "-"}};
    for (int Row = 1; Row <= 5; ++Row)
        EXPECT_EQ(QStringList({T.Cell(TForm::ColDiameter, Row), T.Cell(TForm::ColWidth, Row),
                               T.Cell(TForm::ColHeight, Row)}),
                  Sizes[Row - 1])
            << Row;
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
        {1, TForm::ColDiameter, true}, {1, TForm::ColWidth, false},  {1, TForm::ColHeight, false}, // spiral
        {2, TForm::ColWidth, true},    {2, TForm::ColVelocity, true},                               // rectangle
        {3, TForm::ColName, true},     {3, TForm::ColDrop, true},    {3, TForm::ColVelocity, false},
        {3, TForm::ColDiameter, false},                                                              // fan
        {4, TForm::ColName, false},    {4, TForm::ColDrop, false},                                   // leakage
    };
    const QColor Grey = T.Form->palette().color(QPalette::Disabled, QPalette::Text);
    for (const TCase& C : Cases) {
        const int Row = T.RowOf(C.Id);
        EXPECT_EQ(T.Form->CanEditCell(C.Col, Row), C.Editable) << C.Id << "/" << C.Col;
        EXPECT_EQ(T.Form->CellLook(C.Col, Row).Ink == Grey, !C.Editable) << C.Id << "/" << C.Col;
        T.Grid()->SetCurrentCell(C.Col, Row);
        T.Grid()->ShowEditor();
        // The drop is never typed into; its button opens the pressure-drop form.
        EXPECT_EQ(T.Grid()->EditorMode(), C.Editable && C.Col != TForm::ColDrop) << C.Id << "/" << C.Col;
        const bool Button = C.Col == TForm::ColDrop || C.Col >= TForm::ColDiameter;
        EXPECT_EQ(T.Grid()->PropEditButton()->isVisible(), C.Editable && Button) << C.Id << "/" << C.Col;
        T.Grid()->HideEditor();
    }
    EXPECT_EQ(T.Changes, 0); // an editor closed on the text it showed stores nothing
}

TEST(TableForm, TypedValuesGoIntoTheBranchInHeldUnits)
{
    struct TCase {
        int Col, Units; // display unit of the column, -1 as made
        QString Typed;
        double TDuctBranch::*Stored;
        double Held;
        QString Velocity; // V(a) shown afterwards
    };
    // "Spiral 1": 0.2 m at 0.3 m³/s.
    const TCase Cases[] = {
        {TForm::ColFlow, 3, "1000", &TDuctBranch::VolumeFlow, 1.0, "31.83"}, // l/s
        {TForm::ColDiameter, -1, "100", &TDuctBranch::Diameter, 0.1, "38.20"}, // mm
        {TForm::ColDesignFlow, -1, "0.25", &TDuctBranch::DesignFlow, 0.25, "9.55"},
        // The inlet's terminal takes no flow against it, as the solve
        // commands do not.
        {TForm::ColDesignFlow, -1, "-0.25", &TDuctBranch::DesignFlow, 0.0, "9.55"},
        {TForm::ColLength, 1, "10", &TDuctBranch::Length, 3.048, "9.55"}, // ft
    };
    for (const TCase& C : Cases) {
        TTable T;
        T.Show();
        if (C.Units >= 0)
            T.Grid()->SetUnitsValue(C.Col, C.Units);
        T.Type(C.Col, T.RowOf(1), C.Typed);
        EXPECT_NEAR(T.Network.DuctBranch(1)->*C.Stored, C.Held, 1e-9) << C.Typed.toStdString();
        EXPECT_EQ(T.Cell(TForm::ColVelocity, T.RowOf(1)), C.Velocity) << C.Typed.toStdString();
        EXPECT_EQ(T.Changes, 1);
        EXPECT_EQ(T.Edited, TIds{1});
    }
}

TEST(TableForm, RenamesIgnoreLetterCaseAndFollowTheSizeDialogsType)
{
    TTable T;
    T.Network.FlowBranch(1)->Name = "Spiral 12";
    T.Show();
    T.Type(TForm::ColName, 1, "spiral 12");
    EXPECT_EQ(T.Cell(TForm::ColName, 1), "Spiral 12");
    EXPECT_EQ(T.Changes, 0);

    T.Form->OnEditDuctSize = [](TDuctBranch* B, double& Cell) {
        B->DuctType = dtRect;
        B->DuctHeight = 0.3;
        B->DuctWidth = 0.4;
        Cell = B->Diameter = TEquivDiamTool::EquivDiameter(0.3, 0.4);
        return int(mrOk);
    };
    T.ClickButton(TForm::ColDiameter, 1);
    EXPECT_EQ(T.Renames, std::vector<std::string>{"Duct 12"});
    EXPECT_EQ(T.Redrawn, TIds{1});
    EXPECT_EQ(T.Column(TForm::ColName).first(), "Duct 12");
    EXPECT_EQ(QStringList({T.Cell(TForm::ColDiameter, 1), T.Cell(TForm::ColWidth, 1), T.Cell(TForm::ColHeight, 1)}),
              QStringList({"377.7", "400.0", "300.0"}));
    EXPECT_EQ(T.Network.DuctBranch(1)->DuctWidth, 0.4); // applied once, not typed again
    EXPECT_EQ(T.Changes, 1);
    EXPECT_EQ(T.Edited, TIds{1});

    T.Form->OnEditDuctSize = [](TDuctBranch*, double&) { return int(mrCancel); };
    T.ClickButton(TForm::ColWidth, 1);
    EXPECT_EQ(T.Changes, 1);
    T.Type(TForm::ColName, 1, "Riser 12");
    EXPECT_EQ(T.Renames.back(), "Riser 12");
    EXPECT_EQ(T.Changes, 2);

    TIds Opened;
    T.Form->OnOpenPressureDrop = [&](TDuctBranch* B) { Opened.push_back(B->Id()); };
    T.ClickButton(TForm::ColDrop, 1);
    EXPECT_EQ(Opened, TIds{1});
}

TEST(TableForm, CellColoursFollowFlowBandsIndexRunFixedSizeAndCurrentRow)
{
    struct TCase {
        double Q, Qd;
        QColor Ink; // invalid: the normal text colour
    };
    const QColor Warning(94, 0, 0), Error(206, 0, 0);
    const TCase Cases[] = {{0.80, 1.0, Warning}, {1.20, 1.0, Warning},  {0.79, 1.0, Error},
                           {1.21, 1.0, Error},   {0.95, 1.0, QColor()}, {-1.0, -1.0, QColor()},
                           {-0.9, -1.0, Warning}, {-0.5, -1.0, Error}};
    TTable T;
    for (int Id : {2, 4}) // the ducts into and out of the fan
        T.Network.DuctBranch(Id)->PathMark = 1;
    T.Network.DuctBranch(2)->SizeFixed = true;
    T.Show();
    T.Form->SetCurrentRow(5);
    const QColor Normal = T.Form->palette().color(QPalette::Text);
    const QColor Link = T.Form->palette().color(QPalette::Link);
    EXPECT_EQ(T.Form->CellLook(TForm::ColName, 2).Ink, QColor(0x3A, 0x6B, 0x38));
    EXPECT_EQ(T.Form->CellLook(TForm::ColDiameter, 2).Ink, Error);
    EXPECT_EQ(T.Form->CellLook(TForm::ColVelocity, 2).Ink, Link);
    EXPECT_EQ(T.Form->CellLook(TForm::ColVelocity, 4).Ink, Link);
    EXPECT_NE(T.Form->CellLook(TForm::ColVelocity, 1).Ink, Link);
    EXPECT_EQ(T.Form->CellLook(TForm::ColName, 5).Ink, QColor(0, 0, 0x80)); // the current cell
    // The current row as painted: 0xFCF3E9 is RGB 233, 243, 252.
    const QRect Cell = T.Grid()->CellRect(TForm::ColLength, 5);
    EXPECT_EQ(QColor(T.Grid()->viewport()->grab().toImage().pixel(Cell.right() - 2, Cell.bottom() - 2)),
              QColor(233, 243, 252));
    for (const TCase& C : Cases) {
        T.Network.DuctBranch(1)->VolumeFlow = C.Q;
        T.Network.DuctBranch(1)->DesignFlow = C.Qd;
        EXPECT_EQ(T.Form->CellLook(TForm::ColFlow, 1).Ink, C.Ink.isValid() ? C.Ink : Normal) << C.Q << "/" << C.Qd;
    }
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
        EXPECT_EQ(T.Cell(TForm::ColName, T.Form->CurrentRow()), C.Order[C.To - 1]);
        for (int Row = 1; Row <= 4; ++Row) {
            EXPECT_EQ(Ids->visualIndex(Row - 1), Row - 1);
            EXPECT_EQ(T.Form->FindBranchRow(T.Form->BranchAtRow(Row)), Row);
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
    EXPECT_EQ(T.Column(TForm::ColName), QStringList({"Main Fan", "RA Duct", "SA Duct", "Spiral 1", "Spiral 2"}));
    ClickHeading(TForm::ColName);
    const QStringList Descending = {"Spiral 2", "Spiral 1", "SA Duct", "RA Duct", "Main Fan"};
    EXPECT_EQ(T.BranchNames(), Descending);
    // Equal design flows keep their order.
    ClickHeading(TForm::ColDesignFlow);
    EXPECT_EQ(T.BranchNames(), Descending);
    EXPECT_EQ(T.Form->TableBranch(), T.Network.DuctBranch(4));
    EXPECT_TRUE(T.Selected.empty()); // the view's selection stands
}

TEST(TableForm, DeleteKeyAsksAndDeletesFromTheLastRowUp)
{
    TTable T(TTable::FourDucts);
    T.Show();
    T.Grid()->SetCurrentCell(TForm::ColFlow, 2);
    QTest::keyClick(T.Grid(), Qt::Key_Delete);
    EXPECT_EQ(T.Asked, QStringList{"Delete Row?"});
    EXPECT_EQ(T.Deleted, TIds{2});
    // Rows 1 and 2 (A and C): the last first.
    const QAbstractItemModel* Model = T.Grid()->model();
    T.Grid()->selectionModel()->select(QItemSelection(Model->index(0, 1), Model->index(1, 2)),
                                       QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(T.Grid(), Qt::Key_Delete);
    EXPECT_EQ(T.Asked.last(), "Delete Rows?");
    EXPECT_EQ(T.Deleted, (TIds{2, 3, 1}));
    EXPECT_EQ(T.Column(TForm::ColName), QStringList{"D"});
    // The last row asks nothing; "No" deletes nothing.
    QTest::keyClick(T.Grid(), Qt::Key_Delete);
    TTable U(TTable::FourDucts);
    U.Answer = mrNo;
    U.Show();
    QTest::keyClick(U.Grid(), Qt::Key_Delete);
    EXPECT_EQ(T.Asked.size() + U.Asked.size(), 3);
    EXPECT_EQ(T.Deleted.size() + U.Deleted.size(), 3u);
}

TEST(TableForm, PopupMenuOffersTheBranchCommandsInOrder)
{
    TTable T;
    T.Show();
    T.Form->SetCurrentRow(2);
    TIds Opened;
    T.Form->OnEditBranch = [&](TDuctBranch* B) { Opened.push_back(B->Id()); };
    T.MenuPick = "Edit Branch";
    T.Form->ShowPopupMenu({});
    EXPECT_EQ(T.MenuItems, QStringList({"RA Duct", "-", "Edit Branch", "Delete Branch", "-", "Compact", "-",
                                        "Copy Text", "Copy CSV"}));
    EXPECT_EQ(Opened, TIds{2});
    T.MenuPick = "Copy CSV";
    T.Form->ShowPopupMenu({});
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(",Caption,\"Q,m³/s\""));
    // Compact: the id and name columns just fit.
    T.MenuPick = "Compact";
    T.Form->ShowPopupMenu({});
    EXPECT_TRUE(T.Form->Compact);
    EXPECT_EQ(T.Grid()->viewport()->width(), T.Grid()->ColWidth(TForm::ColName));
    T.MenuPick = "Delete Branch";
    T.Form->ShowPopupMenu({});
    EXPECT_EQ(T.Deleted, TIds{2});
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
    T.Store.WriteString(S, "loFlowFraction", "nan");
    T.Store.WriteFloat(S, "hiFlowFraction", 1.3);
    T.Create();
    const auto Look = [](const TTable& X) {
        const TForm& F = *X.Form;
        std::vector<double> V = {double(F.clCurrentRow), double(F.clCurrentCellText), double(F.clFixedSize),
                                 double(F.clIndexRun),   double(F.clFlowError),       double(F.clFlowWarning),
                                 F.loFlowFraction,       F.hiFlowFraction,            F.WarnFraction,
                                 double(F.Compact),      double(F.width())};
        for (int Col = 0; Col < TForm::ColumnCount; ++Col)
            V.push_back(X.Grid()->ColWidth(Col));
        return V;
    };
    const std::vector<double> Read = Look(T);
    EXPECT_EQ(std::vector<double>(Read.begin(), Read.begin() + 11),
              (std::vector<double>{0x123456, 0x800000, 0x0000CE, 0x386B3A, 0x0000CE, 0x00005E, 0.8, 1.3, 0.05, 1, 500}));
    EXPECT_EQ(Read[12], 150);

    T.Form->clIndexRun = 0x00FF00;
    T.Form->WarnFraction = 0.1;
    T.Grid()->SetColWidth(9, 70);
    T.Form->SaveSettings();
    TTable U;
    U.Store = T.Store;
    U.Create();
    EXPECT_EQ(Look(U), Look(T));
}

TEST(TableForm, LeavingTheWindowStoresTheEntryAndTellsTheMainWindow)
{
    TTable T;
    T.Show();
    T.Grid()->SetCurrentCell(TForm::ColLength, 2);
    T.Grid()->ShowEditor();
    TypeInto(T.Grid()->InplaceEditor(), "12");
    QWidget Other;
    TScriptedServices::Show(Other);
    EXPECT_EQ(T.Deactivations, 1);
    EXPECT_EQ(T.Network.FlowBranch(2)->Length, 12.0);
    EXPECT_EQ(T.Changes, 1);
    EXPECT_TRUE(T.Store.ValueExists("TableForm", "TableWidth"));
}

TEST(TableForm, UnitsChangedThereAndBackShowTheBranchValuesAgain)
{
    // Each column to a unit of coarser steps and back: the cells show what
    // the branches hold, not their rounded texts converted twice.
    const struct {
        int Col, Unit, Back;
    } Cases[] = {{TForm::ColLength, 1, 0}, {TForm::ColDiameter, 4, 2}, {TForm::ColWidth, 4, 2},
                 {TForm::ColHeight, 3, 2}, {TForm::ColFlow, 1, 0}};
    for (const auto& C : Cases) {
        TTable T;
        T.Network.DuctBranch(2)->Length = 4.0;
        T.Create();
        const QStringList Before = T.Column(C.Col);
        T.Grid()->SetUnitsValue(C.Col, C.Unit);
        T.Grid()->SetUnitsValue(C.Col, C.Back);
        EXPECT_EQ(T.Column(C.Col), Before) << C.Col;
    }
}
