#include "tools/HumitrakBox.h"

#include "airstate/PsyStateFile.h"
#include "controls/EntryGrid.h"
#include "controls/GuardedCall.h"
#include "foundation/AirProperties.h"
#include "foundation/NumberFormat.h"
#include "platform/QtText.h"
#include "platform/VersionInfo.h"
#include "psychro/Psychrometrics.h"
#include "tools/AirCaptions.h"
#include "tools/XmlClipText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QShowEvent>
#include <QToolButton>

#include <iterator>

namespace {

struct TAirLine {
    const char* Format; // format, unit text and editor parts
    const char* Lo;     // bounds in base units, empty for none
    const char* Hi;
    TUnitsType Units;
    TFormatType Type;
    int Unit;           // unit shown at first
    const char* Code;   // element code of the XML copy
};

// Lines 2 to 12: the state's fields 1 to 11 in base units.
constexpr TAirLine AirLines[] = {
    {"%0.3f; kPa;;", "60", "130", utPressureBar, ft_AutoOverride, 0, "pa"},
    {"%0.1f; °C;;", "-60", "150", utTemperature, ft_Fixed, 0, "db"},
    {"%0.1f; °C;;", "-60", "150", utTemperature, ft_Fixed, 0, "wb"},
    {"%0.1f; kJ/kg;;", "-60.35", "3867.599", utEnthalpy, ft_Fixed, 0, "ha"},
    {"%0.1f; g/kg;;", "1E-7", "1.42031", utHumidity, ft_AutoOverride, 1, "wa"},
    {"%0.1f; %;;", "0", "1", utProportion, ft_Fixed, 1, "rh"},
    {"%0.1f; °C;;", "-60", "150", utTemperature, ft_Fixed, 0, "td"},
    {"%0.1f; kPa;;", "0.00108", "70.182", utPressure, ft_AutoOverride, 0, "pv"},
    {"%0.1f; kPa;;", "0.00108", "70.182", utPressure, ft_AutoOverride, 0, "ps"},
    {"%0.1f; kg/m³;;", "0.5", "2", utDensity, ft_Fixed, 0, "ro"},
    {"%0.1f; kJ/kg·K;;0;0", "", "", utSpecificHeat, ft_Fixed, 0, "cp"},
};
constexpr int FirstAirLine = THumitrakBox::lnPressure;
constexpr int LastAirLine = THumitrakBox::lnSpecificHeat;
static_assert(std::size(AirLines) == LastAirLine - FirstAirLine + 1);

// The state's fields in the order of the lines.
constexpr double PsyState::* AirFields[] = {&PsyState::pa, &PsyState::db, &PsyState::wb,
                                            &PsyState::ha, &PsyState::wa, &PsyState::rh,
                                            &PsyState::td, &PsyState::pv, &PsyState::ps,
                                            &PsyState::ro, &PsyState::cp};
static_assert(std::size(AirFields) == std::size(AirLines));

constexpr int PressureSigDigs = 6;
// The link colour in which the given pair's values are drawn.
const QColor HotLight(0, 102, 204);

QStringList HumitrakLines()
{
    QStringList Lines;
    Lines << QString("%1;%2;%3").arg(HeaderCaptions[0], HeaderCaptions[1], HeaderCaptions[2]);
    Lines << QString(AirStateCaptions[0]) + ";%S";
    for (std::size_t I = 0; I < std::size(AirLines); ++I) {
        const TAirLine& L = AirLines[I];
        QString Line = QString(AirStateCaptions[I + 1]) + ";" + QString::fromUtf8(L.Format);
        if (*L.Lo)
            Line += QString(L.Lo) + ";" + L.Hi;
        Lines << Line;
    }
    return Lines;
}

QString Dq(const QString& Text)
{
    return "\"" + XmlEscaped(Text) + "\"";
}

} // namespace

std::string AirStateErrorText(const PsyState& State)
{
    try {
        PsyState Check{};
        SetState(Check, State.pa, State.db, State.wb, pmTB);
    } catch (const EPsyError&) {
        // The status now tells that the state is none.
    }
    return MoistAirErrorText(State);
}

