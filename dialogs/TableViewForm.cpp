#include "dialogs/TableViewForm.h"

#include "controls/KeyNavigation.h"
#include "foundation/NumberFormat.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TTableViewForm::TTableViewForm(QWidget* Parent) : QDialog(Parent)
{
    setObjectName("TableViewForm");
    setWindowTitle("Table");
    resize(560, 420);

    RichEdit = new QTextEdit;
    RichEdit->setReadOnly(true);
    RichEdit->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit->setFrameShape(QFrame::NoFrame);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit->document()->setDocumentMargin(4);

    ScrollBox = new QScrollArea;
    ScrollBox->setWidget(RichEdit);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setBackgroundRole(QPalette::Base);

    CloseBtn = new QPushButton("&Close");
    connect(CloseBtn, &QPushButton::clicked, this, [this] { done(1); });

    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(CloseBtn);
    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(ScrollBox, 1);
    Layout->addLayout(Buttons);

    RichEdit->resize(520, 340);
    SetTabStops(8);
}

void TTableViewForm::SetTabStops(int Count)
{
    if (Count <= FTabCount)
        return;
    FTabCount = Count;
    QTextOption Option = RichEdit->document()->defaultTextOption();
    QList<QTextOption::Tab> Tabs;
    for (int I = 0; I < Count; ++I)
        Tabs << QTextOption::Tab(FirstTab + I * TabWidth, QTextOption::LeftTab);
    Option.setTabs(Tabs);
    RichEdit->document()->setDefaultTextOption(Option);
}

void TTableViewForm::BeginTable(int Columns, const QStringList& Labels)
{
    QFont Bold = RichEdit->font();
    Bold.setBold(true);
    const QFontMetrics Metrics(Bold);
    int Widest = 0;
    for (const QString& Label : Labels)
        Widest = std::max(Widest, Metrics.horizontalAdvance(Label));
    // The first stop with room for the widest label and a small gap.
    FValueStop = 0;
    while (FirstTab + FValueStop * TabWidth < Widest + 6)
        ++FValueStop;
    const int Stops = FValueStop + Columns;
    SetTabStops(Stops + 1);
    if (AutoWidth) {
        RichEdit->resize((Stops + 5) * TabWidth + FirstTab, RichEdit->height());
        resize((Stops + 6) * TabWidth + FirstTab, height());
    }
}

void TTableViewForm::Append(const QString& Text, bool Bold, const QColor& Color)
{
    QTextCursor Cursor(RichEdit->document());
    Cursor.movePosition(QTextCursor::End);
    QTextCharFormat Format;
    Format.setFontWeight(Bold ? QFont::Bold : QFont::Normal);
    Format.setForeground(Color);
    if (!RichEdit->document()->isEmpty())
        Cursor.insertBlock();
    Cursor.insertText(Text, Format);
    GrowPage();
}

void TTableViewForm::GrowPage()
{
    QTextDocument* Document = RichEdit->document();
    Document->setTextWidth(RichEdit->width());
    const int Used = static_cast<int>(std::ceil(Document->size().height()));
    int Height = std::max(RichEdit->height(), ScrollBox->viewport()->height());
    while (Height - Used < 50)
        Height += 40;
    if (Height != RichEdit->height())
        RichEdit->resize(RichEdit->width(), Height);
}

void TTableViewForm::AddTitle(const QString& Text)
{
    Append("\t\t\t  " + Text, true, Qt::blue);
    AddLine();
}

void TTableViewForm::AddSubTitle(const QString& Text)
{
    Append(Text, true, palette().color(QPalette::Text));
}

void TTableViewForm::AddNote(const QString& Text, bool Bold)
{
    Append(Text, Bold, palette().color(QPalette::Text));
}

void TTableViewForm::AddRow(const QString& Label, const TFloatVec& Values, const char* Format, bool Bold)
{
    QFont Font = RichEdit->font();
    Font.setBold(Bold);
    const int Width = QFontMetrics(Font).horizontalAdvance(Label);
    // A tab goes to the next stop right of the text before it.
    int Stop = 0;
    while (FirstTab + Stop * TabWidth <= Width)
        ++Stop;
    QString Line = Label;
    for (int I = Stop; I <= std::max(Stop, FValueStop); ++I)
        Line += '\t';
    for (std::size_t I = 0; I < Values.size(); ++I) {
        if (I > 0)
            Line += '\t';
        Line += Values[I] == HoleMarker ? QString(" ")
                                       : QString::fromStdString(FormatFloat(Format, Values[I]));
    }
    Append(Line, Bold, palette().color(QPalette::Text));
}

void TTableViewForm::AddLine()
{
    Append(QString(), false, palette().color(QPalette::Text));
}

QString TTableViewForm::Text() const
{
    return RichEdit->toPlainText();
}
