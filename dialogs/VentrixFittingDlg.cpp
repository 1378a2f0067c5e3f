#include "dialogs/VentrixFittingDlg.h"

#include "controls/FmtEdit.h"
#include "controls/GuardedCall.h"
#include "controls/KeyNavigation.h"
#include "controls/UiServices.h"
#include "dialogs/BandTrackBar.h"
#include "dialogs/FittingCodeFilter.h"
#include "dialogs/FittingPicture.h"
#include "dialogs/FittingTablePrinter.h"
#include "dialogs/TableViewForm.h"
#include "fittings/DuctFittingDB.h"
#include "fittings/FittingKeys.h"
#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStringListModel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* Section = "VentrixFittingDlg";

QString Fixed2(double Value)
{
    return ToQ(FormatFloat("%0.2f", Value));
}

// Sets a flag for the lifetime of the scope, restoring what it was.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : Flag(Flag), Old(Flag) { Flag = true; }
    ~TFlagScope() { Flag = Old; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& Flag;
    bool Old;
};

void SetLabelColour(QLabel* Label, const QColor& Colour)
{
    QPalette P = Label->palette();
    P.setColor(QPalette::WindowText, Colour);
    Label->setPalette(P);
}

// The item of a filter list whose text starts with Letter; item 0 when none.
int ItemByFirstLetter(const QComboBox& Combo, QChar Letter)
{
    for (int I = 1; I < Combo.count(); ++I)
        if (Combo.itemText(I).startsWith(Letter, Qt::CaseInsensitive))
            return I;
    return 0;
}

bool LinkEnded(const TFlowBranch* Branch)
{
    return Branch && Branch->FromNode && Branch->ToNode && Branch->FromNode->IsActive() &&
           Branch->ToNode->IsActive();
}

} // namespace

