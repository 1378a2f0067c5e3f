// The label content dialog: the texts it composes from the boxes, sizes of
// round and rectangular ducts, units, reset and the settings it keeps; and
// the category pictures of fitting codes.

#include "BranchAndLabelsTestSupport.h"

#include "dialogs/DuctLabelsDlg.h"
#include "dialogs/FittingImages.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace bltest;

TEST(DuctLabelsDlg, DefaultTextsOfADuctAndANode)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TOneDuct Net;
    Net.G.FlowNode(3)->RelPressure = -12.4;
    TDuctLabelsDlg Dlg(Store);
    EXPECT_EQ(Dlg.BranchLabelText(*Net.B), "1 Spiral ");
    EXPECT_EQ(Dlg.BranchHintText(*Net.B), "0.300 m³/s 200.0 mm ");
    EXPECT_EQ(Dlg.NodeLabelText(*Net.G.FlowNode(3)), "3 ");
    EXPECT_EQ(Dlg.NodeHintText(*Net.G.FlowNode(3)), "-12 Pa ");
    EXPECT_FALSE(Dlg.BranchLabelShowsData());
    EXPECT_FALSE(Dlg.NodeLabelShowsRelP());
    EXPECT_EQ(Dlg.BranchDescription(*Net.B), "Spiral duct: 200.0 mm");
}

TEST(DuctLabelsDlg, SizesOfRoundAndRectangularDucts)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TOneDuct Net;
    TDuctLabelsDlg Dlg(Store);
    for (QCheckBox* Box : Dlg.BranchLabelBoxes)
        Box->setChecked(false);
    Dlg.BranchLabelBoxes[biDiameter]->setChecked(true);
    Dlg.BranchLabelBoxes[biDims]->setChecked(true);
    EXPECT_EQ(Dlg.BranchLabelText(*Net.B), "200.0 mm ") << "a round duct's size is shown once";
    EXPECT_TRUE(Dlg.BranchLabelShowsData());

    TDuctBranch& B = *Net.B;
    B.DuctType = dtRect;
    B.DuctWidth = 0.6;
    B.DuctHeight = 0.3;
    B.Diameter = 0.4;
    const struct {
        bool Diameter, Dims;
        const char* Text;
    } Cases[] = {{false, true, "600.0 mm X 300.0 mm "},
                 {true, false, "400.0 mm "},
                 {true, true, "400.0 mm 600.0 mm X 300.0 mm "}};
    for (const auto& C : Cases) {
        Dlg.BranchLabelBoxes[biDiameter]->setChecked(C.Diameter);
        Dlg.BranchLabelBoxes[biDims]->setChecked(C.Dims);
        EXPECT_EQ(Dlg.BranchLabelText(B), C.Text);
    }
    EXPECT_EQ(Dlg.BranchDescription(B), "Rectangular duct: 600.0 mm X 300.0 mm");

    // Other units, as the windows that show the quantities use them.
    Dlg.SetUnitsSource([](TLabelQuantity Q) { return Q == lqWidth || Q == lqHeight ? 0 : 3; });
    EXPECT_EQ(Dlg.BranchLabelText(B), "15.75 inch 0.600 m X 0.300 m ");
    Dlg.BranchLabelBoxes[biVolume]->setChecked(true);
    EXPECT_EQ(Dlg.BranchLabelText(B).substr(0, 8), "300 l/s ");
}

TEST(DuctLabelsDlg, ResetRestoresTheDefaultsAndCloseKeepsTheBoxes)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    {
        TDuctLabelsDlg Dlg(Store);
        Dlg.BranchLabelBoxes[biCaption]->setChecked(false);
        Dlg.BranchLabelBoxes[biLength]->setChecked(true);
        Dlg.NodeLabelBoxes[niRelPressure]->setChecked(true);
        Dlg.NodeHintBoxes[niRelPressure]->setChecked(false);
        Dlg.CloseButton->click();
    }
    EXPECT_FALSE(Store.ReadBool("DuctLabelsDlg", "BranchLabelCapt", true));
    EXPECT_TRUE(Store.ReadBool("DuctLabelsDlg", "BranchLabelLen", false));
    EXPECT_TRUE(Store.ReadBool("DuctLabelsDlg", "NodeLabelRelP", false));
    TDuctLabelsDlg Dlg(Store);
    EXPECT_TRUE(Dlg.NodeLabelShowsRelP()) << "read back at creation";
    EXPECT_TRUE(Dlg.BranchLabelShowsData());
    Dlg.ResetButton->click();
    EXPECT_EQ(Dlg.Choice(), TLabelChoice::Defaults());
    EXPECT_TRUE(Dlg.BranchLabelBoxes[biCaption]->isChecked());
    EXPECT_TRUE(Dlg.BranchHintBoxes[biVolume]->isChecked() && Dlg.BranchHintBoxes[biDims]->isChecked());
    EXPECT_TRUE(Dlg.NodeLabelBoxes[niId]->isChecked() && Dlg.NodeHintBoxes[niRelPressure]->isChecked());
}

TEST(FittingImages, CategoryOfACode)
{
    const struct {
        const char* Code;
        int Index;
    } Cases[] = {{"SD3-1", 2},  {"CD10-1", 9}, {"CR12-1", 0}, {"SD99999999999-1", 0}, {"SD", 0},
                 {"ED1-1", 1},  {"SR2-1", 1},  {"CD9-1", 8},  {"SD-1", 0},             {"SD03-1", 2},
                 {"ER5-1-2", 4}};
    for (const auto& C : Cases)
        EXPECT_EQ(FittingImageIndex(C.Code), C.Index) << C.Code;
    EXPECT_FALSE(FittingCategoryIcon(9).isNull());
    EXPECT_EQ(FittingCategoryIcon(42).cacheKey(), FittingCategoryIcon(0).cacheKey());
}
