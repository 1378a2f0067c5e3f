#include "tools/AboutBox.h"

#include "controls/URLLabel.h"
#include "tools/PanelStatusBar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int PictureWidth = 160;

QLabel* TextLabel(QWidget* Parent, bool Wrap = false)
{
    auto* Label = new QLabel(Parent);
    Label->setTextFormat(Qt::PlainText);
    Label->setWordWrap(Wrap);
    return Label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* Parent) : QDialog(Parent)
{
    setObjectName("AboutBox");
    setWindowTitle("About");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    ProductName = TextLabel(this);
    DeveloperName = TextLabel(this);
    Version = TextLabel(this);
    CopyrightNotice = TextLabel(this, true);
    Description = TextLabel(this, true);
    LEMail = new QLabel("E-Mail", this);
    LWeb = new QLabel("WebSite", this);
    EMailLabel = new TURLLabel(this);
    WebLabel = new TURLLabel(this);
    Splash = new QLabel(this);
    Splash->setAlignment(Qt::AlignCenter);
    Splash->setFixedWidth(PictureWidth);
    Splash->setMinimumHeight(120);
    DetailMemo = new QPlainTextEdit(this);
    DetailMemo->setReadOnly(true);
    DetailMemo->setFixedHeight(DetailMemo->fontMetrics().lineSpacing() * 4 + 10);
    Comment = new TPanelStatusBar(this);
    Comment->SetSimplePanel(true);
    CBSplash = new QCheckBox("Show this form on program bootup", this);
    OKBtn = new QPushButton("OK", this);
    OKBtn->setDefault(true);

    auto* Links = new QGridLayout;
    Links->setHorizontalSpacing(10);
    Links->addWidget(LEMail, 0, 0);
    Links->addWidget(EMailLabel, 0, 1);
    Links->addWidget(LWeb, 1, 0);
    Links->addWidget(WebLabel, 1, 1);
    Links->setColumnStretch(1, 1);

    auto* Texts = new QVBoxLayout;
    Texts->setSpacing(3);
    Texts->addWidget(ProductName);
    Texts->addWidget(Version);
    Texts->addSpacing(6);
    Texts->addWidget(DeveloperName);
    Texts->addWidget(CopyrightNotice);
    Texts->addWidget(Description);
    Texts->addSpacing(6);
    Texts->addLayout(Links);
    Texts->addStretch(1);

    auto* Top = new QHBoxLayout;
    Top->setSpacing(12);
    Top->addWidget(Splash, 0, Qt::AlignTop);
    Top->addLayout(Texts, 1);

    auto* Bottom = new QHBoxLayout;
    Bottom->addWidget(CBSplash);
    Bottom->addStretch(1);
    Bottom->addWidget(OKBtn);

    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(12, 12, 12, 10);
    Body->setSpacing(8);
    Body->addLayout(Top, 1);
    Body->addWidget(DetailMemo);
    Body->addLayout(Bottom);

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addLayout(Body, 1);
    Layout->addWidget(Comment);
    setMinimumWidth(460);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::SetPicture(const QImage& Picture, bool Stretch)
{
    FPicture = Picture;
    FStretch = Stretch;
    Splash->setVisible(!Picture.isNull());
    ShowPicture();
}

void TAboutBox::ShowPicture()
{
    if (FPicture.isNull() || Splash->width() <= 0 || Splash->height() <= 0)
        return;
    const QSize Room = Splash->size();
    const QImage Shown = FStretch ? FPicture.scaled(Room, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  : FPicture.width() > Room.width() || FPicture.height() > Room.height()
                                        ? FPicture.scaled(Room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                        : FPicture;
    Splash->setPixmap(QPixmap::fromImage(Shown));
}

void TAboutBox::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    adjustSize();
    // Centred on the desktop.
    if (const QScreen* Screen = QGuiApplication::primaryScreen()) {
        const QRect Desk = Screen->availableGeometry();
        move(Desk.center() - QPoint(width() / 2, height() / 2));
    }
    ShowPicture();
}

void TAboutBox::resizeEvent(QResizeEvent* Event)
{
    QDialog::resizeEvent(Event);
    ShowPicture();
}

QImage DefaultSplashPicture(const QSize& Size)
{
    QImage Picture(Size, QImage::Format_RGB32);
    Picture.fill(QColor(22, 60, 110));
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing);
    const double W = Size.width(), H = Size.height();
    // The blueprint's grid.
    P.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (double X = 0; X < W; X += W / 16)
        P.drawLine(QPointF(X, 0), QPointF(X, H));
    for (double Y = 0; Y < H; Y += H / 12)
        P.drawLine(QPointF(0, Y), QPointF(W, Y));
    // A fan feeding a main duct that narrows after each of its three
    // branches, each branch serving two ceiling diffusers.
    const QColor Duct(235, 240, 250);
    const QColor Accent(255, 190, 60);
    const double Unit = std::min(W, H);
    const double Mid = H * 0.5;
    const double Branches[] = {0.38, 0.62, 0.86};
    double From = W * 0.14;
    for (int I = 0; I < 3; ++I) {
        const double To = W * Branches[I];
        P.setPen(QPen(Duct, Unit * (0.075 - 0.018 * I), Qt::SolidLine, Qt::FlatCap));
        P.drawLine(QPointF(From, Mid), QPointF(To, Mid));
        From = To;
    }
    P.setPen(QPen(Duct, Unit * 0.028, Qt::SolidLine, Qt::FlatCap));
    for (const double X : Branches)
        P.drawLine(QPointF(W * X, H * 0.2), QPointF(W * X, H * 0.8));
    const double Half = Unit * 0.06;
    P.setBrush(QColor(22, 60, 110));
    for (const double X : Branches)
        for (const double Y : {0.2, 0.8}) {
            const QRectF Diffuser(W * X - Half, H * Y - Half, 2 * Half, 2 * Half);
            P.setPen(QPen(Accent, 1.6));
            P.drawRect(Diffuser);
            P.drawLine(Diffuser.topLeft(), Diffuser.bottomRight());
            P.drawLine(Diffuser.topRight(), Diffuser.bottomLeft());
        }
    const QPointF Fan(W * 0.12, Mid);
    const double R = Unit * 0.085;
    P.setPen(QPen(Accent.darker(130), 1.5));
    P.setBrush(Accent);
    P.drawEllipse(Fan, R, R);
    P.setPen(QPen(QColor(22, 60, 110), 2, Qt::SolidLine, Qt::RoundCap));
    for (int Blade = 0; Blade < 3; ++Blade) {
        P.save();
        P.translate(Fan);
        P.rotate(Blade * 120);
        P.drawLine(QPointF(0, 0), QPointF(R * 0.75, R * 0.3));
        P.restore();
    }
    return Picture;
}
