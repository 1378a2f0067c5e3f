#pragma once
// Fills and shows the about box, or shows it as the splash screen while the
// program starts. Whether the splash shows is the user's choice, kept in
// the settings ("Settings", "SplashScreen") and changed in the about box.

#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class TAboutBox;
class TSettingsStore;

// The family the product's name is written in: the first of Wanted that is
// installed as a text font (IsTextFont: it writes Latin letters), else
// Fallback. A family that is not installed is never asked for by name: the
// desktop would put whatever it matches in its place, a font of symbols
// among them.
QString ProductFamily(const QStringList& Wanted, const std::function<bool(const QString&)>& IsTextFont,
                      const QString& Fallback);
// Whether the font database holds Family as a font with Latin letters.
bool IsInstalledTextFont(const QString& Family);

class TAboutBoxDlg : public QObject {
    Q_OBJECT

public:
    // Reads the splash switch from the settings.
    explicit TAboutBoxDlg(TSettingsStore& Settings, QObject* Parent = nullptr);
    ~TAboutBoxDlg() override;

    QString DeveloperName = "Brellamonte";
    // Empty: the application's title.
    QString ProductName = "Brellamonte Engineering Software";
    QFont ProductFont;
    QColor ProductFontColor;
    QString Version = "1.0.0.0";
    QString Copyright = "Copyright \u00A9 Brellamonte. All rights reserved.";
    QString Description;
    QString EMail = "support@brellamonte.example";
    QString WebCaption = "www.brellamonte.example";
    QString WebURL = "www.brellamonte.example";
    QStringList DetailLines;
    QString Comment = "Loading...";
    QImage Picture;
    bool StretchPic = false;
    bool ShowMemo = true; // the detail lines shown (when there are any)
    bool ShowWebb = false;
    // How long the splash stays, in ms; whole seconds count (2500 gives 2 s).
    int Interval = 2500;

    // Set before the first Execute: show the splash instead of the about box.
    bool SplashRequest = false;
    // The program's switch: show the splash at start-up.
    bool SplashScreen = false;

    // The splash request (cleared): with the switch on, the splash shows and
    // stays (true); else nothing shows (false). Otherwise the about box,
    // modally: true when closed with OK; afterwards its tick box becomes the
    // switch, which is written to the settings.
    bool Execute();
    // Copies the properties into the form.
    void FillForm();
    // With the switch on, waits until the splash's time is over, letting it
    // repaint but taking no input meanwhile, then frees it. With the switch
    // off it returns at once.
    void WaitSplash();

    // The form while it exists (the splash, or the about box while shown).
    TAboutBox* Form() const { return FForm.get(); }

private:
    TSettingsStore& Settings;
    std::unique_ptr<TAboutBox> FForm;
    QElapsedTimer FSplashClock;
    qint64 FSplashLength = 0;
};
