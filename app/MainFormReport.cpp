// The printed report: the fan lines, the branch table, the fittings and the
// fixed pressure drops, the program's stamp and the picture of the network.

#include "app/MainForm.h"

#include "app/FanForm.h"
#include "app/FittingsForm.h"
#include "app/ReportFixedDrops.h"
#include "app/TableForm.h"
#include "controls/ColGrid.h"
#include "controls/UiServices.h"
#include "editor/GraphRender.h"
#include "editor/FlowGraphFrame.h"
#include "network/DuctGraph.h"
#include "platform/QtText.h"
#include "platform/VersionInfo.h"
#include "reports/ReportDrawing.h"
#include "reports/ReportLayout.h"
#include "reports/RepSettingsForm.h"
#include "reports/StdReport.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QTreeView>
#include <QLabel>

namespace {

// The logo stands right of the letterhead, 4 cm wide, 1 cm from it.
constexpr bool LogoOnLeft = false;
constexpr int LogoWidthCm = 4;
constexpr int LogoGapCm = 1;
// The fittings list's warnings column.
constexpr int FittingsWarningColumn = 4;
// The smallest scale at which the picture is shrunk onto a page.
constexpr double PictureScale = 1.2;

} // namespace

void TMainForm::ActionPrintReportExecute()
{
    EndTableEdit();
    if (FNetwork->Status >= ssNotSolved) {
        ShowMessage(this, "Duct network must be solved first..");
        return;
    }
    TStdReport& Report = StdReport();
    if (!ShowStdReport(
            Report, [this] { BuildReport(); }, {"Ventrix Report"},
            {ToQ(FProperties.ProjectName)}, &FProperties))
        return;
    for (int Line = rlX1 + 2; Line <= rlX1 + 5; ++Line)
        ReportLines()[static_cast<std::size_t>(Line)].Shown = true;
    const QString Folder = UserDataFolder();
    StdReportLoadLetterhead(Report, Folder + "LetterHead.txt", Folder + "ReportLogo.gif", LogoOnLeft,
                            LogoWidthCm, LogoGapCm);
    StdReportShowPreview(Report);
}

void TMainForm::BuildReport()
{
    TStdReport& Report = StdReport();
    UpdateFanLabels();
    if (FanForm)
        for (const QLabel* Line : {FanForm->FanQLabel, FanForm->Pslabel, FanForm->PtLabel})
            StdReportHeading(Report, Line->text());

    if (TableForm) {
        // The rows are written afresh from the network, in the units the
        // table shows: the paper carries the model's numbers.
        TableForm->FillFromNetwork();
        const TxStringGrid& Grid = *TableForm->BranchGrid;
        StdReportPrintGrid(Report, Grid, {0, 1, Grid.ColCount() - 1, Grid.RowCount() - 1});
    }
    const bool Fittings = !RepSettingsForm || RepSettingsForm->CBFittings->isChecked();
    const bool Graphic = !RepSettingsForm || RepSettingsForm->CBGraphic->isChecked();
    if (Fittings) {
        if (!FNetwork->Fittings.empty() && FittingsForm)
            ReportFittingsList();
        ReportFixedDrops(Report, *FNetwork, PressureUnits(), LengthUnits());
    }

    DrawSignatureLine(false, ToQ(GetFileVersionText(std::string())));
    StdReportNewLine(Report);
    StdReportNewLine(Report);
    if (Graphic) {
        const QImage Picture = NetworkPicture();
        if (!Picture.isNull())
            StdReportDrawGraphic(Report, Picture, PictureScale);
    }
}

void TMainForm::ReportFittingsList()
{
    TStdReport& Report = StdReport();
    FillFittingsList();
    const QAbstractItemModel& List = *FittingsForm->LV->model();
    bool Warnings = false;
    for (int Row = 0; Row < List.rowCount() && !Warnings; ++Row)
        Warnings = !List.data(List.index(Row, FittingsWarningColumn)).toString().isEmpty();
    // The warnings column only when a fitting has one.
    std::vector<int> Lines{rlLeftMargin, rlX1, rlX1 + 3, rlX1 + 5, rlX1 + 6};
    if (!Warnings)
        Lines.pop_back();
    const int Columns = static_cast<int>(Lines.size());
    StdReportHeading(Report, "Fittings");
    StdReportNewLine(Report);
    QStringList Captions;
    for (int Column = 0; Column < Columns; ++Column)
        Captions << List.headerData(Column, Qt::Horizontal).toString();
    StdReportTableRow(Report, Captions, Lines, fsUnderline);
    for (int Row = 0; Row < List.rowCount(); ++Row) {
        QStringList Cells;
        for (int Column = 0; Column < Columns; ++Column)
            Cells << List.data(List.index(Row, Column)).toString();
        StdReportTableRow(Report, Cells, Lines);
    }
    StdReportNewLine(Report);
}

QImage TMainForm::NetworkPicture(const QRect& Area)
{
    // The drawing as it stands, without the marks of the present editing
    // (selection, band, calibration).
    TGraphRenderState State = FlowGraphFrame1->RenderState();
    State.SelectedNode = nullptr;
    State.SelectedBranch = nullptr;
    State.BandShown = false;
    State.CrossShown = false;
    State.FirstPointTaken = false;
    QRect Part = Area;
    if (Part.isNull())
        Part = FlowGraphFrame1->BackPicture().isNull() ? FlowGraphFrame1->GetGraphExtent()
                                                       : QRect(QPoint(0, 0), State.Size);
    Part = Part.intersected(QRect(QPoint(0, 0), State.Size));
    if (Part.isEmpty())
        return QImage();
    return RenderGraph(FNetwork.get(), State, Part);
}