TVentrixFittingDlg::TVentrixFittingDlg(TDuctFittingDB& Database, TSettingsStore& Settings, QWidget* Parent)
    : QDialog(Parent), FDatabase(Database), FSettings(Settings)
{
    setObjectName("VentrixFittingDlg");
    setWindowTitle("Duct Fittings...");
    setMinimumSize(450, 410);
    resize(560, 600);
    new TKeyNavigation(this);

    AcceptBtn = new QPushButton("&Close");
    TableBtn = new QPushButton("&Table");
    PrevBtn = new QPushButton("&Prev");
    NextBtn = new QPushButton("&Next");
    AcceptBtn->setAutoDefault(false);
    auto* Tools = new QHBoxLayout;
    for (QPushButton* Button : {AcceptBtn, TableBtn, PrevBtn, NextBtn})
        Tools->addWidget(Button);
    Tools->addStretch();

    CBFunction = new QComboBox;
    CBFunction->addItems({"+All", "Supply", "Exhaust/Return", "Common (Supply & Return)"});
    CBGeometry = new QComboBox;
    CBGeometry->addItems({"+All", "Diameter (Round)", "Rectangular"});
    CBCategory = new QComboBox;
    CBCategory->addItems({"+All", "Entries/Plenums", "Exits/Plenums", "Elbows", "Transitions", "Junctions",
                          "Obstructions", "Fan & system interactions", "Duct-mounted equip", "Dampers", "Hoods"});
    auto* Filters = new QGridLayout;
    const std::pair<const char*, QComboBox*> FilterRows[] = {
        {"Function", CBFunction}, {"Geometry", CBGeometry}, {"Category", CBCategory}};
    for (int I = 0; I < 3; ++I) {
        Filters->addWidget(new QLabel(FilterRows[I].first), I, 0);
        Filters->addWidget(FilterRows[I].second, I, 1);
    }
    Filters->setColumnStretch(1, 1);

    CodeCombo = new QComboBox;
    CodeCombo->setMinimumWidth(110);
    DescrLabel = new QLabel;
    DescrLabel->setWordWrap(true);
    DescrLabel->setMinimumHeight(2 * fontMetrics().height() + 4);
    auto* CodeRow = new QHBoxLayout;
    CodeRow->addWidget(CodeCombo, 0, Qt::AlignTop);
    CodeRow->addWidget(DescrLabel, 1);

    Image1 = new TFittingPicture;
    Image1->setMinimumSize(200, 150);

    auto* Links = new QGridLayout;
    CHead = new QLabel("C");
    CHead->setAlignment(Qt::AlignRight);
    Links->addWidget(CHead, 0, 2);
    for (int I = 0; I < LinkCount; ++I) {
        LinkLabel[I] = new QLabel(I == 0 ? "Duct" : "Duct " + QString::number(I));
        CBLink[I] = new QComboBox;
        CBLink[I]->setModel(new QStringListModel(CBLink[I]));
        CBLink[I]->setMinimumWidth(140);
        CBLink[I]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        CLabel[I] = new QLabel;
        CLabel[I]->setMinimumWidth(44);
        CLabel[I]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Links->addWidget(LinkLabel[I], 1 + 2 * I, 0, 1, 3);
        Links->addWidget(CBLink[I], 2 + 2 * I, 0, 1, 2);
        Links->addWidget(CLabel[I], 2 + 2 * I, 2);
        connect(CBLink[I], &QComboBox::activated, this,
                [this, I](int Item) { GuardedCall(this, [&] { ChooseLink(I, Item); }); });
    }
    ResetBtn = new QPushButton("Reset");
    ResetBtn->setToolTip("Reset selections to include all ducts");
    ResetBtn->setAutoDefault(false);
    Links->addWidget(ResetBtn, 1 + 2 * LinkCount, 0, 1, 1, Qt::AlignLeft);
    Links->setRowStretch(2 + 2 * LinkCount, 1);
    Links->setColumnStretch(0, 1);

    auto* Middle = new QHBoxLayout;
    Middle->addWidget(Image1, 3);
    Middle->addLayout(Links, 2);

    FRowPanel = new QWidget;
    FRowPanel->installEventFilter(this);
    FRowScroll = new QScrollArea;
    FRowScroll->setWidget(FRowPanel);
    FRowScroll->setWidgetResizable(true);
    FRowScroll->setFrameShape(QFrame::NoFrame);
    FRowScroll->setMinimumHeight(RowPitch + 6);

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Tools);
    Layout->addLayout(Filters);
    Layout->addLayout(CodeRow);
    Layout->addLayout(Middle, 3);
    Layout->addWidget(FRowScroll, 2);

    for (QComboBox* Filter : {CBFunction, CBGeometry, CBCategory})
        connect(Filter, &QComboBox::currentIndexChanged, this,
                [this] { GuardedCall(this, [this] { FilterChanged(); }); });
    connect(CodeCombo, &QComboBox::currentIndexChanged, this,
            [this] { GuardedCall(this, [this] { CodeChanged(); }); });
    connect(AcceptBtn, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { CloseDialog(mrOk, true); }); });
    connect(TableBtn, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { ShowTable(); }); });
    connect(PrevBtn, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { StepFitting(-1); }); });
    connect(NextBtn, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { StepFitting(1); }); });
    connect(ResetBtn, &QPushButton::clicked, this, [this] { GuardedCall(this, [this] { ResetLinks(); }); });

    LoadSettings();
}

TVentrixFittingDlg::~TVentrixFittingDlg()
{
    // The controls go after this part of the dialog: no signal of theirs may
    // reach it on their way.
    FRowPanel->removeEventFilter(this);
    for (QObject* Child : findChildren<QObject*>())
        Child->disconnect(this);
}

// ---- settings ----

void TVentrixFittingDlg::LoadSettings()
{
    TFlagScope Loading(FLoading);
    const auto Index = [&](const char* Ident, const QComboBox* Combo) {
        const int I = FSettings.ReadInteger(Section, Ident, 0);
        return I >= 0 && I < Combo->count() ? I : 0;
    };
    CBFunction->setCurrentIndex(Index("CBFunction", CBFunction));
    CBGeometry->setCurrentIndex(Index("CBGeometry", CBGeometry));
    CBCategory->setCurrentIndex(Index("CBCategory", CBCategory));
    TableBtn->setVisible(FSettings.ReadBool("Settings", "ShowTable", false));
    RestoreFormPlacement(FSettings, this, false, true);
}

