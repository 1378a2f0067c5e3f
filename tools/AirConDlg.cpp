#include "tools/AirConDlg.h"

#include "controls/EntryGrid.h"
#include "controls/UiServices.h"
#include "foundation/SettingsStore.h"
#include "tools/AirConBox.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QToolButton>

#include <string>

namespace {

// The pressure line and the highest unit index its settings may hold.
constexpr int PressureLine = 2;
constexpr int MaxPressureUnit = 4;

QSize ScreenSize()
{
    const QScreen* Screen = QGuiApplication::primaryScreen();
    return Screen ? Screen->geometry().size() : QSize(1024, 768);
}

int Reachable(int Value, int ScreenExtent)
{
    if (Value > TAirconItem::Unset && Value < 0)
        return 0;
    if (Value > ScreenExtent - 100)
        return ScreenExtent - 200;
    return Value;
}

std::string RowIdent(std::size_t Line)
{
    return "Row" + std::to_string(Line);
}

} // namespace

TAirConDlg::TAirConDlg(TSettingsStore& Settings, const QString& Name, QObject* Parent)
    : QObject(Parent), Settings(Settings)
{
    setObjectName(Name);
}

TAirConDlg::~TAirConDlg()
{
    if (FOpenBox) {
        FOpenBox->close();
        delete FOpenBox.data();
    }
    if (FAnchorKnown) {
        SetFormLeft(FAnchorX);
        SetFormTop(FAnchorY);
    }
    WriteSettings();
}

void TAirConDlg::SetDefaultItem(std::unique_ptr<TAirconItem> Item)
{
    FDefaultItem = std::move(Item);
}

int TAirConDlg::FormLeft() const
{
    return FDefaultItem ? FDefaultItem->X : TAirconItem::Unset;
}

void TAirConDlg::SetFormLeft(int Left)
{
    if (FDefaultItem)
        FDefaultItem->X = Left;
}

int TAirConDlg::FormTop() const
{
    return FDefaultItem ? FDefaultItem->Y : TAirconItem::Unset;
}

void TAirConDlg::SetFormTop(int Top)
{
    if (FDefaultItem)
        FDefaultItem->Y = Top;
}

void TAirConDlg::SetDummy(bool Value)
{
    FDummy = Value;
    if (Value)
        ReadSettings();
}

void TAirConDlg::ReadSettings()
{
    const std::string Section = objectName().toStdString();
    const QSize Screen = ScreenSize();
    SetFormLeft(Reachable(Settings.ReadInteger(Section, "FormLeft", FormLeft()), Screen.width()));
    SetFormTop(Reachable(Settings.ReadInteger(Section, "FormTop", FormTop()), Screen.height()));
    // A size or width that is no size keeps the one the dialog has.
    const auto Positive = [&](const char* Ident, int Current) {
        const int Value = Settings.ReadInteger(Section, Ident, Current);
        return Value > 0 ? Value : Current;
    };
    FSizeKnown = FSizeKnown || Settings.ValueExists(Section, "FormWidth");
    FormWidth = Positive("FormWidth", FormWidth);
    FormHeight = Positive("FormHeight", FormHeight);
    for (std::size_t I = 0; I < ColWidths.size(); ++I)
        ColWidths[I] = Positive(("ColWidths" + std::to_string(I)).c_str(), ColWidths[I]);
    for (std::size_t Line = 1; Line < LineUnits.size(); ++Line) {
        int Unit = Settings.ReadInteger(Section, RowIdent(Line), LineUnits[Line]);
        if ((Line == PressureLine && Unit > MaxPressureUnit) || Unit < 0)
            Unit = 0;
        LineUnits[Line] = Unit;
    }
}

void TAirConDlg::WriteSettings() const
{
    const std::string Section = objectName().toStdString();
    Settings.WriteInteger(Section, "FormLeft", FormLeft());
    Settings.WriteInteger(Section, "FormTop", FormTop());
    Settings.WriteInteger(Section, "FormWidth", FormWidth);
    Settings.WriteInteger(Section, "FormHeight", FormHeight);
    for (std::size_t I = 0; I < ColWidths.size(); ++I)
        Settings.WriteInteger(Section, "ColWidths" + std::to_string(I), ColWidths[I]);
    for (std::size_t Line = 1; Line < LineUnits.size(); ++Line)
        Settings.WriteInteger(Section, RowIdent(Line), LineUnits[Line]);
}

