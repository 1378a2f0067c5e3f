#include "reports/RepSettingsForm.h"

#include "foundation/SettingsStore.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>

TEST(RepSettingsForm, ChoicesComeFromAndGoBackToTheSettings)
{
    struct TCase {
        const char* Graphic;  // stored text, or null when missing
        const char* Fittings;
        bool GraphicShown;
        bool FittingsShown;
    };
    for (const TCase Case : {TCase{nullptr, nullptr, true, true}, TCase{"0", "1", false, true},
                             TCase{"1", "0", true, false}}) {
        TMemorySettingsStore Store;
        if (Case.Graphic) {
            Store.WriteString("Settings", "RepGraphic", Case.Graphic);
            Store.WriteString("Settings", "RepFittings", Case.Fittings);
        }
        TRepSettingsForm Form(Store);
        EXPECT_EQ(Form.CBGraphic->isChecked(), Case.GraphicShown);
        EXPECT_EQ(Form.CBFittings->isChecked(), Case.FittingsShown);
        Form.show();
        Form.CBGraphic->click();
        Form.close();
        EXPECT_EQ(Store.ReadBool("Settings", "RepGraphic", Case.GraphicShown), !Case.GraphicShown);
        EXPECT_EQ(Store.ReadBool("Settings", "RepFittings", !Case.FittingsShown), Case.FittingsShown);
        EXPECT_TRUE(Store.ValueExists("RepSettingsForm", "Left"));
    }
}

TEST(RepSettingsForm, EscapeClosesItAndKeepsTheChoices)
{
    TMemorySettingsStore Store;
    TRepSettingsForm Form(Store);
    Form.show();
    Form.CBGraphic->setFocus();
    Form.CBGraphic->click();
    QTest::keyClick(Form.CBGraphic, Qt::Key_Escape);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_FALSE(Store.ReadBool("Settings", "RepGraphic", true));
}