THumitrakBox::THumitrakBox(QWidget* Parent) : TAirConBox(Parent)
{
    setObjectName("HumitrakBox");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(ToQ(GetProductNameAndVersion("")));
    OpenAction->setToolTip("Load air state");
    SaveAction->setToolTip("Save air state");
    PrintAction->setToolTip("Print air state");
    InitBox();
}

void THumitrakBox::InitBox()
{
    TAirConBox::InitBox();
    OnCopy = [this](TTechForm*) { CopyDbWb(); };
    OnPaste = [this](TTechForm*) { PasteDbWb(); };
    ButtonPaste->show();
    ButtonCopy->show();
    CopyAction->setToolTip("Copy db/wb to clipboard");
    FileFilter = "Moist Air State (*.psx)";
    DefaultExt = "psx";

    SetLines(HumitrakLines());
    for (int Line = FirstAirLine; Line <= LastAirLine; ++Line) {
        const TAirLine& L = AirLines[Line - FirstAirLine];
        Grid->SetUnits(Line, L.Units, 1.0, 0.0, L.Type, L.Unit, 0);
    }
    Grid->SetSigDigs(lnPressure, PressureSigDigs);
    Grid->SetUnitsValue(lnPressure, 0);

    FCombin = TAirCombin();
    FCombin.Execute(); // the pair of the starting order
    Grid->OnDoSetData = [this](TxStringGrid*, int, int Row) {
        GuardedCall(this, [this, Row] { ValueCommitted(Row); });
    };
    Grid->OnDrawCell = [this](TxStringGrid*, QPainter& Painter, int Col, int Row, const QRect& Rect,
                              const TxGridDrawState& State) {
        if (Col != 1 || State.Highlighted || !IsKnownPairLine(Row))
            return;
        Painter.fillRect(Rect, Grid->ColorEditCol());
        Painter.setPen(HotLight);
        Painter.drawText(Rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         Grid->Cell(Col, Row));
    };
    SetLineEnabled(lnSpecificHeat, false);
    Align();
}

void THumitrakBox::DefaultSize()
{
    resize(206, 246);
    Grid->SetColWidth(0, 85);
    Grid->SetColWidth(1, 70);
    Grid->SetColWidth(2, 45);
}

void THumitrakBox::SetLineStates()
{
    SetLineEnabled(lnPressure, EditPressure);
    for (int Line = lnDryBulb; Line <= lnDensity; ++Line)
        SetLineEnabled(Line, true);
    SetLineEnabled(lnSpecificHeat, false);
    OpenAction->setEnabled(true);
}

void THumitrakBox::StateToGrid()
{
    const TPsyPoint* P = Point();
    if (!P)
        return;
    Grid->SetValue(1, lnName, ToQ(P->ItemName));
    for (int Line = FirstAirLine; Line <= LastAirLine; ++Line)
        Grid->SetValue(1, Line, P->State.*AirFields[Line - FirstAirLine]);
    Grid->viewport()->update();
}

bool THumitrakBox::IsKnownPairLine(int Line) const
{
    if (Line < FirstAirLine || Line > LastAirLine || !Grid->GetRowEnabled(Line))
        return false;
    return FCombin.PairHas(TAirCombin::Letters[static_cast<std::size_t>(Line - FirstAirLine)]);
}

void THumitrakBox::ValueCommitted(int Line)
{
    TPsyPoint* P = Point();
    if (!P)
        return;
    if (Line == lnName) {
        P->ItemName = Grid->Cell(1, lnName).toStdString();
        ItemEdited();
        return;
    }
    if (Line > lnPressure)
        FCombin.Execute(Line - FirstAirLine);
    PsyState Typed = P->State;
    for (int L = FirstAirLine; L <= LastAirLine; ++L)
        Typed.*AirFields[L - FirstAirLine] = Grid->GetValue(1, L).toDouble();
    P->State = Typed;
    SetStatus(ReadyText);
    try {
        P->Calc(FCombin.Mode());
    } catch (const EAirStateError& E) {
        // The grid stays as typed; the status keeps the box from saving or
        // accepting the state until it is put right or the box is left.
        SetStatus(QString::fromUtf8(E.what()));
        Grid->viewport()->update();
        OwnMessage(QString::fromUtf8(E.what()), TMsgKind::Error);
        return;
    }
    ItemEdited();
    FKept = P->State;
    StateToGrid();
}

