#include "ToolsTestSupport.h"

#include "tools/RoughnessForm.h"

#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(RoughnessForm, TheChosenClassIsTakenOnlyWhenAccepted)
{
    enum TEnd { Accept, DoubleClick, Enter, Escape, CancelButton, CloseBox };
    const struct {
        int Row;
        TEnd End;
        int Result;
        double Roughness;
    } Cases[] = {
        {2, Accept, mrOk, 0.15},     {2, DoubleClick, mrOk, 0.15},    {0, Enter, mrOk, 0.03},
        {4, Escape, mrCancel, 3.0},  {3, CancelButton, mrCancel, 0.9}, {1, CloseBox, mrCancel, 0.09},
        {-1, Accept, mrCancel, 0.0}, {-1, Enter, mrCancel, 0.0},
    };
    TToolServices Services;
    TMemorySettingsStore Settings;
    for (const auto& C : Cases) {
        TRoughnessForm Form(Settings);
        EXPECT_EQ(Form.windowTitle(), "Duct roughness");
        Services.OnModal = [&](QDialog&) {
            Form.SelectRow(C.Row);
            QTreeWidget* List = Form.ListView1;
            switch (C.End) {
            case Accept: Form.AcceptButton->click(); break;
            case DoubleClick: {
                const QPoint At = List->visualItemRect(List->topLevelItem(C.Row)).center();
                QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, At);
                QTest::mouseDClick(List->viewport(), Qt::LeftButton, {}, At);
                break;
            }
            case Enter: QTest::keyClick(List, Qt::Key_Return); break;
            case Escape: QTest::keyClick(List, Qt::Key_Escape); break;
            case CancelButton: Form.CancelButton->click(); break;
            case CloseBox: Form.close(); break;
            }
            return Form.ModalResult();
        };
        EXPECT_EQ(RunModal(Form), C.Result) << C.Row << " " << C.End;
        EXPECT_DOUBLE_EQ(Form.GetRoughness(), C.Roughness) << C.Row;
    }
    // The placement was kept by each window that went.
    EXPECT_TRUE(Settings.ValueExists("RoughnessForm", "Width"));
}
