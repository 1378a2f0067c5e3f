#include "tests/reports/ReportTestSupport.h"

#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "reports/PreviewForm.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportText.h"
#include "tests/support/PdfReadBack.h"

#include <QDir>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<QTemporaryDir> Root;

class TReportTestEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        Root = std::make_unique<QTemporaryDir>();
        QDir().mkpath(DataFolder());
        QDir().mkpath(CommonDataFolder());
        TProgramFolders Folders;
        Folders.DataDir = DataFolder().toStdString();
        Folders.CommonDataDir = CommonDataFolder().toStdString();
        SetProgramFolders(Folders);
        Strict = std::make_unique<TScopedUiServices>(StrictUiServices());
    }
    void TearDown() override
    {
        Strict.reset();
        Root.reset();
    }

private:
    std::unique_ptr<TScopedUiServices> Strict;
};

testing::Environment* const Environment = testing::AddGlobalTestEnvironment(new TReportTestEnvironment);

// Records what a picture draws, with the painter's transformation applied.
class TRecordingEngine : public QPaintEngine {
public:
    explicit TRecordingEngine(TDrawnPage& Into) : QPaintEngine(AllFeatures), FInto(Into) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& State) override
    {
        if (State.state() & DirtyTransform)
            FTransform = State.transform();
    }
    void drawPixmap(const QRectF& Target, const QPixmap&, const QRectF&) override
    {
        FInto.Pictures.push_back(FTransform.mapRect(Target));
    }
    void drawImage(const QRectF& Target, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        FInto.Pictures.push_back(FTransform.mapRect(Target));
    }
    void drawTextItem(const QPointF& At, const QTextItem& Item) override
    {
        FInto.Texts.push_back({Item.text(), FTransform.map(At), Item.font()});
    }
    // A replayed picture draws its lines as polylines.
    void drawPolygon(const QPointF* Points, int Count, PolygonDrawMode Mode) override
    {
        for (int i = 1; Mode == PolylineMode && i < Count; ++i)
            FInto.Lines.push_back(FTransform.map(QLineF(Points[i - 1], Points[i])));
    }

private:
    TDrawnPage& FInto;
    QTransform FTransform;
};

class TRecordingDevice : public QPaintDevice {
public:
    explicit TRecordingDevice(TDrawnPage& Into) : FEngine(Into) {}
    QPaintEngine* paintEngine() const override { return &FEngine; }

protected:
    int metric(PaintDeviceMetric Metric) const override
    {
        switch (Metric) {
        case PdmWidth:
        case PdmHeight: return 4000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return QPaintDevice::metric(Metric);
        }
    }

private:
    mutable TRecordingEngine FEngine;
};

void SetPrinter(const QString& FileName)
{
    QPrinter& Printer = ReportPrinter();
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(FileName);
    Printer.setPageSize(QPageSize(QPageSize::A4));
    Printer.setPageOrientation(QPageLayout::Portrait);
    Printer.setCopyCount(1);
}

} // namespace

const QString& TestFolder()
{
    static const QString Path = Root->path() + '/';
    return Path;
}

QString DataFolder()
{
    return TestFolder() + "data/";
}

QString CommonDataFolder()
{
    return TestFolder() + "common/";
}

QStringList TDrawnPage::TextList() const
{
    QStringList List;
    for (const TDrawnText& T : Texts)
        List << T.Text;
    return List;
}

const TDrawnText* TDrawnPage::Find(const QString& Text) const
{
    for (const TDrawnText& T : Texts)
        if (T.Text == Text)
            return &T;
    return nullptr;
}

TDrawnPage DrawnPage(const QPicture& Page)
{
    TDrawnPage Drawn;
    TRecordingDevice Device(Drawn);
    QPainter Painter(&Device);
    Painter.drawPicture(0, 0, Page);
    return Drawn;
}

TPdfPrinter::TPdfPrinter(const QString& FileName) : FFileName(FileName)
{
    SetPrinter(FileName);
}

TPdfPrinter::~TPdfPrinter()
{
    NoPrinter();
}

void NoPrinter()
{
    SetPrinter(QString());
}

int PdfPages(const QString& FileName)
{
    return PdfInfo(FileName, "Pages").toInt();
}

QString PdfTitle(const QString& FileName)
{
    return PdfInfo(FileName, "Title");
}

QString PdfPageText(const QString& FileName, int Page)
{
    return PdfLayoutText(FileName, Page);
}

TUiServices StrictUiServices()
{
    const auto Reached = [](const char* What) { ADD_FAILURE() << "a test reached the " << What; };
    TUiServices S;
    S.MessageBox = [Reached](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
        Reached(qPrintable("message box " + Text));
        return int(mrCancel);
    };
    S.Beep = [] {};
    S.OpenFileName = [Reached](const TFileDialogRequest&) { Reached("file dialog"); return QString(); };
    S.SaveFileName = S.OpenFileName;
    S.RunModal = [Reached](QDialog&) { Reached("modal run"); return int(mrCancel); };
    S.PopupMenu = [Reached](QMenu&, const QPoint&) -> QAction* { Reached("pop-up menu"); return nullptr; };
    S.PointerPos = [] { return QPoint(); };
    S.ShellOpen = [Reached](const QString&) { Reached("shell"); return false; };
    S.PrintSetup = [Reached](QWidget*, QPrinter&) { Reached("print dialog"); return false; };
    S.ChooseFont = [Reached](QWidget*, QFont&) { Reached("font dialog"); return false; };
    return S;
}

std::unique_ptr<TScopedUiServices> TRecordedMessages::Install()
{
    TUiServices S = FServices;
    S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
        Texts << Text;
        return int(mrOk);
    };
    return std::make_unique<TScopedUiServices>(S);
}

std::unique_ptr<TPreviewForm> LinesReport(TMemorySettingsStore& Store, int Lines)
{
    auto Form = std::make_unique<TPreviewForm>(Store);
    TPreviewForm* Engine = Form.get();
    Form->Body = [Engine, Lines] {
        for (int i = 1; i <= Lines; ++i) {
            Engine->CheckPageBreak(1);
            TextOut(ReportCanvas(), Engine->Position[rlLeftMargin], Engine->PenPos.y(), QString("Line %1").arg(i));
            Engine->SkipLines(1);
        }
    };
    return Form;
}