void TVentrixFittingDlg::SaveSettings()
{
    FSettings.WriteInteger(Section, "CBFunction", CBFunction->currentIndex());
    FSettings.WriteInteger(Section, "CBGeometry", CBGeometry->currentIndex());
    FSettings.WriteInteger(Section, "CBCategory", CBCategory->currentIndex());
    SaveFormPlacement(FSettings, this);
}

// ---- showing and closing ----

void TVentrixFittingDlg::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        GuardedCall(this, [this] { Activate(); });
}

void TVentrixFittingDlg::Activate()
{
    if (!FNetwork) {
        ShowMessage(this, "Duct fittings form: duct network not assigned");
        return;
    }
    if (!FFitting) {
        ShowMessage(this, "Fitting not set.  Create a fitting first");
        return;
    }
    FNetwork->BuildAdjacency();
    LoadFitting();
    const bool Any = !FNetwork->Fittings.empty();
    PrevBtn->setEnabled(Any);
    NextBtn->setEnabled(Any);
}

bool TVentrixFittingDlg::ValidateFitting(bool Strict)
{
    if (auto* Edit = qobject_cast<TxCustomEdit*>(focusWidget()); Edit && !Edit->CommitIfModified())
        return false;
    if (!FFitting) {
        ShowMessage(this, "Fitting not set.  Create a fitting first");
        return !Strict;
    }
    if (CodeCombo->currentText().isEmpty()) {
        if (!Strict)
            return true;
        ShowMessage(this, "No fitting selected");
        return false;
    }
    int Needed = 1;
    if (FSummary.IsTransition)
        Needed = 2;
    else if (FSummary.IsJunction)
        Needed = FSummary.Paths.size() > 3 ? 4 : 3;
    for (int I = 0; I < Needed; ++I) {
        if (!CBLink[I]->currentText().isEmpty())
            continue;
        const QString Text = "Warning: " + LinkLabel[I]->text() + " should be set\nContinue?";
        if (ShowMessage(this, Text, "Warning", TMsgKind::Confirmation, mbYesNo) != mrYes)
            return false;
    }
    return true;
}

bool TVentrixFittingDlg::CloseDialog(int Result, bool Strict)
{
    if (FClosing)
        return true;
    if (!ValidateFitting(Strict))
        return false;
    // "&Close" accepts what the dialog shows: a new fitting takes the code
    // it was shown with, though no control was touched.
    if (Result == mrOk && !BaseCode().isEmpty() && !FittingHoldsCode())
        Store();
    TFlagScope Closing(FClosing);
    FireDuctsChanged(LinkedDucts(), 0);
    SaveSettings();
    FreeRows();
    done(Result);
    return true;
}

void TVentrixFittingDlg::reject()
{
    GuardedCall(this, [this] { CloseDialog(mrCancel, false); });
}

void TVentrixFittingDlg::closeEvent(QCloseEvent* Event)
{
    bool Closed = true;
    if (!FClosing && isVisible())
        GuardedCall(this, [&] { Closed = CloseDialog(mrCancel, false); });
    if (Closed)
        Event->accept();
    else
        Event->ignore();
}

// ---- loading ----

QString TVentrixFittingDlg::BaseCode() const
{
    return CodeCombo->currentText();
}

bool TVentrixFittingDlg::FittingHoldsCode() const
{
    return FFitting && !BaseCode().isEmpty() &&
           SameText(FittingBaseCode(FFitting->Code), BaseCode().toStdString());
}

void TVentrixFittingDlg::LoadFitting()
{
    if (!FFitting || !FNetwork)
        return;
    TFlagScope Loading(FLoading);

    setWindowTitle(FDuct ? "Fitting in duct: " + ToQ(FDuct->GetName())
                         : "Duct Fitting: " + ToQ(FFitting->GetLinksText()));

    for (int I = 0; I < LinkCount; ++I) {
        const TFlowBranch* Branch = nullptr;
        if (I < FFitting->LinkCount() && FFitting->Links[I].BranchId != -1)
            Branch = FNetwork->FlowBranch(FFitting->Links[I].BranchId);
        if (I == 0 && !Branch)
            Branch = FDuct;
        FSavedLinks[I] = Branch ? ToQ(LinkText(*Branch)) : QString();
    }

    const std::string& Code = FFitting->Code;
    if (!Code.empty()) {
        if (CBFunction->currentIndex() != 0)
            CBFunction->setCurrentIndex(ItemByFirstLetter(*CBFunction, QChar(Code[0])));
        if (CBGeometry->currentIndex() != 0 && Code.size() > 1)
            CBGeometry->setCurrentIndex(ItemByFirstLetter(*CBGeometry, QChar(Code[1])));
        if (CBCategory->currentIndex() != 0)
            CBCategory->setCurrentIndex(CategoryOfCode(Code));
    }
    FillCodeCombo();
    ReadSummary();
    FFitting->ResolveLinks(*FNetwork, false);
    LayoutFitting();
    ShowCValues();
}

