#include "platform/FormPlacement.h"

#include "foundation/SettingsStore.h"
#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QWidget>

namespace {

// A window whose object name is its settings section.
struct TForm : QWidget {
    explicit TForm(const char* Name, QRect Geometry = {0, 0, 100, 100})
    {
        setObjectName(Name);
        move(Geometry.topLeft());
        resize(Geometry.size());
    }
};

} // namespace

// A stored place off the screen is brought back onto it; the size only when asked.
TEST(FormPlacement, RestoreKeepsTheWindowOnScreen)
{
    TMemorySettingsStore Store;
    TForm Form("TableForm", {10, 20, 300, 200});
    const QRect Screen = Form.screen()->virtualGeometry();
    for (const auto& [Key, Value] : {std::pair{"Left", 5000}, {"Top", -30}, {"Width", 420}, {"Height", 250}})
        Store.WriteInteger("TableForm", Key, Value);
    RestoreFormPlacement(Store, &Form, false, false);
    EXPECT_EQ(QRect(Form.pos(), Form.size()), QRect(Screen.x() + Screen.width() - 200, Screen.y(), 300, 200));
    RestoreFormPlacement(Store, &Form, false, true);
    EXPECT_EQ(Form.size(), QSize(420, 250));
    EXPECT_FALSE(Form.isVisible());
}

TEST(FormPlacement, SaveAndRestoreRoundTrip)
{
    TMemorySettingsStore Store;
    TForm Form("FittingsForm", {40, 60, 333, 222});
    Form.show();
    SaveFormPlacement(Store, &Form);
    Form.hide();
    EXPECT_EQ(std::pair(Store.ReadInteger("FittingsForm", "Left", -1), Store.ReadInteger("FittingsForm", "Width", -1)),
              std::pair(40, 333));
    EXPECT_EQ(Store.ReadInteger("FittingsForm", "WinState", -1), 0);
    TForm Again("FittingsForm");
    RestoreFormPlacement(Store, &Again, true, true);
    EXPECT_EQ(QRect(Again.pos(), Again.size()), QRect(40, 60, 333, 222));
    EXPECT_TRUE(Again.isVisible());
}

TEST(FormPlacement, MaximisedStateAndDefaults)
{
    TMemorySettingsStore Store;
    TForm Form("MainForm", {15, 25, 320, 240});
    Form.setWindowState(Qt::WindowMaximized);
    SaveFormPlacement(Store, &Form);
    EXPECT_EQ(Store.ReadInteger("MainForm", "WinState", -1), 2);
    TForm Again("MainForm");
    RestoreFormPlacement(Store, &Again, false, true);
    EXPECT_TRUE(Again.windowState() & Qt::WindowMaximized);

    // Nothing stored: the window keeps what it has; nonsense sizes are ignored.
    TForm Fresh("NodeDialog", {30, 40, 200, 100});
    Store.WriteInteger("NodeDialog", "Width", -5);
    Store.WriteString("NodeDialog", "WinState", "zoomed");
    RestoreFormPlacement(Store, &Fresh, false, true);
    EXPECT_EQ(QRect(Fresh.pos(), Fresh.size()), QRect(30, 40, 200, 100));
    EXPECT_EQ(Fresh.windowState(), Qt::WindowNoState);

    // A window never placed stays unmoved, so a dialog opens over its owner.
    QWidget Owner;
    QWidget Dialog(&Owner, Qt::Dialog);
    Dialog.setObjectName("FittingDialog");
    RestoreFormPlacement(Store, &Dialog, false, true);
    EXPECT_FALSE(Dialog.testAttribute(Qt::WA_Moved));
}

TEST(FormPlacement, FontRoundTrip)
{
    TMemorySettingsStore Store;
    QFont Font(QStringLiteral("Liberation Serif"), 13);
    Font.setBold(true);
    Font.setUnderline(true);
    SaveFont(Store, "Report", Font, QColor(10, 20, 30));
    EXPECT_EQ(Store.ReadInteger("Report", "Color", 0), 0x1E140A);
    EXPECT_EQ(Store.ReadInteger("Report", "Style", 0), 1 | 4);

    QFont Restored(QStringLiteral("Sans"), 8);
    Restored.setItalic(true);
    QColor Color(Qt::white);
    RestoreFont(Store, "Report", Restored, Color);
    EXPECT_EQ(Restored, Font);
    EXPECT_EQ(Color, QColor(10, 20, 30));

    // A missing section leaves the font alone; a silly size is ignored.
    Store.WriteInteger("Bad", "Size", 100000);
    RestoreFont(Store, "Bad", Restored, Color);
    EXPECT_EQ(Restored, Font);
    EXPECT_EQ(Color, QColor(10, 20, 30));
}
