#include "ToolsTestSupport.h"

#include "controls/URLLabel.h"
#include "tools/AboutBox.h"
#include "tools/AboutBoxDlg.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(AboutBoxDlg, WithTheSplashOffNothingShowsAndNothingWaits)
{
    TMemorySettingsStore Settings;
    TAboutBoxDlg Dlg(Settings);
    EXPECT_FALSE(Dlg.SplashScreen);
    Dlg.SplashRequest = true;
    EXPECT_FALSE(Dlg.Execute());
    EXPECT_EQ(Dlg.Form(), nullptr);
    EXPECT_FALSE(Dlg.SplashRequest);
    QElapsedTimer Clock;
    Clock.start();
    Dlg.WaitSplash();
    EXPECT_LT(Clock.elapsed(), 100);
}

TEST(AboutBoxDlg, TheSplashStaysForItsWholeSecondsThenGoes)
{
    TMemorySettingsStore Settings;
    Settings.WriteBool("Settings", "SplashScreen", true);
    TAboutBoxDlg Dlg(Settings);
    Dlg.Interval = 1900; // whole seconds: one
    Dlg.SplashRequest = true;
    QElapsedTimer Clock;
    Clock.start();
    EXPECT_TRUE(Dlg.Execute());
    ASSERT_NE(Dlg.Form(), nullptr);
    EXPECT_TRUE(Dlg.Form()->isVisible());
    EXPECT_FALSE(Dlg.Form()->OKBtn->isVisibleTo(Dlg.Form()));
    EXPECT_FALSE(Dlg.Form()->CBSplash->isVisibleTo(Dlg.Form()));
    Dlg.WaitSplash();
    EXPECT_GE(Clock.elapsed(), 1000);
    EXPECT_LT(Clock.elapsed(), 1800);
    EXPECT_EQ(Dlg.Form(), nullptr);
}

TEST(AboutBoxDlg, TheAboutBoxShowsItsTextsAndItsTickBoxIsTheSwitch)
{
    TToolServices Services;
    TMemorySettingsStore Settings;
    Settings.WriteBool("Settings", "SplashScreen", true);
    TAboutBoxDlg Dlg(Settings);
    Dlg.ProductName = "";
    Dlg.Version = "2.4.0.0";
    Dlg.DetailLines = {"Licensed to: Test"};
    QApplication::setApplicationDisplayName("Ventrix");
    Services.OnModal = [&](QDialog& D) {
        auto& Box = static_cast<TAboutBox&>(D);
        EXPECT_EQ(Box.windowTitle(), "About Ventrix");
        EXPECT_EQ(Box.Version->text(), "Version 2.4.0.0");
        EXPECT_EQ(Box.EMailLabel->URL(), "mailto:" + Dlg.EMail);
        EXPECT_EQ(Box.WebLabel->URL(), "http://" + Dlg.WebURL);
        EXPECT_FALSE(Box.WebLabel->isVisibleTo(&Box)); // ShowWebb is off
        EXPECT_TRUE(Box.CBSplash->isChecked());
        Box.EMailLabel->setFocus();
        QTest::mouseClick(Box.EMailLabel, Qt::LeftButton);
        Box.CBSplash->setChecked(false);
        Box.OKBtn->click();
        return D.result() == QDialog::Accepted ? int(mrOk) : int(mrCancel);
    };
    EXPECT_TRUE(Dlg.Execute());
    EXPECT_EQ(Services.Opened, QStringList{"mailto:" + Dlg.EMail});
    EXPECT_FALSE(Dlg.SplashScreen);
    EXPECT_FALSE(Settings.ReadBool("Settings", "SplashScreen", true));
    EXPECT_EQ(Dlg.Form(), nullptr);
}

TEST(AboutBoxDlg, TheProductNameIsWrittenInAnInstalledTextFont)
{
    const QStringList Wanted{"Impact", "Narrow Sans"};
    const struct {
        QStringList TextFonts; // installed, with Latin letters
        QString Family;
    } Cases[] = {{{"Narrow Sans", "Impact"}, "Impact"}, {{"Narrow Sans"}, "Narrow Sans"}, {{}, "General"}};
    for (const auto& C : Cases)
        EXPECT_EQ(ProductFamily(Wanted, [&](const QString& F) { return C.TextFonts.contains(F); }, "General"),
                  C.Family);
    TMemorySettingsStore Settings;
    const TAboutBoxDlg Dlg(Settings);
    EXPECT_TRUE(QFontDatabase::writingSystems(QFontInfo(Dlg.ProductFont).family()).contains(QFontDatabase::Latin));
}