void TVentrixFittingDlg::FillCodeCombo()
{
    TFlagScope Loading(FLoading);
    const auto Letter = [](const QComboBox* Combo) {
        const QString Text = Combo->currentText();
        return Text.isEmpty() ? '+' : Text[0].toLatin1();
    };
    TStringVec Codes;
    FDatabase.FilterCodes(FittingFilterPattern(Letter(CBFunction), Letter(CBGeometry), CBCategory->currentIndex()),
                          Codes, true);
    QStringList Items;
    Items.reserve(static_cast<qsizetype>(Codes.size()));
    int Selected = 0;
    const std::string Own = FFitting ? FittingBaseCode(FFitting->Code) : std::string();
    for (const std::string& Code : Codes) {
        if (!Own.empty() && SameText(Code, Own))
            Selected = static_cast<int>(Items.size());
        Items << ToQ(Code);
    }
    CodeCombo->clear();
    CodeCombo->addItems(Items);
    CodeCombo->setCurrentIndex(Items.isEmpty() ? -1 : Selected);
}

void TVentrixFittingDlg::ReadSummary()
{
    FSummary = TDuctFitSummary();
    if (!BaseCode().isEmpty())
        FDatabase.GetFittingInfo(BaseCode().toStdString(), FSummary);
}

void TVentrixFittingDlg::LayoutFitting()
{
    TFlagScope Loading(FLoading);
    if (BaseCode().isEmpty()) {
        DescrLabel->clear();
        Image1->Clear();
        FreeRows();
        for (int I = 0; I < LinkCount; ++I) {
            FillLinkList(I, {}, {});
            CBLink[I]->hide();
            LinkLabel[I]->hide();
            CLabel[I]->hide();
        }
        FireDuctsChanged({}, 1);
        return;
    }
    DescrLabel->setText(ToQ(FSummary.Name));
    QString Picture = BaseCode();
    if (const qsizetype Cut = Picture.indexOf('<'); Cut >= 0)
        Picture.truncate(Cut);
    Image1->ShowCode(ToQ(FDatabase.Folder()), Picture);
    BuildRows();
    ShowBands();
    LayoutLinks();
}

// ---- slider rows ----

TVentrixFittingDlg::TParamRow& TVentrixFittingDlg::NewRow()
{
    TParamRow Row;
    Row.TrackBar = new TBandTrackBar(FRowPanel);
    Row.InfoLabel = new QLabel(FRowPanel);
    Row.MinLabel = new QLabel(FRowPanel);
    Row.MaxLabel = new QLabel(FRowPanel);
    Row.ValLabel = new QLabel(FRowPanel);
    Row.MaxLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Row.ValLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont Bold = Row.ValLabel->font();
    Bold.setBold(true);
    Row.ValLabel->setFont(Bold);
    const std::size_t Index = FRows.size();
    connect(Row.TrackBar, &QSlider::valueChanged, this,
            [this, Index](int Position) { GuardedCall(this, [&] { SliderMoved(Index, Position); }); });
    FRows.push_back(Row);
    return FRows.back();
}

void TVentrixFittingDlg::FreeRows()
{
    for (TParamRow& Row : FRows)
        for (QWidget* W : std::initializer_list<QWidget*>{Row.TrackBar, Row.InfoLabel, Row.MinLabel, Row.MaxLabel,
                                                         Row.ValLabel})
            delete W;
    FRows.clear();
    FRowPanel->setMinimumHeight(0);
}

