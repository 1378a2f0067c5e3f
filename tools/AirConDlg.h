#pragma once
// Configures and shows an air-conditioning box and remembers, between
// showings and in the settings (a section named after the dialog), the
// box's size, position, column widths and the unit of each grid line.

#include "airstate/AirconItem.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TAirConBox;
class TSettingsStore;
class TxFieldGrid;
class TEntryGrid;

class TAirConDlg : public QObject {
    Q_OBJECT

public:
    // Name: the dialog's name, which is its settings section.
    TAirConDlg(TSettingsStore& Settings, const QString& Name, QObject* Parent = nullptr);
    // Closes a box still open, keeps the anchored item's position and writes
    // the settings.
    ~TAirConDlg() override;

    QString Caption;
    QString ItemName;
    bool EditItemName = true;
    bool Modal = true;

    // The default item's stored position (-99: unset).
    int FormLeft() const;
    void SetFormLeft(int Left);
    int FormTop() const;
    void SetFormTop(int Top);
    int FormWidth = 0;
    int FormHeight = 0;
    std::array<int, 3> ColWidths{};
    // Unit index per grid line (index = line).
    std::vector<int> LineUnits;

    // Setting it reads the settings (as the dialog is loaded).
    bool Dummy() const { return FDummy; }
    void SetDummy(bool Value);
    // The settings, each read with the current value as default: a left or
    // top between -99 and 0 becomes 0, one within 100 pixels of the screen's
    // right or bottom edge (or beyond) 200 pixels from it; a pressure unit
    // (line 2) above 4 becomes 0.
    void ReadSettings();
    void WriteSettings() const;

    // The anchored item is Item, or the default item when none is given; an
    // X or Y below -98 takes the default item's coordinate when the item has
    // none; then the item's position is set (an unset one follows the
    // pointer).
    void SetAnchor(TAirconItem* Item, int X, int Y);
    TAirconItem* AnchoredItem() const { return FAnchored; }
    TAirconItem* DefaultItem() const { return FDefaultItem.get(); }

    // Configures the box from the dialog and shows it (a first box, before
    // any size was stored, keeps the size it fitted to its texts, as the
    // default sizes suit only the smallest fonts). Modal: the box's
    // result, and the box is freed. Modeless: 0, and the box frees itself
    // when it closes.
    int Execute(std::unique_ptr<TAirConBox> Box);
    // The box is closing: its units, size and column widths are kept.
    void StoreBox(const TAirConBox& Box);
    // The modeless box open, if any.
    TAirConBox* OpenBox() const { return FOpenBox; }

    TEditAirconItemEvent OnEditAirconItem;
    std::function<void(TxFieldGrid* Sender, int Line)> OnAfterRightClick;
    std::function<void(TEntryGrid* Sender)> OnColWidthsChanged;
    std::function<void(TAirConBox* Sender)> OnResize;

protected:
    void SetDefaultItem(std::unique_ptr<TAirconItem> Item);
    TSettingsStore& Settings;

private:
    std::unique_ptr<TAirconItem> FDefaultItem;
    TAirconItem* FAnchored = nullptr;
    // The anchored item's last known position, kept for the settings (the
    // item itself may be gone by then).
    int FAnchorX = TAirconItem::Unset;
    int FAnchorY = TAirconItem::Unset;
    bool FAnchorKnown = false;
    bool FDummy = false;
    // Whether the size and column widths came from the settings or a box
    // shown before; until then a box keeps the size it fitted to its texts.
    bool FSizeKnown = false;
    QPointer<TAirConBox> FOpenBox;
};
