#include "controls/MessageBoxFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>

#include <gtest/gtest.h>

// A box with any text fits the screen with its button on it; only a text
// too long for the screen scrolls. (A list of 2,500 fitting codes once made
// a box 15,626 pixels tall.)
TEST(MessageBoxFit, EveryBoxStaysWithinTheScreenAndALongTextScrolls)
{
    const QRect Screen(0, 0, 1024, 700);
    const struct {
        const char* Scenario;
        QString Text;
        bool Scrolls;
    } Cases[] = {
        {"a short text", "The disk is full.", false},
        {"a few lines", QStringList(12, "Error writing file /tmp/x.vtx").join('\n'), false},
        {"thousands of lines", QStringList(3000, "Duct fitting inputs do not fit database").join('\n'), true},
        {"one endless line", QStringList(2500, "CD3-1,").join(' '), true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        QMessageBox Box;
        Box.setText(C.Text);
        Box.setStandardButtons(QMessageBox::Ok);
        KeepMessageBoxWithinScreen(Box, Screen);
        Box.show();
        QApplication::processEvents();
        EXPECT_LE(Box.frameGeometry().height(), Screen.height());
        EXPECT_LE(Box.frameGeometry().width(), Screen.width());
        const QAbstractButton* Ok = Box.button(QMessageBox::Ok);
        ASSERT_TRUE(Ok);
        EXPECT_TRUE(Box.rect().contains(QRect(Ok->mapTo(&Box, QPoint(0, 0)), Ok->size())));
        const auto* Scroll = Box.findChild<QScrollArea*>();
        ASSERT_EQ(Scroll != nullptr, C.Scrolls);
        if (Scroll) {
            EXPECT_GT(Scroll->verticalScrollBar()->maximum(), 0) << "the rest of the text is there to scroll to";
        }
        Box.close();
    }
}
