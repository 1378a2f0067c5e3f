#pragma once
// The base of the items that tool boxes edit: a named item that remembers
// where its box was last shown.

#include <functional>
#include <string>

class TAirConBox;
class TAirconItem;

// Fired after an item has changed.
using TEditAirconItemEvent = std::function<void(TAirconItem& Sender)>;

// A screen position in pixels.
struct TScreenPoint {
    int X = 0;
    int Y = 0;
};

// Where the mouse cursor is on the screen; the windows supply it.
using TCursorPosFunc = std::function<TScreenPoint()>;

class TAirconItem {
public:
    // A coordinate that was never set.
    static constexpr int Unset = -99;

    // Name := Prefix + Number in decimal; ItemName := the given name, or
    // Name when that is empty.
    TAirconItem(const std::string& Prefix, int Number, const std::string& ItemName);
    virtual ~TAirconItem() = default;

    // A coordinate above -99 is stored; one still below -98 afterwards takes
    // the cursor's position (from CursorPos when given, else left unset).
    void SetPosition(int NewX, int NewY, const TCursorPosFunc& CursorPos = {});

    std::string Name;     // the item's identifier, Prefix + Number
    std::string ItemName; // the name shown to the user
    int Number = 0;
    TAirConBox* Box = nullptr; // the box showing the item, if any
    int X = Unset;
    int Y = Unset;
};
