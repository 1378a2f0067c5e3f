#include "airstate/AirconItem.h"

TAirconItem::TAirconItem(const std::string& Prefix, int Number, const std::string& ItemName)
    : Name(Prefix + std::to_string(Number)), ItemName(ItemName.empty() ? Name : ItemName), Number(Number)
{
}

void TAirconItem::SetPosition(int NewX, int NewY, const TCursorPosFunc& CursorPos)
{
    if (NewX > Unset)
        X = NewX;
    if (NewY > Unset)
        Y = NewY;
    if ((X < Unset + 1 || Y < Unset + 1) && CursorPos) {
        const TScreenPoint Cursor = CursorPos();
        if (X < Unset + 1)
            X = Cursor.X;
        if (Y < Unset + 1)
            Y = Cursor.Y;
    }
}