void TVentrixFittingDlg::PlaceRows()
{
    const int Width = std::max(FRowPanel->width(), 300);
    const int ValueWidth = 70;
    const int BarWidth = Width - ValueWidth - 24;
    for (std::size_t I = 0; I < FRows.size(); ++I) {
        const TParamRow& Row = FRows[I];
        const int Top = static_cast<int>(I) * RowPitch + 2;
        Row.InfoLabel->setGeometry(8, Top, BarWidth, 16);
        Row.TrackBar->setGeometry(8, Top + 15, BarWidth, 22);
        Row.MinLabel->setGeometry(8, Top + 36, BarWidth / 2, 15);
        Row.MaxLabel->setGeometry(8 + BarWidth / 2, Top + 36, BarWidth - BarWidth / 2, 15);
        Row.ValLabel->setGeometry(BarWidth + 14, Top + 15, ValueWidth, 22);
    }
    FRowPanel->setMinimumHeight(static_cast<int>(FRows.size()) * RowPitch + 4);
}

bool TVentrixFittingDlg::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FRowPanel && Event->type() == QEvent::Resize)
        PlaceRows();
    return QDialog::eventFilter(Watched, Event);
}

void TVentrixFittingDlg::BuildRows()
{
    FreeRows();
    const bool Stored = FittingHoldsCode();
    // The actual inputs: the values the linked ducts give, -1 where they
    // give none.
    if (Stored && FFitting->Connected)
        FFitting->Calculate(TFitting::cmVelocityRatios);
    const QColor Text = palette().color(QPalette::WindowText);
    for (std::size_t Path = 0; Path < FSummary.AxisNamesByPath.size(); ++Path) {
        const TStringVec& Names = FSummary.AxisNamesByPath[Path];
        for (std::size_t Input = 0; Input < Names.size(); ++Input) {
            if (Names[Input].empty())
                break;
            const QString Name = ToQ(Names[Input]);
            const auto Shared = std::find_if(FRows.begin(), FRows.end(),
                                             [&](const TParamRow& R) { return R.InfoLabel->text() == Name; });
            if (Shared != FRows.end()) {
                Shared->Inputs.emplace_back(static_cast<int>(Path), static_cast<int>(Input));
                continue;
            }
            const auto At = [&](const std::vector<TFloatVec>& Lists, double Otherwise) {
                return Path < Lists.size() && Input < Lists[Path].size() ? Lists[Path][Input] : Otherwise;
            };
            const double Min = At(FSummary.AxisMinsByPath, 0.0);
            const double Max = At(FSummary.AxisMaxsByPath, 0.0);
            const bool Log = Path < FSummary.AxisScalesByPath.size() && Input < FSummary.AxisScalesByPath[Path].size() &&
                             FSummary.AxisScalesByPath[Path][Input] == st_log;
            TParamRow& Row = NewRow();
            Row.Inputs.emplace_back(static_cast<int>(Path), static_cast<int>(Input));
            Row.Scale = TSliderScale(Min, Max, Log);
            Row.InfoLabel->setText(Name);
            Row.MinLabel->setText(Fixed2(Min));
            Row.MaxLabel->setText(Fixed2(Max));
            SetLabelColour(Row.MinLabel, Text);
            SetLabelColour(Row.MaxLabel, Text);
            if (Stored && Path < FFitting->FlowRatios.size() && Input < FFitting->FlowRatios[Path].size()) {
                Row.Value = FFitting->FlowRatios[Path][Input];
                Row.TrackBar->setValue(Row.Scale.Position(Row.Value));
            } else {
                Row.TrackBar->setValue(Row.Scale.Position(At(FSummary.AxisDefaultsByPath, Min)));
                Row.Value = Row.Scale.Value(Row.TrackBar->value());
            }
            Row.ValLabel->setText(Fixed2(Row.Value));
        }
    }
    for (TParamRow& Row : FRows)
        for (QWidget* W : std::initializer_list<QWidget*>{Row.TrackBar, Row.InfoLabel, Row.MinLabel, Row.MaxLabel,
                                                         Row.ValLabel})
            W->show();
    PlaceRows();
}

