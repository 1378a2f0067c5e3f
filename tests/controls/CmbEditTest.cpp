#include "ControlsTestSupport.h"

#include "controls/CmbEdit.h"

#include <QPainter>

#include <gtest/gtest.h>

TEST(CmbEdit, TheButtonSinksWhileHeldAndClicksOnlyWhenReleasedOverIt)
{
    const struct {
        const char* Name;
        bool Enabled;
        QPoint Release; // in the button
        int Clicks;
    } Cases[] = {{"over it", true, {5, 5}, 1},
                 {"moved off", true, {-30, 5}, 0},
                 {"disabled", false, {5, 5}, 0}};
    for (const auto& C : Cases) {
        TCmbEdit Cmb;
        Cmb.show();
        Cmb.SetButtonEnabled(C.Enabled);
        std::vector<TCmbEdit*> Senders;
        Cmb.OnButtonClick = [&](TCmbEdit* Sender) { Senders.push_back(Sender); };
        QTest::mousePress(Cmb.Button(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(Cmb.Button()->frameShadow(), C.Enabled ? QFrame::Sunken : QFrame::Raised) << C.Name;
        QTest::mouseRelease(Cmb.Button(), Qt::LeftButton, {}, C.Release);
        EXPECT_EQ(Cmb.Button()->frameShadow(), QFrame::Raised) << C.Name;
        EXPECT_EQ(Senders, std::vector<TCmbEdit*>(C.Clicks, &Cmb)) << C.Name;
    }
}

TEST(CmbEdit, TheControlsPropertiesAreTheEdits)
{
    TRecordingServices Services;
    TCmbEdit Cmb;
    EXPECT_EQ(Cmb.size(), QSize(121, 21));
    Cmb.SetUnitsType(utLengthBig);
    Cmb.SetUnitsValue(1);
    Cmb.SetRangeLo(0);
    Cmb.SetRangeHi(100);
    Cmb.SetValue(10);
    EXPECT_EQ(Cmb.Text(), "32.8");
    Cmb.Edit()->setText("400");
    Cmb.Edit()->SetModified(true);
    EXPECT_FALSE(Cmb.AcceptEdit());
    EXPECT_EQ(Cmb.Text(), "328.1");
    EXPECT_EQ(Services.Beeps, 1);
    EXPECT_NEAR(Cmb.GetValue().toDouble(), 100, 0.01);
}

TEST(CmbEdit, ATransparentPictureShowsTheButtonThroughItsBottomLeftColour)
{
    QImage Picture(8, 8, QImage::Format_RGB32);
    Picture.fill(Qt::blue);
    Picture.setPixelColor(0, 7, Qt::red); // the transparent colour
    Picture.setPixelColor(0, 0, Qt::red);
    TPicPanel Panel;
    Panel.resize(8, 8);
    Panel.setFrameShape(QFrame::NoFrame);
    Panel.setAutoFillBackground(true);
    Panel.setPalette(QPalette(Qt::green));
    Panel.SetPicture(QPixmap::fromImage(Picture));
    for (const bool Transparent : {false, true}) {
        Panel.SetTransparent(Transparent);
        const QImage Shown = Panel.grab().toImage();
        EXPECT_EQ(Shown.pixelColor(0, 0), Transparent ? QColor(Qt::green) : QColor(Qt::red));
        EXPECT_EQ(Shown.pixelColor(4, 4), QColor(Qt::blue));
    }
}
