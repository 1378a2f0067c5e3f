#include "tests/reports/ReportTestSupport.h"

#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "reports/PreviewForm.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportText.h"

#include <QDir>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
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
        Folders.MakerFolder = (TestFolder() + "maker/").toStdString();
        SetProgramFolders(Folders);
        qputenv("XDG_RUNTIME_DIR", TestFolder().toUtf8());
    }
    void TearDown() override { Root.reset(); }
};

testing::Environment* const Environment =
    testing::AddGlobalTestEnvironment(new TReportTestEnvironment);

// Records what a picture draws, with the painter's transformation applied.
class TRecordingEngine : public QPaintEngine {
public:
    explicit TRecordingEngine(TDrawnPage& Into) : QPaintEngine(AllFeatures), FInto(Into) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& State) override
    {
        if (State.state() & DirtyTransform)
            FTransform = State.transform();
    }
    void drawPixmap(const QRectF& Target, const QPixmap&, const QRectF&) override
    {
        FInto.Pictures.push_back(FTransform.mapRect(Target));
    }
    void drawImage(const QRectF& Target, const QImage&, const QRectF&,
                   Qt::ImageConversionFlags) override
    {
        FInto.Pictures.push_back(FTransform.mapRect(Target));
    }
    void drawTextItem(const QPointF& At, const QTextItem& Item) override
    {
        FInto.Texts.push_back({Item.text(), FTransform.map(At), Item.font()});
    }
    void drawLines(const QLineF* Lines, int Count) override
    {
        for (int i = 0; i < Count; ++i)
            FInto.Lines.push_back(FTransform.map(Lines[i]));
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }

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
        case PdmWidth: return 4000;
        case PdmHeight: return 4000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmNumColors: return 1 << 24;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return QPaintDevice::metric(Metric);
        }
    }

private:
    mutable TRecordingEngine FEngine;
};

QString Run(const QString& Program, const QStringList& Arguments)
{
    QProcess Process;
    Process.start(Program, Arguments);
    if (!Process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(Process.readAllStandardOutput());
}

QString PdfInfoValue(const QString& FileName, const QString& Key)
{
    for (const QString& Line : Run("pdfinfo", {FileName}).split('\n'))
        if (Line.startsWith(Key + ':'))
            return Line.mid(Key.size() + 1).trimmed();
    return {};
}

} // namespace

const QString& TestFolder()
{
    static QString Path;
    Path = Root->path() + '/';
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
    QPrinter& Printer = ReportPrinter();
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(FileName);
    Printer.setPageSize(QPageSize(QPageSize::A4));
    Printer.setPageOrientation(QPageLayout::Portrait);
    Printer.setCopyCount(1);
}

TPdfPrinter::~TPdfPrinter()
{
    NoPrinter();
}

void NoPrinter()
{
    QPrinter& Printer = ReportPrinter();
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(QString());
    Printer.setPageSize(QPageSize(QPageSize::A4));
    Printer.setPageOrientation(QPageLayout::Portrait);
    Printer.setCopyCount(1);
}

int PdfPages(const QString& FileName)
{
    return PdfInfoValue(FileName, "Pages").toInt();
}

QString PdfTitle(const QString& FileName)
{
    return PdfInfoValue(FileName, "Title");
}

QString PdfPageText(const QString& FileName, int Page)
{
    return Run("pdftotext", {"-layout", "-f", QString::number(Page), "-l", QString::number(Page),
                             FileName, "-"});
}

TRecordedMessages::TRecordedMessages(TUiServices Services) : FServices(std::move(Services)) {}

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
            TextOut(ReportCanvas(), Engine->Position[rlLeftMargin], Engine->PenPos.y(),
                    QStringLiteral("Line %1").arg(i));
            Engine->SkipLines(1);
        }
    };
    return Form;
}