void TVentrixFittingDlg::ShowBands()
{
    const QColor Text = palette().color(QPalette::WindowText);
    for (TParamRow& Row : FRows) {
        bool Found = false;
        double Actual = -1.0;
        if (FittingHoldsCode()) {
            for (const auto& [Path, Input] : Row.Inputs) {
                const auto& Ratios = FFitting->VelocityRatios;
                if (Path < static_cast<int>(Ratios.size()) && Input < static_cast<int>(Ratios[Path].size()) &&
                    Ratios[Path][Input] != -1.0) {
                    Actual = Ratios[Path][Input];
                    Found = true;
                    break;
                }
            }
        }
        SetLabelColour(Row.MinLabel, Text);
        SetLabelColour(Row.MaxLabel, Text);
        if (!Found) {
            Row.TrackBar->ClearSelection();
            continue;
        }
        const int Position = Row.Scale.Position(Actual);
        Row.TrackBar->SetSelection(Position - 100, Position + 100);
        if (Position + 100 < 50)
            SetLabelColour(Row.MinLabel, Qt::red);
        if (Position - 100 > 950)
            SetLabelColour(Row.MaxLabel, Qt::red);
    }
}

void TVentrixFittingDlg::SliderMoved(std::size_t Index, int Position)
{
    if (FLoading || Index >= FRows.size())
        return;
    TParamRow& Row = FRows[Index];
    Row.Value = Row.Scale.Value(Position);
    Row.ValLabel->setText(Fixed2(Row.Value));
    Store();
}

// ---- links ----

int TVentrixFittingDlg::VisibleLinks() const
{
    if (FSummary.IsJunction)
        return FSummary.Paths.size() > 3 ? 4 : 3;
    return FSummary.IsTransition ? 2 : 1;
}

QStringList TVentrixFittingDlg::AllDucts() const
{
    QStringList Ducts;
    if (!FNetwork)
        return Ducts;
    Ducts.reserve(FNetwork->BranchCount());
    for (const auto& Item : FNetwork->Branches()) {
        const auto* Branch = static_cast<const TFlowBranch*>(Item.get());
        if (LinkEnded(Branch))
            Ducts << ToQ(LinkText(*Branch));
    }
    return Ducts;
}

QStringList TVentrixFittingDlg::NeighbourDucts(const QString& Text) const
{
    QStringList Ducts;
    const TFlowBranch* Duct = FNetwork ? FNetwork->FlowBranch(LinkTextId(Text.toStdString())) : nullptr;
    if (!LinkEnded(Duct))
        return Ducts;
    Ducts << ToQ(LinkText(*Duct));
    for (const TNode* End : {Duct->FromNode, Duct->ToNode})
        for (const TLink& Link : End->Links) {
            const auto* Other = static_cast<const TFlowBranch*>(Link.Branch);
            if (Other != Duct && LinkEnded(Other)) {
                const QString Item = ToQ(LinkText(*Other));
                if (!Ducts.contains(Item))
                    Ducts << Item;
            }
        }
    return Ducts;
}

void TVentrixFittingDlg::FillLinkList(int Link, const QStringList& Items, const QString& Select)
{
    auto* Model = static_cast<QStringListModel*>(CBLink[Link]->model());
    Model->setStringList(Items);
    CBLink[Link]->setCurrentIndex(Select.isEmpty() ? -1 : static_cast<int>(Items.indexOf(Select)));
}

void TVentrixFittingDlg::LayoutLinks()
{
    const int Shown = VisibleLinks();
    const auto Caption = [&](int I) -> QString {
        const QString Role = I < static_cast<int>(FSummary.Paths.size()) ? ToQ(FSummary.Paths[I]) : QString();
        if (FSummary.IsJunction && I < 3) {
            if (Role == "s")
                return "Straight";
            if (Role == "b")
                return "Branch";
            if (Role == "c")
                return "Common";
        }
        if (FSummary.IsJunction || FSummary.IsTransition)
            return "Duct " + Role;
        return "Duct";
    };
    const QStringList Ducts = AllDucts();
    for (int I = 0; I < LinkCount; ++I) {
        const bool Visible = I < Shown;
        LinkLabel[I]->setVisible(Visible);
        CBLink[I]->setVisible(Visible);
        CLabel[I]->setVisible(Visible);
        if (Visible) {
            LinkLabel[I]->setText(Caption(I));
            FillLinkList(I, Ducts, FSavedLinks[I]);
        } else {
            FillLinkList(I, {}, {});
        }
    }
}