void THumitrakBox::TakeState(const PsyState& State)
{
    TPsyPoint* P = Point();
    if (!P)
        return;
    P->State = State;
    StateToGrid();
    const std::string Error = AirStateErrorText(State);
    SetStatus(Error.empty() ? ReadyText : ToQ(Error));
    if (Error.empty())
        FKept = State;
    ItemEdited();
}

void THumitrakBox::RestoreKept()
{
    TPsyPoint* P = Point();
    if (!P)
        return;
    P->State = FKept;
    StateToGrid();
    SetStatus(ReadyText);
    ItemEdited();
}

void THumitrakBox::CopyDbWb()
{
    const TPsyPoint* P = Point();
    if (!P)
        return;
    QApplication::clipboard()->setText(ToQ(FormatFloat("%0.3f", P->State.db) + "/" +
                                                              FormatFloat("%0.3f", P->State.wb)));
}

void THumitrakBox::PasteDbWb()
{
    TPsyPoint* P = Point();
    if (!P)
        return;
    PsyState Pasted = P->State;
    ParseDryWetBulb(QApplication::clipboard()->text().trimmed().toStdString(), Pasted, P->State.pa, 0.5);
    FCombin.Execute(static_cast<int>(TAirCombin::Letters.find('t')));
    FCombin.Execute(static_cast<int>(TAirCombin::Letters.find('b')));
    TakeState(Pasted);
}

void THumitrakBox::LoadFromFile(const QString& Name)
{
    if (!Point())
        return;
    PsyState Loaded = Point()->State;
    try {
        LoadPsyStateFile(Name.toStdString(), Loaded);
    } catch (const EPsyStateFileError& E) {
        OwnMessage(QString::fromUtf8(E.what()), TMsgKind::Error);
        return;
    }
    TAirConBox::LoadFromFile(Name);
    TakeState(Loaded);
}

void THumitrakBox::SaveToFile(const QString& Name)
{
    if (!Point())
        return;
    try {
        SavePsyStateFile(Name.toStdString(), Point()->State);
    } catch (const EPsyStateFileError& E) {
        OwnMessage(QString::fromUtf8(E.what()), TMsgKind::Error);
        return;
    }
    TAirConBox::SaveToFile(Name);
}

QString THumitrakBox::XmlText() const
{
    const QString End = XmlLineEnd;
    QString Text = "<?xml version=\"1.0.0.0\" ?>" + End +
                   "<?xml-stylesheet type=\"text/xsl\" href=\"humitrak.xsl\"?>" + End + "<humitrak>" + End;
    Text += "  <properties name=" + Dq(Grid->Cell(1, lnName)) + ">" + End;
    for (int Line = FirstAirLine; Line <= LastAirLine; ++Line)
        Text += "    <item code=" + Dq(AirLines[Line - FirstAirLine].Code) +
                " caption=" + Dq(AirStateCaptions[static_cast<std::size_t>(Line - 1)]) +
                " units=" + Dq(Grid->Cell(2, Line)) + ">" + XmlEscaped(Grid->Cell(1, Line)) + "</item>" + End;
    Text += "  </properties>" + End + "</humitrak>" + End;
    return Text;
}

void THumitrakBox::FormActivate()
{
    TAirConBox::FormActivate();
    if (const TPsyPoint* P = Point()) {
        FKept = P->State;
        if (AirStateErrorText(P->State).empty())
            SetStatus(ReadyText);
    }
}

void THumitrakBox::showEvent(QShowEvent* Event)
{
    if (!Event->spontaneous())
        if (const TPsyPoint* P = Point())
            FKept = P->State;
    TAirConBox::showEvent(Event);
}

void THumitrakBox::FormDeactivate()
{
    TAirConBox::FormDeactivate();
    if (!IsReady())
        RestoreKept();
}

void THumitrakBox::FormClose()
{
    if (!IsReady())
        RestoreKept();
    TAirConBox::FormClose();
}
