#include "dialogs/TableViewForm.h"

#include "foundation/NumberFormat.h"
#include "platform/QtText.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
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
    SetTabStops(12);
}

void TTableViewForm::SetTabStops(int Count)
{
    // Each line carries the stops of its table (the layout takes a block's
    // own list over the document's).
    FTabs.clear();
    for (int I = 0; I < Count; ++I)
        FTabs << QTextOption::Tab(TabAt(I), QTextOption::LeftTab);
}

void TTableViewForm::BeginTable(int Columns, const QStringList& Labels, const QStringList& Cells)
{
    QFont Bold = RichEdit->font();
    Bold.setBold(true);
    const QFontMetrics Metrics(Bold);
    int WidestCell = 0;
    for (const QString& Cell : Cells)
        WidestCell = std::max(WidestCell, Metrics.horizontalAdvance(Cell));
    FTabWidth = std::max<int>(TabWidth, WidestCell + 8);
    int Widest = 0;
    for (const QString& Label : Labels)
        Widest = std::max(Widest, Metrics.horizontalAdvance(Label));
    // The first stop with room for the widest label and a small gap.
    FValueStop = 0;
    while (TabAt(FValueStop) < Widest + 6)
        ++FValueStop;
    const int Stops = FValueStop + Columns;
    SetTabStops(Stops + 1);
    if (AutoWidth) {
        RichEdit->resize(TabAt(Stops + 5), RichEdit->height());
        resize(std::min(TabAt(Stops + 6), 1200), height());
    }
}

void TTableViewForm::Append(const QString& Text, bool Bold, const QColor& Color)
{
    QTextCursor Cursor(RichEdit->document());
    Cursor.movePosition(QTextCursor::End);
    QTextCharFormat Format;
    Format.setFontWeight(Bold ? QFont::Bold : QFont::Normal);
    Format.setForeground(Color);
    QTextBlockFormat Block;
    Block.setTabPositions(FTabs);
    if (RichEdit->document()->isEmpty())
        Cursor.setBlockFormat(Block);
    else
        Cursor.insertBlock(Block);
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
    while (TabAt(Stop) <= Width)
        ++Stop;
    QString Line = Label;
    for (int I = Stop; I <= std::max(Stop, FValueStop); ++I)
        Line += '\t';
    for (std::size_t I = 0; I < Values.size(); ++I) {
        if (I > 0)
            Line += '\t';
        Line += Values[I] == HoleMarker ? QString(" ")
                                       : ToQ(FormatFloat(Format, Values[I]));
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