std::vector<TFlowBranch*> TVentrixFittingDlg::DuctsOf(const std::array<QString, LinkCount>& Texts) const
{
    std::vector<TFlowBranch*> Ducts;
    if (!FNetwork)
        return Ducts;
    for (const QString& Text : Texts) {
        if (Text.isEmpty())
            continue;
        if (TFlowBranch* Duct = FNetwork->FlowBranch(LinkTextId(Text.toStdString())))
            Ducts.push_back(Duct);
    }
    return Ducts;
}

std::vector<TFlowBranch*> TVentrixFittingDlg::LinkedDucts() const
{
    std::array<QString, LinkCount> Texts;
    for (int I = 0; I < LinkCount; ++I)
        Texts[I] = CBLink[I]->isVisibleTo(this) ? CBLink[I]->currentText() : QString();
    return DuctsOf(Texts);
}

void TVentrixFittingDlg::SaveLinkTexts()
{
    for (int I = 0; I < LinkCount; ++I)
        FSavedLinks[I] = CBLink[I]->currentText();
}

void TVentrixFittingDlg::FireDuctsChanged(const std::vector<TFlowBranch*>& Ducts, int Flag)
{
    if (OnDuctsChanged)
        OnDuctsChanged(Ducts, Flag);
}

void TVentrixFittingDlg::ChooseLink(int Link, int Item)
{
    if (FLoading || Link < 0 || Link >= LinkCount || !FNetwork)
        return;
    FireDuctsChanged(DuctsOf(FSavedLinks), 0);
    {
        TFlagScope Loading(FLoading);
        CBLink[Link]->setCurrentIndex(Item);
        const QString Chosen = CBLink[Link]->currentText();
        std::vector<int> Refill;
        if (FSummary.IsJunction) {
            for (int I = 0; I < VisibleLinks(); ++I)
                if (I != Link)
                    Refill.push_back(I);
        } else if (FSummary.IsTransition && Link == 0) {
            Refill.push_back(1);
        }
        if (!Chosen.isEmpty() && !Refill.empty()) {
            const QStringList Neighbours = NeighbourDucts(Chosen);
            for (int I : Refill) {
                // The duct a list shows stays in it, neighbour or not.
                const QString Kept = CBLink[I]->currentText();
                QStringList Items = Neighbours;
                if (!Kept.isEmpty() && !Items.contains(Kept))
                    Items << Kept;
                FillLinkList(I, Items, Kept);
            }
        }
    }
    FireDuctsChanged(LinkedDucts(), 1);
    SaveLinkTexts();
    Store();
}

void TVentrixFittingDlg::ResetLinks()
{
    TFlagScope Loading(FLoading);
    const QStringList Ducts = AllDucts();
    for (int I = 0; I < VisibleLinks(); ++I)
        FillLinkList(I, Ducts, FSavedLinks[I]);
}

void TVentrixFittingDlg::ShowCValues()
{
    const bool Coded = FFitting && !FFitting->Code.empty();
    for (int I = 0; I < LinkCount; ++I) {
        const bool Has = Coded && I < static_cast<int>(FFitting->CValues.size());
        CLabel[I]->setText(Has ? ToQ(FormatFloat("%0.3f", FFitting->CValues[I])) : QString());
    }
}

// ---- changes ----

void TVentrixFittingDlg::FilterChanged()
{
    if (FLoading)
        return;
    const QString Before = BaseCode();
    FillCodeCombo();
    if (BaseCode() != Before)
        CodeChanged();
    else
        Store();
}

void TVentrixFittingDlg::CodeChanged()
{
    if (FLoading || !FFitting)
        return;
    FFitting->FlowRatios.clear();
    ReadSummary();
    LayoutFitting();
    Store();
}

