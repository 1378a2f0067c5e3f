// "Network Diagnostics": the page listing the whole network and the picture
// of the drawing, written into the user's data folder (the program's folder
// is not ours to write) beside the style sheet, the logo and the help pages
// it refers to, then opened with the desktop.

#include "app/MainForm.h"

#include "controls/UiServices.h"
#include "document/DiagnosticHtml.h"
#include "editor/FlowGraphFrame.h"
#include "foundation/ProgramFolders.h"
#include "network/DuctGraph.h"
#include "platform/QtFileSave.h"
#include "platform/QtText.h"
#include "reports/GifWriter.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <sstream>

namespace {

// What the page refers to, from the common data folder, copied beside it
// when missing there.
const char* const PageCompanions[] = {"diagnostic.css", "diaglogo.png", "help/help.htm",
                                      "help/tutorial.htm"};

void CopyCompanions(const QString& From, const QString& To)
{
    for (const char* Name : PageCompanions) {
        const QString Target = To + Name;
        if (QFile::exists(Target) || !QFile::exists(From + Name))
            continue;
        QDir().mkpath(QFileInfo(Target).absolutePath());
        QFile::copy(From + Name, Target);
    }
}

// Drawn, the part of the drawing at Source (which may reach beyond the
// drawing), stretched onto a white picture of Size.
QImage StretchedPicture(const QImage& Drawn, const QRect& Source, const QRect& Part, QSize Size)
{
    QImage Picture(Size, QImage::Format_RGB32);
    Picture.fill(Qt::white);
    if (Drawn.isNull() || Source.isEmpty())
        return Picture;
    const double Sx = static_cast<double>(Size.width()) / Source.width();
    const double Sy = static_cast<double>(Size.height()) / Source.height();
    const QRectF Target((Part.left() - Source.left()) * Sx, (Part.top() - Source.top()) * Sy,
                        Part.width() * Sx, Part.height() * Sy);
    QPainter P(&Picture);
    // Shrunk, lines keep their weight only when smoothed; enlarged, the
    // drawing's own few colours stay exact (and so does the GIF's palette).
    P.setRenderHint(QPainter::SmoothPixmapTransform, Sx < 1.0);
    P.drawImage(Target, Drawn);
    return Picture;
}

} // namespace

void TMainForm::ActionDiagnosticExecute()
{
    const QString Page = WriteDiagnosticPage();
    if (!Page.isEmpty())
        UiServices().ShellOpen(Page);
}

QString TMainForm::WriteDiagnosticPage()
{
    const QString Folder = UserDataFolder();
    if (!QDir().mkpath(Folder)) {
        ShowMessage(this, "Error writing file " + Folder + "diagnostic.htm" + DataFolderNote(Folder), QString(),
                    TMsgKind::Error);
        return QString();
    }
    const QRect Extent = FlowGraphFrame1->GetGraphExtent();
    const TDiagnosticExtent Around{Extent.left(), Extent.top(), Extent.left() + Extent.width(),
                                   Extent.top() + Extent.height()};
    const TDiagnosticExtent Drawn = DiagnosticDrawnExtent(Around);
    const TDiagnosticPicture Size = DiagnosticPictureSize(Around);
    const QRect Source(QPoint(Drawn.Left, Drawn.Top), QSize(Drawn.Right - Drawn.Left, Drawn.Bottom - Drawn.Top));
    const QRect Part = Source.intersected(QRect(QPoint(0, 0), FlowGraphFrame1->RenderState().Size));
    const QImage Picture =
        StretchedPicture(Part.isEmpty() ? QImage() : NetworkPicture(Part), Source, Part, QSize(Size.Width, Size.Height));
    const QString PictureName = Folder + "drawnet.gif";
    QString Error;
    if (!WriteGifFile(Picture, PictureName, &Error)) {
        ShowMessage(this,
                    "Error writing file " + PictureName + (Error.isEmpty() ? QString() : "\n" + Error) +
                        DataFolderNote(PictureName),
                    QString(), TMsgKind::Error);
        return QString();
    }

    std::ostringstream Out;
    ::WriteDiagnosticPage(*FNetwork, FProperties, FFileName.toStdString(), Size, Out);
    const QString PageName = Folder + "diagnostic.htm";
    if (!SaveBytesAtomically(PageName, QByteArray::fromStdString(Out.str()), &Error)) {
        ShowMessage(this, "Error writing file " + PageName + "\n" + Error + DataFolderNote(PageName), QString(),
                    TMsgKind::Error);
        return QString();
    }
    CopyCompanions(CommonDataFolder(), Folder);
    return PageName;
}
