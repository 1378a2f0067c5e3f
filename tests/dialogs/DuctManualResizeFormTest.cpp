#include "NodeAndSizeDialogsTestSupport.h"

#include "controls/FmtEdit.h"
#include "dialogs/DuctManualResizeForm.h"

#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct DuctManualResizeForm : testing::Test, TDialogFixture {
    TDuctManualResizeForm Form{Store};

    DuctManualResizeForm() { Show(Form); }
};

} // namespace

TEST_F(DuctManualResizeForm, LeavingAChangedEditChoosesItsMode)
{
    EXPECT_EQ(Form.edMain->text(), "500");
    EXPECT_EQ(Form.edOutlets->text(), "200");
    EXPECT_EQ(Form.edAspect->text(), "1.000");
    const struct {
        TFmtEdit* Edit;
        const char* Text;
        bool ByDiameter;
    } Cases[] = {
        {Form.edAspect, "0.5", false},
        {Form.edOutlets, "250", true},
        {Form.edAspect, "2", false},
        {Form.edMain, "400", true},
    };
    for (const auto& C : Cases) {
        Enter(C.Edit, C.Text);
        EXPECT_EQ(Form.ByDiameter(), C.ByDiameter) << C.Text;
    }
    // Passing through an edit without changing it changes nothing.
    QTest::mouseClick(Form.RBAspectRatio, Qt::LeftButton);
    Form.edOutlets->setFocus();
    Type("", Qt::Key_Tab);
    EXPECT_FALSE(Form.ByDiameter());
    EXPECT_DOUBLE_EQ(Form.MainDiameter(), 0.4);
    EXPECT_DOUBLE_EQ(Form.OutletDiameter(), 0.25);
    EXPECT_DOUBLE_EQ(Form.AspectRatio(), 2.0);
}

TEST_F(DuctManualResizeForm, AcceptTakesAnAspectTypedWithoutLeavingItsEdit)
{
    Enter(Form.edAspect, "0.5", Qt::Key_unknown);
    EXPECT_TRUE(Form.ByDiameter());
    QTest::mouseClick(Form.AcceptButton, Qt::LeftButton);
    EXPECT_EQ(Form.result(), mrOk);
    EXPECT_FALSE(Form.ByDiameter());
    ASSERT_TRUE(Form.ApplyTo(G));
    const TDuctBranch* Main = G.DuctBranch(2); // a rectangular duct
    EXPECT_DOUBLE_EQ(Main->Aspect, 0.5);
    EXPECT_NEAR(Main->DuctHeight / Main->DuctWidth, 0.5, 1e-9);
    EXPECT_EQ(G.DuctBranch(3)->Diameter, 0.0); // the fan
}

TEST_F(DuctManualResizeForm, DiametersGoToMainAndOutletDucts)
{
    Enter(Form.edMain, "450");
    Enter(Form.edOutlets, "160", Qt::Key_unknown);
    QTest::mouseClick(Form.AcceptButton, Qt::LeftButton);
    ASSERT_TRUE(Form.ApplyTo(G));
    EXPECT_DOUBLE_EQ(G.DuctBranch(5)->Diameter, 0.16); // its to-node is the outlet
    EXPECT_DOUBLE_EQ(G.DuctBranch(4)->Diameter, 0.45);
    EXPECT_DOUBLE_EQ(G.DuctBranch(1)->Diameter, 0.45); // an inlet's duct counts as main
    EXPECT_EQ(G.Status, ssNotSolved);

    EXPECT_EQ(Store.ReadInteger("DuctManualResizeForm", "UnitsMain", -1), 2);

    Show(Form);
    QTest::mouseClick(Form.CancelButton, Qt::LeftButton);
    EXPECT_EQ(Form.result(), mrCancel);
}

TEST_F(DuctManualResizeForm, ModalRunAnswersOkOrCancel)
{
    Form.hide();
    const struct {
        const char* Name;
        std::function<void()> Close;
        int Result;
    } Cases[] = {
        {"Accept", [this] { QTest::mouseClick(Form.AcceptButton, Qt::LeftButton); }, mrOk},
        {"Cancel", [this] { QTest::mouseClick(Form.CancelButton, Qt::LeftButton); }, mrCancel},
        {"Esc", [this] { QTest::keyClick(&Form, Qt::Key_Escape); }, mrCancel},
        {"window closed", [this] { Form.close(); }, mrCancel},
    };
    for (const auto& C : Cases) {
        QTimer::singleShot(0, &Form, C.Close);
        EXPECT_EQ(RunModal(Form), C.Result) << C.Name;
        EXPECT_FALSE(Form.isVisible()) << C.Name;
    }
}