void TAirConDlg::SetAnchor(TAirconItem* Item, int X, int Y)
{
    FAnchored = Item ? Item : FDefaultItem.get();
    if (!FAnchored)
        return;
    if (FDefaultItem) {
        if (X < TAirconItem::Unset + 1 && FAnchored->X < TAirconItem::Unset + 1)
            X = FDefaultItem->X;
        if (Y < TAirconItem::Unset + 1 && FAnchored->Y < TAirconItem::Unset + 1)
            Y = FDefaultItem->Y;
    }
    FAnchored->SetPosition(X, Y, [] {
        const QPoint At = UiServices().PointerPos();
        return TScreenPoint{At.x(), At.y()};
    });
    FAnchorX = FAnchored->X;
    FAnchorY = FAnchored->Y;
    FAnchorKnown = true;
}

int TAirConDlg::Execute(std::unique_ptr<TAirConBox> Box)
{
    if (!FAnchored)
        SetAnchor(nullptr, TAirconItem::Unset, TAirconItem::Unset);
    Box->Modal = Modal;
    Box->ButtonCancel->setVisible(Modal);
    if (FAnchored && FAnchored->X > TAirconItem::Unset && FAnchored->Y > TAirconItem::Unset)
        Box->move(FAnchored->X, FAnchored->Y);
    if (FSizeKnown) {
        if (FormWidth > 0 && FormHeight > 0)
            Box->resize(FormWidth, FormHeight);
        for (std::size_t I = 0; I < ColWidths.size(); ++I)
            if (ColWidths[I] > 0 && static_cast<int>(I) < Box->Grid->ColCount())
                Box->Grid->SetColWidth(static_cast<int>(I), ColWidths[I]);
    }
    Box->setWindowTitle(Caption);
    Box->Item = FAnchored;
    Box->Dialog = this;
    if (FAnchored)
        FAnchored->Box = Box.get();
    if (Box->Grid->RowCount() > 1)
        Box->SetLineEnabled(1, EditItemName);
    Box->OnEditAirconItem = OnEditAirconItem;
    Box->Grid->OnAfterRightClick = OnAfterRightClick;
    if (OnColWidthsChanged) {
        TEntryGrid* Grid = Box->Grid;
        connect(Grid->horizontalHeader(), &QHeaderView::sectionResized, Box.get(),
                [this, Grid] {
                    if (OnColWidthsChanged)
                        OnColWidthsChanged(Grid);
                });
    }
    Box->OnResize = OnResize;
    for (int Line = 1; Line < Box->Grid->RowCount() && Line < static_cast<int>(LineUnits.size()); ++Line)
        if (Box->Grid->GetUnitsEditable(Line))
            Box->Grid->SetUnitsValue(Line, LineUnits[static_cast<std::size_t>(Line)]);
    if (Modal) {
        const int Result = RunModal(*Box);
        // A box that ended other than through its own close still hands its
        // settings over (closing twice does nothing).
        Box->CloseWith(Result);
        return Result;
    }
    FOpenBox = Box.release();
    FOpenBox->show();
    FOpenBox->activateWindow();
    return 0;
}

void TAirConDlg::StoreBox(const TAirConBox& Box)
{
    for (int Line = 1; Line < Box.Grid->RowCount() && Line < static_cast<int>(LineUnits.size()); ++Line)
        if (Box.Grid->GetUnitsEditable(Line))
            LineUnits[static_cast<std::size_t>(Line)] = Box.Grid->GetUnitsValue(Line);
    FormWidth = Box.width();
    FormHeight = Box.height();
    FSizeKnown = true;
    for (std::size_t I = 0; I < ColWidths.size(); ++I)
        if (static_cast<int>(I) < Box.Grid->ColCount())
            ColWidths[I] = Box.Grid->ColWidth(static_cast<int>(I));
    if (Box.Item && Box.Item == FAnchored) {
        FAnchorX = Box.x();
        FAnchorY = Box.y();
        FAnchorKnown = true;
    }
}
