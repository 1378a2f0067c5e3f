#pragma once
// Printed PDF files read back with the poppler tools: the text of a page as
// laid out, and its words with their boxes (points, y downwards), for the
// tests of what the paper shows.

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

inline QString PdfToolOutput(const QString& Program, const QStringList& Arguments)
{
    QProcess Process;
    Process.start(Program, Arguments);
    Process.waitForFinished(30000);
    return QString::fromUtf8(Process.readAllStandardOutput());
}

// A value of pdfinfo ("Pages", "Title").
inline QString PdfInfo(const QString& FileName, const QString& Key)
{
    for (const QString& Line : PdfToolOutput("pdfinfo", {FileName}).split('\n'))
        if (Line.startsWith(Key + ':'))
            return Line.mid(Key.size() + 1).trimmed();
    return {};
}

// pdftotext -layout of one page (from 1), or of every page when Page is 0.
inline QString PdfLayoutText(const QString& FileName, int Page = 0)
{
    QStringList Arguments{"-layout"};
    if (Page > 0)
        Arguments << "-f" << QString::number(Page) << "-l" << QString::number(Page);
    return PdfToolOutput("pdftotext", Arguments << FileName << "-");
}

struct TPdfWord {
    QString Text;
    QRectF Box;
};

// The words of one page (from 1) in reading order.
inline std::vector<TPdfWord> PdfWords(const QString& FileName, int Page)
{
    const QString N = QString::number(Page);
    const QString Html = PdfToolOutput("pdftotext", {"-bbox", "-f", N, "-l", N, FileName, "-"});
    static const QRegularExpression Word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<TPdfWord> Words;
    for (auto It = Word.globalMatch(Html); It.hasNext();) {
        const auto M = It.next();
        const QPointF From(M.captured(1).toDouble(), M.captured(2).toDouble());
        const QPointF To(M.captured(3).toDouble(), M.captured(4).toDouble());
        QString Text = M.captured(5);
        Text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
        Words.push_back({Text, QRectF(From, To)});
    }
    return Words;
}

// The first word equal to Text, or null.
inline const TPdfWord* FindPdfWord(const std::vector<TPdfWord>& Words, const QString& Text)
{
    for (const TPdfWord& W : Words)
        if (W.Text == Text)
            return &W;
    return nullptr;
}
