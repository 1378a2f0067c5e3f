#include "NodeAndSizeDialogsTestSupport.h"

#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "dialogs/DuctDiamForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct DuctDiamForm : testing::Test, TDialogFixture {
    TDuctDiamForm Form{Store};

    // A spiral duct of 200 mm given by its diameter and aspect 1.
    void Open()
    {
        Form.SetData(0, TEquivDiamTool::kdDiameter, false, TEquivDiamTool::kdAspect, 0.2, 0.183,
                     0.183, 1.0);
        Show(Form);
    }
    std::vector<QPalette::ColorRole> LabelRoles() const
    {
        std::vector<QPalette::ColorRole> Roles;
        for (const QLabel* L : {Form.LabelDe, Form.LabelH, Form.LabelW, Form.LabelA})
            Roles.push_back(L->foregroundRole());
        return Roles;
    }
};

constexpr QPalette::ColorRole Lit = QPalette::Link;
constexpr QPalette::ColorRole Plain = QPalette::WindowText;

} // namespace

TEST_F(DuctDiamForm, HeightAndWidthGiveDiameterAndAspect)
{
    Open();
    EXPECT_EQ(LabelRoles(), (std::vector{Lit, Plain, Plain, Lit}));
    QTest::mouseClick(Form.RBRectangular, Qt::LeftButton);
    Enter(Form.edH, "300");
    Enter(Form.edW, "600");
    EXPECT_EQ(Form.edDe->text(), "457.0");
    EXPECT_EQ(Form.edA->text(), "0.500");
    EXPECT_EQ(LabelRoles(), (std::vector{Plain, Lit, Lit, Plain}));

    QTest::mouseClick(Form.AcceptButton, Qt::LeftButton);
    EXPECT_EQ(Form.result(), mrOk);
    EXPECT_FALSE(Form.isVisible());
    int Type = -1, Known1 = -1, Known2 = -1;
    double D = 0, H = 0, W = 0, A = 0;
    bool Fixed = true;
    Form.GetData(Type, D, H, W, A, Known1, Known2, Fixed);
    EXPECT_EQ(Type, 1);
    EXPECT_NEAR(D, 0.457012, 5e-7);
    EXPECT_DOUBLE_EQ(H, 0.3);
    EXPECT_DOUBLE_EQ(W, 0.6);
    EXPECT_DOUBLE_EQ(A, 0.5);
    EXPECT_EQ(Known1, TEquivDiamTool::kdWidth);
    EXPECT_EQ(Known2, TEquivDiamTool::kdHeight);
    EXPECT_FALSE(Fixed);
}

TEST_F(DuctDiamForm, AcceptTakesAValueTypedWithoutLeavingItsEdit)
{
    Open();
    QTest::mouseClick(Form.RBRectangular, Qt::LeftButton);
    Enter(Form.edW, "600");
    Enter(Form.edH, "250", Qt::Key_unknown);
    QTest::mouseClick(Form.AcceptButton, Qt::LeftButton);
    EXPECT_EQ(Form.result(), mrOk);
    EXPECT_DOUBLE_EQ(Form.Height, 0.25);
    EXPECT_DOUBLE_EQ(Form.Width, 0.6);
    EXPECT_EQ(Form.Known1, TEquivDiamTool::kdHeight);
}

TEST_F(DuctDiamForm, AnEntryOutOfRangeKeepsTheDialogOpenAtTheLimit)
{
    Open();
    Enter(Form.edDe, "20000", Qt::Key_unknown);
    QTest::mouseClick(Form.AcceptButton, Qt::LeftButton);
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Services.Beeps, 1);
    EXPECT_EQ(Form.edDe->text(), "10000.0");
    QTest::mouseClick(Form.AcceptButton, Qt::LeftButton);
    EXPECT_EQ(Form.result(), mrOk);
    EXPECT_DOUBLE_EQ(Form.Diameter, 10.0);
}

TEST_F(DuctDiamForm, SpiralShowsOnlyTheDiameterAndCancelKeepsTheValues)
{
    Form.SetData(1, TEquivDiamTool::kdHeight, true, TEquivDiamTool::kdWidth, 0.4, 0.3, 0.5, 0.6);
    Show(Form);
    EXPECT_TRUE(Form.RBRectangular->isChecked());
    EXPECT_TRUE(Form.cbSizeFixed->isChecked());
    QTest::mouseClick(Form.RBSpiral, Qt::LeftButton);
    EXPECT_EQ(Form.DuctType, 0);
    for (const TFmtEdit* Edit : {Form.edH, Form.edW, Form.edA})
        EXPECT_FALSE(Edit->isEnabled());
    EXPECT_TRUE(Form.edDe->isEnabled());
    EXPECT_EQ(Form.edH->text(), "300.0");
    Enter(Form.edDe, "350");
    QTest::mouseClick(Form.CancelButton, Qt::LeftButton);
    EXPECT_EQ(Form.result(), mrCancel);
    EXPECT_DOUBLE_EQ(Form.Diameter, 0.4);
}

TEST_F(DuctDiamForm, UnitsOfHeightOrWidthAreReportedAndKept)
{
    Open();
    Services.PickedUnit = 0; // metres
    QTest::mouseClick(Form.UnitsDe, Qt::LeftButton);
    EXPECT_FALSE(Form.UnitsLabelClicked); // the diameter's unit is the dialog's own
    QTest::mouseClick(Form.UnitsW, Qt::LeftButton);
    EXPECT_TRUE(Form.UnitsLabelClicked);
    EXPECT_EQ(Form.UnitsW->text(), "m");
    EXPECT_EQ(Form.edW->text(), "0.183");
    QTest::mouseClick(Form.CancelButton, Qt::LeftButton);

    TDuctDiamForm Again(Store);
    EXPECT_EQ(Again.edW->UnitsValue(), 0);
    EXPECT_EQ(Again.edDe->UnitsValue(), 0);
    EXPECT_EQ(Again.edH->UnitsValue(), 2);
    Again.SetData(0, 0, false, 3, 0.2, 0.183, 0.183, 1.0);
    Show(Again);
    EXPECT_FALSE(Again.UnitsLabelClicked);
}

TEST_F(DuctDiamForm, TheStatusBarShowsTheHintUnderThePointer)
{
    Open();
    ASSERT_NE(Form.StatusBar, nullptr);
    EXPECT_TRUE(Form.StatusBar->isVisible());
    QEnterEvent Enter(QPointF(2, 2), QPointF(2, 2), Form.UnitsH->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(Form.UnitsH, &Enter);
    EXPECT_EQ(Form.StatusBar->currentMessage(), "Click to change the units");
    QEvent Leave(QEvent::Leave);
    QApplication::sendEvent(Form.UnitsH, &Leave);
    EXPECT_EQ(Form.StatusBar->currentMessage(), "");
}
