#include "tools/SelectLocationForm.h"

#include "controls/StringGrid.h"
#include "foundation/SettingsStore.h"
#include "platform/QtText.h"
#include "tools/PanelStatusBar.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int DetailRows = 10;
constexpr int CaptionWidth = 100;

std::string FolderWithSlash(const QString& Folder)
{
    std::string Path = Folder.toStdString();
    if (!Path.empty() && Path.back() != '/')
        Path += '/';
    return Path;
}

QLabel* Caption(const QString& Text, QWidget* Buddy, QWidget* Parent)
{
    auto* Label = new QLabel(Text, Parent);
    Label->setBuddy(Buddy);
    return Label;
}

template <class TList>
void Fill(QListWidget* List, const TList& Items, int Current)
{
    QStringList Texts;
    Texts.reserve(static_cast<qsizetype>(Items.size()));
    for (const auto& Item : Items)
        Texts.append(ToQ(Item));
    List->clear();
    List->addItems(Texts);
    if (Current >= 0 && Current < List->count()) {
        List->setCurrentRow(Current);
        List->scrollToItem(List->currentItem(), QAbstractItemView::PositionAtCenter);
    }
}

} // namespace

TSelectLocationForm::TSelectLocationForm(TSettingsStore& Settings, const QString& CommonDataDir,
                                         QWidget* Parent)
    : TRootForm(Parent), Settings(Settings), FPicker(FolderWithSlash(CommonDataDir))
{
    setObjectName(TLocationPicker::SettingsSection);
    setWindowTitle("Select Location");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    FPicker.ReadSettings(Settings);

    DatabaseList = new QListWidget(this);
    DatabaseList->setObjectName("DatabaseList");
    RegionList = new QListWidget(this);
    RegionList->setObjectName("RegionList");
    PlaceList = new QListWidget(this);
    PlaceList->setObjectName("PlaceList");
    // One line a place: the list lays out thousands of places without
    // measuring each.
    PlaceList->setUniformItemSizes(true);
    DetailGrid = new TxStringGrid(this);
    DetailGrid->setObjectName("DetailGrid");
    DetailGrid->SetFixedRows(0);
    DetailGrid->SetFixedCols(0);
    DetailGrid->SetColCount(2);
    DetailGrid->SetRowCount(DetailRows);
    DetailGrid->SetOptions(xgoFixedVertLine | xgoFixedHorzLine | xgoVertLine | xgoHorzLine);
    DetailGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DetailGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DetailGrid->setFocusPolicy(Qt::NoFocus);
    DetailGrid->SetDefaultRowHeight(DetailGrid->fontMetrics().height() + 6);
    DetailGrid->SetColWidth(0, CaptionWidth);
    DetailGrid->setFixedHeight(DetailRows * DetailGrid->DefaultRowHeight() + 2 * DetailGrid->frameWidth());
    DetailGrid->setMinimumWidth(250);
    DetailGrid->viewport()->installEventFilter(this);

    AcceptButton = new QPushButton("&Accept", this);
    CancelButton = new QPushButton("&Cancel", this);
    AcceptButton->setDefault(true);
    StatusBar = new TPanelStatusBar(this);
    // The record panel holds "Record <n> of <count>" whole for any database
    // up to 99,999 places.
    StatusBar->SetPanels({StatusBar->fontMetrics().horizontalAdvance("Record 99999 of 99999") + 12, 200});

    auto* Lists = new QGridLayout;
    Lists->addWidget(Caption("&Database", DatabaseList, this), 0, 0);
    Lists->addWidget(DatabaseList, 1, 0);
    Lists->addWidget(Caption("&Region", RegionList, this), 2, 0);
    Lists->addWidget(RegionList, 3, 0);
    Lists->addWidget(Caption("&Place", PlaceList, this), 0, 1);
    Lists->addWidget(PlaceList, 1, 1, 3, 1);
    Lists->addWidget(new QLabel("Details", this), 0, 2);
    Lists->addWidget(DetailGrid, 1, 2, 3, 1, Qt::AlignTop);
    Lists->setRowStretch(1, 2);
    Lists->setRowStretch(3, 3);
    Lists->setColumnStretch(0, 2);
    Lists->setColumnStretch(1, 3);
    Lists->setColumnStretch(2, 3);

    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(AcceptButton);
    Buttons->addWidget(CancelButton);

    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(8, 8, 8, 4);
    Body->addLayout(Lists, 1);
    Body->addLayout(Buttons);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addLayout(Body, 1);
    Layout->addWidget(StatusBar);
    resize(680, 400);

    connect(DatabaseList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* Item) { SelectDatabase(DatabaseList->row(Item)); });
    connect(RegionList, &QListWidget::currentRowChanged, this, [this](int Row) {
        if (!FFilling)
            SelectRegion(Row);
    });
    connect(PlaceList, &QListWidget::currentRowChanged, this, [this](int Row) {
        if (!FFilling)
            SelectPlace(Row);
    });
    connect(PlaceList, &QListWidget::itemDoubleClicked, this, [this] { CloseWith(mrOk); });
    connect(AcceptButton, &QPushButton::clicked, this, [this] { CloseWith(mrOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CloseWith(mrCancel); });
}