void TVentrixFittingDlg::Store()
{
    if (FLoading || !FFitting || !FNetwork)
        return;
    TFitting& F = *FFitting;
    F.Code = BaseCode().toStdString();
    F.Caption = FSummary.Name;
    F.Transition = FSummary.IsTransition;
    F.Junction = FSummary.IsJunction;
    F.Roles = FSummary.Paths;
    const std::size_t Count = F.Roles.size();

    F.FlowRatios.resize(Count);
    F.VelocityRatios.resize(Count);
    for (std::size_t Path = 0; Path < Count; ++Path) {
        const TStringVec Names = Path < FSummary.AxisNamesByPath.size() ? FSummary.AxisNamesByPath[Path] : TStringVec();
        TFloatVec& Values = F.FlowRatios[Path];
        Values.resize(Names.size(), 0.0);
        for (std::size_t Input = 0; Input < Names.size(); ++Input) {
            const QString Name = ToQ(Names[Input]);
            for (const TParamRow& Row : FRows)
                if (!Name.isEmpty() && Row.InfoLabel->text() == Name)
                    Values[Input] = Row.Value;
        }
        F.VelocityRatios[Path].resize(Names.size(), -1.0);
    }

    F.Links.assign(Count, TFittingLink{});
    for (std::size_t I = 0; I < Count && I < LinkCount; ++I)
        F.Links[I].BranchId = LinkTextId(CBLink[I]->currentText().toStdString());
    F.CValues.assign(Count, 0.0);
    F.CValues2.assign(Count, 0.0);
    F.Remarks.assign(Count, std::string());
    F.ResolveLinks(*FNetwork, false);
    F.Calculate(TFitting::cmCValues);
    F.Calculate(TFitting::cmVelocityRatios);

    ShowCValues();
    ShowBands();
    if (OnChanged)
        OnChanged(this);
    if (OnFittingSelected)
        OnFittingSelected(FFitting);
}

// ---- Prev, Next and Table ----

void TVentrixFittingDlg::StepFitting(int Direction)
{
    if (!ValidateFitting(true) || !FNetwork || FNetwork->Fittings.size() < 2)
        return;
    const auto& List = FNetwork->Fittings;
    const int Count = static_cast<int>(List.size());
    int Current = -1;
    for (int I = 0; I < Count; ++I)
        if (List[I].get() == FFitting)
            Current = I;
    // One lap at most: a list without another coded fitting keeps this one.
    const int Steps = Current < 0 ? Count : Count - 1;
    int Start = Current;
    if (Current < 0)
        Start = Direction > 0 ? -1 : Count;
    TFitting* Found = nullptr;
    for (int Step = 1; Step <= Steps && !Found; ++Step) {
        const int I = ((Start + Direction * Step) % Count + Count) % Count;
        if (!List[I]->Code.empty())
            Found = List[I].get();
    }
    if (!Found)
        return;
    FireDuctsChanged(LinkedDucts(), 0);
    FDuct = nullptr;
    FFitting = Found;
    LoadFitting();
    if (OnFittingSelected)
        OnFittingSelected(FFitting);
}

void TVentrixFittingDlg::ShowTable()
{
    if (!FFitting || BaseCode().isEmpty())
        return;
    const std::string Code = BaseCode().toStdString();
    TTableViewForm View(this);
    View.HoleMarker = TableHole;
    View.AutoWidth = true;
    View.setWindowTitle(BaseCode());
    bool First = true;
    const auto Print = [&](const std::string& Key, const QString& Path) {
        if (TDuctFitting* Fit = FDatabase.SelectFitting(Key, true)) {
            PrintFittingTables(View, *Fit, Path, First);
            First = false;
        }
    };
    if (!FSummary.IsJunction) {
        Print(Code, QString());
    } else {
        for (const std::string& Role : FSummary.Paths) {
            if (Role == "c")
                continue;
            if (Role == "s" || Role == "b") {
                Print(Code + "-" + Role, ToQ(Role));
                continue;
            }
            // The branches of a double junction: their own entry, else the
            // branch entry, else the code; one table for both, and the last.
            std::string Key = Code + "-" + Role;
            if (FDatabase.IndexOfCode(Key) < 0)
                Key = FDatabase.IndexOfCode(Code + "-b") >= 0 ? Code + "-b" : Code;
            Print(Key, "b1, b2");
            break;
        }
    }
    RunModal(View);
}
