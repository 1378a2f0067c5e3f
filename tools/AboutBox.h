#pragma once
// The about box, which also serves as the splash screen while the program
// starts: product name, version, maker, notice, description, e-mail and web
// links, a picture, detail lines, and the choice of showing it at start-up.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TPanelStatusBar;
class TURLLabel;

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* Parent = nullptr);

    // Shows the picture (none: the picture's place is left out), stretched
    // over its place or drawn in proportion.
    void SetPicture(const QImage& Picture, bool Stretch);

    QLabel* ProductName;
    QLabel* DeveloperName;
    QLabel* Version;
    QLabel* CopyrightNotice;
    QLabel* Description;
    QLabel* LEMail;
    QLabel* LWeb;
    TURLLabel* EMailLabel;
    TURLLabel* WebLabel;
    QLabel* Splash;
    QPlainTextEdit* DetailMemo;
    TPanelStatusBar* Comment;
    QCheckBox* CBSplash;
    QPushButton* OKBtn;

protected:
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void ShowPicture();

    QImage FPicture;
    bool FStretch = false;
};

// A picture for the splash screen: a duct network drawn on a blueprint.
QImage DefaultSplashPicture(const QSize& Size);