void TSelectLocationForm::SetLocationText(const QString& Text)
{
    FPicker.SetLocationText(Text.toStdString());
}

QString TSelectLocationForm::LocationText() const
{
    return ToQ(FPicker.LocationText());
}

void TSelectLocationForm::FormActivate()
{
    if (!FirstActivation())
        return;
    const std::string Message = FPicker.Activate();
    ShowLists();
    Report(Message);
}

void TSelectLocationForm::SelectDatabase(int Index)
{
    const std::string Message = FPicker.SelectDatabase(Index);
    ShowLists();
    Report(Message);
}

void TSelectLocationForm::SelectRegion(int Index)
{
    FPicker.SelectRegion(Index);
    ShowLists();
}

void TSelectLocationForm::SelectPlace(int Index)
{
    FPicker.SelectPlace(Index);
    ShowPlace();
}

void TSelectLocationForm::Report(const std::string& Message)
{
    if (!Message.empty())
        OwnMessage(ToQ(Message), TMsgKind::Warning);
}

void TSelectLocationForm::ShowLists()
{
    FFilling = true;
    Fill(DatabaseList, FPicker.Databases(), FPicker.DatabaseIndex());
    Fill(RegionList, FPicker.Regions(), FPicker.RegionIndex());
    std::vector<std::string> Places;
    Places.reserve(FPicker.Places().size());
    for (const TLocRec& Place : FPicker.Places())
        Places.push_back(Place.Name);
    Fill(PlaceList, Places, FPicker.PlaceIndex());
    FFilling = false;
    ShowPlace();
}

void TSelectLocationForm::ShowPlace()
{
    DetailGrid->BeginUpdate();
    const std::vector<TLocationDetail> Details =
        FPicker.HasRecord() ? FPicker.Details() : std::vector<TLocationDetail>();
    for (int Row = 0; Row < DetailRows; ++Row) {
        const bool Has = Row < static_cast<int>(Details.size());
        DetailGrid->SetCell(0, Row, Has ? ToQ(Details[static_cast<std::size_t>(Row)].Caption) : QString());
        DetailGrid->SetCell(1, Row, Has ? ToQ(Details[static_cast<std::size_t>(Row)].Value) : QString());
    }
    DetailGrid->EndUpdate();
    StatusBar->SetPanelText(0, ToQ(FPicker.RecordStatus()));
    StatusBar->SetPanelText(1, FPicker.HasRecord() ? LocationText() : QString());
}

void TSelectLocationForm::FormClose()
{
    FPicker.Close();
    FPicker.WriteSettings(Settings);
}

bool TSelectLocationForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == DetailGrid->viewport() && Event->type() == QEvent::Resize)
        FitDetailColumns();
    return TRootForm::eventFilter(Watched, Event);
}

void TSelectLocationForm::FitDetailColumns()
{
    DetailGrid->SetColWidth(1, std::max(40, DetailGrid->viewport()->width() - CaptionWidth - 4));
}
