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
    // A main duct from a fan, branching to four outlets.
    const QPointF Fan(W * 0.15, H * 0.78);
    const QPointF Main(W * 0.15, H * 0.22);
    const QPointF Outlets[] = {{W * 0.45, H * 0.22}, {W * 0.85, H * 0.22}, {W * 0.45, H * 0.55},
                               {W * 0.85, H * 0.55}};
    P.setPen(QPen(QColor(235, 240, 250), W * 0.035, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    P.drawLine(Fan, Main);
    P.drawLine(Main, Outlets[1]);
    P.setPen(QPen(QColor(235, 240, 250), W * 0.022, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    P.drawLine(QPointF(W * 0.15, H * 0.55), Outlets[3]);
    P.drawLine(Outlets[0], Outlets[2]);
    P.setPen(QPen(QColor(255, 190, 60), 2));
    P.setBrush(QColor(22, 60, 110));
    const double R = W * 0.04;
    for (const QPointF& Outlet : Outlets)
        P.drawEllipse(Outlet, R, R);
    P.setBrush(QColor(255, 190, 60));
    P.drawEllipse(Fan, R * 1.6, R * 1.6);
    P.setPen(QPen(QColor(22, 60, 110), 1.5));
    for (int Blade = 0; Blade < 3; ++Blade) {
        P.save();
        P.translate(Fan);
        P.rotate(Blade * 120);
        P.drawLine(QPointF(0, 0), QPointF(R * 1.2, R * 0.4));
        P.restore();
    }
    return Picture;
}
