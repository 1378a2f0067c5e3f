#include "platform/FormPlacement.h"

#include "foundation/SettingsStore.h"
#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QWidget>

namespace {

QRect ScreenArea(const QWidget& Form)
{
    return Form.screen()->virtualGeometry();
}

} // namespace

TEST(FormPlacement, RestoreKeepsTheWindowOnScreen)
{
    TMemorySettingsStore Store;
    QWidget Form;
    Form.setObjectName("TableForm");
    Form.move(10, 20);
    Form.resize(300, 200);
    const QRect Screen = ScreenArea(Form);

    Store.WriteInteger("TableForm", "Left", 5000);
    Store.WriteInteger("TableForm", "Top", -30);
    Store.WriteInteger("TableForm", "Width", 420);
    Store.WriteInteger("TableForm", "Height", 250);
    RestoreFormPlacement(Store, &Form, false, false);
    EXPECT_EQ(Form.x(), Screen.x() + Screen.width() - 200);
    EXPECT_EQ(Form.y(), Screen.y());
    EXPECT_EQ(Form.size(), QSize(300, 200));  // size only when asked

    RestoreFormPlacement(Store, &Form, false, true);
    EXPECT_EQ(Form.size(), QSize(420, 250));
    EXPECT_FALSE(Form.isVisible());
}

TEST(FormPlacement, SaveAndRestoreRoundTrip)
{
    TMemorySettingsStore Store;
    {
        QWidget Form;
        Form.setObjectName("FittingsForm");
        Form.move(40, 60);
        Form.resize(333, 222);
        Form.show();
        SaveFormPlacement(Store, &Form);
    }
    EXPECT_EQ(Store.ReadInteger("FittingsForm", "Left", -1), 40);
    EXPECT_EQ(Store.ReadInteger("FittingsForm", "Width", -1), 333);
    EXPECT_TRUE(Store.ReadBool("FittingsForm", "Visible", false));
    EXPECT_EQ(Store.ReadInteger("FittingsForm", "WinState", -1), 0);

    QWidget Again;
    Again.setObjectName("FittingsForm");
    RestoreFormPlacement(Store, &Again, true, true);
    EXPECT_EQ(Again.pos(), QPoint(40, 60));
    EXPECT_EQ(Again.size(), QSize(333, 222));
    EXPECT_TRUE(Again.isVisible());
}

TEST(FormPlacement, MaximisedStateAndDefaults)
{
    TMemorySettingsStore Store;
    QWidget Form;
    Form.setObjectName("MainForm");
    Form.move(15, 25);
    Form.resize(320, 240);
    Form.setWindowState(Qt::WindowMaximized);
    SaveFormPlacement(Store, &Form);
    EXPECT_EQ(Store.ReadInteger("MainForm", "WinState", -1), 2);

    QWidget Again;
    Again.setObjectName("MainForm");
    RestoreFormPlacement(Store, &Again, false, true);
    EXPECT_TRUE(Again.windowState() & Qt::WindowMaximized);

    // Nothing stored: the window keeps what it has; nonsense sizes are ignored.
    QWidget Fresh;
    Fresh.setObjectName("NodeDialog");
    Fresh.move(30, 40);
    Fresh.resize(200, 100);
    Store.WriteInteger("NodeDialog", "Width", -5);
    Store.WriteString("NodeDialog", "WinState", "zoomed");
    RestoreFormPlacement(Store, &Fresh, false, true);
    EXPECT_EQ(Fresh.pos(), QPoint(30, 40));
    EXPECT_EQ(Fresh.size(), QSize(200, 100));
    EXPECT_EQ(Fresh.windowState(), Qt::WindowNoState);
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
    EXPECT_EQ(Restored.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(Restored.pointSize(), 13);
    EXPECT_TRUE(Restored.bold());
    EXPECT_FALSE(Restored.italic());
    EXPECT_TRUE(Restored.underline());
    EXPECT_EQ(Color, QColor(10, 20, 30));

    // A missing section leaves the font alone; a silly size is ignored.
    QFont Kept(QStringLiteral("Sans"), 9);
    QColor KeptColor(Qt::red);
    Store.WriteInteger("Bad", "Size", 100000);
    RestoreFont(Store, "Bad", Kept, KeptColor);
    EXPECT_EQ(Kept.family(), QStringLiteral("Sans"));
    EXPECT_EQ(Kept.pointSize(), 9);
    EXPECT_EQ(KeptColor, QColor(Qt::red));
}
