#include "airstate/PsyPoint.h"

#include <gtest/gtest.h>

#include <cstring>

// A coordinate above the unset mark -99 is stored; one still unset takes the cursor's.
TEST(AirconItem, UnsetCoordinatesTakeTheCursor)
{
    EXPECT_EQ(TAirconItem("P", -3, "").ItemName, "P-3");
    const struct { int StartX, SetX, SetY; bool WithCursor; int X, Y; } Cases[] = {
        {-99, -99, 20, true, 640, 20}, {-99, -120, -99, true, 640, 480},
        {30, -99, -98, true, 30, -98}, {-99, -99, -99, false, -99, -99}};
    for (const auto& C : Cases) {
        TAirconItem Item("Node", 1, "Air");
        Item.X = C.StartX;
        Item.SetPosition(C.SetX, C.SetY, C.WithCursor ? [] { return TScreenPoint{640, 480}; } : TCursorPosFunc());
        EXPECT_EQ(std::pair(Item.X, Item.Y), std::pair(C.X, C.Y)) << C.SetX << "," << C.SetY;
    }
}

// A failure raises its text and keeps the record unless it is an unphysical state.
TEST(PsyPoint, CalcCompletesTheStateOrRaisesItsText)
{
    const struct { double Db, Wb; int Mode; const char* Message; } Cases[] = {
        {25.0, 17.0, 0, ""}, {25.0, 30.0, 0, "Wet Bulb > Dry Bulb °C..."},
        {25.0, 17.0, 6, "Invalid air state"}}; // mode 6 not served
    for (const auto& C : Cases) {
        PsyState Given{};
        Given.pa = 101.325, Given.db = C.Db, Given.wb = C.Wb;
        TPsyPoint Point(Given, "Node", 1, "Air");
        try {
            Point.Calc(C.Mode);
            EXPECT_STREQ("", C.Message);
            EXPECT_NEAR(Point.State.td, 12.1, 0.05); // the dew point of 25/17 °C
        } catch (const EAirStateError& E) {
            EXPECT_STREQ(E.what(), C.Message);
            EXPECT_EQ(std::memcmp(&Point.State, &Given, sizeof(PsyState)) == 0,
                      std::strcmp(C.Message, "Invalid air state") == 0) << C.Message; // kept
        }
    }
}
