#include "ControlsTestSupport.h"

#include "controls/KeyNavigation.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

// Two numeric edits, a combo box, a memo taking Enter, a table and OK.
struct TNavigationDialog {
    TRecordingServices Services;
    QDialog Dialog;
    TFmtEdit* First = new TFmtEdit(&Dialog);
    TFmtEdit* Second = new TFmtEdit(&Dialog);
    QComboBox* Combo = new QComboBox(&Dialog);
    QPlainTextEdit* Memo = new QPlainTextEdit(&Dialog);
    QTableWidget* Table = new QTableWidget(2, 2, &Dialog);
    QPushButton* Ok = new QPushButton("OK", &Dialog);

    explicit TNavigationDialog(bool Extended)
    {
        auto* Layout = new QVBoxLayout(&Dialog);
        for (QWidget* W : std::initializer_list<QWidget*>{First, Second, Combo, Memo, Table, Ok})
            Layout->addWidget(W);
        Combo->addItems({"Spiral", "Rect", "None"});
        Table->setCurrentCell(0, 0);
        Ok->setDefault(true);
        QObject::connect(Ok, &QPushButton::clicked, &Dialog, &QDialog::accept);
        new TKeyNavigation(&Dialog, Extended);
        TScriptedUiServices::Show(Dialog);
    }

    QWidget* Press(QWidget* From, Qt::Key Key)
    {
        From->setFocus();
        QTest::keyClick(From, Key);
        QApplication::processEvents();
        return Dialog.focusWidget();
    }
};

} // namespace

TEST(KeyNavigation, EnterAndDownMoveOnUpMovesBackWithinTheDialog)
{
    TNavigationDialog D(true);
    const struct {
        const char* Name;
        QWidget* From;
        Qt::Key Key;
        QWidget* To;
    } Cases[] = {
        {"Enter in an edit", D.First, Qt::Key_Return, D.Second},
        {"Down in an edit", D.First, Qt::Key_Down, D.Second},
        {"Up in an edit", D.Second, Qt::Key_Up, D.First},
        {"Enter in a combo", D.Combo, Qt::Key_Enter, D.Memo},
        {"Down in a combo", D.Combo, Qt::Key_Down, D.Combo},
        {"Enter in a memo", D.Memo, Qt::Key_Return, D.Memo},
        {"Up in a memo", D.Memo, Qt::Key_Up, D.Memo},
        {"Down in a grid", D.Table, Qt::Key_Down, D.Table},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(D.Press(C.From, C.Key), C.To) << C.Name;
        EXPECT_TRUE(D.Dialog.isVisible()) << C.Name;
    }
    EXPECT_TRUE(D.Dialog.isVisible()); // Enter never reached the default button
    EXPECT_EQ(D.Combo->currentIndex(), 1);
    EXPECT_EQ(D.Memo->toPlainText(), "\n");
    EXPECT_EQ(D.Table->currentRow(), 1);
    // Enter in a grid (or its cell editor) is the grid's.
    auto* CellEditor = new QLineEdit(D.Table->viewport());
    for (QWidget* InGrid : std::initializer_list<QWidget*>{D.Table, CellEditor}) {
        int Key = Qt::Key_Return;
        FormKeyNavigateEx(&D.Dialog, Key, InGrid);
        EXPECT_EQ(Key, Qt::Key_Return);
    }
    // A memo that leaves Enter to the dialog passes it on.
    D.Memo->setProperty(WantReturnsProperty, false);
    EXPECT_EQ(D.Press(D.Memo, Qt::Key_Return), D.Table);
    // A focused button is pressed with Enter.
    D.Press(D.Ok, Qt::Key_Return);
    EXPECT_EQ(D.Dialog.result(), QDialog::Accepted);
}

TEST(KeyNavigation, ARefusedEntryKeepsTheFocusAndTheKey)
{
    TNavigationDialog D(true);
    D.First->SetRangeLo(10);
    D.First->SetRangeHi(100);
    D.First->setFocus();
    D.First->selectAll();
    QTest::keyClicks(D.First, "250");
    EXPECT_EQ(D.Press(D.First, Qt::Key_Return), D.First);
    EXPECT_EQ(D.First->text(), "100.0");
    EXPECT_EQ(D.Services.Beeps, 1);
    EXPECT_EQ(D.Press(D.First, Qt::Key_Return), D.Second);
    EXPECT_EQ(D.Services.Beeps, 1);
}

TEST(KeyNavigation, PlainNavigationServesOnlyEdits)
{
    TNavigationDialog D(false);
    EXPECT_EQ(D.Press(D.First, Qt::Key_Down), D.Second);
    EXPECT_EQ(D.Press(D.Second, Qt::Key_Up), D.First);
    EXPECT_EQ(D.Press(D.Memo, Qt::Key_Return), D.Memo);
    // A combo box is left to itself: Enter reaches the dialog.
    D.Press(D.Combo, Qt::Key_Return);
    EXPECT_EQ(D.Dialog.result(), QDialog::Accepted);
}
