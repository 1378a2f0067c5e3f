#include "tools/AboutBoxDlg.h"

#include "controls/UiServices.h"
#include "controls/URLLabel.h"
#include "foundation/SettingsStore.h"
#include "tools/AboutBox.h"
#include "tools/PanelStatusBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>

#include <algorithm>

namespace {

constexpr const char* SettingsSection = "Settings";
constexpr const char* SplashIdent = "SplashScreen";

// How often the wait lets the splash repaint.
constexpr int SplashPollMs = 20;

// The product's name in a display face, or a narrow sans-serif like it.
const QStringList ProductFamilies{"Impact", "Liberation Sans Narrow", "DejaVu Sans Condensed"};
constexpr int ProductPointSize = 22;

QFont ProductNameFont()
{
    const QString Family =
        ProductFamily(ProductFamilies, IsInstalledTextFont,
                      QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    QFont Font(Family, ProductPointSize);
    Font.setStyleHint(QFont::SansSerif);
    return Font;
}

} // namespace

QString ProductFamily(const QStringList& Wanted, const std::function<bool(const QString&)>& IsTextFont,
                      const QString& Fallback)
{
    for (const QString& Family : Wanted)
        if (IsTextFont(Family))
            return Family;
    return Fallback;
}

bool IsInstalledTextFont(const QString& Family)
{
    return QFontDatabase::hasFamily(Family) &&
           QFontDatabase::writingSystems(Family).contains(QFontDatabase::Latin);
}

TAboutBoxDlg::TAboutBoxDlg(TSettingsStore& Settings, QObject* Parent)
    : QObject(Parent), ProductFont(ProductNameFont()), ProductFontColor(QApplication::palette().buttonText().color()),
      SplashScreen(Settings.ReadBool(SettingsSection, SplashIdent, false)), Settings(Settings)
{
}

TAboutBoxDlg::~TAboutBoxDlg() = default;

void TAboutBoxDlg::FillForm()
{
    TAboutBox& F = *FForm;
    QString Product = ProductName;
    if (Product.isEmpty())
        Product = QApplication::applicationDisplayName();
    F.setWindowTitle("About " + Product);
    F.ProductName->setText(Product);
    F.ProductName->setFont(ProductFont);
    QPalette Palette = F.ProductName->palette();
    Palette.setColor(QPalette::WindowText, ProductFontColor);
    F.ProductName->setPalette(Palette);
    F.DeveloperName->setText(DeveloperName);
    F.Version->setText("Version " + Version);
    F.CopyrightNotice->setText(Copyright);
    F.Description->setText(Description);
    F.Description->setVisible(!Description.isEmpty());
    F.EMailLabel->setText(EMail);
    F.EMailLabel->SetURL("mailto:" + EMail);
    F.WebLabel->setText(WebCaption);
    F.WebLabel->SetURL("http://" + WebURL);
    F.Comment->SetSimpleText(Comment);
    F.SetPicture(Picture, StretchPic);
    F.DetailMemo->clear();
    F.DetailMemo->setPlainText(DetailLines.join('\n'));
    // An empty memo would only be a blank box.
    F.DetailMemo->setVisible(ShowMemo && !DetailLines.isEmpty());
}

bool TAboutBoxDlg::Execute()
{
    FForm = std::make_unique<TAboutBox>();
    FillForm();
    TAboutBox& F = *FForm;
    if (SplashRequest) {
        SplashRequest = false;
        if (!SplashScreen) {
            FForm.reset();
            return false;
        }
        for (QWidget* W : {static_cast<QWidget*>(F.OKBtn), static_cast<QWidget*>(F.EMailLabel),
                           static_cast<QWidget*>(F.LEMail), static_cast<QWidget*>(F.WebLabel),
                           static_cast<QWidget*>(F.LWeb), static_cast<QWidget*>(F.CBSplash)})
            W->hide();
        F.Comment->show();
        // Whole seconds, measured from now (a clock of elapsed time, so
        // midnight changes nothing).
        FSplashLength = static_cast<qint64>(Interval / 1000) * 1000;
        FSplashClock.start();
        F.show();
        F.repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }
    F.OKBtn->show();
    F.EMailLabel->show();
    F.LEMail->show();
    F.CBSplash->show();
    F.CBSplash->setChecked(SplashScreen);
    F.LWeb->setVisible(ShowWebb);
    F.WebLabel->setVisible(ShowWebb);
    F.Comment->hide();
    // Afterwards, also when the run failed: the tick box is the switch.
    struct TAfterwards {
        TAboutBoxDlg& Dlg;
        ~TAfterwards()
        {
            Dlg.SplashScreen = Dlg.FForm->CBSplash->isChecked();
            Dlg.Settings.WriteBool(SettingsSection, SplashIdent, Dlg.SplashScreen);
            Dlg.FForm.reset();
        }
    } Afterwards{*this};
    return RunModal(F) == mrOk;
}

void TAboutBoxDlg::WaitSplash()
{
    if (!SplashScreen || !FForm)
        return;
    for (qint64 Left = FSplashLength - FSplashClock.elapsed(); Left > 0;
         Left = FSplashLength - FSplashClock.elapsed()) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(Left, SplashPollMs)));
    }
    FForm.reset();
}
